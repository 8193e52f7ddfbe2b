#!/bin/sh
# Renews the user guide's screenshots (docs/guide/images/*.png) from the demo league, with the
# programs of build/:
#   tools/screenshots.sh
# The windows (the main window, the file dialog, the Tools dialogs, the cap board's three views,
# Explain Salary, What-If Salaries and Compare With) are shown in a virtual X display of
# 1280x800 by payvo-screenshots; the index page of the demo league's site, as payvo-cli site
# writes it, is photographed by headless Chromium. Commit the pictures that changed.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
images="$here/docs/guide/images"

packages="xvfb xauth chromium"
. "$here/tools/debian.sh"
# shellcheck disable=SC2086 # one word per package
install_missing $packages

cmake --build "$build" --target payvo-screenshots payvo-cli payvo_guide -j 2 >/dev/null
# The windows must not read or change the settings of whoever runs this, and the file dialog
# shows a commissioner's home folder rather than this one.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
home="$scratch/ann"
mkdir -p "$home"
HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x800x24" \
    "$build/bin/payvo-screenshots" "$here/data/Demo.lge" "$images" "$home/Leagues"

# The site of the demo league with the shipped settings, at a desktop width; the picture shows
# the top of the index page: the cap, the teams over it and the start of the cap table.
league="$home/Site/Demo.lge"
mkdir -p "$home/Site"
cp "$here/data/Demo.lge" "$league"
ini="$build/share/payvo/Payvo.ini"
HOME="$home" XDG_CONFIG_HOME="$home/.config" "$build/bin/payvo-cli" new "$league" --ini "$ini" >/dev/null
HOME="$home" XDG_CONFIG_HOME="$home/.config" QT_QPA_PLATFORM=offscreen \
    "$build/bin/payvo-cli" site "$home/Site/Demo.pyv" --ini "$ini" --out "$home/Site/site" >/dev/null
HOME="$home" XDG_CONFIG_HOME="$home/.config" \
    chromium --headless --no-sandbox --hide-scrollbars --window-size=1280,900 \
    --screenshot="$images/site-index.png" "file://$home/Site/site/index.html" >/dev/null 2>&1
echo "$images/site-index.png"
