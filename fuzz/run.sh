#!/bin/sh
# Runs every harness of the fuzz build: first over its committed regression inputs (each must
# pass), then fuzzing for FUZZ_SECONDS seconds from a work corpus seeded with the samples,
# two harnesses at a time. Exits non-zero when any harness finds a crash or a broken
# property; the input that did it is kept under findings/<harness>/ of the build folder.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${BUILD_DIR:-$root/build/fuzz}" && pwd)
seconds=${FUZZ_SECONDS:-180}
# Every harness the build made (fuzz/CMakeLists.txt names them), so the list lives in one place.
harnesses=$(cd "$build/bin" && ls -- *_fuzzer 2>/dev/null | sed 's/_fuzzer$//')
if [ -z "$harnesses" ]; then
    echo "no harnesses in $build/bin: build the fuzz target first (make fuzz)" >&2
    exit 2
fi
# Allocation stacks cost a third of the profile harnesses' speed; a finding replayed by hand
# with ASAN_OPTIONS unset still shows them.
export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=0}"

# Harnesses that read file bytes start from every sample aircraft.cfg and settings file.
seeded() {
    case $1 in decoding | profile | profilewriter | description) return 0 ;; esac
    return 1
}

replay() {
    inputs=$(find "$root/fuzz/regressions/$1" -type f 2>/dev/null | sort)
    [ -z "$inputs" ] && return 0
    # shellcheck disable=SC2086 # one argument per input; the names hold no blanks
    if ! "$build/bin/$1_fuzzer" $inputs >"$build/logs/$1.regressions.log" 2>&1; then
        echo "$1: a regression input fails, see $build/logs/$1.regressions.log" >&2
        return 1
    fi
    echo "$1: $(echo "$inputs" | wc -l) regression inputs pass"
}

fuzz() {
    corpus=$build/corpus/$1
    findings=$build/findings/$1
    mkdir -p "$corpus" "$findings"
    # The regression inputs seed the work too: each holds a case the mutations rarely reach.
    for file in "$root/fuzz/regressions/$1"/*; do
        [ -f "$file" ] && cp "$file" "$corpus/regression-$(basename "$file")"
    done
    if seeded "$1"; then
        find "$root/samples" -type f \( -iname aircraft.cfg -o -iname hangardeck.ini \) | while read -r file; do
            cp "$file" "$corpus/seed-$(printf '%s' "$file" | cksum | cut -d' ' -f1)"
        done
    fi
    earlier=$(find "$findings" -type f | wc -l)
    status=0
    "$build/bin/$1_fuzzer" "$corpus" -dict="$root/fuzz/ini.dict" -max_total_time="$seconds" -max_len=4096 -timeout=20 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/" >"$build/logs/$1.log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$build/logs/$1.log")
    took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1 s/p' "$build/logs/$1.log")
    found=$(($(find "$findings" -type f | wc -l) - earlier))
    echo "$1: ${runs:-?} executions in ${took:-less than $seconds s (stopped)}, $found new findings in $findings"
    if [ "$status" -ne 0 ]; then
        grep -E "property failed|ERROR:|SUMMARY|got:|want:" "$build/logs/$1.log" >&2 || true
        echo "$1: failed, log in $build/logs/$1.log" >&2
        return 1
    fi
}

mkdir -p "$build/logs"
failed=0
for h in $harnesses; do
    replay "$h" || failed=1
done
[ "$failed" -eq 0 ] || exit 1

set -- $harnesses
while [ $# -gt 0 ]; do
    fuzz "$1" &
    first=$!
    second=""
    if [ $# -gt 1 ]; then
        fuzz "$2" &
        second=$!
        shift
    fi
    shift
    wait "$first" || failed=1
    [ -z "$second" ] || wait "$second" || failed=1
done
exit "$failed"
