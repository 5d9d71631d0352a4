#!/usr/bin/env bash
# Runs a command as the unprivileged user "nobody" when started as root (where file
# permissions would not bind), and as it is otherwise.  Temporary files go to /tmp.
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    exec "$@"
fi
exec setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env HOME=/tmp TMPDIR=/tmp XDG_CONFIG_HOME=/tmp "$@"
