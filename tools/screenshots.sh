#!/bin/sh
# Renews the user guide's screenshots (docs/guide/images/*.png) from the demo league, in a
# virtual X display of 1280x800, with the programs of build/:
#   tools/screenshots.sh
# Commit the pictures that changed.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"

packages="xvfb xauth"
. "$here/tools/debian.sh"
# shellcheck disable=SC2086 # one word per package
install_missing $packages

cmake --build "$build" --target payvo-screenshots payvo_guide -j 2 >/dev/null
# The windows must not read or change the settings of whoever runs this, and the file dialog
# shows a commissioner's home folder rather than this one.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
home="$scratch/ann"
mkdir -p "$home"
HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x800x24" \
    "$build/bin/payvo-screenshots" "$here/data/Demo.lge" "$here/docs/guide/images" "$home/Leagues"
