#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Measures the list filter of the window on the 300,000-row collection: one keystroke from
# the key to the repainted list, and the window's memory after F5 once the descriptions are
# gathered. Runs hangardeck-bench-filter ROUNDS times and prints the medians beside their
# targets.
#
#   bench/run-filter.sh [COLLECTION_DIR]
#
# Without a directory, build/bench-collection-30k (30000 folders, 10 variations each) is
# generated once, as LARGE=1 bench/run-gui.sh does. Environment: HANGARDECK_BENCH_FILTER
# (default build/bin/hangardeck-bench-filter), ROUNDS (default 3).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/collection.sh"
root=$(dirname "$here")

bench=${HANGARDECK_BENCH_FILTER:-$root/build/bin/hangardeck-bench-filter}
rounds=${ROUNDS:-3}
case $rounds in
    '' | *[!0-9]* | 0) echo "run-filter.sh: ROUNDS must be a positive whole number, not '$rounds'" >&2; exit 2 ;;
esac
if [ ! -x "$bench" ]; then
    echo "run-filter.sh: '$bench' not found; build it first (make build)" >&2
    exit 2
fi
if [ $# -gt 1 ]; then
    echo "usage: bench/run-filter.sh [COLLECTION_DIR]" >&2
    exit 2
fi
if [ $# -eq 1 ]; then
    collection=$1
else
    collection=$root/build/bench-collection-30k
    ensure_collection "$collection" 30000
fi

# Every round finds the files in the page cache.
find "$collection" -name aircraft.cfg -exec cat {} + >/dev/null 2>&1 || true
echo "collection: $collection; $rounds rounds; $(nproc) CPUs, load average $(cut -d' ' -f1 /proc/loadavg) at start"
summaries=$(mktemp)
trap 'rm -f "$summaries"' EXIT
i=0
while [ "$i" -lt "$rounds" ]; do
    "$bench" "$collection" 2>/dev/null | grep '^f5_ms=' | tee -a "$summaries"
    i=$((i + 1))
done
echo "load average $(cut -d' ' -f1 /proc/loadavg) at end; MB = 2^20 bytes"

# The median over the rounds of one field of the summary lines.
median() {
    sed -n "s/.* $1=\([0-9.]*\).*/\1/p" "$summaries" | sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'
}
verdict() { # value target goal
    awk -v v="$1" -v t="$2" -v g="$3" 'BEGIN {
        if (v > t) print "ABOVE TARGET"; else if (t == g) print "target met";
        else if (v <= g) print "goal met"; else print "target met, goal not yet" }'
}
rows=$(median rows)
key_max=$(median key_max_ms)
key_median=$(median key_median_ms)
rss=$(median rss_gathered_mb)
printf 'slowest keystroke, key to repainted list  %6s ms  target <= 50 ms, goal 16 ms: %s  [%s rows, median of %s rounds]\n' \
    "$key_max" "$(verdict "$key_max" 50 16)" "$rows" "$rounds"
printf 'slowest keystroke, processor time        %6s ms  the work without the wait for a processor  [%s rows, median of %s rounds]\n' \
    "$(median key_cpu_max_ms)" "$rows" "$rounds"
printf 'median keystroke                          %6s ms  [%s rows, median of %s rounds]\n' "$key_median" "$rows" "$rounds"
printf 'window RSS after F5, descriptions in      %6s MB  target <= 220 MB: %s  [%s rows, median of %s rounds]\n' \
    "$rss" "$(verdict "$rss" 220 220)" "$rows" "$rounds"
printf 'of it the filter'"'"'s folded texts           %6s MB  [%s rows, median of %s rounds]\n' "$(median filter_text_mb)" \
    "$rows" "$rounds"
printf 'descriptions gathered after the list      %6s ms  on the reader threads  [%s rows, median of %s rounds]\n' \
    "$(median gather_ms)" "$rows" "$rounds"
