#!/usr/bin/env bash
# The settings store under a kill storm and concurrent writers, bounded in time.  Run by
# hand; it is not a test.
#
#   bash bench/settings-storm.sh [-k KILLS] [-s SECONDS] [-w WRITER]
#
#   -k  writers killed with SIGKILL 0-80 ms after they start (default 1000)
#   -s  seconds that three writers race (default 60)
#   -w  the test writer (default build/tests/settings_writer), which alternates between
#       two values through the store
# The file starts with members Tintor does not know, one an integer beyond 2^53.  After
# every kill, and all the time while the writers race, the file must be exactly those
# bytes with one of the written values: anything else is torn or has lost a member.  A
# store after the storm must leave no temporary behind.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
kills=1000
seconds=60
writer=$root/build/tests/settings_writer
while getopts "k:s:w:h" option; do
    case "$option" in
    k) kills=$OPTARG ;;
    s) seconds=$OPTARG ;;
    w) writer=$OPTARG ;;
    *) sed -n '2,15p' "$0" && exit 2 ;;
    esac
done

work=$(mktemp -d /tmp/tintor-storm.XXXXXX)
trap 'rm -rf "$work"' EXIT
file=$work/tintor/settings.json
mkdir -p "$work/tintor"
head='{'$'\n''    "Colour": "red",'$'\n''    "Big": 12345678901234567890,'$'\n''    "Method": '
tail=','$'\n''    "Later": {"x": [1, 2.50]}'$'\n''}'$'\n'
printf '%s0%s' "$head" "$tail" >"$file"

bad=0
check() {
    local text
    text=$(cat "$file"; printf x)
    text=${text%x}
    if [[ $text != "$head"[0-4]"$tail" ]]; then
        bad=$((bad + 1))
        printf 'torn or changed:\n%s\n' "$text" >&2
    fi
}

for ((kill = 0; kill < kills; ++kill)); do
    "$writer" "$file" 1 2 0 2>/dev/null &
    sleep "$(printf '0.%03d' $((RANDOM % 80)))"
    kill -KILL $! 2>/dev/null || true
    wait $! 2>/dev/null || true
    check
done
"$writer" "$file" 3 4 2
find "$work/tintor" -mindepth 1 ! -name settings.json -printf 'left: %f\n' >&2
leftover=$(find "$work/tintor" -mindepth 1 ! -name settings.json | wc -l)
echo "kill storm: $kills kills, $bad bad files, $leftover files left beside settings.json"

bad=0
checks=0
pids=()
for pair in "1 2" "3 4" "0 1"; do
    # shellcheck disable=SC2086 # the pair is two arguments
    timeout "$seconds" "$writer" "$file" $pair 0 &
    pids+=($!)
done
end=$((SECONDS + seconds))
while ((SECONDS < end)); do
    check
    checks=$((checks + 1))
done
failed=0
for pid in "${pids[@]}"; do
    status=0
    wait "$pid" || status=$?
    ((status == 124)) || failed=$((failed + 1)) # 124: stopped by timeout, as meant
done
echo "writers: 3 for $seconds s, $checks checks, $bad bad files, $failed writers failed"
((bad == 0 && failed == 0 && leftover == 0))
