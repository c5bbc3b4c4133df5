#!/bin/sh
# Printing a large phone book in telvara.exe under Wine: in one run of the
# program, the start-up with 100,000 contacts, then the time from OK in the
# print dialog until the page is written whole (the moment the program hands
# it to the shell), and until the browser has its path.
#
#   tools/bench-print.sh BUILD_WIN_DIR
#
# Runs in a Wine prefix of its own under the build folder, with a recording
# browser standing in for the real one; the book is made once, in
# BUILD_WIN_DIR/bench-startup (shared with tools/bench-startup.sh).  Printing
# may take at most as long as the start-up with that book; exits non-zero
# otherwise.
set -e
build=$(cd "${1:?usage: bench-print.sh BUILD_WIN_DIR}" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
exe="$build/telvara.exe"
timer="$build/tests/telvara_print_timer.exe"
for f in "$exe" "$timer"; do
    [ -f "$f" ] || { echo "missing $f: build the Windows tree first (make win)"; exit 2; }
done

n=100000
data="$build/bench-startup"
book="$data/contacts-$n.csv"
mkdir -p "$data"
if [ ! -f "$book" ]; then
    python3 "$top/tools/gen-contacts.py" "$n" "$book.tmp" 1
    mv "$book.tmp" "$book"
fi

export WINEPREFIX="$build/wineprefix-bench"
export WINEDEBUG=-all
export TELVARA_TEST_BROWSER="$top/tests/gui/record-browser.sh"
export TELVARA_BROWSER_LOG="$data/browser.log"
: >"$TELVARA_BROWSER_LOG"
log="$data/print-timer.log"
if ! results=$("$top/tools/wine-run.sh" "$timer" "$exe" "$n" "$book" 2>"$log"); then
    printf '%s\n' "$results"
    grep -v '^X connection' "$log" || true
    echo "FAIL: the print could not be timed"
    exit 1
fi

printf '%s\n' "$results" | awk '
    /^RESULT/ {
        for (i = 2; i <= NF; ++i) { split($i, kv, "="); v[kv[1]] = kv[2] }
        found = 1
    }
    END {
        if (!found) { print "FAIL: no result"; exit 1 }
        printf "telvara.exe printing %d contacts under Wine, in one run\n", v["count"]
        printf "  start-up to an idle loop      %10.1f ms\n", v["startup_ms"]
        printf "  OK to the page written whole  %10.1f ms  (%d KiB)\n", v["print_ms"], v["page_kib"]
        printf "  OK to the browser holding it  %10.1f ms\n", v["browser_ms"]
        ok = v["print_ms"] <= v["startup_ms"]
        printf "%s (printing at most as long as the start-up)\n", ok ? "PASS" : "FAIL"
        exit ok ? 0 : 1
    }'
