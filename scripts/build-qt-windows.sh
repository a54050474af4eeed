#!/usr/bin/env bash
# Builds a static Qt 6 for 64-bit Windows (MinGW-w64) from Debian's own
# qt6-base source package, of the same version as this machine's Qt tools,
# with just what the tool needs: Core, Gui, Widgets, PrintSupport and Test,
# the windows and offscreen platform plugins and the Windows style.
#
# The result lands in a cache folder outside the clone, keyed by the Qt
# version and the configure flags, and is reused by every later run:
#
#   scripts/build-qt-windows.sh                 build it unless the cache has it
#   scripts/build-qt-windows.sh --print-prefix  print the cache folder and stop
#
# KVR27_QT_WINDOWS_CACHE chooses the cache's parent folder (default
# /var/cache/kvr27dust32 as root, ~/.cache/kvr27dust32 otherwise). A folder
# counts as complete only once its stamp file is written, after the last
# step; a build that fails or is interrupted leaves no stamp, and the next
# run starts that folder again from nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -eq 0 ]; then
    cache_root=${KVR27_QT_WINDOWS_CACHE:-/var/cache/kvr27dust32}
else
    cache_root=${KVR27_QT_WINDOWS_CACHE:-$HOME/.cache/kvr27dust32}
fi

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
if [ -z "$qt_version" ]; then
    echo "build-qt-windows: qt6-base-dev is not installed (run scripts/install-deps.sh)" >&2
    exit 1
fi
upstream_version=${qt_version%%+*}
upstream_version=${upstream_version%%-*}

configure_flags=(
    -release -static -nomake examples -nomake tests
    -qt-host-path /usr
    -no-opengl -no-dbus -no-feature-vulkan
    -no-feature-sql -no-feature-network -no-feature-xml -no-feature-concurrent
    -no-libjpeg -qt-zlib -qt-pcre -qt-libpng -qt-freetype -qt-harfbuzz
)

# The toolchain Qt is built with, and later chained to by the programs that
# use it: Debian's -posix MinGW-w64 compilers (the win32 thread model has no
# std::thread).
toolchain_text='set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
'
# The two steps that change what gets built from the unpacked source; they
# belong to the key as much as the flags do.
source_fixes_version=1

key_text="$qt_version|${configure_flags[*]}|$toolchain_text|$source_fixes_version"
key=$(printf '%s' "$key_text" | sha256sum | cut -c1-12)
prefix="$cache_root/qt-$upstream_version-mingw64-static-$key"
stamp="$prefix/.kvr27-complete"

if [ "${1:-}" = "--print-prefix" ]; then
    echo "$prefix"
    exit 0
fi

if [ -f "$stamp" ]; then
    echo "build-qt-windows: Qt $qt_version for Windows is in the cache: $prefix"
    exit 0
fi

stage() { echo "== build-qt-windows: $* (${SECONDS} s)"; }

work="$cache_root/work-$key"
stage "Qt $qt_version for x86_64-w64-mingw32 into $prefix"
rm -rf "$prefix" "$work"
mkdir -p "$work" "$cache_root"

stage "fetching Debian's qt6-base $qt_version source package"
# apt fetches source packages only from deb-src entries: one is made from
# Debian's own deb entry, same addresses, suites and key.
src_list=/etc/apt/sources.list.d/kvr27dust32-deb-src.sources
if ! apt-get source --download-only --print-uris "qt6-base=$qt_version" >/dev/null 2>&1; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "build-qt-windows: apt has no deb-src entry; run once as root" >&2
        exit 1
    fi
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$src_list"
    apt-get update -q
fi
(cd "$work" && apt-get source --download-only "qt6-base=$qt_version")

stage "unpacking and applying Debian's patches"
(cd "$work" && dpkg-source --no-check -x qt6-base_*.dsc source >/dev/null)
src="$work/source"
# Debian's tarball leaves out the Wintab headers the windows platform
# plugin includes for tablets; Wine's development package has them. Wine's
# wintab.h leans on two macros of Wine's own and lacks the API calling
# convention the plugin declares its entry points with: a small wintab.h
# supplies those around it.
wintab="$src/src/3rdparty/wintab"
mkdir -p "$wintab"
cp /usr/include/wine/wine/windows/wintab.h "$wintab/wine_wintab.h"
cp /usr/include/wine/wine/windows/pktdef.h "$wintab/pktdef.h"
cat >"$wintab/wintab.h" <<'HEADER'
#ifndef KVR27_WINTAB_H
#define KVR27_WINTAB_H
#include <windows.h>
#ifndef WINELIB_NAME_AW
#  ifdef UNICODE
#    define WINELIB_NAME_AW(name) name##W
#  else
#    define WINELIB_NAME_AW(name) name##A
#  endif
#endif
#ifndef DECL_WINELIB_TYPE_AW
#  define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif
#include "wine_wintab.h"
#ifndef API
#  define API WINAPI
#endif
#endif
HEADER

mkdir -p "$prefix"
printf '%s' "$toolchain_text" >"$prefix/mingw-w64-x86_64.cmake"

stage "configuring"
mkdir -p "$work/build"
(cd "$work/build" && "$src/configure" -prefix "$prefix" "${configure_flags[@]}" -- -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake) >"$work/configure.log" 2>&1 || {
    tail -n 60 "$work/configure.log" >&2
    echo "build-qt-windows: configure failed; the whole log is $work/configure.log" >&2
    exit 1
}
grep -E '^(Build type|  Using static|Qt Gui|  Qt Widgets|Qt PrintSupport|Qt Testlib)' "$work/configure.log" || true

stage "building ($(nproc) jobs)"
cmake --build "$work/build" --parallel "$(nproc)"

stage "installing"
cmake --install "$work/build" >/dev/null

echo "$key_text" >"$stamp"
rm -rf "$work"
stage "done: $prefix ($(du -sh "$prefix" | cut -f1))"
