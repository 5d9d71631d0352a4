#!/usr/bin/env bash
# Sets up Tintor on Debian 12 or 13 (the same package names serve both): installs the
# Debian packages it needs (only those missing), builds it, then either starts it or runs
# the whole test suite.
#
#   bash tools/setup.sh run     build and start Tintor on $DISPLAY
#   bash tools/setup.sh test    build and run every test, each X test on its own Xvfb
#
# TINTOR_BUILD_DIR and TINTOR_CMAKE_ARGS choose another build (CI's sanitizer run).
set -euo pipefail

mode=${1:-}
case "$mode" in
run | test) ;;
*)
    echo "usage: bash tools/setup.sh run|test" >&2
    exit 2
    ;;
esac

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TINTOR_BUILD_DIR:-$root/build}

packages=(
    g++ cmake ninja-build                          # compiler and build
    qt6-base-dev qt6-qpa-plugins                   # Qt 6 Widgets, Qt Test, D-Bus, the xcb platform
    qt6-tools-dev qt6-l10n-tools                   # Qt Linguist: the Dutch texts at build time
    qt6-translations-l10n                          # Qt's own Dutch texts
    libx11-dev libxtst-dev libxfixes-dev           # Xlib, XTest, XFixes
    libpipewire-0.3-dev pkg-config                 # screen-cast streams in Wayland sessions
    xvfb xauth                                     # X servers for the tests
    openbox x11-utils                              # the tests' window manager; xprop
    fonts-dejavu-core fontconfig                   # something to draw text with
    fonts-liberation                               # Arial, Times New Roman and Courier New metrics
    xdg-utils                                      # xdg-open, for the About window's links
    dpkg-dev file                                  # cpack -G DEB: dpkg-shlibdeps, and file for its scan
)
if [ "$mode" = test ]; then
    packages+=(desktop-file-utils appstream)       # linters for the desktop entry and metadata
    packages+=(lintian)                            # tools/package-test.sh: Debian's package checks
    packages+=(xdotool xrestop)                    # bench/soak.sh: drives Tintor, reads its X resources
    packages+=(at-spi2-core python3-pyatspi)       # a screen reader's view: the accessibility bus, pyatspi
    # A headless Wayland session for the Wayland tests (tests/wayland/with-sway.sh): sway
    # with Xwayland, a native client and a screen reader, the session bus, PipeWire (the
    # wlr portal will not start without it), the portal with its wlr back end (Screenshot)
    # and its gtk back end (Access, without which the portal hides Screenshot); and what
    # builds the tests' virtual pointer.
    packages+=(sway swaybg grim xwayland)
    packages+=(dbus dbus-bin pipewire wireplumber) # wireplumber links screen-cast streams
    packages+=(xdg-desktop-portal xdg-desktop-portal-wlr xdg-desktop-portal-gtk)
    packages+=(libwayland-dev libwayland-bin wayland-protocols)
fi
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done
if ((${#missing[@]})); then
    sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# shellcheck disable=SC2086 # TINTOR_CMAKE_ARGS is a list of arguments
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${TINTOR_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -- --quiet

case "$mode" in
run) exec "$build/src/tintor" ;;
test)
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
    # The package, installed and started from /usr/bin, once per plain build.
    if [ -z "${TINTOR_CMAKE_ARGS:-}" ]; then
        bash "$root/tools/package-test.sh" "$build"
    fi
    ;;
esac
