#!/bin/sh
# Runs a test program on a virtual X screen of its own, under a window manager that frames its
# windows with a title bar and borders as a desktop does.
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
    twm -f "$0" >/dev/null 2>&1 &
    QT_QPA_PLATFORM=xcb "$@"
    status=$?
    kill $! 2>/dev/null
    exit $status' "$(dirname "$0")/twmrc" "$@"
