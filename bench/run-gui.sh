#!/bin/sh
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
#
# Times "Generate List" (F5) in the main window against "hangardeck-cli list --extended"
# on the same collection, interleaved round by round, and prints the medians and ratios.
#
#   bench/run-gui.sh [COLLECTION_DIR]
#
# Without a directory the synthetic collection of bench/run.sh (3000 folders, 10
# variations each) is used, generated once into build/bench-collection.
# Environment: HANGARDECK_BENCH_GUI (default build/bin/hangardeck-bench-gui), HANGARDECK_CLI
# (default build/bin/hangardeck-cli), ROUNDS (default 11), BENCH_CHECK=1 to exit with
# status 3 when F5 takes more than twice the command line's time.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
. "$here/collection.sh"
root=$(dirname "$here")

gui=${HANGARDECK_BENCH_GUI:-$root/build/bin/hangardeck-bench-gui}
cli=${HANGARDECK_CLI:-$root/build/bin/hangardeck-cli}
rounds=${ROUNDS:-11}

case $rounds in
    '' | *[!0-9]* | 0) echo "run-gui.sh: ROUNDS must be a positive whole number, not '$rounds'" >&2; exit 2 ;;
esac
for program in "$gui" "$cli"; do
    if [ ! -x "$program" ]; then
        echo "run-gui.sh: '$program' not found; build it first (make build)" >&2
        exit 2
    fi
done
if [ $# -gt 1 ]; then
    echo "usage: bench/run-gui.sh [COLLECTION_DIR]" >&2
    exit 2
fi

if [ $# -eq 1 ]; then
    collection=$1
else
    collection=$root/build/bench-collection
    ensure_collection "$collection"
fi
if [ ! -d "$collection" ]; then
    echo "run-gui.sh: '$collection' is not a directory" >&2
    exit 2
fi

exec python3 - "$here" "$gui" "$cli" "$collection" "$rounds" "${BENCH_CHECK:-0}" <<'PYTHON'
import re
import subprocess
import sys
import time

here, gui, cli, collection, rounds, check = sys.argv[1:7]
sys.path.insert(0, here)
from measure import Command, MeasureError, median, run_timed  # noqa: E402

RATIO_LIMIT = 2.0


def run_gui() -> tuple[float, float, int]:
    """F5 time as the window measures it, the whole process's wall time, rows listed."""
    start = time.perf_counter()
    proc = subprocess.run([gui, collection], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    wall = time.perf_counter() - start
    match = re.search(rb"f5_ms=([\d.]+) rows=(\d+)", proc.stdout)
    if proc.returncode != 0 or not match:
        raise MeasureError(f"{gui} failed ({proc.returncode}): {proc.stderr.decode(errors='replace')[-800:]}")
    return float(match.group(1)) / 1000, wall, int(match.group(2))


cli_cmd = Command([cli, "list", "--extended", collection])
try:
    run_gui()
    run_timed(cli_cmd)  # warm-up: the file cache holds the collection afterwards
    f5, gui_wall, cli_wall, rows = [], [], [], set()
    for _ in range(int(rounds)):
        f5_s, wall_s, count = run_gui()
        f5.append(f5_s)
        gui_wall.append(wall_s)
        rows.add(count)
        cli_wall.append(run_timed(cli_cmd))
except MeasureError as err:
    print(f"run-gui.sh: {err}", file=sys.stderr)
    sys.exit(1)

ratio = median(f5) / median(cli_wall)
print(f"collection      {collection} ({', '.join(str(r) for r in sorted(rows))} rows)")
print(f"rounds          {rounds}, interleaved")
print(f"F5 in window    {median(f5) * 1000:8.1f} ms median (min {min(f5) * 1000:.1f}, max {max(f5) * 1000:.1f})")
print(f"window process  {median(gui_wall) * 1000:8.1f} ms median (start-up, F5, exit)")
print(f"cli list        {median(cli_wall) * 1000:8.1f} ms median (min {min(cli_wall) * 1000:.1f}, max {max(cli_wall) * 1000:.1f})")
print(f"ratio F5 / cli  {ratio:8.2f}  (limit {RATIO_LIMIT:.1f})")
if check == "1" and ratio > RATIO_LIMIT:
    sys.exit(3)
PYTHON
