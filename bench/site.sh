#!/bin/sh
# Times payvo-cli site on the largest league the cap board bench uses: 97 teams of 337
# players, 40 free agents and 37 in the draft pool (32,766 players). Target: under 2 s.
#
#   bench/site.sh            RUNS=N for another number of runs (default 5, after 1 warm-up)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${PAYVO_BUILD_DIR:-$here/build}
work="$build/bench-site"
runs=${RUNS:-5}
cmake --build "$build" --target payvo-cli payvo-leaguegen -j 2 >/dev/null
mkdir -p "$work"
ini="$work/Payvo.ini"
cp "$here/data/Payvo.ini" "$ini"
if [ ! -f "$work/Largest.pyv" ]; then
    "$build/bin/payvo-leaguegen" --teams 97 --roster 337 --free-agents 40 --draft 37 --seed 1 -o "$work/Largest.lge"
    "$build/bin/payvo-cli" new "$work/Largest.lge" --ini "$ini" >/dev/null
fi
site() { rm -rf "$work/site" && "$build/bin/payvo-cli" site "$work/Largest.pyv" --out "$work/site" --ini "$ini" >/dev/null 2>&1; }
site
best=""
i=0
while [ "$i" -lt "$runs" ]; do
    start=$(date +%s.%N)
    site
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc)
    echo "run $((i + 1)): ${t} s"
    if [ -z "$best" ] || [ "$(echo "$t < $best" | bc)" = 1 ]; then best=$t; fi
    i=$((i + 1))
done
echo "payvo-cli site, 97 teams, 32,766 players: best of $runs ${best} s ($(ls "$work/site" | wc -l) files, $(du -sh "$work/site" | cut -f1))"
