#!/usr/bin/env bash
# Installs the build into an empty folder and checks the tree as the desktop, AppStream, man and
# bash would see it: every file in its place, every validator silent, the version everywhere, and
# what show --json prints valid by the installed JSON Schema. (tivractl's man page is made from
# the same page as its help; what the completions offer is completion_test.py's.)
# Then makes the Debian package and checks that it depends on the libraries the programs use.
# Arguments: CMAKE BUILD_FOLDER APP_ID VERSION
set -euo pipefail
cmake=$1 build=$(cd "$2" && pwd) id=$3 version=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }
# Runs a checker that must succeed and say nothing (in $out, as every step below).
quiet() {
    out=$("$@" 2>&1) || fail "$* failed: $out"
    [ -z "$out" ] || fail "$* said: $out"
}

out=$("$cmake" --install "$build" --prefix "$prefix" 2>&1) || fail "install: $out"
cd "$prefix"

icons=share/icons/hicolor
desktop=share/applications/$id.desktop
mime=share/mime/packages/$id.xml
metainfo=share/metainfo/$id.metainfo.xml
man=share/man/man1
completion=share/bash-completion/completions/tivractl
zsh_completion=share/zsh/vendor-completions/_tivractl
fish_completion=share/fish/vendor_completions.d/tivractl.fish
schema=share/doc/tivra/tivractl-configuration.schema.json
for file in bin/tivra bin/tivractl "$desktop" "$mime" "$metainfo" "$icons/scalable/apps/$id.svg" \
    "$man/tivra.1.gz" "$man/tivractl.1.gz" "$completion" "$zsh_completion" "$fish_completion" "$schema" \
    share/doc/tivra/manual/index.html lib/udev/rules.d/70-tivra.rules; do
    [ -s "$file" ] || fail "$file is not installed"
done
for size in 48 128 256; do
    # Width and height from the PNG header.
    header=$(od -An -tx1 -j16 -N8 "$icons/${size}x$size/apps/$id.png" | tr -d ' \n')
    [ "$header" = "$(printf '%08x%08x' "$size" "$size")" ] || fail "the $size pixel icon is $header"
done

quiet desktop-file-validate "$desktop"
quiet xmllint --noout "$mime" "$metainfo" "$icons/scalable/apps/$id.svg"
out=$(appstreamcli validate --no-net --pedantic "$metainfo" 2>&1) || fail "appstreamcli: $out"
for page in tivra.1 tivractl.1; do
    zcat "$man/$page.gz" >"$work/$page"
    quiet groff -man -ww -z "$work/$page"
done
quiet bash -n "$completion"
quiet zsh -n "$zsh_completion"
quiet fish --no-execute "$fish_completion"
XDG_DATA_DIRS=$prefix/share quiet update-mime-database share/mime
type=$(xmllint --xpath 'string(//*[local-name()="mime-type"]/@type)' "$mime")
grep -qx "$type" share/mime/types || fail "the file type $type is not in the MIME database"
grep -qx "MimeType=$type;" "$desktop" || fail "the desktop entry does not open $type"

[ "$(bin/tivractl --version)" = "tivractl $version" ] || fail "tivractl --version"
# The window answers these two without a display.
headless="env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM"
[ "$($headless bin/tivra --version)" = "tivra $version" ] || fail "tivra --version"
[ "$($headless bin/tivra --help | head -n 1)" = "Usage: tivra [FILE]" ] || fail "tivra --help"
grep -q "<release version=\"$version\"" "$metainfo" || fail "no release $version in $metainfo"

# Every example file the manual names is installed beside it.
for example in $(grep -ohE 'examples[/\\][a-z-]+\.smc' share/doc/tivra/manual/*.html | sed 's|.*[/\\]||' |
    sort -u); do
    [ -s "share/doc/tivra/examples/$example" ] || fail "the manual names $example, which is not installed"
done

# The JSON scripts are promised, by the schema installed for them.
for example in "$TIVRA_SOURCE_DIR"/examples/*.smc; do
    bin/tivractl show --json "$example" >"$work/show.json" 2>/dev/null
    out=$(/usr/bin/python3 -c 'import json, sys, jsonschema
jsonschema.validate(json.load(open(sys.argv[1])), json.load(open(sys.argv[2])))' \
        "$work/show.json" "$schema" 2>&1) || fail "show --json of $example against $schema: $out"
done

out=$("$(dirname "$cmake")/cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" 2>&1) ||
    fail "cpack: $out"
deb=$(ls "$work"/deb/tivra_"$version"_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libserialport0 qt6-qpa-plugins qt6-wayland; do
    grep -q "\b$library\b" <<<"$depends" || fail "the package does not depend on $library: $depends"
done
# The Windows help file is not for Linux.
! dpkg-deb -c "$deb" | grep -q '\.chm$' || fail "the package holds tivra.chm"
# Debian's own checks: no error and no warning (information is allowed).
out=$(lintian --fail-on error,warning "$deb" 2>&1) || fail "lintian: $out"
! grep -qE '^[EW]:' <<<"$out" || fail "lintian: $out"
