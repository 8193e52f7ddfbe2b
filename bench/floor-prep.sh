#!/bin/sh
# Prepares the baseline: the work of "payvo-cli new" done by the sqlite3 command-line shell.
#   baseline-prep.sh LEAGUE.lge SETTINGS.ini SCHEMA.sql DIR
# writes DIR/teams.psv and DIR/players.psv (the league's records, each with its TeamID in
# front, in the order the import writes them) and DIR/baseline.sql, the shell script that
# creates the salary file's tables (SCHEMA.sql, taken from a file payvo-cli made), imports
# the records in one transaction, runs the fifteen base-salary statements and then applies
# the bonus factor and the limits. Only running DIR/baseline.sql is timed.
set -eu
league=$1
ini=$2
schema=$3
dir=$(cd "$4" && pwd)

# Records: the draft pool, the free agents, then each roster in team order.
awk -F'|' -v teams="$dir/teams.psv" -v players="$dir/players.psv" '
{ sub(/\r$/, "") }
/^[ \t]*(#|$)/ { next }
/^[ \t]*\[[^|]*\][ \t]*$/ {
    h = $0; gsub(/^[ \t]+|[ \t]+$/, "", h)
    if (h == "[Teams]") s = "T"
    else if (h == "[Draft Pool]") s = "D"
    else if (h == "[Free Agents]") s = "F"
    else { s = "R"; r = h; gsub(/[^0-9]/, "", r); r += 0 }
    next
}
s == "T" { n++; print n "|" $1 "|" $2 "|" $3 "|" $4 > teams; next }
s == "D" { draft[++nd] = $0; next }
s == "F" { fa[++nf] = $0; next }
s == "R" { roster[r, ++nr[r]] = $0; next }
END {
    for (i = 1; i <= nd; i++) print "99|" draft[i] > players
    for (i = 1; i <= nf; i++) print "0|" fa[i] > players
    for (t = 1; t <= n; t++) for (i = 1; i <= nr[t]; i++) print t "|" roster[t, i] > players
}' "$league"

{
    cat "$schema"
    cols=""
    for i in $(seq 1 22); do cols="$cols, f$i TEXT"; done
    echo "CREATE TEMP TABLE TeamsIn (TeamID TEXT, f1 TEXT, f2 TEXT, f3 TEXT, f4 TEXT);"
    echo "CREATE TEMP TABLE PlayersIn (TeamID TEXT$cols);"
    echo ".mode list"
    echo ".separator |"
    echo ".import $dir/teams.psv TeamsIn"
    echo ".import $dir/players.psv PlayersIn"
    echo "BEGIN;"
    echo "INSERT INTO Teams SELECT TeamID, NULLIF(f1, ''), NULLIF(f2, ''), NULLIF(f3, ''), NULLIF(f4, '') FROM TeamsIn;"
    echo "INSERT INTO Players (PID, TeamID, FirstName, LastName, Position, PositionGen, Years," \
         "Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI," \
         "Pot_SP, Pot_AC, Pot_AG, Pot_ST, Pot_HA, Pot_EN, Pot_IN, Pot_DI)" \
         "SELECT f1, TeamID, NULLIF(f2, ''), NULLIF(f3, ''), f4, f22, f13, f11, f5, f6, f12, f9, f8, f10, f7," \
         "f20, f14, f15, f21, f18, f17, f19, f16 FROM PlayersIn;"
    echo "COMMIT;"

    # The fifteen base-salary statements, then the bonus factor and the limits.
    awk -F'=' '
    /^\[/ { sec = $0; gsub(/[\[\]\r \t]/, "", sec); next }
    NF == 2 { k = $1; v = $2; gsub(/[ \t\r]/, "", k); gsub(/[ \t\r]/, "", v); val[sec, k] = v }
    function w(sec, k) { return ((sec, k) in val && val[sec, k] ~ /^-?[0-9]+$/) ? val[sec, k] + 0 : 1 }
    END {
        split("QB FB HB TE WR C G T DE DT LB CB S K P", pos, " ")
        for (p = 1; p <= 15; p++) {
            s = pos[p]
            printf "UPDATE Players SET Salary = (Act_SP* %d)+(Act_AC* %d)+(Act_AG* %d)+(Act_ST* %d)+(Act_HA* %d)+(Act_EN* %d)+(Act_IN* %d)+(Act_DI* %d) WHERE Players.Position= %d;\n", \
                w(s, "SP"), w(s, "AC"), w(s, "AG"), w(s, "ST"), w(s, "HA"), w(s, "EN"), w(s, "IN"), w(s, "DI"), p - 1
        }
        max = val["Salary", "Max"]; min = val["Salary", "Min"]
        f = "1"
        split("Act_SP Act_AC Act_AG Act_ST Act_HA Act_EN Act_IN Act_DI", col, " ")
        for (c = 1; c <= 8; c++)
            f = f " + (" col[c] " > 69) * 0.5 + (" col[c] " > 79) * 0.75 + (" col[c] " > 84) * 1.0" \
                  " + (" col[c] " > 89) * 1.25 + (" col[c] " > 94) * 1.5"
        p = "Salary * (" f ")"
        print "UPDATE Players SET Salary = CASE WHEN " p " > " max " THEN " max " WHEN " p " < " min " THEN " min " ELSE " p " END"
        print "  WHERE Position BETWEEN 0 AND 14;"
    }' "$ini"
} > "$dir/baseline.sql"
