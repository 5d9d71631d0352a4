#!/usr/bin/env bash
# Runs one command inside a fresh headless sway session with Xwayland, as Wayland users
# have it: a private session bus, PipeWire, the wlr and gtk portal back ends and then
# xdg-desktop-portal itself.  Everything it starts is stopped again when the command ends.
#
#   with-sway.sh [--outputs N] [--scale F] [--size WxH] [--no-portal] CMD...
#
#   --outputs N   N headless outputs side by side (HEADLESS-1 ... HEADLESS-N), default 1
#   --scale F     scale factor of HEADLESS-1
#   --size WxH    mode of every output, default 1280x800
#   --no-portal   no xdg-desktop-portal, so a test's own fake can take its bus name
#
# CMD gets WAYLAND_DISPLAY, DISPLAY (Xwayland), DBUS_SESSION_BUS_ADDRESS, SWAYSOCK,
# XDG_RUNTIME_DIR, XDG_SESSION_TYPE=wayland and XDG_CURRENT_DESKTOP=sway.
#
# sway refuses to run as root, so root runs the session as "nobody" with a runtime
# directory of its own under /tmp.  Arguments that name files nobody cannot read (a build
# tree under /root, say) are copied to a directory it can, and the argument rewritten; so
# are the paths held by the environment variables named in WITH_SWAY_PATHS.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
session_user=nobody
session_group=nogroup
step_timeout=${WITH_SWAY_TIMEOUT:-15}

