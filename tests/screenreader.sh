#!/bin/sh
# Usage: screenreader.sh PROGRAM PLAN
# Opens PLAN in the real window on a private X display and session bus, with
# Qt's accessibility bridge on, and reads it with screenreader.py.
set -u
if [ -z "${NVR_SCREENREADER_INSIDE:-}" ]; then
    # Without the display, the buses or the reader there is nothing to try:
    # skipped, not failed (scripts/test.sh installs them).
    for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing" >&2; exit 77; }
    done
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
        { echo "SKIP: python3-pyatspi is missing" >&2; exit 77; }
    # A runtime directory of its own: the AT-SPI bus puts its socket there,
    # so that two runs side by side do not share one. The plan opened goes to
    # recent plans of its own too, not the user's.
    XDG_RUNTIME_DIR=$(mktemp -d)
    XDG_CONFIG_HOME=$XDG_RUNTIME_DIR/config
    export XDG_RUNTIME_DIR XDG_CONFIG_HOME NVR_SCREENREADER_INSIDE=1
    # The X server picks a free display itself and names it once it listens
    # on all its sockets. A number picked beforehand, as xvfb-run -a does, may
    # belong to a server that this one cannot see in /tmp but shares abstract
    # sockets with: the program would then knock on that server's door.
    # -noreset: the AT-SPI bus launcher connects to the display and leaves
    # again; a server that resets when its last client leaves would refuse
    # the program if it came in the middle of that reset.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$XDG_RUNTIME_DIR/display" 2>"$XDG_RUNTIME_DIR/xvfb.log" &
    xvfb=$!
    trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb"; rm -rf "$XDG_RUNTIME_DIR"' EXIT
    trap 'exit 1' INT TERM
    tries=0
    until [ -s "$XDG_RUNTIME_DIR/display" ]; do
        if ! kill -0 "$xvfb" 2>/dev/null || [ "$tries" -ge 300 ]; then
            echo "FAIL: the X server did not start" >&2
            cat "$XDG_RUNTIME_DIR/xvfb.log" >&2
            exit 1
        fi
        tries=$((tries + 1))
        sleep 0.1
    done
    DISPLAY=:$(cat "$XDG_RUNTIME_DIR/display")
    export DISPLAY
    # timeout ends its whole process group: a stuck run fails instead of hanging.
    status=0
    timeout -k 5 "${NVR_SCREENREADER_TIMEOUT:-100}" dbus-run-session -- sh "$0" "$@" || status=$?
    [ "$status" -eq 124 ] && echo "FAIL: no answer within ${NVR_SCREENREADER_TIMEOUT:-100} s" >&2
    if [ "$status" -ne 0 ]; then
        echo "the X server on $DISPLAY said:" >&2
        cat "$XDG_RUNTIME_DIR/xvfb.log" >&2
    fi
    exit "$status"
fi

# Inside the display and the session bus, which activates the AT-SPI bus.
export QT_QPA_PLATFORM=xcb QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# Under the sanitizers: the X keyboard library copies names out of buffers
# without a final NUL, with strndup, as it may; a strict string check would
# stop the program inside it.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="$ASAN_OPTIONS:strict_string_checks=0"
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null && wait "$program" 2>/dev/null
    # The AT-SPI bus would end with the session bus; end it here all the same.
    a11y=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetConnectionUnixProcessID string:org.a11y.Bus 2>/dev/null |
        awk '/uint32/ { print $2 }')
    [ -n "$a11y" ] && kill "$a11y" 2>/dev/null
}
trap cleanup EXIT
trap 'exit 1' INT TERM

"$1" "$2" &
program=$!
/usr/bin/python3 "$(dirname "$0")/screenreader.py" "$program"
