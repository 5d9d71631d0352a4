#!/usr/bin/env bash
# Runs one command against a private Xvfb server, so X11 tests never share a display
# with each other or with the user.  XVFB_SCREEN sets the screen (default 1280x1024x24).
set -euo pipefail

display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1280x1024x24}" -nolisten tcp -noreset \
    3>"$display_file" 2>/dev/null &
xvfb_pid=$!
cleanup() {
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    rm -f "$display_file"
}
trap cleanup EXIT

for _ in $(seq 200); do
    [ -s "$display_file" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || { echo "with-xvfb: Xvfb did not start" >&2; exit 1; }
    sleep 0.05
done
[ -s "$display_file" ] || { echo "with-xvfb: Xvfb gave no display" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"

status=0
"$@" || status=$?
exit "$status"
