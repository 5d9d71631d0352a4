#!/usr/bin/env bash
# Runs one command against a private Xvfb server, so X11 tests never share a display
# with each other or with the user.  XVFB_SCREEN sets the screen (default 1280x1024x24).
#
#   with-xvfb.sh [--openbox] COMMAND...
#
# --openbox also runs openbox on that server, with the tests' own configuration (never the
# user's), and starts COMMAND once openbox manages the screen.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
window_manager=no
if [ "${1:-}" = --openbox ]; then
    window_manager=yes
    shift
fi

scratch=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$scratch"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset \
    3>"$scratch/display" 2>/dev/null &
xvfb_pid=$!
pids+=("$xvfb_pid")

for _ in $(seq 200); do
    [ -s "$scratch/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "with-xvfb: Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
[ -s "$scratch/display" ] || { echo "with-xvfb: Xvfb gave no display" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$scratch/display")"

# The window manager owns the screen once the root names its check window.
wm_ready() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

if [ "$window_manager" = yes ]; then
    mkdir -p "$scratch/config/openbox" "$scratch/cache" "$scratch/data"
    echo '<openbox_menu xmlns="http://openbox.org/3.4/menu"/>' >"$scratch/config/openbox/menu.xml"
    # Private XDG folders: openbox finds no user configuration, menu or autostart.
    XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache" \
        XDG_DATA_HOME="$scratch/data" XDG_CONFIG_DIRS="$scratch/config" \
        openbox --sm-disable --config-file "$here/openbox/rc.xml" >"$scratch/openbox.log" 2>&1 &
    openbox_pid=$!
    pids=("$openbox_pid" "${pids[@]}") # stopped before the server it runs on
    for _ in $(seq 200); do
        wm_ready && break
        kill -0 "$openbox_pid" 2>/dev/null || {
            echo "with-xvfb: openbox did not start:" >&2
            cat "$scratch/openbox.log" >&2
            exit 1
        }
        sleep 0.05
    done
    wm_ready || { echo "with-xvfb: openbox did not take the screen" >&2; exit 1; }
fi

status=0
"$@" || status=$?
exit "$status"
