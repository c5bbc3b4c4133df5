#!/bin/sh
# New, Edit and Delete of one contact in a book of 100,000 contacts, under
# Wine, against the start-up of that same book in the same run:
#
#   tools/bench-contact-commands.sh BUILD_WIN_DIR
#
# Each command is timed from OK (Yes for Delete) until the new or changed
# contact is shown selected, or the removed one is gone, and the list has
# been drawn; the best of a few starts.  The start-up is shown as
# tools/bench-startup.sh counts it (until the whole book is in the list) and
# until the list has been drawn, the end point the commands are timed to.
# Each command may take at most a tenth of the start-up until drawn; exits
# non-zero otherwise.
# Uses the book of tools/bench-startup.sh when it is there, else makes it.
set -e
build=$(cd "${1:?usage: bench-contact-commands.sh BUILD_WIN_DIR}" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
exe="$build/telvara.exe"
timer="$build/tests/telvara_contact_timer.exe"
for f in "$exe" "$timer"; do
    [ -f "$f" ] || { echo "missing $f: build the Windows tree first (make win)"; exit 2; }
done
count=100000
data="$build/bench-startup"
file="$data/contacts-$count.csv"
mkdir -p "$data"
if [ ! -f "$file" ]; then
    python3 "$top/tools/gen-contacts.py" "$count" "$file.tmp" 1
    mv "$file.tmp" "$file"
fi

export WINEPREFIX="$build/wineprefix-bench"
# BENCH_WINEDEBUG=+timestamp,+listview shows where the time goes.
export WINEDEBUG=${BENCH_WINEDEBUG:--all}
log="$data/contact-timer.log"
if ! results=$("$top/tools/wine-run.sh" "$timer" "$exe" "$count" "$file" "${REPEATS:-3}" 2>"$log"); then
    printf '%s\n' "$results"
    grep -v '^X connection' "$log" || true
    echo "FAIL: the timer could not measure every command"
    exit 1
fi

printf '%s\n' "$results" | awk -v count="$count" '
    /^RESULT/ {
        split($2, w, "="); split($3, m, "="); ms[w[2]] = m[2]
    }
    END {
        if (!("startup" in ms) || !("startup_drawn" in ms) || !("new" in ms) || !("edit" in ms) || !("delete" in ms)) {
            print "FAIL: results missing"; exit 1
        }
        printf "New, Edit and Delete with %d contacts under Wine, against the start-up of that book\n", count
        printf "%9s %10s %10s  %s\n", "command", "ms", "x drawn", "verdict"
        printf "%9s %10.1f  (until the book is in the list)\n", "start-up", ms["startup"]
        printf "%9s %10.1f  (until the list is drawn)\n", "drawn", ms["startup_drawn"]
        failed = 0
        split("new edit delete", order, " ")
        for (j = 1; j <= 3; ++j) {
            c = order[j]; ratio = ms[c] / ms["startup_drawn"]; ok = ratio <= 0.1
            if (!ok) failed = 1
            printf "%9s %10.1f %10.3f  %s (at most 0.1x)\n", c, ms[c], ratio, ok ? "PASS" : "FAIL"
        }
        print failed ? "FAIL" : "PASS"
        exit failed
    }'
