#!/usr/bin/env bash
# tivractl.exe in a console, as cmd gives it one: Wine's console on a terminal of its own (script
# gives it one). A file named outside ASCII shows whole, not as its UTF-8 bytes read in the ANSI
# code page; the help describes Windows (no SIGPIPE, no simulate, no /dev/stdin).
#   console_under_wine.sh WINE TIVRACTL_EXE EXAMPLE
set -euo pipefail
wine_run=$1 program=$2 example=$3
fail() { echo "FAILED: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$example" "$work/Nord-ü.smc"
cd "$work"
# What the console shows, without its cursor moves and colours.
shown=$(script -qec "$wine_run $program write Nord-ü.smc --bridge sim --verify" /dev/null |
    sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' | tr -d '\r')
grep -q 'Nord-ü\.smc' <<<"$shown" || fail "the console shows: $shown"
! grep -q 'Ã' <<<"$shown" || fail "UTF-8 read in the ANSI code page: $shown"
help=$("$wine_run" "$program" --help </dev/null | tr -d '\r')
for word in SIGPIPE simulate /dev/stdin; do
    ! grep -q -- "$word" <<<"$help" || fail "the help speaks of $word"
done
echo "tivractl.exe in a console: a name outside ASCII whole; its help Windows' own"
