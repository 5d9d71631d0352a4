#!/usr/bin/env bash
# Runs one command on a private session bus with the accessibility bus up, so that the
# programs it starts are in the AT-SPI tree that screen readers read (e2e/accessible-names.py).
set -euo pipefail
if [ -z "${TINTOR_A11Y_BUS:-}" ]; then
    TINTOR_A11Y_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
/usr/libexec/at-spi-bus-launcher --launch-immediately &
launcher=$!
trap 'kill $launcher 2>/dev/null || true; wait $launcher 2>/dev/null || true' EXIT
"$@"
