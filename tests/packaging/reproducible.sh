#!/usr/bin/env bash
# Two builds of one commit give the same bytes: the packages and programs of the test stages
# (build/ and the Windows build, made in the checkout with the caller's umask, locale and time
# zone) against a release of the same commit (scripts/release: a fresh clone in another folder,
# later, with another umask, locale and time zone). On a difference, diffoscope says where.
#   reproducible.sh LINUX-BUILD WINDOWS-BUILD
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
linux=$(realpath "$1") windows=$(realpath "$2")
. "$root/scripts/lib/builds.sh"
fail() { echo "FAILED: $*" >&2; exit 1; }

[ -z "$(git -C "$root" status --porcelain --untracked-files=no)" ] \
    || fail "the checkout has uncommitted changes, which a release leaves out: commit them first"
version=$(project_version "$root")
package_linux "$linux"

other=$(mktemp -d)
trap 'rm -rf "$other"' EXIT
(
    umask 077
    export TZ=Pacific/Chatham LC_ALL=C LANG=C
    "$root/scripts/release" --into "$other/dist" --keep "$other/work" >"$other/log" 2>&1
) || { tail -n 30 "$other/log" >&2; fail "scripts/release failed (above: its last lines)"; }

differ=0
compare() {  # OURS THEIRS
    if cmp -s "$1" "$2"; then
        echo "same: $(basename "$1") $(sha256sum <"$1" | cut -c1-64)"
        return
    fi
    differ=1
    echo "DIFFERENT: $1 and $2; diffoscope says:"
    timeout 300 diffoscope --no-progress --max-report-size 200000 --text - "$1" "$2" | head -n 150 || true
}
compare "$linux/tivra_${version}_$(dpkg --print-architecture).deb" \
    "$other/dist/tivra_${version}_$(dpkg --print-architecture).deb"
compare "$windows/tivra-$version-win64.zip" "$other/dist/tivra-$version-win64.zip"
compare "$windows/tivra-$version-win64.msi" "$other/dist/tivra-$version-win64.msi"
for program in tivra tivractl; do
    compare "$linux/$program" "$other/work/src/build/$program"
    compare "$windows/$program.exe" "$other/work/src/build-windows/$program.exe"
done
compare "$windows/tivra.chm" "$other/work/src/build-windows/tivra.chm"
[ $differ -eq 0 ] || fail "the two builds differ"
echo "The release of this commit:"
cat "$other/dist/SHA256SUMS"
