#!/bin/sh
# Set-up, build and run on Debian 12.
#   tools/payvo.sh run    install what is missing, build, run the main job
#   tools/payvo.sh test   install what is missing, build, run every test
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
jobs=$(nproc 2>/dev/null || echo 2)

packages="cmake make g++ qt6-base-dev libsqlitecpp-dev libsqlite3-dev libsimpleini-dev libxkbcommon-dev fonts-dejavu-core"

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
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "Starting $build/bin/payvo"
        exec "$build/bin/payvo"
    fi
    echo "Built $build/bin/payvo and $build/bin/payvo-cli."
    echo "There is no display here: start the desktop program on one with $build/bin/payvo"
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
