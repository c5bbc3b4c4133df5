#!/bin/sh
# Installs the Debian packages a make target needs, when missing:
#   tools/install-deps.sh [GROUP...]      (default: build test)
# Installs use --no-install-recommends, so every package a target relies on
# is named here, fonts included: a package that only came in as a
# recommendation on one machine is missing on the next.  To add a package,
# put it in the group of the target that uses it, or add a group and name it
# in that target's recipe in the Makefile.
set -e

# The three trees: native (with the sanitizers of g++), x86_64 and i686
# Windows; python3 draws the icons and makes the tone clips.
build="cmake ninja-build make g++ python3
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686"

# Running the Windows side under Wine on a virtual display.  Wine draws the
# program's "MS Sans Serif", the system font and the dialogs with its first
# sans-serif fallback that is installed, Liberation Sans (fonts-liberation);
# without it every face becomes DejaVu Sans, far wider.  The same package
# gives Liberation Mono, which stands in for the contact dialog's Courier New.
wine="wine wine64 xvfb xauth fonts-liberation"

# GoogleTest natively and from its sources for the cross build; socat makes
# the serial line of the modem tests; xdotool clicks through the X server.
# The help page is checked against the XHTML DTDs offline, and the manifest
# for well-formed XML (xmllint of libxml2-utils).  Exported vCards are read
# back by another program, Python's vobject.
test="googletest libgtest-dev $wine socat xdotool libxml2-utils w3c-sgml-lib xml-core python3-vobject"

# `make run` without a display takes a screenshot with ImageMagick.
run="$wine imagemagick"
# The print and help pages are drawn by a real browser, with the fonts they name.
screenshots="$wine imagemagick chromium fonts-dejavu-core"
# Wine draws the minimise, maximise and close glyphs of a caption with the
# Marlett font, which Debian ships in fonts-wine.  Installing that package
# would change the faces of every prefix, the tests' included (they measure
# text in Liberation Sans), so for `make run` and `make screenshots` it is
# only fetched and unpacked under build/debs; tools/marlett.sh puts the one
# font into those two prefixes.
unpacked_view="fonts-wine"
fuzz="clang libclang-rt-14-dev"
format="clang-format"

[ $# -gt 0 ] || set -- build test
packages=""
unpacked=""
for group in "$@"; do
    case "$group" in
        build) packages="$packages $build" ;;
        test) packages="$packages $test" ;;
        run) packages="$packages $run"; unpacked="$unpacked_view" ;;
        screenshots) packages="$packages $screenshots"; unpacked="$unpacked_view" ;;
        fuzz) packages="$packages $fuzz" ;;
        format) packages="$packages $format" ;;
        *) echo "install-deps: no group $group" >&2; exit 2 ;;
    esac
done

missing=""
for p in $packages; do
    case " $missing " in *" $p "*) continue ;; esac
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends $missing
fi

# Packages fetched and unpacked, not installed: build/debs/PACKAGE holds the
# package's files.  apt-get download needs no root unless the package lists
# must be read anew first.
debs="$(cd "$(dirname "$0")/.." && pwd)/build/debs"
for p in $unpacked; do
    [ -f "$debs/$p/.unpacked" ] && continue
    echo "Unpacking $p under $debs (not installed)"
    mkdir -p "$debs"
    rm -rf "$debs/$p" "$debs/${p}_"*.deb
    if ! (cd "$debs" && apt-get download -qq "$p" 2>/dev/null); then
        $sudo apt-get update -qq
        (cd "$debs" && apt-get download -qq "$p")
    fi
    dpkg-deb -x "$debs/${p}_"*.deb "$debs/$p"
    rm -f "$debs/${p}_"*.deb
    touch "$debs/$p/.unpacked"
done
