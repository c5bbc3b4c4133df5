#!/bin/sh
# Runs a Windows program under Wine in a prefix of the build's own, making the
# prefix on first use.  WINEPREFIX must be set (the tests set it under the
# build folder); the user's own prefix is never touched.  Without a display
# the program gets a virtual one.
set -e
: "${WINEPREFIX:?WINEPREFIX must name the build's own Wine prefix}"
export WINEPREFIX
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"
here=$(dirname "$0")
"$here/wine-prefix.sh"
if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null 2>&1; then
    exec xvfb-run -a -s '-screen 0 1024x768x24' wine "$@"
fi
exec wine "$@"
