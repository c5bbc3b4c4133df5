#!/bin/sh
# Runs a Windows test program under Wine for at most SECONDS, on a virtual
# display when there is none, then stops the rest of its prefix's Wine (its
# desktop) while the display is still there, so that the run ends with the
# program's own output:  tools/wine-test-run.sh SECONDS PROGRAM [ARG...]
# A hung run is ended here, before ctest's own limit, so that the caller's
# cleanup still runs.  WINEPREFIX must be set.  The exit code is the program's.
seconds=${1:?usage: wine-test-run.sh SECONDS PROGRAM [ARG...]}
shift
tools=$(cd "$(dirname "$0")" && pwd)
run='"$0" "$@"; rc=$?; wineserver -k >/dev/null 2>&1; exit $rc'
if [ -z "${DISPLAY:-}" ]; then
    exec timeout -k 10 "$seconds" xvfb-run -a -s '-screen 0 1024x768x24' sh -c "$run" "$tools/wine-run.sh" "$@"
fi
exec timeout -k 10 "$seconds" sh -c "$run" "$tools/wine-run.sh" "$@"
