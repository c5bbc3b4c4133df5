#!/bin/sh
# Commands of telvara.exe on large books, under Wine, each as a ratio to the
# start-up of the same book in the same run:  tools/bench-commands.sh BUILD_WIN_DIR
#
# For books of 10,000, 100,000 and 1,000,000 contacts: the start (the
# reference), Import of as many old-format entries into a book of one
# contact, a click on the "City" header and then on "First Name", Print,
# Save (the flush that makes it durable included), and Export vCard of the
# whole book (from OK in its file dialog until the file is in place), driven from outside by
# tests/e2e/CommandTimer.cpp; the peak memory at 1,000,000.  At 100,000 also
# Import of as many vCard 3.0 cards (N, FN, two TEL, EMAIL, ADR; one in ten
# with a photo of 20 KB, folded as phones fold it), with its peak memory.
# The books are made once, in BUILD_WIN_DIR/bench-commands.  Best of REPEATS
# (default 5).  Checks at 100,000 and 1,000,000: import at most 1.0 of the
# start (the vCard import too), each header sort at most 0.3, print at most
# 0.5, Save and Export vCard at most 0.5 (at 100,000; at 1,000,000 reported only).  Exits
# non-zero when a check fails.
set -e
build=$(cd "${1:?usage: bench-commands.sh BUILD_WIN_DIR}" && pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
exe="$build/telvara.exe"
timer="$build/tests/telvara_command_timer.exe"
for f in "$exe" "$timer"; do
    [ -f "$f" ] || { echo "missing $f: build the Windows tree first (make win)"; exit 2; }
done
repeats=${REPEATS:-5}
sizes="10000 100000 1000000"

data="$build/bench-commands"
mkdir -p "$data"
one="$data/one.csv"
[ -f "$one" ] || printf '; Data for Telvara.exe\r\n; V300\r\nSolo,One,819-555-0100,,Hull,QC,,,,0\r\n' >"$one"
args=""
for n in $sizes; do
    book="$data/contacts-$n.csv"
    old="$data/old-$n.DAT"
    if [ ! -f "$book" ] || [ "$top/tools/gen-contacts.py" -nt "$book" ]; then
        echo "Generating $n contacts..."
        python3 "$top/tools/gen-contacts.py" "$n" "$book.tmp" 1
        mv "$book.tmp" "$book"
        rm -f "$old"
    fi
    if [ ! -f "$old" ]; then
        # The same people in the old format: name, number and note.
        python3 - "$book" "$old.tmp" <<'PY'
import csv, sys
with open(sys.argv[1], newline="", encoding="latin-1") as f, \
        open(sys.argv[2], "w", newline="", encoding="latin-1") as out:
    out.write("; Data for Telvara\r\nCOM=2\r\n")
    for row in csv.reader(f):
        if not row or row[0].startswith(";"):
            continue
        name = (row[0] + " " + row[1]).strip().replace("\t", " ")
        out.write("%s\t%s\t%s\r\n" % (name, row[2].replace("\t", " "), row[8].replace("\t", " ")))
PY
        mv "$old.tmp" "$old"
    fi
    cards="-"
    if [ "$n" -eq 100000 ]; then
        cards="$data/cards-$n.vcf"
        if [ ! -f "$cards" ] || [ "$book" -nt "$cards" ]; then
            echo "Generating $n vCards..."
            python3 - "$book" "$cards.tmp" <<'PY'
import base64, csv, random, sys
random.seed(20)
photo = base64.b64encode(bytes(random.getrandbits(8) for _ in range(15000))).decode()
# Phones fold at 75 characters, continuing with one blank.
header = "PHOTO;ENCODING=b;TYPE=JPEG:"
text = header + photo
folded = [text[:75]] + [" " + text[i:i + 74] for i in range(75, len(text), 74)]
photo_lines = "\r\n".join(folded) + "\r\n"
def esc(s):
    return s.replace("\\", "\\\\").replace(",", "\\,").replace(";", "\\;")
with open(sys.argv[1], newline="", encoding="latin-1") as f, \
        open(sys.argv[2], "w", newline="", encoding="utf-8") as out:
    k = 0
    for row in csv.reader(f):
        if not row or row[0].startswith(";"):
            continue
        first, last, number, address, city, state, zipc, email = row[:8]
        k += 1
        out.write("BEGIN:VCARD\r\nVERSION:3.0\r\nN:%s;%s;;;\r\nFN:%s\r\n" %
                  (esc(last), esc(first), esc((first + " " + last).strip() or "Contact %d" % k)))
        out.write("TEL;type=CELL;type=VOICE;type=pref:%s\r\n" % (esc(number) or "819-555-%04d" % (k % 10000)))
        out.write("TEL;type=HOME;type=VOICE:613-555-%04d\r\n" % (k % 10000))
        if email:
            out.write("EMAIL;type=INTERNET;type=HOME:%s\r\n" % esc(email))
        out.write("ADR;type=HOME:;;%s;%s;%s;%s;Canada\r\n" % (esc(address), esc(city), esc(state), esc(zipc)))
        if k % 10 == 0:
            out.write(photo_lines)
        out.write("END:VCARD\r\n")
PY
            mv "$cards.tmp" "$cards"
        fi
    fi
    args="$args $n $book $old $cards"
done

export WINEPREFIX="$build/wineprefix-bench"
export TELVARA_TEST_BROWSER="$top/tests/gui/record-browser.sh"
export TELVARA_BROWSER_LOG="$data/browser.log"
export WINEDEBUG=-all
log="$data/timer.log"
echo "Timing the commands on the real program under Wine (best of $repeats)..."
# shellcheck disable=SC2086
if ! results=$("$top/tools/wine-run.sh" "$timer" "$exe" "$one" "$repeats" $args 2>"$log"); then
    printf '%s\n' "$results"
    grep -v '^X connection' "$log" || true
    echo "FAIL: the timer could not measure every command"
    exit 1
fi

printf '%s\n' "$results" | awk '
    function ratio(name, n) { return v[n, name] == "-" ? -1 : v[n, name] / v[n, "start_ms"] }
    function cell(name, n,   r) {
        r = ratio(name, n)
        return r < 0 ? sprintf("%10s", "not built") : sprintf("%10.2f", r)
    }
    function check(label, name, n, limit,   r) {
        r = ratio(name, n)
        if (r < 0) { printf "----  %-12s at %9d: not built (at most %.1f)\n", label, n, limit; return }
        ok = r <= limit
        printf "%s  %-12s at %9d: %.2f of the start (at most %.1f)\n", ok ? "PASS" : "FAIL", label, n, r, limit
        if (!ok) failed = 1
    }
    /^RESULT/ {
        n = ""
        for (i = 2; i <= NF; ++i) {
            split($i, kv, "=")
            if (kv[1] == "count") { n = kv[2]; order[++k] = n }
            else v[n, kv[1]] = kv[2]
        }
    }
    END {
        if (k != 3) { print "FAIL: results missing"; exit 1 }
        print "telvara.exe under Wine: each command as a ratio to the start with the same book"
        printf "%9s %10s %10s %10s %10s %10s %10s %10s %10s\n", "contacts", "start ms", "import", "sort City", "sort First", "print", "save", "vCards", "export"
        for (j = 1; j <= k; ++j) {
            n = order[j]
            printf "%9d %10.1f %s %s %s %s %s %s %s\n", n, v[n, "start_ms"], cell("import_ms", n), cell("city_ms", n),
                cell("first_ms", n), cell("print_ms", n), cell("save_ms", n), cell("vcard_ms", n), cell("export_ms", n)
        }
        printf "%9s %10s %10s %10s %10s %10s %10s %10s %10s\n", "(ms)", "", "", "", "", "", "", "", ""
        for (j = 1; j <= k; ++j) {
            n = order[j]
            printf "%9d %10.1f %10s %10s %10s %10s %10s %10s %10s\n", n, v[n, "start_ms"], v[n, "import_ms"], v[n, "city_ms"],
                v[n, "first_ms"], v[n, "print_ms"], v[n, "save_ms"], v[n, "vcard_ms"], v[n, "export_ms"]
        }
        n = 1000000
        printf "Memory at %d contacts: peak working set %.1f MiB after start, sorts and Save; %.1f MiB importing them\n",
            n, v[n, "peak_kib"] / 1024, v[n, "import_peak_kib"] / 1024
        n = 100000
        printf "Memory at %d contacts: peak working set %.1f MiB importing them as vCards\n", n, v[n, "vcard_peak_kib"] / 1024
        failed = 0
        for (j = 1; j <= k; ++j) {
            n = order[j]
            if (n < 100000) continue
            check("import", "import_ms", n, 1.0)
            if (n == 100000) check("vCard import", "vcard_ms", n, 1.0)
            check("sort City", "city_ms", n, 0.3)
            check("sort First", "first_ms", n, 0.3)
            check("print", "print_ms", n, 0.5)
            if (n == 100000) check("save", "save_ms", n, 0.5)
            else printf "      %-12s at %9d: %.2f of the start (reported only)\n", "save", n, ratio("save_ms", n)
            if (n == 100000) check("export vCard", "export_ms", n, 0.5)
            else printf "      %-12s at %9d: %.2f of the start (reported only)\n", "export vCard", n, ratio("export_ms", n)
        }
        print failed ? "FAIL" : "PASS"
        exit failed
    }'
