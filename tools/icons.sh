#!/usr/bin/env bash
# Renders the PNG sizes of the icon from data/icons/tintor.svg.  Maintainer tool: the PNGs
# are committed, so building needs no SVG renderer.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
dpkg-query -W -f='${Status}' librsvg2-bin 2>/dev/null | grep -q "install ok installed" ||
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq librsvg2-bin >/dev/null
for size in 16 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$root/data/icons/tintor.svg" -o "$root/data/icons/tintor-$size.png"
done
