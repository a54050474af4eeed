#!/usr/bin/env bash
# The Debian package suite: builds kvr27dust32_<version>_amd64.deb in
# build-package (configured for /usr with Debian's build flags), checks it
# with lintian, appstreamcli and desktop-file-validate, checks that its
# maintainer scripts reload udev where udev runs, installs it on this
# machine, starts the installed programs, purges it and checks that no file
# of it is left. Ends with one line, "package: pass" or "package: fail".
# Run as root (it installs and removes the package).
#   scripts/test-package.sh [build directory]
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath -m "${1:-build-package}")
jobs=$(nproc 2>/dev/null || echo 2)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=()
fail() {
    echo "package: FAILED: $*" >&2
    failures+=("$*")
}
finish() {
    if ((${#failures[@]})); then
        echo "package: fail (${#failures[@]} checks failed)"
        exit 1
    fi
    echo "package: pass"
    exit 0
}

if [ "$(id -u)" -ne 0 ]; then
    echo "test-package: run as root: the suite installs and removes the package" >&2
    exit 1
fi

# Build as Debian builds its packages: no build type of CMake's, the
# compiler and linker flags from dpkg-buildflags with every hardening on.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
    -DKVR27_TESTS=OFF -DKVR27_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j"$jobs"
rm -f "$build"/kvr27dust32_*.deb
(cd "$build" && cpack -G DEB >/dev/null)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb="$build/kvr27dust32_${version}_amd64.deb"
if [ ! -f "$deb" ]; then
    echo "test-package: cpack made no $deb" >&2
    ls "$build"/*.deb >&2 || true
    exit 1
fi
echo "package: built $(basename "$deb"), $(stat -c %s "$deb") bytes"
echo "package: depends on $(dpkg-deb --field "$deb" Depends)"

echo "== lintian"
lintian --fail-on error --info "$deb" || fail "lintian reports errors"

echo "== the package's metainfo and menu entries"
dpkg-deb --extract "$deb" "$work/tree"
metainfo=("$work"/tree/usr/share/metainfo/*.metainfo.xml)
[ -f "${metainfo[0]}" ] || fail "no metainfo in /usr/share/metainfo"
appstreamcli validate --no-net "${metainfo[@]}" || fail "appstreamcli validate"
desktop-file-validate "$work"/tree/usr/share/applications/*.desktop || fail "desktop-file-validate"
for wanted in usr/bin/kvr27dust32 usr/bin/kvr27dust32-sim \
    usr/share/applications/kvr27dust32.desktop usr/share/applications/kvr27dust32-sim.desktop \
    usr/share/icons/hicolor/scalable/apps/kvr27dust32.svg \
    usr/share/icons/hicolor/48x48/apps/kvr27dust32.png \
    usr/share/icons/hicolor/128x128/apps/kvr27dust32.png \
    usr/share/icons/hicolor/256x256/apps/kvr27dust32.png \
    usr/lib/udev/rules.d/70-kvr27dust32.rules usr/share/man/man1/kvr27dust32.1.gz; do
    [ -e "$work/tree/$wanted" ] || fail "the package lacks /$wanted"
done
for size in 48 128 256; do
    file "$work/tree/usr/share/icons/hicolor/${size}x${size}/apps/kvr27dust32.png" |
        grep -q "PNG image data, $size x $size," || fail "the ${size}x${size} icon is not $size px"
done

echo "== maintainer scripts"
# udevadm is a stub that writes down how it is called. "udev runs" is a
# mount namespace of the suite's own in which /run/udev exists; the
# system's /run stays as it is.
control="$work/control"
dpkg-deb --control "$deb" "$control"
mkdir -p "$work/stub"
printf '#!/bin/sh\necho "$*" >>"%s"\n' "$work/udevadm-calls" >"$work/stub/udevadm"
chmod 755 "$work/stub/udevadm"
reload=$'control --reload-rules\ntrigger --action=change --subsystem-match=hidraw'
# script, argument, where, the calls expected
while IFS='|' read -r script argument where expected; do
    rm -f "$work/udevadm-calls"
    if [ "$where" = "udev" ]; then
        unshare --mount sh -c 'mount -t tmpfs tmpfs /run && mkdir /run/udev && PATH="$1:$PATH" exec sh "$2" "$3"' \
            sh "$work/stub" "$control/$script" "$argument" || fail "$script $argument fails where udev runs"
    elif [ -d /run/udev ]; then
        continue
    else
        PATH="$work/stub:$PATH" sh "$control/$script" "$argument" || fail "$script $argument fails without udev"
    fi
    calls=$(cat "$work/udevadm-calls" 2>/dev/null || true)
    [ "$calls" = "${expected:+$reload}" ] ||
        fail "$script $argument ($where): udevadm called with \"${calls:-nothing}\", expected \"${expected:+$reload}\""
done <<'EOF_CASES'
postinst|configure|udev|reload
postrm|remove|udev|reload
postrm|purge|udev|reload
postrm|upgrade|udev|
postinst|configure|no udev|
postrm|remove|no udev|
EOF_CASES

echo "== install"
state=$(dpkg-query -W -f='${Status}' kvr27dust32 2>/dev/null || true)
if [[ -n $state && $state != *" not-installed" ]]; then
    echo "package: kvr27dust32 was installed before this suite; purging it first"
    dpkg --purge kvr27dust32 >/dev/null
fi
# What exists before the install, to tell afterwards what the package left.
dpkg-deb --fsys-tarfile "$deb" | tar -t | sed 's|^\./|/|; s|/$||' | grep -v '^$' | grep -v '^/$' >"$work/paths"
while read -r path; do
    [ -e "$path" ] || [ -L "$path" ] && echo "$path"
done <"$work/paths" >"$work/present-before" || true
apt-get install -y -q --no-install-recommends "$deb" >"$work/apt.log" 2>&1 || {
    cat "$work/apt.log" >&2
    fail "apt-get install"
    finish
}
[ "$(dpkg-query -W -f='${Status} ${Version}' kvr27dust32)" = "install ok installed $version" ] ||
    fail "dpkg does not list kvr27dust32 $version as installed"
for program in /usr/bin/kvr27dust32 /usr/bin/kvr27dust32-sim; do
    ! ldd "$program" | grep "not found" || fail "$program misses libraries"
done
[ "$(man -w kvr27dust32)" = /usr/share/man/man1/kvr27dust32.1.gz ] || fail "man does not find kvr27dust32(1)"

echo "== the installed programs start"
# The version, printed without a display.
printed=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM /usr/bin/kvr27dust32 --version 2>&1) ||
    fail "kvr27dust32 --version ended with an error"
[ "$printed" = "kvr27dust32 $version" ] || fail "kvr27dust32 --version printed \"$printed\""
# The window on the offscreen platform in both languages, ended by the
# program itself after the message loop's first pass. The log and any file
# the run writes stay in a folder of their own.
mkdir "$work/run"
for run in "/usr/bin/kvr27dust32-sim en" "/usr/bin/kvr27dust32-sim pl" "/usr/bin/kvr27dust32 en"; do
    read -r program language <<<"$run"
    status=0
    (cd "$work/run" && KVR27_QUIT_AFTER_START=1 QT_QPA_PLATFORM=offscreen timeout 60 "$program" --lang "$language" \
        >"$work/run.out" 2>"$work/run.err") || status=$?
    grep -v "XDG_RUNTIME_DIR" "$work/run.err" >&2 || true
    if [ "$status" -ne 0 ]; then
        fail "$program --lang $language ended with status $status (124: still running after 60 s)"
    else
        echo "package: $program --lang $language started and ended with status 0"
    fi
done

# The installed demo's survey from the command line, without a display:
# the demo line has detectors to clean (exit status 1), its table names
# them, and the report is written.
status=0
(cd "$work/run" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 120 /usr/bin/kvr27dust32-sim \
    --survey --lang pl --report survey.json >"$work/survey.out" 2>"$work/survey.err") || status=$?
if [ "$status" -ne 1 ]; then
    cat "$work/survey.err" >&2
    fail "kvr27dust32-sim --survey ended with status $status, not 1"
elif ! grep -q "^4 .*77%.*wymaga czyszczenia" "$work/survey.out"; then
    cat "$work/survey.out" >&2
    fail "kvr27dust32-sim --survey did not list address 4 at 77 % as to be cleaned"
elif ! grep -q '"address": 4' "$work/run/survey.json"; then
    fail "kvr27dust32-sim --survey wrote no report"
else
    echo "package: /usr/bin/kvr27dust32-sim --survey rated the demo line and wrote its report"
fi

echo "== purge"
dpkg --purge kvr27dust32 >/dev/null || fail "dpkg --purge"
state=$(dpkg-query -W -f='${Status}' kvr27dust32 2>/dev/null || true)
[[ -z $state || $state == *" not-installed" ]] || fail "dpkg still has kvr27dust32 as \"$state\""
left=()
while read -r path; do
    if { [ -e "$path" ] || [ -L "$path" ]; } && ! grep -qxF "$path" "$work/present-before"; then
        left+=("$path")
    fi
done <"$work/paths"
compgen -G "/var/lib/dpkg/info/kvr27dust32.*" >/dev/null && left+=(/var/lib/dpkg/info/kvr27dust32.*)
if ((${#left[@]})); then
    fail "left behind after the purge: ${left[*]}"
else
    echo "package: nothing of its $(wc -l <"$work/paths") paths is left after the purge"
fi

finish
