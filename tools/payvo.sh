#!/bin/sh
# Set-up, build and run on Debian 12.
#   tools/payvo.sh run    install what is missing, build, make the demo league's salary
#                         file (build/demo/Demo.pyv) and start the desktop program
#   tools/payvo.sh test   install what is missing, check the C++ sources' format
#                         (.clang-format), build, make the Debian package (whose
#                         contents a test checks), run every test; then build again
#                         with AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer
#                         (build-asan/) and run every test once more: any report fails;
#                         last, fuzz the league reader for a minute and the salary-file checks
#                         for half a minute (fuzz/run.sh 60; fuzz/run.sh salaryfile 30)
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
jobs=$(nproc 2>/dev/null || echo 2)

# qt6-charts-dev draws the cap board's chart; qt6-svg-dev renders the icon's PNG sizes;
# dpkg-dev (dpkg-shlibdeps) and file find the package's dependencies.
packages="cmake make g++ clang-format qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libsqlitecpp-dev libsqlite3-dev libxkbcommon-dev fonts-dejavu-core dpkg-dev file"

. "$here/tools/debian.sh"

configure_and_build() {
    dir=$1
    shift
    cmake -S "$here" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

case "${1:-}" in
run)
    # shellcheck disable=SC2086 # one word per package
    install_missing $packages
    configure_and_build "$build"
    # The main job on a copy of the demo league: data/ is never written.
    demo="$build/demo"
    mkdir -p "$demo"
    cp "$here/data/Demo.lge" "$demo/Demo.lge"
    "$build/bin/payvo-cli" new "$demo/Demo.lge" --overwrite
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "Starting $build/bin/payvo: choose File, Open and $demo/Demo.pyv to see the salaries."
        exec "$build/bin/payvo"
    fi
    echo "There is no display here. On one, start $build/bin/payvo and choose File, Open and $demo/Demo.pyv"
    echo "(or File, New and $demo/Demo.lge)."
    ;;
test)
    # shellcheck disable=SC2086 # one word per package
    install_missing $packages
    echo "The C++ sources in the house format (.clang-format):"
    (cd "$here" &&
        if git rev-parse --git-dir >/dev/null 2>&1; then
            git ls-files -z '*.cpp' '*.h' '*.c'
        else
            find src tests tools bench fuzz packaging \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0
        fi | xargs -0 clang-format --dry-run --Werror)
    configure_and_build "$build" -DPAYVO_WARNINGS_AS_ERRORS=ON
    cmake --build "$build" --target package >/dev/null
    (cd "$build" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

    echo "The tests again, built with the sanitizers:"
    asan="$here/build-asan"
    configure_and_build "$asan" -DCMAKE_BUILD_TYPE=Debug -DPAYVO_SANITIZE=ON -DPAYVO_BUILD_BENCH=OFF \
        -DPAYVO_WARNINGS_AS_ERRORS=ON
    # Every report ends the test program with a non-zero status (UndefinedBehaviorSanitizer
    # through -fno-sanitize-recover), leaks included; tools/lsan.supp says what is exempt.
    (cd "$asan" &&
        ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1 \
        UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        LSAN_OPTIONS="suppressions=$here/tools/lsan.supp:print_suppressions=0" \
        QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

    echo "A minute of fuzzing of the league reader:"
    "$here/fuzz/run.sh" 60
    echo "Half a minute of fuzzing of the salary-file checks:"
    "$here/fuzz/run.sh" salaryfile 30
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
