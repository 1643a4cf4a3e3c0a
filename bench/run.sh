#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Times "hangardeck-cli list --extended" against the read floor, one cat of every aircraft.cfg,
# warm (files in the page cache) and cold (files evicted before each run), and reports the
# cli's peak memory.
#
#   bench/run.sh [COLLECTION_DIR]    or    LARGE=1 bench/run.sh
#
# Without a directory, a synthetic collection (3000 folders, 10 variations each) is
# generated once into build/bench-collection and reused afterwards; with LARGE=1 one of
# 30000 folders (300000 rows) into build/bench-collection-30k.
# Environment: HANGARDECK_CLI (default build/bin/hangardeck-cli), ROUNDS (default 11),
# LARGE=1, BENCH_CHECK=1 to exit with status 3 when a target is missed.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/collection.sh"
root=$(dirname "$here")

# Paths given by the caller are taken from the current directory; the defaults live in
# the source tree. Show the defaults short when run from the top of the tree.
if [ "$(pwd -P)" = "$(cd "$root" && pwd -P)" ]; then
    top=
else
    top=$root/
fi

cli=${HANGARDECK_CLI:-${top}build/bin/hangardeck-cli}
rounds=${ROUNDS:-11}
large=${LARGE:-0}

case $rounds in
    '' | *[!0-9]*) echo "run.sh: ROUNDS must be a positive whole number, not '$rounds'" >&2; exit 2 ;;
esac
if [ "$rounds" -lt 1 ]; then
    echo "run.sh: ROUNDS must be at least 1" >&2
    exit 2
fi

if ! command -v python3 >/dev/null 2>&1; then
    echo "run.sh: python3 is needed to generate the collection and to time the runs" >&2
    exit 2
fi

resolved=$(command -v "$cli" 2>/dev/null || true)
if [ -z "$resolved" ] || [ ! -f "$resolved" ] || [ ! -x "$resolved" ]; then
    echo "run.sh: hangardeck-cli not found at '$cli'." >&2
    echo "        Build it first (make build), or point HANGARDECK_CLI at the program." >&2
    exit 2
fi

case $large in
    0 | 1) ;;
    *) echo "run.sh: LARGE must be 0 or 1, not '$large'" >&2; exit 2 ;;
esac
if [ $# -gt 1 ] || { [ $# -eq 1 ] && [ "$large" = 1 ]; }; then
    echo "usage: bench/run.sh [COLLECTION_DIR]   or   LARGE=1 bench/run.sh" >&2
    exit 2
fi

if [ $# -eq 1 ]; then
    collection=$1
    if [ ! -d "$collection" ]; then
        echo "run.sh: '$collection' is not a directory" >&2
        exit 2
    fi
elif [ "$large" = 1 ]; then
    collection=${top}build/bench-collection-30k
    ensure_collection "$collection" 30000
else
    collection=${top}build/bench-collection
    ensure_collection "$collection"
fi

check=
if [ "${BENCH_CHECK:-0}" = 1 ]; then
    check=--check
fi

# shellcheck disable=SC2086 # $check is empty or one word
exec python3 "$here/measure.py" --cli "$cli" --rounds "$rounds" $check "$collection"
