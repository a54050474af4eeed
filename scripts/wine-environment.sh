# The Wine environment of the Windows suites, sourced by the scripts that
# run them: a prefix of our own inside the build tree (cmake/wine-run.sh
# finds the same one when CTest is run by hand), no display, no debugger,
# no menu entries. Wine's own error messages stay on: cmake/wine-run.sh
# shows them with a run that failed and leaves them out of one that passed.
#
#   source scripts/wine-environment.sh BUILD
export WINEPREFIX="$1/wine-prefix"
export WINEDEBUG=err+all,fixme-all
export WINEDLLOVERRIDES="winemenubuilder.exe=d;winedbg.exe=d;mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

# One server and its device services for every test program, instead of a
# start and a shutdown around each of them.
start_wine_server() {
    wineserver -p
}
