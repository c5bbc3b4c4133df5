#!/bin/sh
# Runs the end-to-end test of a save on a full disk: a small filesystem
# (tmpfs) is mounted and becomes drive T: of a prefix of its own, made anew
# for the run.  Mounting needs root; without it the check cannot run, which fails
# the run in CI and is a skip elsewhere.
#
# Usage: run-disk-full.sh BUILD_DIR TEST_EXE TOOLS_DIR
set -u
build=$(cd "${1:?usage: run-disk-full.sh BUILD_DIR TEST_EXE TOOLS_DIR}" && pwd)
tests=${2:?usage: run-disk-full.sh BUILD_DIR TEST_EXE TOOLS_DIR}
tools=${3:?usage: run-disk-full.sh BUILD_DIR TEST_EXE TOOLS_DIR}
export WINEPREFIX="$build/wineprefix-e2e-disk-full"
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
sh "$(dirname "$0")/fresh-prefix.sh" "$WINEPREFIX"
mkdir -p "$mnt"
if ! mount -t tmpfs -o size=128k tmpfs "$mnt" 2>/dev/null; then
    why="run-disk-full: cannot mount a small filesystem at $mnt (mounting needs root): the save on a full disk is not checked"
    # CI is any value of CI but empty, "0" and "false", as in tests/SkipOrFailInCi.h.
    case "${CI:-}" in
        "" | 0 | false) echo "SKIPPED: $why" >&2; exit 77 ;;
        *) echo "FAILED: $why" >&2; exit 1 ;;
    esac
fi
"$tools/wine-prefix.sh" || { echo "run-disk-full: cannot make $WINEPREFIX" >&2; exit 1; }
ln -sfn "$mnt" "$WINEPREFIX/dosdevices/t:"

"$tools/wine-test-run.sh" 240 "$tests" --gtest_filter='DiskFull.*'
