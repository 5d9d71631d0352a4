#!/usr/bin/env bash
# Soak run: drives Tintor on a private Xvfb for some minutes per mode and samples its
# resident memory, open descriptors and X resources every few seconds, so a leak shows as
# a column that keeps growing.  Run by hand; it is not a test.
#
#   bash bench/soak.sh [-m MINUTES] [-i SECONDS] [-b TINTOR] [pick] [about]
#
#   -m  minutes per mode (default 10; 1 for a quick check)
#   -i  seconds between samples (default 5)
#   -b  the binary to drive (default build/src/tintor), so an older build can be measured
#   pick   repeatedly: Alt+P starts a pick, the pointer wanders, a click ends it
#   about  repeatedly: a click on the question-mark button opens About, Escape closes it
# Without a mode both run, each with a fresh Tintor and settings folder.
#
# Drives the program only through X (xdotool, xrestop), never through its object names,
# so it works on any build.  The X resources are those of every client on the private
# server except xrestop's own and the server's: that is Tintor's connections (Xlib's own
# and Qt's), since the driving tools hold none between steps.

# The cycles and the clean-up are called through the mode's name and the traps.
# shellcheck disable=SC2317
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

minutes=10
interval=5
binary=$root/build/src/tintor
while getopts "m:i:b:h" option; do
    case "$option" in
    m) minutes=$OPTARG ;;
    i) interval=$OPTARG ;;
    b) binary=$OPTARG ;;
    *)
        sed -n '2,14s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"
        [ "$option" = h ] && exit 0 || exit 2
        ;;
    esac
done
shift $((OPTIND - 1))
[[ $minutes =~ ^[1-9][0-9]*$ && $interval =~ ^[1-9][0-9]*$ ]] ||
    { echo "soak: -m and -i take whole numbers from 1" >&2 && exit 2; }
