#!/bin/sh
# Set-up, build and run on Debian 12.
#   tools/payvo.sh run    install what is missing, build, make the demo league's salary
#                         file (build/demo/Demo.pyv) and start the desktop program
#   tools/payvo.sh test   install what is missing, build, run every test
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
jobs=$(nproc 2>/dev/null || echo 2)

packages="cmake make g++ qt6-base-dev libsqlitecpp-dev libsqlite3-dev libsimpleini-dev libxkbcommon-dev fonts-dejavu-core"

. "$here/tools/debian.sh"

configure_and_build() {
    dir=$1
    shift
    cmake -S "$here" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

case "${1:-}" in
run)
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
    install_missing $packages
    configure_and_build "$build" -DPAYVO_WARNINGS_AS_ERRORS=ON
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
