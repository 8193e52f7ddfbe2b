#!/bin/sh
# Makes the user guide's picture of the site's index page: the demo league's site, written by
# payvo-cli site, photographed by headless Chromium at a desktop width.
#
#   tools/site-screenshot.sh        (after tools/payvo.sh run has made build/demo/Demo.pyv)
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${PAYVO_BUILD_DIR:-$here/build}
site=$(mktemp -d)
trap 'rm -rf "$site"' EXIT
"$build/bin/payvo-cli" site "$build/demo/Demo.pyv" --out "$site" >/dev/null
chromium --headless --no-sandbox --hide-scrollbars --window-size=1200,1400 \
    --screenshot="$here/docs/guide/images/site-index.png" "file://$site/index.html" 2>/dev/null
echo "Wrote docs/guide/images/site-index.png"