modes=("$@")
((${#modes[@]})) || modes=(pick about)
for mode in "${modes[@]}"; do
    case "$mode" in
    pick | about) ;;
    *) echo "soak: unknown mode '$mode' (pick, about)" >&2 && exit 2 ;;
    esac
done
for tool in Xvfb xdotool xrestop; do
    command -v "$tool" >/dev/null ||
        { echo "soak: needs $tool (tools/setup.sh test)" >&2 && exit 1; }
done
[ -x "$binary" ] || { echo "soak: no program at $binary (-b names one)" >&2 && exit 1; }
binary=$(realpath "$binary")

# Everything below runs against a private server of its own.
if [ -z "${TINTOR_SOAK_DISPLAY:-}" ]; then
    export TINTOR_SOAK_DISPLAY=1
    exec "$root/tests/with-xvfb.sh" bash "${BASH_SOURCE[0]}" -m "$minutes" -i "$interval" \
        -b "$binary" "${modes[@]}"
fi

# Texts, and so window titles, in English.
export LANG=C LC_ALL=C
unset LC_MESSAGES LANGUAGE
readonly main_title="Tintor, version 1.00"
# The question-mark button's centre in the main window: it lies at (107,137), 22x25.
readonly about_x=118 about_y=149
readonly step_timeout=5

work=$(mktemp -d)
tintor_pid=
stop_tintor() {
    [ -n "$tintor_pid" ] || return 0
    kill "$tintor_pid" 2>/dev/null || true
    for _ in $(seq 50); do
        kill -0 "$tintor_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -KILL "$tintor_pid" 2>/dev/null || true
    wait "$tintor_pid" 2>/dev/null || true
    tintor_pid=
}
trap 'stop_tintor; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

x() { timeout "$step_timeout" xdotool "$@"; }

# Polls a command until it succeeds or the step times out.
wait_until() {
    local tries=$((step_timeout * 20))
    while ((tries-- > 0)); do
        "$@" && return 0
        sleep 0.05
    done
    return 1
}

title_is() { [ "$(x getwindowname "$main_window" 2>/dev/null)" = "$1" ]; }
title_starts() { [[ "$(x getwindowname "$main_window" 2>/dev/null)" == "$1"* ]]; }
about_window() {
    x search --all --onlyvisible --pid "$tintor_pid" --name "^$main_title - " 2>/dev/null |
        head -n1
}
about_shown() { [ -n "$(about_window)" ]; }
about_gone() { [ -z "$(about_window)" ]; }

# A point on the screen outside the main window, so a click there hits no control of it.
random_point() {
    local px py
    while :; do
        px=$((RANDOM % screen_w)) py=$((RANDOM % screen_h))
        ((px < win_x - 20 || px > win_x + 284 || py < win_y - 40 || py > win_y + 188)) && break
    done
    echo "$px $py"
}

# A failed step of a cycle, said on stderr so that the table stays readable.
fail() {
    echo "soak: $*" >&2
    return 1
}

pick_once() {
    x windowfocus "$main_window" || { fail "main window not focused"; return 1; }
    x key alt+p || { fail "Alt+P not sent"; return 1; }
    wait_until title_starts "Picking " || { fail "no pick after Alt+P"; return 1; }
    for _ in 1 2 3 4 5; do
        # shellcheck disable=SC2046 # two numbers
        x mousemove $(random_point) || { fail "pointer not moved"; return 1; }
        sleep 0.06
    done
    x click 1 || { fail "click not sent"; return 1; }
    wait_until title_is "$main_title" || { fail "the pick did not end at the click"; return 1; }
    sleep 0.2 # the window takes the focus back after a pick
}

# Ends a pick left running by a failed cycle.
pick_recover() {
    # shellcheck disable=SC2046 # two numbers
    x mousemove $(random_point) click 1 2>/dev/null || true
}

about_once() {
    x mousemove --window "$main_window" "$about_x" "$about_y" click 1 ||
        { fail "click not sent"; return 1; }
    wait_until about_shown || { fail "no About window after the click"; return 1; }
    local about
    about=$(about_window)
    x windowfocus "$about" 2>/dev/null || true
    sleep 0.1
    x key Escape || { fail "Escape not sent"; return 1; }
    wait_until about_gone || { fail "the About window stayed after Escape"; return 1; }
    sleep 0.1
}

# Closes an About window left open by a failed cycle.
about_recover() {
    local about
    about=$(about_window)
    [ -z "$about" ] || x windowfocus "$about" key Escape 2>/dev/null || true
}

# Tintor's X resources, summed over its clients: clients windows pixmaps resources KiB.
x_resources() {
    timeout "$step_timeout" xrestop -b -m 1 2>/dev/null | awk '
        function flush() {
            if (open && name !~ /^xrestop / && base != "0") {
                clients++; windows += f["windows"]; pixmaps += f["pixmaps"]
                for (k in f) if (k !~ /bytes/) resources += f[k]
                bytes += f["total bytes"]
            }
            delete f; open = 0
        }
        /^[0-9]+ - / { flush(); open = 1; name = $0; sub(/^[0-9]+ - /, "", name); next }
        /:/ {
            key = $0; sub(/:.*/, "", key); gsub(/^[ \t]+|[ \t]+$/, "", key)
            value = $0; sub(/^[^:]*:[ \t~]*/, "", value)
            if (key == "res_base") base = value
            else if (key != "res_mask") f[key] = value + 0
        }
        END {
            flush()
            printf "%d %d %d %d %d\n", clients, windows, pixmaps, resources, bytes / 1024
        }'
}

# One sample: seconds cycles failures RSS fds clients windows pixmaps resources X-KiB.
sample() {
    local rss fds
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$tintor_pid/status")
    fds=$(find "/proc/$tintor_pid/fd" -mindepth 1 -maxdepth 1 | wc -l)
    echo "$1 $cycles $failures $rss $fds $(x_resources)"
}

print_row() { printf "%7s %7s %5s %9s %5s %7s %7s %7s %9s %7s\n" "$@"; }

summarise() {
    local file=$1
    echo
    print_row "" "" "" "RSS KiB" fds clients windows pixmaps resources "X KiB"
    awk 'NR == 1 { for (i = 4; i <= 10; i++) { start[i] = $i; max[i] = $i } }
         NR == 2 { for (i = 4; i <= 10; i++) warm[i] = $i }
         { for (i = 4; i <= 10; i++) { end[i] = $i; if ($i > max[i]) max[i] = $i } }
         function cell(i, value) {
             return sprintf(" %" (i == 4 || i == 9 ? 9 : i == 5 ? 5 : 7) "s", value)
         }
         function row(label, a,   line, i) {
             line = sprintf("%-21s", label)
             for (i = 4; i <= 10; i++) line = line cell(i, a[i])
             print line
         }
         function delta(label, a, b,   line, i) {
             line = sprintf("%-21s", label)
             for (i = 4; i <= 10; i++) line = line cell(i, sprintf("%+d", a[i] - b[i]))
             print line
         }
         END {
             if (NR < 2) { for (i = 4; i <= 10; i++) warm[i] = start[i] }
             row("start", start); row("after first sample", warm)
             row("end", end); row("max", max)
             delta("end - start", end, start); delta("end - first sample", end, warm)
             delta("max - start", max, start)
         }' "$file"
}

# Starts Tintor with settings of its own; sets tintor_pid, main_window and the geometry.
start_tintor() {
    local settings=$work/config-$1
    log=$work/tintor-$1.log
    mkdir -p "$settings"
    XDG_CONFIG_HOME=$settings "$binary" >"$log" 2>&1 &
    tintor_pid=$!
    main_window=$(wait_until x search --all --onlyvisible --pid "$tintor_pid" \
        --name "^$main_title\$" | head -n1) || true
    if [ -z "$main_window" ]; then
        echo "soak: no window titled '$main_title' from $binary" >&2
        sed 's/^/  tintor: /' "$log" >&2
        return 1
    fi
    read -r win_x win_y < <(x getwindowgeometry --shell "$main_window" |
        awk -F= '/^X=/ { x = $2 } /^Y=/ { y = $2 } END { print x, y }')
    read -r screen_w screen_h < <(x getdisplaygeometry)
}

soak_mode() {
    local mode=$1 samples=$work/samples-$1
    start_tintor "$mode" || return 1
    local started=$SECONDS next=0 deadline=$((SECONDS + minutes * 60)) consecutive=0 intact=1 row
    cycles=0 failures=0
    echo
    echo "== $mode: $minutes min, a sample every $interval s, pid $tintor_pid"
    print_row seconds cycles fails "RSS KiB" fds clients windows pixmaps resources "X KiB"
    : >"$samples"
    while :; do
        if ((SECONDS >= next)); then
            kill -0 "$tintor_pid" 2>/dev/null || {
                echo "soak: Tintor exited during the $mode run" >&2
                sed 's/^/  tintor: /' "$log" >&2
                stop_tintor # reaps it
                return 1
            }
            row=$(sample $((SECONDS - started)))
            echo "$row" >>"$samples"
            # shellcheck disable=SC2086 # the row's fields
            print_row $row
            next=$((SECONDS + interval))
        fi
        ((SECONDS < deadline)) || break
        if "${mode}_once"; then
            cycles=$((cycles + 1)) consecutive=0
        else
            failures=$((failures + 1)) consecutive=$((consecutive + 1))
            if ! kill -0 "$tintor_pid" 2>/dev/null || ! x getdisplaygeometry >/dev/null 2>&1; then
                fail "Tintor or its X server has gone; stopping" || intact=0
                break
            fi
            "${mode}_recover"
            if ((consecutive >= 5)); then
                fail "five $mode cycles in a row failed; stopping" || intact=0
                break
            fi
        fi
    done
    summarise "$samples"
    echo "$mode: $cycles cycles, $failures failed"
    stop_tintor
    ((intact))
}

echo "soak: $binary on $DISPLAY ($(xdotool getdisplaygeometry | tr ' ' x))"
status=0
for mode in "${modes[@]}"; do
    soak_mode "$mode" || status=1
    xdotool getdisplaygeometry >/dev/null 2>&1 ||
        { echo "soak: the X server has gone" >&2 && exit 1; }
done
exit "$status"
