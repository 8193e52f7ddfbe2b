#!/bin/sh
# Benchmarks of payvo-cli against floors made with the sqlite3 command-line shell: the same
# work done by the shell, which a Qt program with its own code can approach but hardly beat.
#
#   bench/run.sh               build what is needed, check the floors, measure, print
#   RUNS=5 bench/run.sh        fewer runs per command (default 20, after 3 warm-up runs)
#   MOST=0 bench/run.sh        leave out the league of 97 teams (the memory figure)
#
# Measured with hyperfine, medians of wall-clock time:
#   new LEAGUE.lge         demo league and a league ten times larger, against one shell run
#                          that imports the same records and computes the same salaries
#                          (floor-prep.sh writes its script);
#   players SALARY.pyv     tenfold league, all teams, all positions, against the shell
#                          printing the same rows in the same order;
#   report all SALARY.pyv  tenfold league, against the shell reading the same columns plus
#                          appendlines writing the same lines the same way (appendlines.c).
# and the peak memory (max RSS) of "players" on the demo league, the tenfold league and a
# league of 97 teams with 32,766 players in every list.
#
# Targets: new at most 1.2 x its floor on the demo league and 1.0 x on the tenfold one;
# players and report all at most 1.2 x their floors on the tenfold league; the peak memory
# of players flat in league size. Exits with 1 when a time target is missed.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build=${PAYVO_BUILD_DIR:-$here/build}
work="$build/bench"
most="$build/bench-most"
runs=${RUNS:-20}
warmup=${WARMUP:-3}
measureMost=${MOST:-1}

missing=""
command -v sqlite3 >/dev/null 2>&1 || missing="$missing sqlite3"
command -v hyperfine >/dev/null 2>&1 || missing="$missing hyperfine"
[ -x /usr/bin/time ] || missing="$missing time"
command -v cc >/dev/null 2>&1 || missing="$missing gcc"
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    # shellcheck disable=SC2086
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
fi

[ -f "$build/CMakeCache.txt" ] || cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target payvo-cli payvo-leaguegen -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
cli="$build/bin/payvo-cli"
gen="$build/bin/payvo-leaguegen"

rm -rf "$work"
mkdir -p "$work/demo" "$work/tenfold"
append="$work/appendlines"
cc -O2 -o "$append" "$here/bench/appendlines.c"
ini="$work/Payvo.ini"
cp "$here/data/Payvo.ini" "$ini"
cp "$here/data/Demo.lge" "$work/demo/Demo.lge"
# Same 32 teams, every list ten times longer.
"$gen" --teams 32 --roster 530 --free-agents 960 --draft 2240 --seed 1 -o "$work/tenfold/Tenfold.lge"

fail() {
    echo "run.sh: $*" >&2
    exit 1
}

# The query of the player list with the default filters (all teams, all positions), as
# playerListQuery in src/store/browse.cpp builds it.
listQuery="SELECT * FROM Players Order by Position, Salary desc"
# The columns the two reports read (src/reports/reportdata.cpp), each table read once.
reportQuery="SELECT TeamID, City, Mascot FROM Teams; SELECT TeamID, Position, LastName, FirstName, Years, Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI, Salary FROM Players;"

# Rows of the same table in two databases that only one of them holds, both ways, plus
# the difference of their counts: 0 when both hold the same rows (any order).
differences() { # TABLE
    echo "(SELECT count(*) FROM main.$1) - (SELECT count(*) FROM p.$1)
        + (SELECT count(*) FROM (SELECT * FROM main.$1 EXCEPT SELECT * FROM p.$1))
        + (SELECT count(*) FROM (SELECT * FROM p.$1 EXCEPT SELECT * FROM main.$1))"
}

# The floor of new takes the salary file's schema from a file payvo-cli made.
"$cli" new "$work/demo/Demo.lge" --ini "$ini" >/dev/null
sqlite3 "$work/demo/Demo.pyv" .schema >"$work/schema.sql"

