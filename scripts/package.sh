#!/bin/sh
# Builds the Debian package in build-package/ and validates the launcher and
# the AppStream metainfo it ships.
#
#   scripts/package.sh         build and validate
#   scripts/package.sh --try   also install it with apt-get, start the installed
#                              program headless, check its start-up trace and
#                              remove the package again (as root)
set -eu
cd "$(dirname "$0")/.."
. scripts/deps.sh
require_packages build package

cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DNVR_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-package -j "$(build_jobs)" --target nvr-calculator
(cd build-package && cpack >/dev/null)
deb=$(ls build-package/nvr-calculator_*.deb)
echo "built $deb"
dpkg-deb --field "$deb" Package Version Depends

contents=$(mktemp -d)
trap 'rm -rf "$contents"' EXIT
dpkg-deb -x "$deb" "$contents"
desktop-file-validate "$contents"/usr/share/applications/*.desktop
appstreamcli validate --no-net "$contents"/usr/share/metainfo/*.metainfo.xml

[ "${1:-}" = --try ] || exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "--try installs the package: run it as root" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$(pwd)/$deb" >/dev/null
status=0
QT_QPA_PLATFORM=offscreen timeout 5 nvr-calculator 2>"$contents/trace" || status=$?
lines=$(grep -c '^MODE CHECK :[0-9]* - FALSE$' "$contents/trace" || true)
apt-get remove -y -qq nvr-calculator >/dev/null
# timeout ends it with 124: it was still running, as a window should be.
if [ "$status" -ne 124 ] || [ "$lines" -ne 16 ]; then
    echo "installed program: exit status $status, $lines start-up trace lines (expected 124, 16)" >&2
    cat "$contents/trace" >&2
    exit 1
fi
echo "installed program ran and printed its 16 start-up trace lines; package removed"
