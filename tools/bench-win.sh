#!/bin/sh
# The size of telvara.exe, and the processor time of an open message box
# under Wine:  tools/bench-win.sh [BUILD-DIR]
#
# BUILD-DIR is the Windows build (default build/win); the program runs in the
# build's own Wine prefix, on a virtual display when there is none.  Exits
# non-zero when the box takes 1% of one core or more while it waits.
set -eu

build=${1:-build/win}
build=$(cd "$build" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
program="$build/telvara_msgbox_bench.exe"

[ -f "$program" ] || { echo "bench-win: $program is not built" >&2; exit 1; }

# The size of what a user installs.
if [ -f "$build/telvara.exe" ]; then
    echo "telvara.exe: $(wc -c < "$build/telvara.exe") bytes"
fi

export WINEPREFIX="$build/wineprefix"
echo "Message box waiting for OK (about 5 s):"
status=0
output=$("$here/wine-run.sh" "$program") || status=$?
printf '%s\n' "$output"
case "$output" in
    *PASS*) ;;
    *) status=${status:-1}; [ "$status" -ne 0 ] || status=1 ;;
esac
exit "$status"
