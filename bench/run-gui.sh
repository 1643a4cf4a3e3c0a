#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Measures the main window against "hangardeck-cli list --extended" on the same collection,
# interleaved round by round: F5 against the cli, start-up to the painted window, memory
# after F5, close. Prints the medians beside their targets.
#
#   bench/run-gui.sh [COLLECTION_DIR]
#
# Without a directory the synthetic collection of bench/run.sh (3000 folders, 10 variations
# each) is used, generated once into build/bench-collection; with LARGE=1 one of 30000
# folders (300000 rows), generated once into build/bench-collection-30k.
# Environment: HANGARDECK_BENCH_GUI (default build/bin/hangardeck-bench-gui), HANGARDECK_CLI
# (default build/bin/hangardeck-cli), ROUNDS (default 11), LARGE=1, BENCH_CHECK=1 to exit
# with status 3 when F5 takes more than twice the command line's time.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/collection.sh"
root=$(dirname "$here")

gui=${HANGARDECK_BENCH_GUI:-$root/build/bin/hangardeck-bench-gui}
cli=${HANGARDECK_CLI:-$root/build/bin/hangardeck-cli}
rounds=${ROUNDS:-11}
large=${LARGE:-0}

case $rounds in
    '' | *[!0-9]* | 0) echo "run-gui.sh: ROUNDS must be a positive whole number, not '$rounds'" >&2; exit 2 ;;
esac
case $large in
    0 | 1) ;;
    *) echo "run-gui.sh: LARGE must be 0 or 1, not '$large'" >&2; exit 2 ;;
esac
if ! command -v python3 >/dev/null 2>&1; then
    echo "run-gui.sh: python3 is needed to generate the collection and to time the runs" >&2
    exit 2
fi
for program in "$gui" "$cli"; do
    if [ ! -x "$program" ]; then
        echo "run-gui.sh: '$program' not found; build it first (make build)" >&2
        exit 2
    fi
done
if [ $# -gt 1 ] || { [ $# -eq 1 ] && [ "$large" = 1 ]; }; then
    echo "usage: bench/run-gui.sh [COLLECTION_DIR]   or   LARGE=1 bench/run-gui.sh" >&2
    exit 2
fi

if [ $# -eq 1 ]; then
    collection=$1
elif [ "$large" = 1 ]; then
    collection=$root/build/bench-collection-30k
    ensure_collection "$collection" 30000
else
    collection=$root/build/bench-collection
    ensure_collection "$collection"
fi
if [ ! -d "$collection" ]; then
    echo "run-gui.sh: '$collection' is not a directory" >&2
    exit 2
fi

check=
if [ "${BENCH_CHECK:-0}" = 1 ]; then
    check=--check
fi

# shellcheck disable=SC2086 # $check is empty or one word
exec python3 "$here/measure_gui.py" --gui "$gui" --cli "$cli" --rounds "$rounds" $check "$collection"
