#!/bin/sh
# Puts the Marlett font, with which Wine draws the caption buttons, into the
# prefix named by WINEPREFIX and into no other: the font file goes into the
# prefix's Windows fonts folder and is registered there, as an installed
# font is on Windows.  The file comes from Debian's fonts-wine package, which
# tools/install-deps.sh unpacks under build/debs without installing it.  Used
# by `make run` and `make screenshots` only; the test prefixes keep their
# fonts.  Without the unpacked package it says so and changes nothing.
set -e
: "${WINEPREFIX:?}"
top=$(cd "$(dirname "$0")/.." && pwd)
font="$top/build/debs/fonts-wine/usr/share/wine/fonts/marlett.ttf"
fonts="$WINEPREFIX/drive_c/windows/Fonts"
[ -f "$fonts/marlett.ttf" ] && exit 0
if [ ! -f "$font" ]; then
    echo "marlett: $font is missing (tools/install-deps.sh run unpacks it); captions show 0, 1 and r" >&2
    exit 0
fi
mkdir -p "$fonts"
cp "$font" "$fonts/marlett.ttf"
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' /v 'Marlett (TrueType)' \
    /d marlett.ttf /f >/dev/null 2>&1
wineserver -w
