#!/bin/sh
# Installs the Debian packages the build and the tests need, when missing.
#   tools/install-deps.sh              what the build and `make test` need
#   tools/install-deps.sh screenshots  also the browser `make screenshots` uses
set -e
packages="cmake ninja-build make g++ clang libclang-rt-14-dev googletest libgtest-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64
  binutils-mingw-w64-i686 wine wine64 xvfb xauth socat imagemagick python3"
# The help page is checked against the XHTML DTDs offline.
packages="$packages libxml2-utils w3c-sgml-lib xml-core"
# The pages are drawn by a real browser, with the fonts they name.
if [ "${1:-}" = screenshots ]; then
    packages="$packages chromium fonts-liberation fonts-dejavu-core"
fi
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends $missing
