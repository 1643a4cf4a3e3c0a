#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Times "hangardeck-cli find" against "find -type d" on the same tree, warm, side by side.
#
#   bench/run-find.sh [TREE]
#
# Without a tree, one of 200,000 directories is generated once into build/bench-find-tree
# and reused afterwards (a stamp beside it names the generator and its arguments).
# Environment: HANGARDECK_CLI (default build/bin/hangardeck-cli), ROUNDS (default 11),
# BENCH_CHECK=1 to exit with status 3 when the target is missed.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
if [ "$(pwd -P)" = "$(cd "$root" && pwd -P)" ]; then
    top=
else
    top=$root/
fi
cli=${HANGARDECK_CLI:-${top}build/bin/hangardeck-cli}
rounds=${ROUNDS:-11}

case $rounds in
    '' | *[!0-9]* | 0) echo "run-find.sh: ROUNDS must be a positive whole number, not '$rounds'" >&2; exit 2 ;;
esac
if ! command -v python3 >/dev/null 2>&1 || ! command -v find >/dev/null 2>&1; then
    echo "run-find.sh: python3 and find are needed" >&2
    exit 2
fi
resolved=$(command -v "$cli" 2>/dev/null || true)
if [ -z "$resolved" ] || [ ! -f "$resolved" ] || [ ! -x "$resolved" ]; then
    echo "run-find.sh: hangardeck-cli not found at '$cli'; build it first or set HANGARDECK_CLI." >&2
    exit 2
fi
if [ $# -gt 1 ]; then
    echo "usage: bench/run-find.sh [TREE]" >&2
    exit 2
fi

if [ $# -eq 1 ]; then
    tree=$1
    if [ ! -d "$tree" ]; then
        echo "run-find.sh: '$tree' is not a directory" >&2
        exit 2
    fi
else
    tree=${top}build/bench-find-tree
    stamp=$tree.stamp
    args="--directories 200000 --seed 1"
    want="$(cksum <"$here/generate_find_tree.py") $args"
    if [ ! -d "$tree" ] || [ ! -f "$stamp" ] || [ "$(cat "$stamp")" != "$want" ]; then
        rm -rf "$tree" "$stamp"
        mkdir -p "$(dirname "$tree")"
        # shellcheck disable=SC2086 # $args is a fixed list of words
        python3 "$here/generate_find_tree.py" "$tree" $args
        echo "$want" >"$stamp"
    fi
fi

check=
if [ "${BENCH_CHECK:-0}" = 1 ]; then
    check=--check
fi
# shellcheck disable=SC2086 # $check is empty or one word
exec python3 "$here/measure_find.py" --cli "$cli" --rounds "$rounds" $check "$tree"