fail() {
    echo "with-sway: $*" >&2
    # What the session's services said, when they said anything.
    if [ -n "${stage:-}" ] && compgen -G "$stage/*.log" >/dev/null; then
        tail -n 15 "$stage"/*.log >&2 || true
    fi
    exit 1
}

# Waits until "$@" succeeds, for at most step_timeout seconds.
wait_for() {
    local what=$1
    shift
    local deadline=$((SECONDS + step_timeout))
    until "$@" 2>/dev/null; do
        ((SECONDS < deadline)) || fail "timed out waiting for $what"
        sleep 0.05
    done
}

# --- outer part: the caller's user -------------------------------------------------------

reachable() { setpriv --reuid="$session_user" --regid="$session_group" --clear-groups test -r "$1"; }

# Prints the path as the session user can read it, copying it to the stage if need be.
stage_path() {
    local path=$1
    # The session runs in a directory of its own, so relative paths would lose their way.
    [ ! -e "$path" ] || path=$(realpath -s "$path")
    if [ ! -e "$path" ] || reachable "$path"; then
        printf '%s' "$path"
        return
    fi
    local copy
    copy=$(mktemp -d "$stage/files/XXXXXX")/$(basename "$path")
    cp -a "$path" "$copy"
    printf '%s' "$copy"
}

# Processes of this session that left its process group (sway's children, services the bus
# started): they all carry the session's stage directory in their environment.
session_pids() {
    local environ pid
    for environ in /proc/[0-9]*/environ; do
        pid=${environ#/proc/}
        pid=${pid%/environ}
        grep -qzx "TINTOR_SWAY_STAGE=$stage" "$environ" 2>/dev/null && echo "$pid"
    done
    return 0
}

stop_stragglers() {
    local deadline=$((SECONDS + 2)) pids
    while pids=$(session_pids) && [ -n "$pids" ] && ((SECONDS < deadline)); do
        sleep 0.05
    done
    # shellcheck disable=SC2086 # a list of process ids
    [ -z "$pids" ] || kill -KILL $pids 2>/dev/null || true
}

run_outer() {
    stage=$(mktemp -d /tmp/tintor-sway.XXXXXX)
    chmod 0755 "$stage"
    inner_pid=
    # shellcheck disable=SC2317 # run by the trap
    cleanup_outer() {
        if [ -n "$inner_pid" ]; then
            kill -TERM "$inner_pid" 2>/dev/null || true
            wait "$inner_pid" 2>/dev/null || true
            kill -KILL -- "-$inner_pid" 2>/dev/null || true
        fi
        stop_stragglers
        rm -rf "$stage"
    }
    trap cleanup_outer EXIT
    trap 'exit 130' INT TERM HUP

    local -a command=() env_args=()
    if [ "$(id -u)" -eq 0 ]; then
        mkdir "$stage/files"
        cp "$here/with-sway.sh" "$here/sway.config" "$here/session-bus.conf" "$stage/"
        for arg in "$@"; do
            command+=("$(stage_path "$arg")")
        done
        for name in ${WITH_SWAY_PATHS:-}; do
            [ -n "${!name:-}" ] && env_args+=("$name=$(stage_path "${!name}")")
        done
        # A sanitizer's suppressions file in the build's source tree is as far out of reach.
        if [[ ${LSAN_OPTIONS:-} == *suppressions=* ]]; then
            local suppressions=${LSAN_OPTIONS#*suppressions=}
            suppressions=${suppressions%%:*}
            env_args+=("LSAN_OPTIONS=${LSAN_OPTIONS/suppressions=$suppressions/suppressions=$(stage_path "$suppressions")}")
        fi
        chown -R "$session_user:$session_group" "$stage"
        cd "$stage"
        setpriv --reuid="$session_user" --regid="$session_group" --clear-groups \
            env "${env_args[@]}" TINTOR_SWAY_STAGE="$stage" \
            setsid -w bash "$stage/with-sway.sh" --inner "${options[@]}" -- "${command[@]}" &
    else
        cp "$here/with-sway.sh" "$here/sway.config" "$here/session-bus.conf" "$stage/"
        TINTOR_SWAY_STAGE="$stage" \
            setsid -w bash "$stage/with-sway.sh" --inner "${options[@]}" -- "$@" &
    fi
    inner_pid=$!
    local status=0
    wait "$inner_pid" || status=$?
    # Whatever is left of the session's process group: Xwayland, swaybg, services the bus
    # started, helpers the command forgot.
    kill -KILL -- "-$inner_pid" 2>/dev/null || true
    inner_pid=
    return "$status"
}

# --- inner part: the session user, leader of its own process group -----------------------

started=()
start() {
    "$@" &
    started+=($!)
}

# Stops what sway and the bus started before sway and the bus themselves, so that they can
# still reap it; then what this script started, newest first.
# shellcheck disable=SC2317 # run by the trap
cleanup_inner() {
    trap '' TERM INT HUP
    local pid others=()
    for pid in $(session_pids); do
        [[ " $$ ${started[*]} " == *" $pid "* ]] || others+=("$pid")
    done
    ((${#others[@]} == 0)) || kill -TERM "${others[@]}" 2>/dev/null || true
    sleep 0.1
    local i
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do
        kill -TERM "${started[i]}" 2>/dev/null || true
    done
    local deadline=$((SECONDS + 3))
    for pid in "${started[@]}"; do
        while kill -0 "$pid" 2>/dev/null && ((SECONDS < deadline)); do
            sleep 0.05
        done
    done
}

bus_has() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q 'boolean true'
}

start_bus() {
    if [ "$portal" = yes ]; then
        # What the portal starts on demand: the permission and document stores.
        echo '<busconfig><servicedir>/usr/share/dbus-1/services</servicedir></busconfig>' \
            >"$stage/bus-services.conf"
    fi
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$XDG_RUNTIME_DIR/bus"
    start dbus-daemon --nofork --nosyslog --config-file="$stage/session-bus.conf" \
        --address="$DBUS_SESSION_BUS_ADDRESS" >"$stage/bus.log" 2>&1
    wait_for "the session bus" test -S "$XDG_RUNTIME_DIR/bus"
}

start_sway() {
    export TINTOR_SWAY_READY="$stage/sway-ready"
    start sway --config "$stage/sway.config" >"$stage/sway.log" 2>&1
    wait_for "sway" test -s "$TINTOR_SWAY_READY"
    {
        read -r WAYLAND_DISPLAY
        read -r DISPLAY
        read -r SWAYSOCK
    } <"$TINTOR_SWAY_READY"
    export WAYLAND_DISPLAY DISPLAY SWAYSOCK
}

# Side by side, left to right, each placed after the logical width of the one before.
configure_outputs() {
    local i x=0 width=${size%x*} factor
    for ((i = 2; i <= outputs; i++)); do
        swaymsg -q create_output
    done
    for ((i = 1; i <= outputs; i++)); do
        factor=1
        [ "$i" -ne 1 ] || factor=${scale:-1}
        swaymsg -q output "HEADLESS-$i" mode "$size" scale "$factor" position "$x" 0
        x=$(awk -v x="$x" -v w="$width" -v f="$factor" 'BEGIN { printf "%d", x + w / f }')
    done
}

start_portals() {
    dbus-update-activation-environment WAYLAND_DISPLAY DISPLAY SWAYSOCK XDG_RUNTIME_DIR \
        XDG_SESSION_TYPE XDG_CURRENT_DESKTOP
    start pipewire >"$stage/pipewire.log" 2>&1
    wait_for "pipewire" test -S "$XDG_RUNTIME_DIR/pipewire-0"
    # The session manager links screen-cast streams to their readers.
    if command -v wireplumber >/dev/null; then
        start wireplumber >"$stage/wireplumber.log" 2>&1
    fi
    start /usr/libexec/xdg-desktop-portal-wlr -l ERROR >"$stage/portal-wlr.log" 2>&1
    start /usr/libexec/xdg-desktop-portal-gtk >"$stage/portal-gtk.log" 2>&1
    wait_for "xdg-desktop-portal-wlr" bus_has org.freedesktop.impl.portal.desktop.wlr
    wait_for "xdg-desktop-portal-gtk" bus_has org.freedesktop.impl.portal.desktop.gtk
    if [ "$portal" = yes ]; then
        start /usr/libexec/xdg-desktop-portal >"$stage/portal.log" 2>&1
        wait_for "xdg-desktop-portal" bus_has org.freedesktop.portal.Desktop
    fi
}

run_inner() {
    stage=$TINTOR_SWAY_STAGE
    trap cleanup_inner EXIT
    trap 'exit 130' INT TERM HUP
    export HOME="$stage/home"
    mkdir -p "$HOME"
    export XDG_RUNTIME_DIR="$stage/runtime"
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
    export XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway
    # No accessibility bus: nothing here reads it, and it would be one more service.
    export NO_AT_BRIDGE=1 GTK_A11Y=none
    export WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
    export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
    unset DISPLAY WAYLAND_DISPLAY SWAYSOCK
    start_bus
    start_sway
    configure_outputs
    start_portals
    local status=0
    "$@" || status=$?
    return "$status"
}

# --- options ------------------------------------------------------------------------------

inner=no outputs=1 scale="" size=1280x800 portal=yes
options=()
while (($#)); do
    case "$1" in
    --inner) inner=yes ;;
    --outputs | --scale | --size)
        (($# > 1)) || fail "$1 needs a value"
        declare "${1#--}=$2"
        options+=("$1" "$2")
        shift
        ;;
    --no-portal)
        portal=no
        options+=("$1")
        ;;
    --) shift && break ;;
    -*) fail "unknown option $1" ;;
    *) break ;;
    esac
    shift
done
(($#)) || fail "usage: with-sway.sh [--outputs N] [--scale F] [--size WxH] [--no-portal] CMD..."

if [ "$inner" = yes ]; then
    run_inner "$@"
else
    run_outer "$@"
fi