for league in demo/Demo tenfold/Tenfold; do
    dir="$work/${league%%/*}"
    pyv="$work/$league.pyv"
    [ -f "$pyv" ] || "$cli" new "$work/$league.lge" --ini "$ini" >/dev/null

    # new: the floor's file holds the same teams and players with the same salaries.
    "$here/bench/floor-prep.sh" "$work/$league.lge" "$ini" "$work/schema.sql" "$dir"
    sqlite3 "$dir/floor.db" ".read \"$dir/new.sql\""
    differ=$(sqlite3 "$dir/floor.db" "ATTACH '$pyv' AS p; SELECT $(differences Teams) + $(differences Players);")
    [ "$differ" = 0 ] || fail "the floor of new on $league differs from payvo-cli's file ($differ rows)"
    nulls=$(sqlite3 "$pyv" "SELECT count(*) FROM Players WHERE Salary IS NULL")
    [ "$nulls" = 0 ] || fail "payvo-cli left $nulls salaries of $league empty"

    # players: the shell prints the same rows in the same order (position, name, ratings).
    "$cli" players "$pyv" | cut -f 1-10 >"$dir/players.txt"
    sqlite3 -readonly -separator "$(printf '\t')" "$pyv" "SELECT
        rtrim(substr('QB FB HB TE WR C  G  T  DE DT LB CB S  K  P  ', Position * 3 + 1, 3)),
        coalesce(FirstName, '') || ' ' || coalesce(LastName, ''),
        Act_SP, Act_AC, Act_AG, Act_ST, Act_HA, Act_EN, Act_IN, Act_DI
        FROM ($listQuery)" >"$dir/floor-players.txt"
    cmp -s "$dir/players.txt" "$dir/floor-players.txt" \
        || fail "payvo-cli players and the shell's $listQuery differ on $league"

    # report all: appendlines writes the same bytes as the reports.
    "$cli" report all "$pyv" --ini "$ini" --rosters-out "$dir/Rosters.htm" --summary-out "$dir/Summary.htm" >/dev/null
    "$append" "$dir/Rosters.htm" "$dir/rosters-floor.htm" "$dir/Summary.htm" "$dir/summary-floor.htm"
    for report in Rosters Summary; do
        cmp -s "$dir/$report.htm" "$dir/$(echo "$report" | tr 'RS' 'rs')-floor.htm" \
            || fail "appendlines did not write the same $dir/$report.htm"
    done
done
echo "Floors checked on both leagues: new gives the same rows and salaries, players the same rows"
echo "in the same order, appendlines the same report files."

