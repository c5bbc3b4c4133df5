#!/bin/sh
# Removes a test's Wine prefix so that every run starts from a new one (made
# again by tools/wine-run.sh or tools/wine-prefix.sh on first use).  A Wine server still
# serving the old prefix is waited for first.
set -e
prefix="${1:?usage: fresh-prefix.sh PREFIX}"
if [ -d "$prefix" ]; then
    WINEPREFIX="$prefix" wineserver -w 2>/dev/null || true
fi
rm -rf "$prefix" "$prefix.lock"
