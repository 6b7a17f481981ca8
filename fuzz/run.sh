#!/bin/sh
# Runs the fuzz targets built in a build folder (see fuzz/CMakeLists.txt).
#
#   fuzz/run.sh fuzz <build folder> <seconds> [target...]
#       fuzzes each target for the given time, starting from its seed corpus
#       (fuzz/corpus/<target>) and the inputs found by earlier runs (kept in
#       the build folder); prints executions per second, corpus size and any
#       crash, hang or out-of-memory, whose input is saved in
#       fuzz/crashes/<target>/. Exits 1 when anything was found.
#   fuzz/run.sh replay <build folder> [target...]
#       runs each target once over its seed corpus and saved crash inputs,
#       without fuzzing; exits 1 when any input fails.
set -eu
cd "$(dirname "$0")/.."

mode=${1:?mode: fuzz or replay}
build=${2:?build folder}
shift 2
seconds=60
if [ "$mode" = fuzz ]; then
    seconds=${1:?seconds}
    shift
fi

# Limits of a finding: an input under 64 KiB that runs more than a second
# (with a margin for the sanitizers) or needs more memory than it could
# reasonably take.
limits="-max_len=65536 -timeout=2 -rss_limit_mb=2048 -malloc_limit_mb=512"

targets="$*"
if [ -z "$targets" ]; then
    targets=$(ls fuzz/corpus)
fi

failed=""
for target in $targets; do
    binary="$build/bin/fuzz_$target"
    if [ ! -x "$binary" ]; then
        echo "== $target: $binary is missing" >&2
        failed="$failed $target"
        continue
    fi
    crashes="fuzz/crashes/$target"
    if [ "$mode" = replay ]; then
        inputs=$(find "fuzz/corpus/$target" "$crashes" -type f ! -name '.*' 2>/dev/null | sort)
        count=$(echo "$inputs" | grep -c . || true)
        # shellcheck disable=SC2086
        if echo "$inputs" | xargs "$binary" $limits -runs=1 >"$build/replay-$target.log" 2>&1; then
            echo "== $target: $count inputs replayed"
        else
            echo "== $target: FAILED (log: $build/replay-$target.log)"
            tail -n 30 "$build/replay-$target.log"
            failed="$failed $target"
        fi
        continue
    fi

    work="$build/corpus/$target"
    log="$build/fuzz-$target.log"
    mkdir -p "$work" "$crashes"
    before=$(ls "$crashes" | sort)
    set +e
    # shellcheck disable=SC2086
    "$binary" $limits -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$crashes/" \
        "$work" "fuzz/corpus/$target" >"$log" 2>&1
    status=$?
    set -e
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    inputs=$(ls "$work" | wc -l)
    bytes=$(find "$work" -type f -printf "%s\n" | awk "{ s += \$1 } END { print int(s / 1024) }")
    echo "== $target: ${rate:-?} executions/s, corpus $inputs inputs (${bytes} KiB), exit $status"
    found=$(ls "$crashes" | sort | grep -vxF "$before" || true)
    if [ -n "$found" ] || [ "$status" -ne 0 ]; then
        failed="$failed $target"
        for file in $found; do
            echo "   found: $crashes/$file"
        done
        grep -E '^(==[0-9]+==ERROR|SUMMARY|ALARM|.*out-of-memory|.*deadly signal)' "$log" | head -n 5 | sed 's/^/   /'
        echo "   log: $log"
    fi
done

if [ -n "$failed" ]; then
    echo "Failed:$failed" >&2
    exit 1
fi
