#!/usr/bin/env bash
# Builds the Debian package from a build directory, checks it with lintian (no errors),
# installs it on this machine, checks that the installed /usr/bin/tintor starts and shows its
# window on a private Xvfb, and removes the package again.
#   bash tools/package-test.sh <build directory>
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:?usage: package-test.sh <build directory>}" && pwd)

rm -f "$build"/tintor_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tintor_*.deb)
echo "Package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB, installed size" \
    "$(dpkg-deb -f "$deb" Installed-Size) KiB"
# Errors fail; the README says what else lintian reports.
lintian --fail-on error "$deb"
contents=$(dpkg-deb -c "$deb")
for file in ./usr/share/man/man1/tintor.1.gz ./usr/share/doc/tintor/copyright; do
    grep -q " $file\$" <<<"$contents" || { echo "package-test: no $file" >&2; exit 1; }
done

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "$deb" >/dev/null
status=0
TINTOR_EXE=/usr/bin/tintor XDG_CONFIG_HOME="$build/tests/config/package" \
    "$root/tests/with-xvfb.sh" "$build/tests/tst_startup" englishWindowIsFixedAndOnTop \
    >/dev/null || status=$?
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -qq tintor >/dev/null
if [ "$status" -ne 0 ]; then
    echo "package-test: the installed tintor did not start as expected" >&2
    exit "$status"
fi
echo "Installed package started and was removed again."
