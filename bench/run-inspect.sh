#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Times selecting a row in the main window (details, pictures, the first picture shown) on
# the benchmark collection and on one heavy aircraft folder (1,000 files in 100 folders and a
# 4000 x 3000 JPEG), the interface thread's longest stall while rows of a folder linked to
# 200,000 pictures are selected, and saving the whole list against "hangardeck-cli list
# --extended --output" on the same collection, interleaved round by round; prints medians and
# targets.
#
#   bench/run-inspect.sh [COLLECTION_DIR]      LARGE=1 for the 30,000-folder collection
#
# Environment: HANGARDECK_BENCH_INSPECT (default build/bin/hangardeck-bench-inspect),
# HANGARDECK_CLI (default build/bin/hangardeck-cli), ROUNDS (default 5).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/collection.sh"
root=$(dirname "$here")

inspect=${HANGARDECK_BENCH_INSPECT:-$root/build/bin/hangardeck-bench-inspect}
cli=${HANGARDECK_CLI:-$root/build/bin/hangardeck-cli}
rounds=${ROUNDS:-5}
case $rounds in
    '' | *[!0-9]* | 0) echo "run-inspect.sh: ROUNDS must be a positive whole number, not '$rounds'" >&2; exit 2 ;;
esac
for program in "$inspect" "$cli"; do
    if [ ! -x "$program" ]; then
        echo "run-inspect.sh: '$program' not found; build it first (make build)" >&2
        exit 2
    fi
done
if [ $# -gt 1 ]; then
    echo "usage: bench/run-inspect.sh [COLLECTION_DIR]" >&2
    exit 2
fi
if [ $# -eq 1 ]; then
    collection=$1
elif [ "${LARGE:-0}" = 1 ]; then
    collection=$root/build/bench-collection-30k
    ensure_collection "$collection" 30000
else
    collection=$root/build/bench-collection
    ensure_collection "$collection"
fi
work=$root/build/bench-inspect
mkdir -p "$work"

exec python3 - "$here" "$inspect" "$cli" "$collection" "$work" "$rounds" <<'PYTHON'
import os
import re
import sys

here, inspect, cli, collection, work, rounds = sys.argv[1:7]
sys.path.insert(0, here)
from measure import Command, MeasureError, display_path, median, run_measured  # noqa: E402

FIGURE = re.compile(rb"(\w+)=(-?[\d.]+)")


def run_window() -> dict[str, float]:
    run = run_measured(Command([inspect, collection, work]), capture_stdout=True)
    figures = {k.decode(): float(v) for k, v in FIGURE.findall(run.stdout)}
    if "save_ms" not in figures:
        raise MeasureError(f"{inspect} printed no figures: {run.stdout.decode(errors='replace')[-400:]}")
    return figures


output = os.path.join(work, "cli-output.txt")
cli_cmd = Command([cli, "list", "--extended", "--output", output, collection])
try:
    run_window()  # warm-up: the collection and the heavy folder in the page cache
    run_measured(cli_cmd)
    window, cli_ms = [], []
    for _ in range(int(rounds)):
        window.append(run_window())
        cli_ms.append(run_measured(cli_cmd).seconds * 1000)
except MeasureError as err:
    print(f"run-inspect.sh: {err}", file=sys.stderr)
    sys.exit(1)


def column(key: str) -> list[float]:
    return [w[key] for w in window]


rows = int(window[0]["rows"])
load = os.getloadavg()[0]
tag = f"[{os.path.basename(collection)}, {rows} rows, warm cache, median of {rounds}]"
print(f"collection: {display_path(collection)} ({rows} rows); heavy aircraft: 1,000 pictures in 100 folders "
      f"and a 4000x3000 JPEG; linked tree: 200,000 empty pictures in 200 folders; offscreen platform, "
      f"{os.cpu_count()} CPUs, load average {load:.2f}")


def line(label: str, values: list[float], target: float | None, unit: str = "ms", goal: float | None = None) -> str:
    verdict = ""
    if target is not None:
        verdict = f"target <= {target:g} {unit}" + ("" if goal is None else f", goal {goal:g} {unit}") + ": "
        if median(values) > target:
            verdict += "ABOVE TARGET"
        else:
            verdict += "target met" if goal is None else ("goal met" if median(values) <= goal
                                                          else "target met, goal not yet")
    return (f"{label:<34}{median(values):9.2f} {unit}  ({min(values):.2f} to {max(values):.2f})  "
            f"{verdict}  {tag}")


print(line("select a row (median of 21 rows)", column("select_ms"), 10))
print(line("select the heavy aircraft", column("heavy_select_ms"), 50, goal=20))
print(line("longest stall, linked 200,000", column("stall_ms"), 50))
print(line("Save List to File", column("save_ms"), None))
print(line("hangardeck-cli list --output", cli_ms, None))
ratio = median(column("save_ms")) / median(cli_ms)
print(f"{'ratio save / cli --output':<34}{ratio:9.2f} x   target <= 1.5x: "
      f"{'target met' if ratio <= 1.5 else 'ABOVE TARGET'}  {tag}")
PYTHON
