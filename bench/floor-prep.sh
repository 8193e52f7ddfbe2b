#!/bin/sh
# Prepares the floor of "payvo-cli new": the same work done by one run of the sqlite3
# command-line shell.
#
#   floor-prep.sh LEAGUE.lge SETTINGS.ini SCHEMA.sql DIR
#
# writes into DIR (not timed):
#   teams.csv    TeamID, City, Mascot, Abbr, Coach of every team, in [Teams] order;
#   players.csv  the columns the import fills, with each player's TeamID, in the order the
#                import writes them: the draft pool (99), the free agents (0), then each
#                roster in team order;
#   new.sql      the shell script that is timed. It creates the two tables (SCHEMA.sql,
#                taken from a file payvo-cli made, so with the same CHECK constraints) and
#                imports both files in one transaction, then computes every salary in a
#                second one: the fifteen base-salary UPDATE statements with the weights of
#                SETTINGS.ini, and per position one UPDATE that applies the bonus factor and
#                the limits.
# The database is the shell's command-line argument, with the shell's default journal.
set -eu
league=$1
ini=$2
schema=$3
dir=$(cd "$4" && pwd)
parts="$dir/parts"
rm -rf "$parts"
mkdir "$parts"

# The league file's lines as the reader takes them: a byte order mark and a CR at the end
# of a line are dropped, blank lines and comments skipped, a header is a trimmed line in
# brackets without "|". Empty fields become empty CSV fields (Null once imported); a text
# field is quoted when it has to be.
awk -F'|' -v parts="$parts" '
function csv(s) {
    if (s ~ /[",\r\n]/ || s ~ /^[ \t]|[ \t]$/) { gsub(/"/, "\"\"", s); return "\"" s "\"" }
    return s
}
NR == 1 { sub(/^\357\273\277/, "") }
{ sub(/\r$/, "") }
/^[ \t]*(#|$)/ { next }
{ t = $0; gsub(/^[ \t]+|[ \t]+$/, "", t) }
t ~ /^\[.*\]$/ && t !~ /\|/ {
    if (out != "") close(out)
    if (t == "[Teams]") { s = "T"; out = parts "/teams" }
    else if (t == "[Draft Pool]") { s = "P"; out = parts "/draft"; team = 99 }
    else if (t == "[Free Agents]") { s = "P"; out = parts "/free"; team = 0 }
    else { s = "P"; team = t; gsub(/[^0-9]/, "", team); team += 0; out = parts "/roster" team }
    next
}
s == "T" { n++; print n "," csv($1) "," csv($2) "," csv($3) "," csv($4) >> out; next }
# PID, TeamID, FirstName, LastName, Years, Position, PositionGen, Pot_SP, Pot_AC, Pot_AG,
# Pot_ST, Pot_HA, Pot_EN, Pot_IN, Pot_DI, Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, Act_EN,
# Act_IN, Act_DI: the columns in the order of the table.
s == "P" {
    print $1 "," team "," csv($2) "," csv($3) "," $13 "," $4 "," $22 "," \
        $20 "," $14 "," $15 "," $21 "," $18 "," $17 "," $19 "," $16 "," \
        $11 "," $5 "," $6 "," $12 "," $9 "," $8 "," $10 "," $7 >> out
}
END { print n > (parts "/count") }
' "$league"

teams=$(cat "$parts/count")
: >"$dir/teams.csv"
[ ! -f "$parts/teams" ] || cp "$parts/teams" "$dir/teams.csv"
: >"$dir/players.csv"
for list in draft free $(seq 1 "$teams" | sed 's/^/roster/'); do
    [ ! -f "$parts/$list" ] || cat "$parts/$list" >>"$dir/players.csv"
done
rm -rf "$parts"

{
    echo "BEGIN;"
    cat "$schema"
    echo "CREATE TEMP TABLE TeamsIn (TeamID, City, Mascot, Abbr, Coach);"
    echo "CREATE TEMP TABLE PlayersIn (PID, TeamID, FirstName, LastName, Years, Position, PositionGen," \
         "Pot_SP, Pot_AC, Pot_AG, Pot_ST, Pot_HA, Pot_EN, Pot_IN, Pot_DI," \
         "Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI);"
    echo ".import --csv \"$dir/teams.csv\" TeamsIn"
    echo ".import --csv \"$dir/players.csv\" PlayersIn"
    echo "INSERT INTO Teams SELECT TeamID, NULLIF(City, ''), NULLIF(Mascot, ''), NULLIF(Abbr, ''), NULLIF(Coach, '') FROM TeamsIn;"
    echo "INSERT INTO Players (PID, TeamID, FirstName, LastName, Years, Position, PositionGen," \
         "Pot_SP, Pot_AC, Pot_AG, Pot_ST, Pot_HA, Pot_EN, Pot_IN, Pot_DI," \
         "Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI)" \
         "SELECT PID, TeamID, NULLIF(FirstName, ''), NULLIF(LastName, ''), Years, Position, PositionGen," \
         "Pot_SP, Pot_AC, Pot_AG, Pot_ST, Pot_HA, Pot_EN, Pot_IN, Pot_DI," \
         "Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI FROM PlayersIn;"
    echo "COMMIT;"

    awk -F'=' '
    /^[ \t]*\[/ { sec = $0; gsub(/[][\r \t]/, "", sec); next }
    NF >= 2 { k = $1; v = substr($0, index($0, "=") + 1); gsub(/[ \t\r]/, "", k); gsub(/^[ \t]+|[ \t\r]+$/, "", v); val[sec, k] = v }
    # A weight that is missing or no whole number from -32768 to 32767 counts as 1.
    function w(sec, k,   v) {
        v = ((sec, k) in val) ? val[sec, k] : ""
        return (v ~ /^[-+]?[0-9]+$/ && v + 0 >= -32768 && v + 0 <= 32767) ? v + 0 : 1
    }
    function limit(k,   v) {
        v = (("Salary", k) in val) ? val["Salary", k] : ""
        return (v ~ /^[-+]?[0-9]+$/ && v + 0 >= -2147483648 && v + 0 <= 2147483647) ? v + 0 : ""
    }
    END {
        split("QB FB HB TE WR C G T DE DT LB CB S K P", pos, " ")
        split("SP AC AG ST HA EN IN DI", code, " ")
        print "BEGIN;"
        for (p = 1; p <= 15; p++) {
            s = "UPDATE Players SET Salary = "
            for (c = 1; c <= 8; c++)
                s = s (c > 1 ? " + " : "") "Act_" code[c] " * " w(pos[p], code[c])
            print s " WHERE Position = " p - 1 ";"
        }
        # 1 + 0.5 per rating above 69, 0.75 more above 79, 1 more above 84, 1.25 more above
        # 89 and 1.5 more above 94; then the highest salary, then the lowest.
        f = "1"
        for (c = 1; c <= 8; c++)
            f = f " + (Act_" code[c] " > 69) * 0.5 + (Act_" code[c] " > 79) * 0.75 + (Act_" code[c] " > 84) * 1.0" \
                  " + (Act_" code[c] " > 89) * 1.25 + (Act_" code[c] " > 94) * 1.5"
        x = "Salary * (" f ")"
        max = limit("Max"); min = limit("Min")
        e = x
        if (max != "" || min != "") {
            e = "CASE"
            if (max != "") e = e " WHEN " x " > " max " THEN " max
            if (min != "") e = e " WHEN " x " < " min " THEN " min
            e = e " ELSE " x " END"
        }
        for (p = 1; p <= 15; p++)
            print "UPDATE Players SET Salary = " e " WHERE Position = " p - 1 ";"
        print "COMMIT;"
    }' "$ini"
} >"$dir/new.sql"
