#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, test and run.
# Run as root. Safe to run again: installed packages are left alone.
set -euo pipefail

packages=(
    # build and tests
    cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev clang-format
    # the window (Qt 6 Widgets, Gui for the PDF report, PrintSupport)
    qt6-base-dev fonts-dejavu-core
    # its English translation (lupdate, lrelease, qt_add_translations) and
    # Qt's own translations of its texts
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
    # the site history store: the system's SQLite
    libsqlite3-dev
    # the Debian package: cpack's dependency list, its checks, its install test
    dpkg-dev lintian appstream desktop-file-utils file man-db
    # reading the PDF report back in its test, and rendering it for the docs
    poppler-utils
    # screenshots under a virtual X server
    xvfb xauth x11-apps imagemagick
    # the Windows build, tested under Wine
    g++-mingw-w64-x86-64-posix wine64 wine
    # Qt for Windows, built from Debian's qt6-base source (scripts/build-qt-windows.sh):
    # the host's Qt tools, the source unpacker, Ninja, Wine's Wintab headers
    qt6-base-dev-tools dpkg-dev xz-utils ninja-build libwine-dev
    # SQLite for Windows, built from Debian's sqlite3 source
    # (scripts/build-sqlite-windows.sh): tclsh makes the amalgamation
    tcl
    # the Windows installer and its check under Wine; the Windows screenshot
    nsis python3 fonts-wine xdotool
    # the kernel-level test with a virtual dongle
    qemu-system-x86 busybox-static cpio gzip
    # the fuzzing suite (libFuzzer comes with clang's runtime libraries)
    clang libclang-rt-14-dev
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if ((${#missing[@]})); then
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: missing packages (run as root): ${missing[*]}" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
