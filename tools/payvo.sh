#!/bin/sh
# Set-up, build and run on Debian 12.
#   tools/payvo.sh run    install what is missing, build, make the demo league's salary
#                         file (build/demo/Demo.pyv) and start the desktop program
#   tools/payvo.sh test   install what is missing, build, run every test
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
jobs=$(nproc 2>/dev/null || echo 2)

packages="cmake make g++ qt6-base-dev libsqlitecpp-dev libsqlite3-dev libxkbcommon-dev fonts-dejavu-core"

install_missing() {
    missing=""
    for p in $packages "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing="$missing $p"
        fi
    done
    [ -z "$missing" ] && return 0
    echo "Installing:$missing"
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    # shellcheck disable=SC2086
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

configure_and_build() {
    dir=$1
    shift
    cmake -S "$here" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

case "${1:-}" in
run)
    install_missing
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
    install_missing
    configure_and_build "$build" -DPAYVO_WARNINGS_AS_ERRORS=ON
    cd "$build"
    QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
