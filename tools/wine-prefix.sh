#!/bin/sh
# Makes the Wine prefix named by WINEPREFIX once: boots it, turns off the crash
# dialog (a crash must end a test, not wait for a click) and waits until the
# Wine server has written everything.
set -e
: "${WINEPREFIX:?}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/.telvara-ready" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # One virtual desktop for every program: windows are drawn inside it, so
    # showing and hiding them does not wait on the X server's window manager.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    # Without Wine's HTML engine the boot leaves .htm pages to no program;
    # on Windows the browser always claims them (winebrowser, as for links).
    wine reg add 'HKLM\Software\Classes\.htm' /ve /d htmlfile /f >/dev/null 2>&1
    wine reg add 'HKLM\Software\Classes\.html' /ve /d htmlfile /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.telvara-ready"
fi
