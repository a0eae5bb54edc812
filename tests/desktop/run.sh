#!/usr/bin/env bash
# The desktop journey: a virtual X server with a window manager, a D-Bus session with the
# accessibility bus, the built program driven by real X input and read back through the
# accessibility tree. On failure the screen is saved next to the log (journey-failure.xwd).
#   usage: tests/desktop/run.sh PROGRAM [OUTPUT_FOLDER]
set -euo pipefail
program=$(realpath "$1")
out=$(realpath -m "${2:-$PWD/desktop-journey}")
here=$(dirname "$(realpath "$0")")
mkdir -p "$out"

for tool in Xvfb openbox xdotool xclip xwd dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    command -v "$tool" >/dev/null || { echo "missing: $tool (run tools/setup.sh)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "missing: python3-pyatspi"; exit 1; }

exec dbus-run-session -- bash -c '
    set -u
    export NO_AT_BRIDGE=0 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    export XDG_RUNTIME_DIR=$(mktemp -d)
    fail() {
        echo "desktop set-up failed: $1"
        tail -n 5 "'"$out"'/xvfb.log" "'"$out"'/openbox.log" 2>/dev/null
        kill $(jobs -p) 2>/dev/null
        exit 1
    }
    # Xvfb picks a free display itself and writes its number once it accepts clients.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$XDG_RUNTIME_DIR/display" \
        >"'"$out"'/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 100); do [ -s "$XDG_RUNTIME_DIR/display" ] && break; sleep 0.1; done
    [ -s "$XDG_RUNTIME_DIR/display" ] || fail "Xvfb did not start (see xvfb.log)"
    export DISPLAY=:$(cat "$XDG_RUNTIME_DIR/display")
    # The display named, the server must also answer a client before anything else starts.
    for _ in $(seq 100); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done
    xprop -root >/dev/null 2>&1 || fail "Xvfb on $DISPLAY answers no client (see xvfb.log)"
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"'"$out"'/atspi.log" 2>&1 &
    bus=$!
    openbox >"'"$out"'/openbox.log" 2>&1 &
    wm=$!
    # The window manager is ready once it names itself on the root window.
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        kill -0 $wm 2>/dev/null || fail "openbox ended (see openbox.log)"
        sleep 0.1
    done
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" ||
        fail "openbox did not start (see openbox.log)"
    /usr/bin/python3 "'"$here"'/journey.py" "'"$program"'" "'"$out"'" 2>&1 |
        tee "'"$out"'/journey.log"
    status=${PIPESTATUS[0]}
    kill $wm $bus $xvfb 2>/dev/null
    rm -rf "$XDG_RUNTIME_DIR"
    exit $status
'
