#!/usr/bin/env bash
# Tries the Windows installer under Wine as a technician would use it:
# installs it silently for the current user, starts the installed demo
# from its installed place in the working folder its Start-menu shortcut
# names and checks that it surveys the demo line and writes msp430_log.txt
# there, then uninstalls silently and checks
# that no installed file, shortcut or registry entry is left, and that the
# log is kept.
#   scripts/check-windows-installer.sh BUILD_DIRECTORY
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:?build directory}" && pwd)
setup=$(ls "$build"/kvr27dust32-*-setup.exe)

# A prefix of its own, so the check starts from a user who never had the tool.
export WINEPREFIX="$build/wine-prefix-installer"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;winedbg.exe=d;mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
rm -rf "$WINEPREFIX"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wine=wine
[ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64
wineboot --init </dev/null >/dev/null 2>&1
wineserver -w

failures=0
check() {
    if eval "$2"; then
        echo "  ok: $1"
    else
        echo "  FAILED: $1"
        failures=$((failures + 1))
    fi
}
windows_folder() { "$wine" cmd /c echo "%$1%" </dev/null 2>/dev/null | tr -d '\r'; }
unix_path() { winepath -u "$1" 2>/dev/null; }

local_app_data=$(unix_path "$(windows_folder LOCALAPPDATA)")
start_menu=$(unix_path "$(windows_folder APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\kvr27dust32")
installed="$local_app_data/Programs/kvr27dust32"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\kvr27dust32'

echo "installing $(basename "$setup") silently"
"$wine" "$setup" /S </dev/null >/dev/null 2>&1
wineserver -w
for file in kvr27dust32.exe kvr27dust32-sim.exe uninstall.exe; do
    check "installed $file" '[ -f "$installed/$file" ]'
done
demo_link="$start_menu/kvr27dust32 (demo).lnk"
check "Start-menu entries of the tool and the demo" '[ -f "$start_menu/kvr27dust32.lnk" ] && [ -f "$demo_link" ]'
check "uninstaller registered" '"$wine" reg query "$uninstall_key" /v UninstallString </dev/null >/dev/null 2>&1'

# The working folder the shortcut names, read from the link itself.
work_folder=$(python3 scripts/lnk_working_folder.py "$demo_link" 2>/dev/null || true)
echo "the demo's shortcut starts it in: ${work_folder:-(none)}"
work_unix=$(unix_path "$work_folder")
check "the working folder is the user's own, outside the programs folder" \
    '[ -n "$work_folder" ] && [ -d "$work_unix" ] && [[ "$work_unix" != "$installed"* ]]'

# The installed demo, started from its installed place in the folder its
# shortcut names, runs a survey of the demo line from the command line (a
# window would write nothing until a button is pressed).
echo "running the installed demo's survey in that folder"
status=0
(cd "$work_unix" && timeout 120 "$wine" "$installed/kvr27dust32-sim.exe" --survey </dev/null >"$build/installed-survey.txt" 2>&1) || status=$?
echo "  survey exit status: $status (1: the demo line has detectors to clean)"
check "the installed demo completed its survey" '[ "$status" = 1 ]'
check "the demo wrote msp430_log.txt in the shortcut's working folder" '[ -s "$work_unix/msp430_log.txt" ]'
[ -s "$work_unix/msp430_log.txt" ] && sed -n '1,3p' "$work_unix/msp430_log.txt" | sed 's/^/    log: /'
wineserver -w

echo "uninstalling silently"
"$wine" "$installed/uninstall.exe" /S </dev/null >/dev/null 2>&1
wineserver -w
check "no installed file left" '[ ! -e "$installed" ]'
check "no Start-menu entry left" '[ ! -e "$start_menu" ]'
check "uninstaller unregistered" '! "$wine" reg query "$uninstall_key" </dev/null >/dev/null 2>&1'
check "the log is kept" '[ -s "$work_unix/msp430_log.txt" ]'

if ((failures)); then
    echo "Windows installer: $failures check(s) failed"
    exit 1
fi
echo "Windows installer: all checks passed"
