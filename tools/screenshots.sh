#!/bin/sh
# Pictures of the program's windows, to look at:  tools/screenshots.sh BUILD-DIR
#
# Runs BUILD-DIR/tests/telvara_screens.exe under Wine inside a virtual desktop
# (so that captions and window frames are drawn as a user sees them), in a
# prefix of its own and on a virtual display when there is none, then turns
# its BMP files into PNG files under BUILD-DIR/screenshots, once with the
# system theme and once without it (BUILD-DIR/screenshots/classic).  The print page
# and the help page it writes there are drawn by Debian's chromium, headless,
# with a profile of its own and nothing fetched from the network.  Exits
# non-zero when a picture is missing.  With LOGPIXELS set (120 for 125 %,
# 144 for 150 %, 192 for 200 %) the pictures are taken at that scaling, in
# a prefix and a folder of their own (screenshots-LOGPIXELS).
set -eu

build=${1:?usage: tools/screenshots.sh BUILD-DIR}
build=$(cd "$build" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
program="$build/tests/telvara_screens.exe"
out="$build/screenshots${LOGPIXELS:+-$LOGPIXELS}"
pictures="frame yes-no-cancel ok-icon about about-long-link contact-new contact-edit setup setup-port colours list-colours print-dialog backup-dialog"
pages="print-page help-page"

[ -f "$program" ] || { echo "screenshots: $program is not built" >&2; exit 1; }
command -v convert >/dev/null 2>&1 || { echo "screenshots: ImageMagick's convert is missing" >&2; exit 1; }

# A prefix of its own: it gets the Marlett font of the caption buttons,
# which the test prefixes must not have.
export WINEPREFIX="$build/wineprefix-screens${LOGPIXELS:+-$LOGPIXELS}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree=;mshtml=}"
"$here/wine-prefix.sh"
"$here/marlett.sh"
if [ -n "${LOGPIXELS:-}" ]; then
    # DpiScalingVer: the program's manifest decides its awareness, as on Windows.
    wine reg add 'HKCU\Control Panel\Desktop' /v DpiScalingVer /t REG_DWORD /d 1 /f >/dev/null 2>&1
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$LOGPIXELS" /f >/dev/null 2>&1
    wineserver -k; wineserver -w  # read at the server's next start
fi

rm -rf "$out"
mkdir -p "$out/classic"

# Wine sees the Unix file system as drive Z:.
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

# Every window twice: with the system's theme (themed controls) in $out,
# and without it (classic controls) in $out/classic.
status=0
for theme in 1 0; do
    dir=$out
    [ "$theme" = 0 ] && dir=$out/classic
    wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /d "$theme" /f \
        >/dev/null 2>&1
    wineserver -w
    # The built program lends the About box its icon and the dialogs their
    # templates; the sample phone book fills the print page.
    set -- "$(windows_path "$program")" "$(windows_path "$dir")"
    [ -f "$build/telvara.exe" ] && set -- "$@" "$(windows_path "$build/telvara.exe")" \
        "$(windows_path "$here/../examples/friends.csv")"
    if [ -z "${DISPLAY:-}" ]; then
        xvfb-run -a -s '-screen 0 1024x768x24' wine explorer /desktop=shot,1024x768 "$@" || true
    else
        wine explorer /desktop=shot,1024x768 "$@" || true
    fi
    wineserver -w

    for name in $pictures; do
        if [ -s "$dir/$name.bmp" ] && convert "$dir/$name.bmp" "$dir/$name.png"; then
            rm -f "$dir/$name.bmp"
            echo "screenshots: $dir/$name.png"
        else
            echo "screenshots: $name was not drawn" >&2
            status=1
        fi
    done
done
browser=""
for candidate in chromium chromium-browser; do
    command -v "$candidate" >/dev/null 2>&1 && browser=$candidate && break
done
if [ -z "$browser" ]; then
    echo "screenshots: chromium is missing (tools/install-deps.sh screenshots installs it)" >&2
    exit 1
fi
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
for name in $pages; do
    rm -f "$out/$name.png"
    if [ -s "$out/$name.htm" ]; then
        "$browser" --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
            --disable-component-update --disable-sync --user-data-dir="$profile" --hide-scrollbars \
            --window-size=1024,900 --screenshot="$out/$name.png" "file://$out/$name.htm" >/dev/null 2>&1 || true
    fi
    if [ -s "$out/$name.png" ]; then
        echo "screenshots: $out/$name.png"
    else
        echo "screenshots: $name was not drawn by $browser" >&2
        status=1
    fi
done
exit $status
