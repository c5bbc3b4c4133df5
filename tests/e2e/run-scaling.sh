#!/bin/sh
# run-scaling.sh BUILD_DIR TEST_EXE TOOLS_DIR: the scaling test at 100, 125, 150 and 200 % (or SCALINGS, 96 first)
# in a new prefix.  DpiScalingVer lets the manifest decide; LogPixels is read when the Wine server starts.
set -eu
build=$(cd "${1:?}" && pwd) tests=${2:?} tools=${3:?}
export WINEPREFIX="$build/wineprefix-e2e-scaling" WINEDEBUG="${WINEDEBUG:--all}" TELVARA_FITS="$build/scaling-fits.txt"
wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX" "$WINEPREFIX.lock" "$TELVARA_FITS"
"$tools/wine-prefix.sh"
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 2048x1536 /f >/dev/null 2>&1  # room at 200 %
wine reg add 'HKCU\Control Panel\Desktop' /v DpiScalingVer /t REG_DWORD /d 1 /f >/dev/null 2>&1
for dpi in ${SCALINGS:-96 120 144 192}; do
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
    wineserver -k || true; wineserver -w
    TELVARA_DPI=$dpi "$tools/wine-test-run.sh" 120 "$tests" --gtest_filter='ProgramTest.Scales*'
done
