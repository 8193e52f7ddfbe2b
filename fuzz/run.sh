#!/bin/sh
# Fuzzes the league reader or the salary-file checks for SECONDS (default 60) on Debian 12.
#   fuzz/run.sh [leaguereader|salaryfile] [SECONDS] [libFuzzer flags...]
# Installs clang-14 and libclang-rt-14-dev (libFuzzer and the sanitizer runtimes) when they
# are missing, builds fuzz_TARGET (default: leaguereader) in build-fuzz/ and runs it on one
# core. The league reader's corpus build-fuzz/corpus/ is seeded with fuzz/corpus/, data/Demo.lge
# and tests/data/*.lge and fuzzed with the dictionary fuzz/league.dict; the salary-file checks'
# corpus build-fuzz/corpus-salaryfile/ with fuzz/corpus-salaryfile/. A corpus grows and is kept
# between runs. A finding (crash, sanitizer report, broken check, leak, timeout) is saved in
# build-fuzz/findings/ and makes the script end with status 1; the full output is in
# build-fuzz/logs/.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-fuzz"
target=leaguereader
case "${1:-}" in
leaguereader | salaryfile)
    target=$1
    shift
    ;;
esac
seconds=${1:-60}
[ $# -gt 0 ] && shift
jobs=$(nproc 2>/dev/null || echo 2)

. "$here/tools/debian.sh"
install_missing cmake make clang-14 libclang-rt-14-dev qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libsqlitecpp-dev libsqlite3-dev

cmake -S "$here" -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPAYVO_FUZZ=ON \
    -DPAYVO_BUILD_TESTS=OFF -DPAYVO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target "fuzz_$target" -j "$jobs"

seeds="$build/seeds-$target"
findings="$build/findings"
mkdir -p "$seeds" "$findings" "$build/logs"
if [ "$target" = leaguereader ]; then
    corpus="$build/corpus"
    cp "$here/data/Demo.lge" "$here"/tests/data/*.lge "$seeds/"
    kept="$here/fuzz/corpus"
    dict="-dict=$here/fuzz/league.dict"
    what="the league reader"
else
    corpus="$build/corpus-salaryfile"
    kept="$here/fuzz/corpus-salaryfile"
    dict=
    what="the salary-file checks"
fi
mkdir -p "$corpus"
log="$build/logs/fuzz-$target-$(date +%Y%m%d-%H%M%S).log"
before=$(find "$corpus" -type f | wc -l)
found_before=$(find "$findings" -type f | wc -l)

# The targets write and sync files for every input: in memory where the system offers it.
scratch=${TMPDIR:-/tmp}
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch=/dev/shm
echo "Fuzzing $what for $seconds s (output: $log)"
status=0
TMPDIR=$scratch UBSAN_OPTIONS=print_stacktrace=1 "$build/bin/fuzz_$target" "$corpus" "$kept" "$seeds" ${dict:+"$dict"} \
    -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/$target-" "$@" >"$log" 2>&1 || status=$?

after=$(find "$corpus" -type f | wc -l)
found=$(($(find "$findings" -type f | wc -l) - found_before))
last=$(grep -E '^#[0-9]+' "$log" | tail -n 1 || true)
echo "Last status: ${last:-none}"
grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' "$log" || true
echo "Corpus: $before files before, $after after ($corpus)"
if [ "$status" -ne 0 ] || [ "$found" -gt 0 ]; then
    echo "FINDING (exit status $status, $found new file(s) in $findings):"
    grep -E '^(==[0-9]+==ERROR|SUMMARY|.*runtime error|.*broken:|artifact_prefix|Test unit written)' "$log" || tail -n 40 "$log"
    exit 1
fi
echo "No findings."
