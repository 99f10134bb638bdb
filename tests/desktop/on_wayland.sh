#!/usr/bin/env bash
# Runs the window on a Wayland desktop with no X server: weston's headless backend in a runtime
# folder of its own. First the real program, which must not print a single line while it shows
# its splash and window; then the test program, which looks at the window on the compositor.
#   on_wayland.sh TIVRA EXAMPLE TEST_PROGRAM
set -euo pipefail
tivra=$1 example=$2 probe=$3
runtime=$(mktemp -d)  # mktemp makes it 0700, as a runtime folder must be
weston=""
trap 'kill "$weston" 2>/dev/null || true; rm -rf "$runtime"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --use-pixman --socket=tivra-test \
    --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston=$!
for _ in $(seq 100); do [ -S "$runtime/tivra-test" ] && break; sleep 0.1; done
[ -S "$runtime/tivra-test" ] || fail "weston did not start: $(cat "$runtime/weston.log")"

export XDG_RUNTIME_DIR=$runtime WAYLAND_DISPLAY=tivra-test
unset DISPLAY QT_QPA_PLATFORM
status=0
TIVRA_BOX_LOG=$runtime/boxes timeout 7 "$tivra" "$example" >"$runtime/out" 2>&1 || status=$?
[ "$status" = 124 ] || fail "tivra ended with status $status: $(cat "$runtime/out")"
[ ! -s "$runtime/out" ] || fail "tivra said on Wayland: $(head -n 5 "$runtime/out")"
"$probe"
