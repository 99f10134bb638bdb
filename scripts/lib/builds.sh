# The builds and packages that scripts/test, scripts/test-windows and scripts/release share, so
# that what the tests try is what a release ships. Sourced; each function takes its folders.

# Every new build folder with Ninja (a folder keeps the generator it was made with).
export CMAKE_GENERATOR=${CMAKE_GENERATOR:-Ninja}

# What is built once and kept outside the checkout (Qt for MinGW, the compiler cache, the SBOM
# check's library): $TIVRA_CACHE, else /var/cache/tivra as root, else the user's cache folder.
cache_folder() {
    if [ -n "${TIVRA_CACHE:-}" ]; then
        echo "$TIVRA_CACHE"
    elif [ "$(id -u)" -eq 0 ]; then
        echo /var/cache/tivra
    else
        echo "${XDG_CACHE_HOME:-${HOME:-/nonexistent}/.cache}/tivra"
    fi
}

# The tests' builds compile through ccache into the cache folder, so that a new clone in the same
# place (as each CI run makes) compiles only what changed. No base folder is set: ccache would then
# hand the compiler relative paths, which the prefix maps of the top CMakeLists.txt do not match,
# and the programs would name other paths than a release's. Without a cache folder it can write,
# or without ccache, the compiler runs by itself. A release sets TIVRA_NO_COMPILER_CACHE and
# compiles everything itself.
export CCACHE_DIR=${CCACHE_DIR:-$(cache_folder)/ccache}
export CCACHE_MAXSIZE=${CCACHE_MAXSIZE:-3G}
compiler_cache_options() {
    local launcher=ccache
    if [ -n "${TIVRA_NO_COMPILER_CACHE:-}" ] || ! command -v ccache >/dev/null; then
        launcher=
    elif ! mkdir -p "$CCACHE_DIR" 2>/dev/null || [ ! -w "$CCACHE_DIR" ]; then
        echo "builds: no compiler cache ($CCACHE_DIR cannot be written)" >&2
        launcher=
    fi
    echo "-DCMAKE_C_COMPILER_LAUNCHER=$launcher -DCMAKE_CXX_COMPILER_LAUNCHER=$launcher"
}

# The time every package and program carries: SOURCE_DATE_EPOCH when set, else the last commit's
# (CMake makes the same choice for what it builds).
source_date_epoch() {
    if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
        echo "$SOURCE_DATE_EPOCH"
    else
        git -C "$1" log -1 --format=%ct
    fi
}

# The version of the source in SOURCE, as project() in its CMakeLists.txt gives it.
project_version() {
    local version
    version=$(sed -n 's/^project(tivra VERSION \([0-9.]*\).*/\1/p' "$1/CMakeLists.txt")
    [ -n "$version" ] || { echo "no version in $1/CMakeLists.txt's project()" >&2; return 1; }
    echo "$version"
}

# configure_linux SOURCE BUILD [CMAKE-OPTION...]: the Linux programs, as the .deb has them.
configure_linux() {
    local source=$1 build=$2
    shift 2
    # shellcheck disable=SC2046
    cmake -S "$source" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo $(compiler_cache_options) \
        "$@" >/dev/null
}

# configure_windows SOURCE BUILD QT NATIVE [CMAKE-OPTION...]: the Windows programs against the Qt
# for MinGW in QT, with NATIVE a Linux build (its manual goes into tivra.chm). No build type: the
# tests want assertions and a quick compile, and the packages are what was tested.
configure_windows() {
    local source=$1 build=$2 qt=$3 native=$4
    shift 4
    cmake -S "$source" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
        -DQT_CHAINLOAD_TOOLCHAIN_FILE="$source/cmake/mingw-w64.cmake" -DTIVRA_BUILD_GUI=ON \
        -DCMAKE_BUILD_TYPE= -DTIVRA_NATIVE_BUILD="$native" $(compiler_cache_options) "$@" >/dev/null
}

# CPack takes the time of its archives from SOURCE_DATE_EPOCH (the one the build used, which
# CMake keeps in its cache), the modes of what it writes from the umask, and a ZIP's DOS times in
# the local time zone: all three fixed here.
cpack_reproducibly() {  # BUILD GENERATOR
    local epoch
    epoch=$(sed -n 's/^TIVRA_BUILD_EPOCH:INTERNAL=//p' "$1/CMakeCache.txt")
    if [ -z "$epoch" ]; then
        echo "$1 names no build time (TIVRA_BUILD_EPOCH): configure it again" >&2
        return 1
    fi
    (cd "$1" && umask 022 && SOURCE_DATE_EPOCH=$epoch TZ=UTC cpack -G "$2" >/dev/null)
}

# package_linux BUILD: BUILD/tivra_VERSION_ARCH.deb.
package_linux() {
    rm -f "$1"/tivra_*.deb
    cpack_reproducibly "$1" DEB
}

# package_windows BUILD: BUILD/tivra-VERSION-win64.zip and .msi.
package_windows() {
    rm -f "$1"/tivra-*-win64.zip "$1"/tivra-*-win64.msi
    cpack_reproducibly "$1" ZIP
    (umask 022 && cmake --build "$1" --target tivra_msi >/dev/null)
}
