#!/bin/sh
# Runs the end-to-end test of Setup's dialing method: telvara.exe in a Wine
# prefix made anew for this run, whose default sound device records what is
# played to a file and whose COM4 has no device behind it.
#
# Usage: run-speaker-setup.sh BUILD_DIR TEST_EXE TOOLS_DIR
#   TELVARA_EXE and TELVARA_SAMPLE come from the environment, as for the
#   other end-to-end tests.
set -u
build=$(cd "${1:?usage: run-speaker-setup.sh BUILD_DIR TEST_EXE TOOLS_DIR}" && pwd)
tests=${2:?usage: run-speaker-setup.sh BUILD_DIR TEST_EXE TOOLS_DIR}
tools=${3:?usage: run-speaker-setup.sh BUILD_DIR TEST_EXE TOOLS_DIR}
dir=$build/e2e-speaker
export WINEPREFIX="$build/wineprefix-e2e-speaker"
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
rm -rf "$WINEPREFIX" "$WINEPREFIX.lock" "$dir"
mkdir -p "$dir/home"

# The default sound device writes what is played to a file.
export HOME="$dir/home"
"$tools/recording-sound.sh" "$HOME" "$dir/played.raw"
export TELVARA_PLAYED_LOG="$dir/played.raw"

"$tools/wine-prefix.sh" || { echo "run-speaker-setup: cannot make $WINEPREFIX" >&2; exit 1; }
rm -f "$WINEPREFIX/dosdevices/com4"

"$tools/wine-test-run.sh" 240 "$tests" --gtest_filter='SpeakerSetup.*'
