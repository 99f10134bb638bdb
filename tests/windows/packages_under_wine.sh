#!/usr/bin/env bash
# What Windows users install, under the stage's Wine: the ZIP unpacked into an empty folder holds
# exactly its files; the installer puts the same files (tivra.exe byte for byte) in Program Files
# with a Start-menu shortcut that starts in the user's Documents, the .smc association and an
# uninstall entry (with its publisher, no Modify), the installed tivra.exe, with nothing but its
# own DLLs, opens an .smc file through the association, the installer of a higher
# version replaces it (one program, one shortcut, one entry, its files), and uninstalling removes
# it all, from the registry too.
#   packages_under_wine.sh ZIP MSI EXAMPLE UPGRADE_MSI
set -euo pipefail
. "$(dirname "$0")/wine_screen.sh"
zip=$1 msi=$2 example=$3 upgrade=$4
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAILED: $*" >&2; exit 1; }
# Nothing from the build's Wine path: only what the packages bring.
unset WINEPATH

expected=$(printf '%s\n' examples/{hand-edited,mixed-sensors,port-conflict}.smc \
    lib{gcc_s_seh-1,stdc++-6,winpthread-1}.dll licenses/{GPL-3,LGPL-3,Qt-copyright,README}.txt \
    licenses/{gcc-runtime,libjpeg-turbo,mingw-w64,nlohmann-json}-copyright.txt licenses/tivra.txt \
    platforms/qwindows.dll Qt6{Core,Gui,Widgets}.dll readme.txt styles/qwindowsvistastyle.dll \
    tivra.chm tivra.exe tivractl.exe | LC_ALL=C sort)
files_in() { (cd "$1" && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }

unpacked=$(mktemp -d)
installed="$WINEPREFIX/drive_c/Program Files/tivra"
cleanup() {
    rm -rf "$unpacked"
    wine msiexec /x "$msi" /qn </dev/null >/dev/null 2>&1 || true
    wine msiexec /x "$upgrade" /qn </dev/null >/dev/null 2>&1 || true
}
trap cleanup EXIT

# The ZIP.
(cd "$unpacked" && cmake -E tar xf "$zip")
[ "$(files_in "$unpacked")" = "$expected" ] || fail "the ZIP holds: $(files_in "$unpacked")"
wine "$unpacked/tivractl.exe" --version </dev/null | tr -d '\r' | grep -qx 'tivractl [0-9.]*' \
    || fail "tivractl.exe of the ZIP"

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
# The uninstall entries named tivra, as "VERSION PUBLISHER NOMODIFY", one a line.
entries() {
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s </dev/null \
        2>/dev/null | tr -d '\r' | awk '
        /^HKEY/ { if (name == "tivra") print version, publisher, nomodify; name = version = publisher = nomodify = "" }
        $1 == "DisplayName" { name = $3 } $1 == "DisplayVersion" { version = $3 }
        $1 == "Publisher" { publisher = $3 } $1 == "NoModify" { nomodify = $3 }
        END { if (name == "tivra") print version, publisher, nomodify }'
}
listed() { [ -n "$(entries)" ]; }
version=$(wine "$unpacked/tivractl.exe" --version </dev/null | tr -d '\r' | sed 's/^tivractl //')
[ "$(entries)" = "$version tivra 0x1" ] || fail "uninstall entries: $(entries)"
# The shortcut starts in the user's Documents, where the dialogs then open.
msiinfo export "$msi" Shortcut | grep -q $'\tPersonalFolder\t' || fail "the shortcut starts elsewhere"
TIVRA_BRIDGE=sim bash "$here/window_under_wine.sh" wine "$installed/tivra.exe" "$example" \
    --by-association || fail "the installed tivra.exe, opening a file by its association"

# A higher version over it: one program with the new files, one shortcut, one entry.
wine msiexec /i "$upgrade" /qn </dev/null >/dev/null 2>&1 || fail "the upgrade ended with status $?"
[ "$(files_in "$installed")" = "$expected" ] || fail "after the upgrade: $(files_in "$installed")"
grep -q '(upgrade test ' "$installed/readme.txt" || fail "the upgrade left the old files"
[ "$(shortcut | wc -l)" = 1 ] || fail "shortcuts after the upgrade: $(shortcut)"
[ "$(entries | wc -l)" = 1 ] && [ "$(entries | cut -d' ' -f1)" != "$version" ] ||
    fail "uninstall entries after the upgrade: $(entries)"
holds 'HKCR\tivra.smc\shell\open\command' '"C:\Program Files\tivra\tivra.exe" "%1"'

# What the registry says of tivra, outside Wine's own keys.
mentions() {
    for key in 'HKLM\Software' 'HKCU\Software'; do
        wine reg export "$key" "$unpacked/keys.reg" /y </dev/null >/dev/null 2>&1 || continue
        iconv -f UTF-16LE -t UTF-8 "$unpacked/keys.reg" | tr -d '\r' | grep -i 'tivra' || true
    done
}
wine msiexec /x "$upgrade" /qn </dev/null >/dev/null 2>&1 || fail "msiexec /x ended with status $?"
[ ! -e "$installed" ] || fail "left behind: $(files_in "$installed")"
[ -z "$(shortcut)" ] || fail "the shortcut is left behind"
[ -z "$(value 'HKCR\.smc')" ] || fail "the .smc association is left behind"
! listed || fail "the uninstall entry is left behind"
[ -z "$(mentions)" ] || fail "the registry still speaks of tivra: $(mentions | head -n 5)"
echo "ZIP and installer under Wine: files, shortcut, association, uninstall entry, upgrade, removal"
