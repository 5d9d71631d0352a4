#!/usr/bin/env bash
# Takes docs/screenshot.png of the built window on a private Xvfb, with an orange colour
# set from the keyboard and the contrast view on, the pointer over the window's own face.
# Maintainer tool: installs xdotool and ImageMagick if missing; keeps the user's settings.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TINTOR_BUILD_DIR:-$root/build}

for package in xdotool imagemagick; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$package" >/dev/null
done

if [ -z "${TINTOR_SCREENSHOT_INNER:-}" ]; then
    TINTOR_SCREENSHOT_INNER=1 XVFB_SCREEN=640x400x24 exec "$root/tests/with-xvfb.sh" "$0"
fi

config=$(mktemp -d)
LANG=en_GB.UTF-8 XDG_CONFIG_HOME=$config "$build/src/tintor" &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$config"' EXIT
window=$(xdotool search --sync --onlyvisible --pid "$pid" --name "^Tintor" | head -n1)
xdotool windowfocus --sync "$window"
sleep 0.3
xdotool key --delay 30 End Tab Page_Up Page_Up Page_Up Page_Up Page_Up Page_Up Page_Up Page_Up
xdotool key alt+c
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 40)) $((Y + 160))
sleep 0.3
import -window "$window" "$root/docs/screenshot.png"
echo "wrote docs/screenshot.png"
