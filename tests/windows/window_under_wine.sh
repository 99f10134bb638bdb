#!/usr/bin/env bash
# tivra.exe under Wine on a virtual X screen, driven as an operator drives it, through the X
# server's own input: started with a file whose path has a drive letter, blanks and letters
# outside ASCII; its window's title and size as the X server holds them; a second copy refused;
# Read and Write Configuration through the bridge library beside it (the ordinal-only stand-in,
# which serves the simulated boards); the system's Open and Save As dialogs, cancelled; Quit from
# the menu with the keyboard; nothing new under HKCU\Software afterwards. With --picture, its
# picture must be that one (the manual's), pixel for pixel. With --by-association, the file is
# opened as Explorer opens it (start, through the .smc association that the installer made)
# instead of by naming the program.
#   window_under_wine.sh WINE TIVRA_EXE EXAMPLE [--picture PNG] [--by-association]
# TIVRA_BRIDGE chooses the bridge as for the program (unset: the library beside it). Needs the
# stage's Wine prefix; the screen: wine_screen.sh.
set -euo pipefail
. "$(dirname "$0")/wine_screen.sh"
wine_run=$1 program=$2 example=$3
shift 3
# What is started: the program, or with --by-association Explorer's way of opening the file.
manual_picture="" launch=("$program")
while [ $# -gt 0 ]; do
    case $1 in
        --picture) manual_picture=$2; shift 2 ;;
        --by-association) launch=(start /wait); shift ;;
        *) echo "unknown argument $1" >&2; exit 2 ;;
    esac
done
title="Quorvantel Ostrel RK-2"
work=$(mktemp -d)
# A program that is left running would hold the guard for every later run.
trap 'kill -0 "$first" 2>/dev/null && wine taskkill /f /im tivra.exe >/dev/null 2>&1; rm -rf "$work"' EXIT
first=0
fail() { echo "FAILED: $*" >&2; exit 1; }

# Waits up to 30 s for a command to succeed.
wait_for() {
    for _ in $(seq 300); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}
lines_in() { [ -f "$1" ] && [ "$(wc -l <"$1")" -ge "$2" ]; }

folder="$work/Prüfstand 1"
mkdir -p "$folder"
cp "$example" "$folder/mixed sensors.smc"
windows_file="Z:${folder//\//\\}\\mixed sensors.smc"

# The program keeps no settings: the keys under HKCU\Software before and after (Wine's own left
# out).
software_keys() {
    wine reg export 'HKCU\Software' "$work/software.reg" /y </dev/null >/dev/null 2>&1
    iconv -f UTF-16LE -t UTF-8 "$work/software.reg" | tr -d '\r' | grep '^\[' |
        grep -v '^\[HKEY_CURRENT_USER\\Software\\Wine' | LC_ALL=C sort
}
keys_before=$(software_keys)

export TIVRA_BRIDGE=${TIVRA_BRIDGE:-}
TIVRA_BOX_LOG="$work/boxes" "$wine_run" "${launch[@]}" "$windows_file" >"$work/out" 2>&1 </dev/null &
first=$!

# The splash comes first; the main window is the one with the program's title.
wait_for xdotool search --name "^$title" || fail "no window titled $title"
window=$(xdotool search --name "^$title" | head -n1)
shown() { LC_ALL=C.UTF-8 xprop -id "$window" _NET_WM_NAME | sed 's/^[^"]*"//; s/"$//; s/\\\\/\\/g'; }
title_is() { [ "$(shown)" = "$1" ]; }
# The file named on the command line is opened once the window is up.
wait_for title_is "$title    $windows_file" || fail "title: $(shown)"
# The pointer over a bare corner of the window, so that Wine, which learns where it is only
# from moves over its own windows, has no control under it.
xdotool mousemove --window "$window" 3 368
sleep 1  # the last paint
size=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
# 354 for the form and 18 for the menu bar that Qt draws in the window under Wine.
[ "$size" = "739x372" ] || fail "size: $size, not 739x372"

# The picture the manual shows, once the splash has gone.
if [ -n "$manual_picture" ]; then
    import -window "$window" "$work/window.png"
    difference=$(compare -metric AE "$work/window.png" "$manual_picture" null: 2>&1 || true)
    if [ "$difference" != 0 ]; then
        cp "$work/window.png" "${TMPDIR:-/tmp}/windows-window.png"
        fail "the window differs from $manual_picture in $difference pixels; if the change is" \
            "meant, copy ${TMPDIR:-/tmp}/windows-window.png there"
    fi
fi

# A second copy is told and ends with status 0; the first keeps running.
TIVRA_BOX_LOG="$work/second" "$wine_run" "$program" </dev/null >/dev/null 2>&1 \
    || fail "the second copy ended with status $?"
[ "$(cat "$work/second")" = "Alert: Configuration or link status monitoring application already open" ] \
    || fail "second copy: $(cat "$work/second")"

# The two buttons (Read at 10,310 and Write at 170,310 of the form, 150 x 30, below the menu bar).
xdotool mousemove --window "$window" 85 343 click 1
wait_for lines_in "$work/boxes" 2 || fail "Read Configuration: $(cat "$work/boxes" 2>/dev/null)"
xdotool mousemove --window "$window" 245 343 click 1
wait_for lines_in "$work/boxes" 4 || fail "Write Configuration: $(cat "$work/boxes" 2>/dev/null)"
expected="Success: Local configuration data read
Success: Remote configuration data read
Success: Local configuration data written
Success: Remote configuration data written"
[ "$(cat "$work/boxes")" = "$expected" ] || fail "boxes: $(cat "$work/boxes")"

# The system's file dialogs: Open (Ctrl+O), then Save As (the menu, Up past Quit to it), each
# cancelled.
dialog_up() { xdotool search --name "^$1\$"; }
dialog_gone() { ! dialog_up "$1"; }
xdotool key ctrl+o
wait_for dialog_up "Choose configuration to open" || fail "no Open dialog"
xdotool key Escape
wait_for dialog_gone "Choose configuration to open" || fail "the Open dialog stays"
xdotool mousemove --window "$window" 40 9 click 1
sleep 0.5
xdotool key Up Up Return
wait_for dialog_up "Choose configuration to save" || fail "no Save As dialog"
xdotool key Escape
wait_for dialog_gone "Choose configuration to save" || fail "the Save As dialog stays"

# Quit: the Configuration menu, Up to its last item, Return.
xdotool mousemove --window "$window" 40 9 click 1
sleep 0.5
xdotool key Up Return
status=0
wait "$first" || status=$?
[ "$status" = 0 ] || fail "tivra.exe ended with status $status: $(cat "$work/out")"
new_keys=$(comm -13 <(echo "$keys_before") <(software_keys))
[ -z "$new_keys" ] || fail "new under HKCU\\Software: $new_keys"
echo "tivra.exe under Wine: $size, title, second copy, Read, Write, both dialogs and Quit as" \
    "expected, no setting kept"
