#!/bin/sh
# Runs the dialing tests of the running program against real devices: a fake
# modem on a pseudo-terminal pair as COM2 and a sound device that records to
# a file, in a Wine prefix made anew for every run.
#
# Usage: run-modem-tests.sh BUILD_DIR TEST_EXE TOOLS_DIR [TEST_ARGS...]
#   BUILD_DIR  where the prefix (wineprefix-dial) and the logs (dial/) go
#   TEST_EXE   the Windows test program
#   TOOLS_DIR  the project's tools (wine-prefix.sh, wine-run.sh)
# The recording browser and the fake modem are taken from beside this script.
set -u
build=$(cd "${1:?usage: run-modem-tests.sh BUILD_DIR TEST_EXE TOOLS_DIR}" && pwd)
tests=${2:?usage: run-modem-tests.sh BUILD_DIR TEST_EXE TOOLS_DIR}
tools=${3:?usage: run-modem-tests.sh BUILD_DIR TEST_EXE TOOLS_DIR}
shift 3  # the rest goes to the test program
here=$(cd "$(dirname "$0")" && pwd)
dir=$build/dial
export WINEPREFIX="$build/wineprefix-dial"
export WINEDEBUG="${WINEDEBUG:--all}"

socat_pid=
modem_pid=
cleanup() {
    [ -n "$modem_pid" ] && kill "$modem_pid" 2>/dev/null
    [ -n "$socat_pid" ] && kill "$socat_pid" 2>/dev/null
    [ -n "$modem_pid" ] && wait "$modem_pid" 2>/dev/null
    [ -n "$socat_pid" ] && wait "$socat_pid" 2>/dev/null
    # This prefix's Wine server, kept up for the run, and whatever it serves.
    if [ -d "$WINEPREFIX" ]; then
        wineserver -k >/dev/null 2>&1
        wineserver -w >/dev/null 2>&1
    fi
    return 0
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

# Waits until the file exists; fails after about 20 seconds.
await() {
    n=0
    while [ ! -e "$1" ]; do
        n=$((n + 1))
        if [ "$n" -gt 200 ]; then
            echo "run-modem-tests: $2 did not appear: $1" >&2
            exit 1
        fi
        sleep 0.1
    done
}

# A fresh prefix and fresh logs.
if [ -d "$WINEPREFIX" ]; then wineserver -k >/dev/null 2>&1; wineserver -w >/dev/null 2>&1; fi
rm -rf "$WINEPREFIX" "$WINEPREFIX.lock" "$dir"
mkdir -p "$dir/home"

# The default sound device of this run writes what is played to a file.
export HOME="$dir/home"
"$tools/recording-sound.sh" "$HOME" "$dir/played.raw"

"$tools/wine-prefix.sh" || { echo "run-modem-tests: cannot make $WINEPREFIX" >&2; exit 1; }

# The Wine server opens the ports for its programs and so takes the line as
# its controlling terminal; the hang-up signal it then gets makes it dump all
# its objects (some ten thousand lines) to its output.  Started here, that
# output goes to a file instead of into the test's.
wineserver -p >"$dir/wineserver.log" 2>&1

socat -d -d pty,raw,echo=0,link="$dir/ptyA" pty,raw,echo=0,link="$dir/ptyB" 2>"$dir/socat.log" &
socat_pid=$!
await "$dir/ptyA" "socat's line"
await "$dir/ptyB" "socat's line"

python3 "$here/fake-modem.py" "$dir/ptyB" "$dir/ptyA" "$dir/modem.log" "$dir/port.log" "$dir/modem.ready" \
    2>"$dir/fake-modem.err" &
modem_pid=$!
await "$dir/modem.ready" "the fake modem"

# COM2 is the modem's line, COM3 a device that is no serial port, COM4 none.
ln -sfn "$dir/ptyA" "$WINEPREFIX/dosdevices/com2"
ln -sfn /dev/null "$WINEPREFIX/dosdevices/com3"
rm -f "$WINEPREFIX/dosdevices/com4"

export TELVARA_MODEM_LOG="$dir/modem.log"
export TELVARA_PORT_LOG="$dir/port.log"
export TELVARA_PLAYED_LOG="$dir/played.raw"
export TELVARA_TEST_BROWSER="$here/../gui/record-browser.sh"
export TELVARA_BROWSER_LOG="$dir/browser.log"
: > "$TELVARA_BROWSER_LOG"

# The tests, within a limit of their own (see tools/wine-test-run.sh).
cd "$dir"
"$tools/wine-test-run.sh" 480 "$tests" "$@"
