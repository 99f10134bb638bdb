#!/usr/bin/env bash
# What Windows users install, under the stage's Wine: the ZIP unpacked into an empty folder holds
# exactly its files and its tivra.exe reads the simulated boards with nothing but its own DLLs;
# the installer puts the same files in Program Files with a Start-menu shortcut, the .smc
# association and an uninstall entry, the installed tivra.exe opens an .smc file through the
# association, and uninstalling removes it all.
#   packages_under_wine.sh ZIP MSI EXAMPLE
set -euo pipefail
. "$(dirname "$0")/wine_screen.sh"
zip=$1 msi=$2 example=$3
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAILED: $*" >&2; exit 1; }
# Nothing from the build's Wine path: only what the packages bring.
unset WINEPATH

expected=$(printf '%s\n' examples/{hand-edited,mixed-sensors,port-conflict}.smc \
    lib{gcc_s_seh-1,stdc++-6,winpthread-1}.dll licenses/{GPL-3,LGPL-3,Qt-copyright,README}.txt \
    licenses/{gcc-runtime,libjpeg-turbo,mingw-w64}-copyright.txt licenses/tivra.txt \
    platforms/qwindows.dll Qt6{Core,Gui,Widgets}.dll readme.txt styles/qwindowsvistastyle.dll \
    tivra.chm tivra.exe tivractl.exe | LC_ALL=C sort)
files_in() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }

unpacked=$(mktemp -d)
installed="$WINEPREFIX/drive_c/Program Files/tivra"
cleanup() {
    rm -rf "$unpacked"
    wine msiexec /x "$msi" /qn </dev/null >/dev/null 2>&1 || true
}
trap cleanup EXIT

# The ZIP.
(cd "$unpacked" && cmake -E tar xf "$zip")
[ "$(files_in "$unpacked")" = "$expected" ] || fail "the ZIP holds: $(files_in "$unpacked")"
wine "$unpacked/tivractl.exe" --version </dev/null | tr -d '\r' | grep -qx 'tivractl [0-9.]*' \
    || fail "tivractl.exe of the ZIP"
TIVRA_BRIDGE=sim bash "$here/window_under_wine.sh" wine "$unpacked/tivra.exe" "$example" \
    || fail "tivra.exe of the ZIP"

# The installer.
[ ! -e "$installed" ] || fail "$installed exists before the installation"
wine msiexec /i "$msi" /qn </dev/null >/dev/null 2>&1 || fail "msiexec /i ended with status $?"
[ "$(files_in "$installed")" = "$expected" ] || fail "installed: $(files_in "$installed")"
cmp -s "$installed/tivra.exe" "$unpacked/tivra.exe" || fail "the installed tivra.exe is not the ZIP's"
# All users' Start menu on Windows; Wine's installer puts it in the user's.
shortcut() { find "$WINEPREFIX/drive_c" -path '*/Start Menu/Programs/tivra.lnk'; }
[ -n "$(shortcut)" ] || fail "no Start-menu shortcut"
value() { wine reg query "$1" /ve </dev/null 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p'; }
holds() { [ "$(value "$1")" = "$2" ] || fail "$1 holds $(value "$1")"; }
holds 'HKCR\.smc' tivra.smc
holds 'HKCR\tivra.smc\shell\open\command' '"C:\Program Files\tivra\tivra.exe" "%1"'
holds 'HKCR\tivra.smc\DefaultIcon' 'C:\Program Files\tivra\tivra.exe,0'
# Whether the uninstall entry is there.
listed() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s </dev/null \
    2>/dev/null | tr -d '\r' | grep -q 'DisplayName *REG_SZ *tivra$'; }
listed || fail "no uninstall entry named tivra"
TIVRA_BRIDGE=sim bash "$here/window_under_wine.sh" wine "$installed/tivra.exe" "$example" \
    --by-association || fail "the installed tivra.exe, opening a file by its association"

wine msiexec /x "$msi" /qn </dev/null >/dev/null 2>&1 || fail "msiexec /x ended with status $?"
[ ! -e "$installed" ] || fail "left behind: $(files_in "$installed")"
[ -z "$(shortcut)" ] || fail "the shortcut is left behind"
[ -z "$(value 'HKCR\.smc')" ] || fail "the .smc association is left behind"
! listed || fail "the uninstall entry is left behind"
echo "ZIP and installer under Wine: files, shortcut, association, uninstall entry, removal"
