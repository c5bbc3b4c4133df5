#!/bin/sh
# Runs each fuzz target for a while:  tools/fuzz.sh BUILD-DIR [SECONDS]
# (FUZZ_TARGETS, if set, names the targets to run; all five by default).
#
# Each target starts from its seeds in fuzz/corpus/<target>, copied into
# BUILD-DIR/fuzz-work/<target>/corpus, where what the fuzzer finds is kept for
# the next run.  Inputs that crash a target, trip a sanitizer, fail one of its
# checks or take too long go to BUILD-DIR/fuzz-work/<target>/findings and are
# kept in fuzz/corpus/<target>, which `make test` replays.  Prints
# one line a target and exits non-zero when any target found something.
set -u

build=${1:?usage: tools/fuzz.sh BUILD-DIR [SECONDS]}
seconds=${2:-60}
here=$(cd "$(dirname "$0")" && pwd)
seeds="$here/../fuzz/corpus"
work="$build/fuzz-work"
targets="${FUZZ_TARGETS:-datafile import dialstring settings vcard}"

status=0
summary=""
for target in $targets; do
    program="$build/fuzz/fuzz_$target"
    if [ ! -x "$program" ]; then
        echo "fuzz: $program is not built" >&2
        exit 1
    fi
    dir="$work/$target"
    mkdir -p "$dir/corpus" "$dir/findings"
    cp "$seeds/$target"/* "$dir/corpus/" 2>/dev/null || true
    log="$dir/fuzz.log"
    echo "Fuzzing $target for $seconds s (log: $log)..."
    "$program" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$dir/findings/" "$dir/corpus" >"$log" 2>&1
    rc=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
    units=$(ls "$dir/corpus" | wc -l)
    if [ "$rc" -eq 0 ]; then
        line=$(printf '%-11s ok     %9s runs (%s/s), coverage %s edges, corpus %s inputs' \
            "$target" "${execs:-?}" "${speed:-?}" "${cov:-?}" "$units")
    else
        status=1
        finding=$(ls -t "$dir/findings" 2>/dev/null | head -n 1)
        line=$(printf '%-11s FAILED after %s runs (exit %s): %s' \
            "$target" "${execs:-?}" "$rc" "${finding:+$dir/findings/$finding}")
        grep -E 'ERROR:|check failed|SUMMARY:|Timeout|timeout' "$log" | head -n 5 >&2
        if [ -n "$finding" ]; then
            # Kept with the seeds, so that `make test` replays it from now on.
            cp "$dir/findings/$finding" "$seeds/$target/$finding"
            echo "  rerun with: $program $dir/findings/$finding (kept as fuzz/corpus/$target/$finding)" >&2
        fi
    fi
    summary="$summary$line
"
done

echo
printf '%s' "$summary"
exit $status
