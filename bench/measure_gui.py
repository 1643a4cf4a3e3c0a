#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
"""Measures the main window against the command line on one collection.

    measure_gui.py --gui PATH --cli PATH [--rounds 11] [--check] COLLECTION_DIR

After the collection is read once and each program has run once untimed, runs, interleaved
round by round: the window program (start-up, F5, memory, close, as it prints them) and
`PATH list --extended COLLECTION_DIR > /dev/null`. Prints the median (min to max) of each
figure beside its target; run-gui.sh calls it.
"""

from __future__ import annotations

import argparse
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from measure import Command, MeasureError, collection_stats, display_path, median, run_measured  # noqa: E402

# F5 against the command line, start-up, memory and close: (target, goal); None where
# only a target is set.
RATIO = (1.3, 1.1)
START_MS = (150.0, None)
RSS_MB = (250.0, 150.0)
CLOSE_MS = (100.0, None)
# BENCH_CHECK=1 fails the run above this ratio.
RATIO_LIMIT = 2.0

_FIGURE = re.compile(rb"(\w+)=(-?[\d.]+)")
_WANTED = ("start_ms", "construct_ms", "f5_ms", "rows", "rss_start_mb", "rss_after_f5_mb", "hwm_mb", "close_ms",
           "start_picker_ms", "dir1_listed_ms")


def run_window(gui: str, collection: str) -> dict[str, float]:
    """One run of the window program: its printed figures, its wall time and peak RSS."""
    run = run_measured(Command([gui, collection]), capture_stdout=True)
    # Start-up with the directory picker showing, in a fresh process of its own.
    picker = run_measured(Command([gui, "--picker", collection]), capture_stdout=True)
    figures = {k.decode(): float(v) for k, v in _FIGURE.findall(run.stdout + b" " + picker.stdout)}
    missing = [k for k in _WANTED if k not in figures]
    if missing:
        raise MeasureError(f"{gui} printed no {', '.join(missing)}: {run.stdout.decode(errors='replace')[-400:]}")
    figures["wall_ms"] = run.seconds * 1000
    return figures


def verdict(value: float, limits: tuple[float, float | None]) -> str:
    target, goal = limits
    if value > target:
        return "ABOVE TARGET"
    if goal is not None and value > goal:
        return "target met, goal not yet"
    return "goal met" if goal is not None else "target met"


def limits_text(limits: tuple[float, float | None], unit: str) -> str:
    target, goal = limits
    text = f"target <= {target:g}{unit}"
    return text + (f", goal {goal:g}{unit}" if goal is not None else "")


def main(argv: list[str]) -> int:
    parser = argparse.ArgumentParser(description="Time the main window against hangardeck-cli list --extended.")
    parser.add_argument("--gui", required=True, help="the hangardeck-bench-gui program")
    parser.add_argument("--cli", required=True, help="the hangardeck-cli program")
    parser.add_argument("--rounds", type=int, default=11, help="timed runs of each program (default 11)")
    parser.add_argument("--check", action="store_true",
                        help=f"exit with status 3 when F5 takes more than {RATIO_LIMIT:g} times the cli's time")
    parser.add_argument("collection", help="directory holding one folder per aircraft")
    args = parser.parse_args(argv)
    if args.rounds < 1:
        parser.error("--rounds must be at least 1")
    if not os.path.isdir(args.collection):
        parser.error(f"{args.collection} is not a directory")

    load_before = os.getloadavg()
    # Reading every aircraft.cfg here puts the collection in the page cache.
    stats, _ = collection_stats(args.collection)
    cli = Command([args.cli, "list", "--extended", args.collection])
    window: list[dict[str, float]] = []
    cli_runs = []
    try:
        # The untimed warm-up of each; the cli's rows are the count the window must match.
        run_window(args.gui, args.collection)
        cli_rows = run_measured(cli, capture_stdout=True).stdout.count(b"\n")
        for _ in range(args.rounds):
            window.append(run_window(args.gui, args.collection))
            cli_runs.append(run_measured(cli))
    except MeasureError as err:
        print(f"error: {err}", file=sys.stderr)
        return 1
    load_after = os.getloadavg()

    rows = {int(w["rows"]) for w in window}
    if rows != {cli_rows}:
        print(f"error: F5 listed {', '.join(map(str, sorted(rows)))} rows, the cli {cli_rows}", file=sys.stderr)
        return 1

    name = os.path.basename(os.path.normpath(args.collection))
    tag = f"[{name}, {cli_rows} rows, warm cache, median of {args.rounds}]"

    def column(key: str) -> list[float]:
        return [w[key] for w in window]

    def line(label: str, values: list[float], unit: str, note: str = "") -> str:
        spread = f"({min(values):.1f} to {max(values):.1f})"
        return f"{label:<32}{median(values):9.1f} {unit:<3}{spread:<22}{note}  {tag}"

    f5 = column("f5_ms")
    cli_ms = [r.seconds * 1000 for r in cli_runs]
    ratio = median(f5) / median(cli_ms)
    round_ratios = [a / b for a, b in zip(f5, cli_ms)]
    start = column("start_ms")
    rss = column("rss_after_f5_mb")
    close = column("close_ms")

    print(f"collection: {display_path(args.collection)} ({stats['folders']} folders, {stats['variations']} "
          f"variations, {stats['bytes'] / 1e6:.1f} MB of aircraft.cfg); F5 and the cli list {cli_rows} rows")
    rounds_text = f"{args.rounds} round{'s' if args.rounds != 1 else ''}"
    print(f"conditions: warm page cache (collection read, one untimed run of each program first), "
          f"{rounds_text} interleaved window/cli, median (min to max), offscreen platform, "
          f"{os.cpu_count()} CPUs, load average {load_before[0]:.2f} at start, {load_after[0]:.2f} at end; "
          f"MB = 2^20 bytes")
    print(line("F5 in window", f5, "ms"))
    print(line("hangardeck-cli list --extended", cli_ms, "ms"))
    print(f"{'ratio F5 / cli (of medians)':<32}{ratio:9.2f} x  "
          f"{f'({min(round_ratios):.2f} to {max(round_ratios):.2f})':<22}"
          f"{limits_text(RATIO, 'x')}: {verdict(ratio, RATIO)}  {tag}")
    print(line("start to painted window", start, "ms",
               f"{limits_text(START_MS, ' ms')}: {verdict(median(start), START_MS)}"))
    print(line("  of it constructing the window", column("construct_ms"), "ms"))
    print(line("start, directory picker shown", column("start_picker_ms"), "ms",
               f"{limits_text(START_MS, ' ms')}: {verdict(median(column('start_picker_ms')), START_MS)}"))
    print(line("  and Dir1 listing every folder", column("dir1_listed_ms"), "ms", "listed after the window shows"))
    print(line("window RSS after F5", rss, "MB",
               f"{limits_text(RSS_MB, ' MB')}: {verdict(median(rss), RSS_MB)}"))
    print(line("window RSS before F5", column("rss_start_mb"), "MB"))
    print(line("window peak RSS (VmHWM)", column("hwm_mb"), "MB"))
    print(line("close (close and delete)", close, "ms",
               f"{limits_text(CLOSE_MS, ' ms')}: {verdict(median(close), CLOSE_MS)}"))
    print(line("hangardeck-cli peak RSS", [r.peak_rss_mb for r in cli_runs], "MB"))
    print(line("window process wall time", column("wall_ms"), "ms", "start-up, F5, close, exit"))
    if args.check and ratio > RATIO_LIMIT:
        print(f"F5 / cli above the check limit of {RATIO_LIMIT:g}x", file=sys.stderr)
        return 3
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
