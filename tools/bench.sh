#!/bin/sh
# Load and save benchmark of the data file:  tools/bench.sh BUILD-DIR
#
# Makes data files of 1,000 to 1,000,000 contacts under BUILD-DIR/data (once;
# again when the generator changes), times the core's load and save of each
# and the peak memory of a load, and Python's csv module reading the same
# files.  Loads are timed repeated in one process (the checks go by these)
# and each in a new process, as when a program starts with its file; each
# figure is the best of several runs.  Exits non-zero when a check fails.
set -eu

build=${1:?usage: tools/bench.sh BUILD-DIR}
here=$(cd "$(dirname "$0")" && pwd)
generator="$here/gen-contacts.py"
program="$build/bench/telvara_load_save_bench"
data="$build/data"
sizes="1000 10000 100000 1000000"

[ -x "$program" ] || { echo "bench: $program is not built" >&2; exit 1; }
mkdir -p "$data"

files=""
for n in $sizes; do
    file="$data/contacts-$n.csv"
    if [ ! -f "$file" ] || [ "$generator" -nt "$file" ]; then
        echo "Generating $n contacts..."
        python3 "$generator" "$n" "$file"
    fi
    files="$files $file"
done

echo
echo "Core: load = LoadDataFile (read, parse, add, sort by name), best of repeated loads in one process;"
echo "first load = best of loads each in a new process; save = WriteDataFile to a new file."
echo "Checks: the load gives the file's records sorted by name (equal names in file order),"
echo "and the saved file loads the same records in the same order."
# shellcheck disable=SC2086
"$program" times "$data/core-times.txt" $files

echo
echo "Python $(python3 -c 'import sys; print(sys.version.split()[0])'): csv.reader over the same files (latin-1, newline=''),"
echo "all rows into a list; best of repeated runs in one interpreter, and of runs each in a new one"
echo "(its start not counted)."
read_all='
import csv, sys, time
def read(path):
    start = time.perf_counter()
    with open(path, newline="", encoding="latin-1") as f:
        rows = list(csv.reader(f))
    return time.perf_counter() - start, len(rows)
'
: >"$data/python-times.txt"
for n in $sizes; do
    runs=7
    [ "$n" -ge 1000000 ] && runs=3
    file="$data/contacts-$n.csv"
    repeated=$(python3 -c "$read_all
print(min(read(sys.argv[1])[0] for _ in range(int(sys.argv[2]))))" "$file" "$runs")
    first=""
    i=0
    while [ $i -lt $runs ]; do
        t=$(python3 -c "$read_all
print(read(sys.argv[1])[0])" "$file")
        first=$(awk -v a="$t" -v b="${first:-$t}" 'BEGIN { print (a < b) ? a : b }')
        i=$((i + 1))
    done
    echo "$n $repeated $first" >>"$data/python-times.txt"
done

echo
awk '
    FNR == NR { load[$1] = $2; first[$1] = $3; save[$1] = $4; next }
    { py[$1] = $2; pyfirst[$1] = $3; order[++k] = $1 }
    END {
        printf "%10s %13s %13s %11s %13s %8s %8s\n", "", "core", "python", "", "", "python /", "core"
        printf "%10s %13s %13s %11s %13s %8s %8s\n", "records", "load ms", "load ms", "core first", "python first", "load", "first"
        for (i = 1; i <= k; ++i) {
            n = order[i]
            printf "%10d %13.2f %13.2f %11.2f %13.2f %7.2fx %7.2fx\n", n, load[n] * 1e3, py[n] * 1e3,
                first[n] * 1e3, pyfirst[n] * 1e3, py[n] / load[n], pyfirst[n] / first[n]
        }
    }' "$data/core-times.txt" "$data/python-times.txt"

echo
awk '$1 == 100000 {
    printf "Peak memory of loading 100,000 contacts in a new process: %.1f MB resident at the peak\n", $5 / 1024
    printf "(absolute); the load added %.1f MB (%.0f bytes a contact) to the %.1f MB before it.\n",
        ($5 - $6) / 1024, ($5 - $6) * 1024 / $1, $6 / 1024 }' "$data/core-times.txt"

echo
status=0
verdict() {  # text, ratio, ">=" or "<=", limit
    if awk -v r="$2" -v l="$4" -v c="$3" 'BEGIN { exit !((c == ">=") ? (r >= l) : (r <= l)) }'; then
        echo "PASS  $1"
    else
        echo "FAIL  $1"
        status=1
    fi
}
field() {  # file, records, column
    awk -v n="$2" -v c="$3" '$1 == n { print $c }' "$1"
}
core100k=$(field "$data/core-times.txt" 100000 2)
core1m=$(field "$data/core-times.txt" 1000000 2)
py100k=$(field "$data/python-times.txt" 100000 2)
first100k=$(field "$data/core-times.txt" 100000 3)
first1m=$(field "$data/core-times.txt" 1000000 3)
pyfirst100k=$(field "$data/python-times.txt" 100000 3)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
speedup=$(ratio "$py100k" "$core100k")
growth=$(ratio "$core1m" "$core100k")
verdict "load of 100,000: core $(ratio "$core100k" 0.001) ms, Python csv $(ratio "$py100k" 0.001) ms: the core is ${speedup}x as fast (at least 2x)" \
    "$speedup" ">=" 2
verdict "load of 1,000,000 takes ${growth}x the load of 100,000 ($(ratio "$core1m" 0.001) ms vs $(ratio "$core100k" 0.001) ms; at most 12x)" \
    "$growth" "<=" 12
echo "      (first loads in new processes: core $(ratio "$pyfirst100k" "$first100k")x as fast as Python at 100,000;"
echo "      1,000,000 takes $(ratio "$first1m" "$first100k")x the time of 100,000)"
exit $status
