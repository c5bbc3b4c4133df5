#!/bin/sh
# Runs the end-to-end test of the program installed under Program Files and
# elsewhere, in a Wine prefix made anew for this run with a HOME of its own:
# Wine links the user's Documents folder into HOME when it makes the prefix.
#
# Usage: run-installed.sh BUILD_DIR TEST_EXE TOOLS_DIR   (TELVARA_EXE from the environment)
set -u
build=$(cd "${1:?usage: run-installed.sh BUILD_DIR TEST_EXE TOOLS_DIR}" && pwd)
tests=${2:?usage: run-installed.sh BUILD_DIR TEST_EXE TOOLS_DIR}
tools=${3:?usage: run-installed.sh BUILD_DIR TEST_EXE TOOLS_DIR}
export WINEPREFIX="$build/wineprefix-e2e-installed"
export WINEDEBUG="${WINEDEBUG:--all}"

stop_wine() {
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k >/dev/null 2>&1
        wineserver -w >/dev/null 2>&1
    fi
    return 0
}
trap stop_wine EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

stop_wine
export HOME="$build/e2e-installed/home"
rm -rf "$WINEPREFIX" "$WINEPREFIX.lock" "$HOME"
mkdir -p "$HOME/Documents"
export TELVARA_HOME="$HOME"  # where the test looks for the Documents folder

"$tools/wine-prefix.sh" || { echo "run-installed: cannot make $WINEPREFIX" >&2; exit 1; }
"$tools/wine-test-run.sh" 240 "$tests" --gtest_filter='Installed.*'
