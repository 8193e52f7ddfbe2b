#!/bin/sh
# Benchmark of the main job: "payvo-cli new" (import plus salary calculation) on the demo
# league and on a league ten times its size, each against a baseline that does the same
# work with the sqlite3 command-line shell (see baseline-prep.sh).
#
#   bench/run.sh            build what is needed, measure, print the figures
#   RUNS=40 bench/run.sh    more runs per command (default 20)
#
# Targets: Payvo at most 1.5 times the baseline's time on each league; the tenfold league
# at most 12 times the demo league's time.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build=${PAYVO_BUILD_DIR:-$here/build}
work="$build/bench"
runs=${RUNS:-20}

missing=""
command -v sqlite3 >/dev/null 2>&1 || missing="$missing sqlite3"
command -v hyperfine >/dev/null 2>&1 || missing="$missing hyperfine"
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

rm -rf "$work"
mkdir -p "$work/demo" "$work/tenfold" "$work/base-demo" "$work/base-tenfold"
ini="$work/Payvo.ini"
cp "$here/data/Payvo.ini" "$ini"
cp "$here/data/Demo.lge" "$work/demo/Demo.lge"
# Same 32 teams, every list ten times longer.
"$build/bin/payvo-leaguegen" --teams 32 --roster 530 --free-agents 960 --draft 2240 --seed 1 \
    -o "$work/tenfold/Tenfold.lge"

# The baseline creates the tables payvo-cli creates, so its schema comes from a salary file.
"$cli" new "$work/demo/Demo.lge" --ini "$ini" >/dev/null
sqlite3 "$work/demo/Demo.pyv" .schema >"$work/schema.sql"
"$here/bench/baseline-prep.sh" "$work/demo/Demo.lge" "$ini" "$work/schema.sql" "$work/base-demo"
"$here/bench/baseline-prep.sh" "$work/tenfold/Tenfold.lge" "$ini" "$work/schema.sql" "$work/base-tenfold"

# Both do the same work: same rows, same salaries.
"$cli" new "$work/tenfold/Tenfold.lge" --ini "$ini" >/dev/null
for league in demo/Demo tenfold/Tenfold; do
    base="$work/base-${league%%/*}"
    sqlite3 "$base/salary.db" <"$base/baseline.sql"
    differ=$(sqlite3 "$base/salary.db" "ATTACH '$work/$league.pyv' AS p;
        SELECT (SELECT count(*) FROM Players) - (SELECT count(*) FROM p.Players)
             + (SELECT count(*) FROM Players a JOIN p.Players b ON a.rowid = b.rowid
                WHERE a.PID IS NOT b.PID OR a.TeamID IS NOT b.TeamID OR a.Salary IS NOT b.Salary);")
    if [ "$differ" != 0 ]; then
        echo "The baseline's $league differs from payvo-cli's in $differ rows" >&2
        exit 1
    fi
done
echo "Baseline checked: same players, teams and salaries as payvo-cli on both leagues."

hyperfine --style basic --warmup 3 --runs "$runs" --export-csv "$work/results.csv" \
    --prepare "rm -f '$work/demo/Demo.pyv'" -n "payvo demo" \
    "'$cli' new '$work/demo/Demo.lge' --ini '$ini'" \
    --prepare "rm -f '$work/base-demo/salary.db'" -n "sqlite3 demo" \
    "sqlite3 '$work/base-demo/salary.db' < '$work/base-demo/baseline.sql'" \
    --prepare "rm -f '$work/tenfold/Tenfold.pyv'" -n "payvo tenfold" \
    "'$cli' new '$work/tenfold/Tenfold.lge' --ini '$ini'" \
    --prepare "rm -f '$work/base-tenfold/salary.db'" -n "sqlite3 tenfold" \
    "sqlite3 '$work/base-tenfold/salary.db' < '$work/base-tenfold/baseline.sql'"

# The machine may be shared: a run's time then depends on what else is going on, mostly
# in the disk's sync times, and a few slow runs pull the mean up. The targets are judged on
# the median; the mean is shown beside it.
awk -F, '
NR > 1 { mean[$1] = $2 * 1000; median[$1] = $4 * 1000; cpu[$1] = ($5 + $6) * 1000 }
function check(what, a, b, limit,   ratio) {
    ratio = median[a] / median[b]
    printf "%-34s %5.2f (mean %5.2f)  target at most %-4s %s\n", what, ratio, mean[a] / mean[b], limit, \
        ratio <= limit ? "met" : "MISSED"
    if (ratio > limit) bad = 1
}
END {
    printf "\n%-16s %10s %10s %10s\n", "ms", "median", "mean", "cpu"
    n = split("payvo demo,sqlite3 demo,payvo tenfold,sqlite3 tenfold", names, ",")
    for (i = 1; i <= n; i++) printf "%-16s %10.1f %10.1f %10.1f\n", names[i], median[names[i]], mean[names[i]], cpu[names[i]]
    print ""
    check("payvo / sqlite3, demo league", "payvo demo", "sqlite3 demo", 1.5)
    check("payvo / sqlite3, tenfold league", "payvo tenfold", "sqlite3 tenfold", 1.5)
    check("payvo tenfold / payvo demo", "payvo tenfold", "payvo demo", 12)
    exit bad
}' "$work/results.csv"
