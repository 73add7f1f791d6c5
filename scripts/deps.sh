# Sourced by the other scripts: makes sure the Debian packages a task needs
# are installed. As root it installs what is missing; as anyone else it
# prints the one command to run and stops.

# Package groups, by task.
deps_build="cmake g++ make qt6-base-dev help2man"
deps_qt5="qtbase5-dev"
deps_run="fonts-liberation2"
deps_test="fonts-liberation2 locales-all bash-completion poppler-utils xvfb dbus-daemon dbus-x11 at-spi2-core python3-pyatspi"
deps_screenshot="xvfb xauth fonts-liberation2"
deps_format="clang-format"
deps_fuzz="clang-14 libclang-rt-14-dev"
deps_bench="hyperfine time"
deps_package="dpkg-dev file desktop-file-utils appstream lintian libxml2-utils shared-mime-info libglib2.0-bin"

# require_packages GROUP...: every package of the groups, installed.
require_packages() {
    wanted=""
    for group in "$@"; do
        eval "wanted=\"\$wanted \$deps_$group\""
    done
    missing=""
    for package in $wanted; do
        case " $missing " in *" $package "*) continue ;; esac
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
            missing="$missing $package"
        fi
    done
    [ -z "$missing" ] && return 0

    command="apt-get install -y --no-install-recommends$missing"
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages:$missing" >&2
        echo "Install them, then run this again:" >&2
        echo "    sudo sh -c 'apt-get update && $command'" >&2
        exit 1
    fi
    echo "Installing:$missing" >&2
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing >/dev/null
}

build_jobs() {
    nproc 2>/dev/null || echo 2
}