# The largest league the format allows: 97 teams, 32,766 players in every list (the same
# 32,766 on each roster), 3,243,834 players. Its salary file is made by the floor of new
# (checked above to give payvo-cli's rows and salaries) and kept between runs while the
# schema, the settings, the league and floor-prep.sh stay the same.
if [ "$measureMost" != 0 ]; then
    mkdir -p "$most"
    "$gen" --teams 97 --roster 0 --free-agents 0 --draft 0 --seed 1 -o "$most/teams.lge"
    "$gen" --teams 1 --roster 32766 --free-agents 0 --draft 0 --seed 2 -o "$most/roster.lge"
    "$gen" --teams 1 --roster 0 --free-agents 32766 --draft 0 --seed 3 -o "$most/free.lge"
    "$gen" --teams 1 --roster 0 --free-agents 0 --draft 32766 --seed 4 -o "$most/draft.lge"
    stamp=$(cat "$work/schema.sql" "$ini" "$here/bench/floor-prep.sh" "$most/teams.lge" "$most/roster.lge" \
        "$most/free.lge" "$most/draft.lge" | cksum)
    if [ ! -f "$most/Most.pyv" ] || [ "$(cat "$most/stamp" 2>/dev/null)" != "$stamp" ]; then
        echo "Making the league of 97 teams (3,243,834 players) and its salary file; this takes minutes."
        rm -f "$most/Most.pyv" "$most/stamp" "$most/shell-memory"
        # Records only: the section headers, comments and blank lines of the parts are dropped.
        awk -v dir="$most" '
        FNR == 1 { part++ }
        /^\[/ { section = $0; next }
        /^(#|$)/ { next }
        part == 1 { if (section == "[Teams]") teams[++n] = $0; next }
        section == "[Teams]" { next }
        { print > (dir "/" (part == 2 ? "roster" : part == 3 ? "free" : "draft") ".part") }
        END {
            print "# 97 teams and 32,766 players in every list, the largest league the format allows"
            print "[Teams]"
            for (i = 1; i <= n; i++) print teams[i]
        }' "$most/teams.lge" "$most/roster.lge" "$most/free.lge" "$most/draft.lge" >"$most/Most.lge"
        for t in $(seq 1 97); do
            printf '\n[Roster %d]\n' "$t"
            cat "$most/roster.part"
        done >>"$most/Most.lge"
        {
            printf '\n[Free Agents]\n'
            cat "$most/free.part"
            printf '\n[Draft Pool]\n'
            cat "$most/draft.part"
        } >>"$most/Most.lge"
        "$here/bench/floor-prep.sh" "$most/Most.lge" "$ini" "$work/schema.sql" "$most"
        sqlite3 "$most/Most.pyv" ".read \"$most/new.sql\""
        rm -f "$most"/*.part "$most/players.csv" "$most/teams.csv"
        echo "$stamp" >"$most/stamp"
    fi
fi

# One hyperfine run for every command; the files read are those checked above.
d="$work/demo"
t="$work/tenfold"
hyperfine -N --style basic --warmup "$warmup" --runs "$runs" --export-csv "$work/results.csv" \
    --prepare "rm -f '$d/Demo.pyv'" -n "new demo" "'$cli' new '$d/Demo.lge' --ini '$ini'" \
    --prepare "rm -f '$d/floor.db'" -n "new demo floor" "sqlite3 '$d/floor.db' '.read \"$d/new.sql\"'" \
    --prepare "rm -f '$t/Tenfold.pyv'" -n "new tenfold" "'$cli' new '$t/Tenfold.lge' --ini '$ini'" \
    --prepare "rm -f '$t/floor.db'" -n "new tenfold floor" "sqlite3 '$t/floor.db' '.read \"$t/new.sql\"'" \
    --prepare "true" -n "players tenfold" "'$cli' players '$t/Tenfold.pyv'" \
    --prepare "true" -n "players tenfold floor" "sqlite3 -readonly '$t/Tenfold.pyv' '$listQuery'" \
    --prepare "true" -n "report tenfold" \
    "'$cli' report all '$t/Tenfold.pyv' --ini '$ini' --rosters-out '$t/Rosters.htm' --summary-out '$t/Summary.htm'" \
    --prepare "true" -n "report tenfold floor read" "sqlite3 -readonly '$t/Tenfold.pyv' '$reportQuery'" \
    --prepare "true" -n "report tenfold floor lines" \
    "'$append' '$t/Rosters.htm' '$t/rosters-floor.htm' '$t/Summary.htm' '$t/summary-floor.htm'" \
    >"$work/hyperfine.log" 2>&1

# Peak memory of players, and of the shell printing the same list, in KiB. The shell's
# figure of the largest league takes a minute and is kept with its file.
memory() { # LABEL SALARY.pyv [FILE KEEPING THE SHELL'S FIGURE]
    payvo=$(/usr/bin/time -f %M "$cli" players "$2" 2>&1 >/dev/null | tail -n 1)
    if [ -n "${3:-}" ] && [ -s "$3" ]; then
        shell=$(cat "$3")
    else
        shell=$(/usr/bin/time -f %M sqlite3 -readonly "$2" "$listQuery" 2>&1 >/dev/null | tail -n 1)
        [ -z "${3:-}" ] || echo "$shell" >"$3"
    fi
    echo "$1|$payvo|$shell" >>"$work/memory.csv"
}
: >"$work/memory.csv"
memory "demo (2,016 players)" "$d/Demo.pyv"
memory "tenfold (20,160 players)" "$t/Tenfold.pyv"
[ "$measureMost" = 0 ] || memory "97 teams (3,243,834 players)" "$most/Most.pyv" "$most/shell-memory"

awk -F, -v runs="$runs" -v warmup="$warmup" -v report="$work/hyperfine.log" '
FILENAME ~ /results/ && FNR > 1 { median[$1] = $4 * 1000; cpu[$1] = ($5 + $6) * 1000; next }
FILENAME ~ /memory/ { split($0, m, "|"); mem[++nm] = m[1]; payvo[nm] = m[2]; shell[nm] = m[3]; next }
function row(what, program, floor, floorCpu, limit,   ratio) {
    ratio = median[program] / floor
    printf "%-28s %9.1f %9.1f %6.2f %8.2f   at most %-4s %s\n", what, median[program], floor, ratio, \
        cpu[program] / floorCpu, limit, ratio <= limit ? "met" : "MISSED"
    if (ratio > limit) missed = 1
}
END {
    printf "\nhyperfine, %d runs after %d warm-up runs (its report: %s)\n", runs, warmup, report
    printf "wall-clock medians in ms; cpu: mean user + sys time in ms\n\n"
    printf "%-28s %9s %9s\n", "command", "median", "cpu"
    n = split("new demo,new demo floor,new tenfold,new tenfold floor,players tenfold,players tenfold floor," \
              "report tenfold,report tenfold floor read,report tenfold floor lines", names, ",")
    for (i = 1; i <= n; i++) printf "%-28s %9.1f %9.1f\n", names[i], median[names[i]], cpu[names[i]]

    printf "\n%-28s %9s %9s %6s %8s   %s\n", "payvo-cli against its floor", "payvo", "floor", "ratio", "cpu", "target"
    row("new, demo league", "new demo", median["new demo floor"], cpu["new demo floor"], 1.2)
    row("new, tenfold league", "new tenfold", median["new tenfold floor"], cpu["new tenfold floor"], 1.0)
    row("players, tenfold league", "players tenfold", median["players tenfold floor"], cpu["players tenfold floor"], 1.2)
    row("report all, tenfold league", "report tenfold",
        median["report tenfold floor read"] + median["report tenfold floor lines"],
        cpu["report tenfold floor read"] + cpu["report tenfold floor lines"], 1.2)

    printf "\n%-30s %12s %12s %10s\n", "players, peak memory (MiB)", "payvo-cli", "sqlite3", "x demo"
    for (i = 1; i <= nm; i++)
        printf "%-30s %12.1f %12.1f %10.2f\n", mem[i], payvo[i] / 1024, shell[i] / 1024, payvo[i] / payvo[1]
    print "target: flat in league size (payvo-cli x demo near 1 on every league)"
    exit missed
}' "$work/results.csv" "$work/memory.csv"
