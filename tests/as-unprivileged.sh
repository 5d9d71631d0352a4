#!/usr/bin/env bash
# Runs a test program as the unprivileged user "nobody" when started as root (where file
# permissions would not bind), and as it is otherwise:
#   as-unprivileged.sh <test program> [its arguments...]
# nobody may not reach the build tree (a checkout under /root), so the program runs from a
# copy in a fresh folder under /tmp, with a home of its own there; the folder is removed
# afterwards.
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then
    exec "$@"
fi
program=$1
shift
run=$(mktemp -d /tmp/tintor-unprivileged.XXXXXX)
trap 'rm -rf "$run"' EXIT
chmod 755 "$run"
install -m 755 "$program" "$run/"
install -d -o nobody -g nogroup "$run/home"
# A sanitizer's suppressions file in the source tree is just as far out of reach.
if [[ ${LSAN_OPTIONS:-} == *suppressions=* ]]; then
    suppressions=${LSAN_OPTIONS#*suppressions=}
    suppressions=${suppressions%%:*}
    install -m 644 "$suppressions" "$run/lsan.supp"
    export LSAN_OPTIONS=${LSAN_OPTIONS/suppressions=$suppressions/suppressions=$run/lsan.supp}
fi
cd "$run"
setpriv --reuid=nobody --regid=nogroup --clear-groups \
    env HOME="$run/home" TMPDIR=/tmp XDG_CONFIG_HOME="$run/home/.config" \
    "./$(basename "$program")" "$@"
