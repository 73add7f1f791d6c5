#!/bin/sh
# Builds the Debian package in build-package/, validates the launcher, the
# AppStream metainfo and the plan file type it ships, and runs lintian on it.
#
#   scripts/package.sh         build and validate
#   scripts/package.sh --try   also install it with apt-get, start the installed
#                              programs headless, check what they print and
#                              remove the package again (as root)
set -eu
cd "$(dirname "$0")/.."
. scripts/deps.sh
require_packages build package

# Built with the hardening flags Debian builds its own packages with.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DNVR_BUILD_BENCHMARKS=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
# Everything that is installed goes into the package: build every target.
cmake --build build-package -j "$(build_jobs)"
rm -f build-package/nvr-calculator_*.deb
(cd build-package && cpack >/dev/null)
deb=$(ls build-package/nvr-calculator_*.deb)
echo "built $deb"
dpkg-deb --field "$deb" Package Version Depends

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml

# A plan file, as the desktop names its type.
content_type() {
    gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'
}
printf '{\n  "format": "nvr-plan",\n  "version": 1\n}\n' >"$work/site.nvrplan"

# The plan file type: well-formed, compiled without a complaint by the tool
# the desktop runs, and then a plan file is application/x-nvrplan, a JSON.
xmllint --noout "$work"/root/usr/share/mime/packages/*.xml
mkdir -p "$work/data/mime/packages"
cp "$work"/root/usr/share/mime/packages/*.xml "$work/data/mime/packages/"
complaints=$(XDG_DATA_DIRS="$work/data:/usr/share" update-mime-database "$work/data/mime" 2>&1)
found=$(XDG_DATA_HOME="$work/none" XDG_DATA_DIRS="$work/data:/usr/share" \
    content_type "$work/site.nvrplan")
if [ -n "$complaints" ] || [ "$found" != application/x-nvrplan ] \
    || ! grep -qx 'application/x-nvrplan application/json' "$work/data/mime/subclasses"; then
    echo "plan file type: '$found' for site.nvrplan (expected application/x-nvrplan)" >&2
    echo "$complaints" >&2
    exit 1
fi
echo "plan file type: site.nvrplan is $found, a kind of application/json"

# No error and no warning; the informational tags are shown as well.
lintian --info --fail-on error,warning "$deb"
echo "lintian: no error, no warning"

[ "${1:-}" = --try ] || exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "--try installs the package: run it as root" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "$(pwd)/$deb" >/dev/null
failed=""

status=0
QT_QPA_PLATFORM=offscreen timeout 5 nvr-calculator 2>"$work/trace" || status=$?
lines=$(grep -c '^MODE CHECK :[0-9]* - FALSE$' "$work/trace" || true)
# timeout ends it with 124: it was still running, as a window should be.
if [ "$status" -ne 124 ] || [ "$lines" -ne 16 ]; then
    echo "installed program: exit status $status, $lines start-up trace lines (expected 124, 16)" >&2
    cat "$work/trace" >&2
    failed="$failed nvr-calculator"
else
    echo "installed program ran and printed its 16 start-up trace lines"
fi

# The command-line planner, where the package holds it.
plan=tests/plans/defaults.nvrplan
if nvr-plan --version && nvr-plan show "$plan" && nvr-plan report "$plan" -o "$work/report.pdf" \
    && [ "$(head -c 5 "$work/report.pdf")" = "%PDF-" ]; then
    echo "installed nvr-plan showed $plan and wrote its PDF report"
else
    failed="$failed nvr-plan"
fi

# The package's type reached the system's database through its trigger.
if [ "$(content_type "$work/site.nvrplan")" != application/x-nvrplan ]; then
    echo "installed: site.nvrplan is not application/x-nvrplan" >&2
    failed="$failed mime-type"
fi

apt-get remove -y -qq nvr-calculator >/dev/null
if [ -n "$failed" ]; then
    echo "the installed package failed:$failed" >&2
    exit 1
fi
echo "the installed package works; package removed"
