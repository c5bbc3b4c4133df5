#!/bin/sh
# Start-up of telvara.exe under Wine: the time from CreateProcess until its
# message loop is idle with the whole data file in the list, and the peak
# working set, for an empty data file and for 10,000 and 100,000 contacts.
#
#   tools/bench-startup.sh BUILD_WIN_DIR
#
# Runs in a Wine prefix of its own under the build folder; the data files are
# made once, in BUILD_WIN_DIR/bench-startup.  Each size starts the program a
# few times and keeps the best time.  10,000 contacts may take at most 1.5
# times the empty start and 100,000 at most 3 times; exits non-zero otherwise.
set -e
build=$(cd "${1:?usage: bench-startup.sh BUILD_WIN_DIR}" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
exe="$build/telvara.exe"
timer="$build/tests/telvara_startup_timer.exe"
for f in "$exe" "$timer"; do
    [ -f "$f" ] || { echo "missing $f: build the Windows tree first (make win)"; exit 2; }
done
repeats=${REPEATS:-3}

data="$build/bench-startup"
mkdir -p "$data"
empty="$data/empty.csv"
[ -f "$empty" ] || printf '; Data for Telvara.exe\r\n; V300\r\n' >"$empty"
for n in 10000 100000; do
    file="$data/contacts-$n.csv"
    [ -f "$file" ] && continue
    if [ -x "$top/tools/gen-contacts.py" ] || [ -f "$top/tools/gen-contacts.py" ]; then
        python3 "$top/tools/gen-contacts.py" "$n" "$file.tmp" 1
    else
        # Plain records in the program's format, when the generator is absent.
        python3 - "$n" "$file.tmp" <<'PY'
import random, sys
n, out = int(sys.argv[1]), sys.argv[2]
r = random.Random(1)
first = "Anna Ann Bob Carla Dan Eve Frank Grace Hiro Ivy Jack Kim Luc Marie Pierre Sylvie".split()
last = "Bell Lee Roe Diaz Okafor Martin Nguyen Hopper Tanaka Chen Park Roy Gagnon Tremblay".split()
city = "Gatineau Ottawa Aylmer Hull Chelsea Wakefield Montreal Toronto".split()
with open(out, "w", newline="") as f:
    f.write("; Data for Telvara.exe\r\n; V300\r\n")
    for i in range(n):
        fn, ln = r.choice(first), r.choice(last)
        f.write("%s,%s,819-%03d-%04d,%d %s St,%s,QC,J8X %d%s%d,%s.%s@example.com,%s,%d\r\n" % (
            fn, ln, r.randrange(200, 999), r.randrange(10000), r.randrange(1, 9999), r.choice(last),
            r.choice(city), r.randrange(10), "ABCEGHJ"[r.randrange(7)], r.randrange(10),
            fn.lower(), ln.lower(), "" if r.random() < 0.6 else '"cell, evenings"', r.random() < 0.2))
PY
    fi
    mv "$file.tmp" "$file"
done

export WINEPREFIX="$build/wineprefix-bench"
export WINEDEBUG=-all
log="$data/timer.log"
if ! results=$("$top/tools/wine-run.sh" "$timer" "$exe" "$repeats" \
        0 "$empty" 10000 "$data/contacts-10000.csv" 100000 "$data/contacts-100000.csv" 2>"$log"); then
    printf '%s\n' "$results"
    grep -v '^X connection' "$log" || true
    echo "FAIL: the timer could not measure every start"
    exit 1
fi

printf '%s\n' "$results" | awk -v repeats="$repeats" '
    /^RESULT/ {
        for (i = 2; i <= NF; ++i) { split($i, kv, "="); v[kv[1]] = kv[2] }
        n = v["count"]; ms[n] = v["best_ms"]; kib[n] = v["peak_kib"]; runs[n] = v["runs_ms"]; order[++k] = n
    }
    END {
        if (!(0 in ms) || !(10000 in ms) || !(100000 in ms)) { print "FAIL: results missing"; exit 1 }
        limit[0] = 0; limit[10000] = 1.5; limit[100000] = 3
        printf "telvara.exe start to idle loop under Wine, best of %d\n", repeats
        printf "%9s %10s %8s %12s  %s\n", "contacts", "best ms", "x empty", "peak MiB", "verdict"
        failed = 0
        for (j = 1; j <= k; ++j) {
            n = order[j]; ratio = ms[n] / ms[0]
            verdict = ""
            if (limit[n] > 0) {
                ok = ratio <= limit[n]
                verdict = sprintf("%s (at most %.1fx)", ok ? "PASS" : "FAIL", limit[n])
                if (!ok) failed = 1
            }
            printf "%9d %10.1f %8.2f %12.1f  %s\n", n, ms[n], ratio, kib[n] / 1024, verdict
        }
        print failed ? "FAIL" : "PASS"
        exit failed
    }'
