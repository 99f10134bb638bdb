#!/usr/bin/env bash
# Runs the real program on a virtual X screen with a session bus and the accessibility bus, with
# a file open, and reads it as a screen reader does (screen_reader.py).
#   screen_reader.sh TIVRA EXAMPLE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    runtime=$(mktemp -d)
    XDG_RUNTIME_DIR=$runtime QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 TIVRA_BOX_LOG=$runtime/boxes \
        QT_QPA_PLATFORM=xcb "$1" "$2" &
    program=$!
    status=0
    /usr/bin/python3 "$0" || status=$?
    kill "$program" 2>/dev/null || true
    rm -rf "$runtime"
    exit $status' "$here/screen_reader.py" "$@" 2> >(grep -v "^dbus-daemon\|SpiRegistry" >&2)
