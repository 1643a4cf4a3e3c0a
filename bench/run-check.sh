#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Times "hangardeck-cli check --extended" against "list --extended" side by side on the
# benchmark collection, furnished: each aircraft folder also holds the folders and .air file
# its entries name, as an installed aircraft does, so the check measures its work rather
# than the printing of 150,000 "missing" lines. Give the bare collection as COLLECTION_DIR
# to see that case.
#
#   bench/run-check.sh [COLLECTION_DIR]
#
# With MEMORY=1 it measures peak memory instead, of check (text and JSON) and list, by default
# on 30,000 bare folders of 10 variations (build/bench-collection-30k).
#
# Environment: HANGARDECK_CLI (default build/bin/hangardeck-cli), ROUNDS (default 11, 3 with
# MEMORY=1), BENCH_CHECK=1 to exit with status 3 when a target is missed (check above 1.25
# times list, or above 250 MB).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/collection.sh"
root=$(dirname "$here")
cli=${HANGARDECK_CLI:-$root/build/bin/hangardeck-cli}
memory=
if [ "${MEMORY:-0}" = 1 ]; then
    memory=--memory
fi
rounds=${ROUNDS:-${memory:+3}}
rounds=${rounds:-11}
check=
if [ "${BENCH_CHECK:-0}" = 1 ]; then
    check=--check
fi
if [ $# -gt 0 ]; then
    collection=$1
elif [ -n "$memory" ]; then
    collection=$root/build/bench-collection-30k
    ensure_collection "$collection" 30000
else
    collection=$root/build/bench-collection-furnished
    ensure_collection "$collection" 3000 --furnished
fi
exec python3 "$here/measure_check.py" --cli "$cli" --rounds "$rounds" $check $memory "$collection"
