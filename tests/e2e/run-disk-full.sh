#!/bin/sh
# Runs the end-to-end test of a save on a full disk: a small filesystem
# (tmpfs) is mounted and becomes drive T: of the end-to-end prefix for the
# run.  Mounting needs root; without it the check cannot run, which fails
# the run in CI and is a skip elsewhere.
#
# Usage: run-disk-full.sh BUILD_DIR TEST_EXE TOOLS_DIR
set -u
build=$(cd "${1:?usage: run-disk-full.sh BUILD_DIR TEST_EXE TOOLS_DIR}" && pwd)
tests=${2:?usage: run-disk-full.sh BUILD_DIR TEST_EXE TOOLS_DIR}
tools=${3:?usage: run-disk-full.sh BUILD_DIR TEST_EXE TOOLS_DIR}
export WINEPREFIX="$build/wineprefix-e2e"
export WINEDEBUG="${WINEDEBUG:--all}"
mnt="$build/disk-full"

cleanup() {
    wineserver -k >/dev/null 2>&1
    rm -f "$WINEPREFIX/dosdevices/t:"
    umount "$mnt" 2>/dev/null
    return 0
}
trap cleanup EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM

umount "$mnt" 2>/dev/null
mkdir -p "$mnt"
if ! mount -t tmpfs -o size=128k tmpfs "$mnt" 2>/dev/null; then
    why="run-disk-full: cannot mount a small filesystem at $mnt (mounting needs root): the save on a full disk is not checked"
    if [ "${CI:-}" = "true" ]; then
        echo "FAILED: $why" >&2
        exit 1
    fi
    echo "SKIPPED: $why" >&2
    exit 77
fi
"$tools/wine-prefix.sh" || { echo "run-disk-full: cannot make $WINEPREFIX" >&2; exit 1; }
ln -sfn "$mnt" "$WINEPREFIX/dosdevices/t:"

"$tools/wine-test-run.sh" 240 "$tests" --gtest_filter='DiskFull.*'
