#!/usr/bin/env bash
# Builds a static SQLite for 64-bit Windows (MinGW-w64) from Debian's own
# sqlite3 source package, with Debian's patches (its security fixes among
# them): the amalgamation sqlite3.c is made on this machine, then compiled
# by the same -posix MinGW-w64 compiler the Windows programs use.
#
# The result lands in a cache folder outside the clone, keyed by the
# source package's version, the compile options and the toolchain, and is
# reused by every later run:
#
#   scripts/build-sqlite-windows.sh                 build it unless the cache has it
#   scripts/build-sqlite-windows.sh --print-prefix  print the cache folder and stop
#
# The folder holds include/sqlite3.h, include/sqlite3ext.h and
# lib/libsqlite3.a.
#
# KVR27_SQLITE_WINDOWS_CACHE chooses the cache's parent folder (default
# /var/cache/kvr27dust32 as root, ~/.cache/kvr27dust32 otherwise). A folder
# counts as complete only once its stamp file is written, after the last
# step; a build that fails or is interrupted leaves no stamp, and the next
# run starts that folder again from nothing.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "$(id -u)" -eq 0 ]; then
    cache_root=${KVR27_SQLITE_WINDOWS_CACHE:-/var/cache/kvr27dust32}
else
    cache_root=${KVR27_SQLITE_WINDOWS_CACHE:-$HOME/.cache/kvr27dust32}
fi

cc=x86_64-w64-mingw32-gcc-posix
ar=x86_64-w64-mingw32-ar
for tool in "$cc" "$ar" tclsh; do
    if ! command -v "$tool" >/dev/null; then
        echo "build-sqlite-windows: $tool is not installed (run scripts/install-deps.sh)" >&2
        exit 1
    fi
done

# The newest sqlite3 source package apt knows of (read from its lists, no
# download); its version is the one fetched and built.
source_version() {
    local newest="" version
    for version in $(apt-cache showsrc --only-source sqlite3 2>/dev/null | sed -n 's/^Version: //p'); do
        if [ -z "$newest" ] || dpkg --compare-versions "$version" gt "$newest"; then
            newest=$version
        fi
    done
    echo "$newest"
}
sqlite_version=$(source_version)
if [ -z "$sqlite_version" ]; then
    # apt knows source packages only from deb-src entries: one is made from
    # Debian's own deb entry, same addresses, suites and key (the same entry
    # scripts/build-qt-windows.sh makes).
    if [ "$(id -u)" -ne 0 ]; then
        echo "build-sqlite-windows: apt has no deb-src entry; run once as root" >&2
        exit 1
    fi
    src_list=/etc/apt/sources.list.d/kvr27dust32-deb-src.sources
    sed -e 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$src_list"
    apt-get update -q
    sqlite_version=$(source_version)
fi
if [ -z "$sqlite_version" ]; then
    echo "build-sqlite-windows: apt lists no sqlite3 source package" >&2
    exit 1
fi
file_version=${sqlite_version#*:}
upstream_version=${file_version%%-*}

# SQLite's defaults, plus: safe from any thread, foreign keys enforced on
# every connection, no loading of extensions from files, and double quotes
# only ever for names, never for strings.
compile_flags=(
    -O2
    -DSQLITE_THREADSAFE=1
    -DSQLITE_DEFAULT_FOREIGN_KEYS=1
    -DSQLITE_OMIT_LOAD_EXTENSION
    -DSQLITE_DQS=0
)
toolchain_text="$cc $("$cc" -dumpfullversion) $ar $(dpkg-query -W -f='${Package}=${Version} ' \
    gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev 2>/dev/null || true)"
# The steps that make the library from the unpacked source; they belong to
# the key as much as the flags do.
build_steps_version=1

key_text="$sqlite_version|${compile_flags[*]}|$toolchain_text|$build_steps_version"
key=$(printf '%s' "$key_text" | sha256sum | cut -c1-12)
prefix="$cache_root/sqlite-$upstream_version-mingw64-static-$key"
stamp="$prefix/.kvr27-complete"

if [ "${1:-}" = "--print-prefix" ]; then
    echo "$prefix"
    exit 0
fi

stage() { echo "== build-sqlite-windows: $* (${SECONDS} s)"; }

# Two runs at once wait for each other rather than build into one folder.
mkdir -p "$cache_root"
exec 9>"$cache_root/.sqlite-$key.lock"
flock 9

if [ -f "$stamp" ]; then
    echo "build-sqlite-windows: SQLite $sqlite_version for Windows is in the cache: $prefix (${SECONDS} s)"
    exit 0
fi

work="$cache_root/work-sqlite-$key"
stage "SQLite $sqlite_version for x86_64-w64-mingw32 into $prefix"
rm -rf "$prefix" "$work"
mkdir -p "$work"

# Runs a step with its output in a log; on failure shows the log's end and
# keeps the whole of it.
logged() {
    local log="$work/$1.log"
    shift
    "$@" >"$log" 2>&1 || {
        tail -n 40 "$log" >&2
        echo "build-sqlite-windows: $(basename "$log" .log) failed; the whole log is $log" >&2
        exit 1
    }
}

stage "fetching Debian's sqlite3 $sqlite_version source package"
(cd "$work" && apt-get source --download-only "sqlite3=$sqlite_version")

stage "unpacking and applying Debian's patches"
(cd "$work" && dpkg-source --no-check -x "sqlite3_$file_version.dsc" source >/dev/null)

stage "making the amalgamation sqlite3.c on this machine"
mkdir -p "$work/build"
logged configure env -C "$work/build" "$work/source/configure"
logged amalgamation make -C "$work/build" sqlite3.c

stage "compiling sqlite3.c for Windows"
logged compile "$cc" "${compile_flags[@]}" -c "$work/build/sqlite3.c" -o "$work/build/sqlite3.o"

stage "installing"
mkdir -p "$prefix/include" "$prefix/lib"
"$ar" rcs "$prefix/lib/libsqlite3.a" "$work/build/sqlite3.o"
cp "$work/build/sqlite3.h" "$work/build/sqlite3ext.h" "$prefix/include/"

echo "$key_text" >"$stamp"
rm -rf "$work"
echo "build-sqlite-windows: done in ${SECONDS} s: $prefix ($(du -sh "$prefix" | cut -f1))"
