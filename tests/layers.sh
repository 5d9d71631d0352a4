#!/usr/bin/env bash
# Fails when a layer includes what lies above it: the core knows neither Qt nor X11, the
# settings know no windows, the platform interface and the portal know no X11, and the
# windows know only the platform interface, never a backend.
set -euo pipefail
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/../src" && pwd)

status=0
forbid() { # forbid FOLDER PATTERN WHY [EXCLUDED-SUBFOLDER]
    local folder=$1 pattern=$2 why=$3 excluded=${4:-}
    local found
    found=$(grep -rnE "^#include [<\"]($pattern)" "$src/$folder" \
        ${excluded:+--exclude-dir="$excluded"} || true)
    if [ -n "$found" ]; then
        echo "layers: $folder $why:" >&2
        echo "$found" >&2
        status=1
    fi
}

forbid core 'Q|X11/|settings/|platform/|widgets/|app/' "must stay standard C++"
forbid settings 'QtWidgets|QWidget|QtGui|X11/|platform/|widgets/|app/' "must know no windows"
forbid platform 'X11/|widgets/|app/|platform/x11/|platform/portal/' "(the interface) must know no backend" x11
forbid platform/portal 'X11/|widgets/|app/|platform/x11/' "must know no X11"
forbid platform/x11 'widgets/|app/|platform/portal/' "must know no windows"
forbid widgets 'X11/|xcb|platform/x11/|platform/portal/|app/' "must use the platform interface only"
exit "$status"
