#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Times the check window (hangardeck-bench-check-window: from the check started to its last
# finding in the table) against "hangardeck-cli check --extended > /dev/null" side by side,
# interleaved, on 30,000 bare folders of 10 variations (build/bench-collection-30k), where every
# variation has findings.
#
#   bench/run-check-window.sh [COLLECTION_DIR]
#
# Environment: HANGARDECK_CLI (default build/bin/hangardeck-cli), HANGARDECK_BENCH_CHECK_WINDOW
# (default build/bin/hangardeck-bench-check-window), ROUNDS (default 5), BENCH_CHECK=1 to exit
# with status 3 when the window takes more than 1.2 times the command line.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/collection.sh"
root=$(dirname "$here")
cli=${HANGARDECK_CLI:-$root/build/bin/hangardeck-cli}
window=${HANGARDECK_BENCH_CHECK_WINDOW:-$root/build/bin/hangardeck-bench-check-window}
check=
if [ "${BENCH_CHECK:-0}" = 1 ]; then
    check=--check
fi
if [ $# -gt 0 ]; then
    collection=$1
else
    collection=$root/build/bench-collection-30k
    ensure_collection "$collection" 30000
fi
exec python3 "$here/measure_check_window.py" --cli "$cli" --window "$window" --rounds "${ROUNDS:-5}" $check \
    "$collection"
