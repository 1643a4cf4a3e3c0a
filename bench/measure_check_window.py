#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
"""Times the check window against "hangardeck-cli check --extended" on one collection,
interleaved, after one untimed run of each (warm page cache).

  measure_check_window.py --cli PATH --window PATH [--rounds N] [--check] COLLECTION_DIR

The window's figure is the time it prints: from the check started to its last finding in
the table. The command line's is its wall time with its output thrown away (it exits 1 when
there are findings, which counts as done). The window must hold as many findings as the
command line prints. Target: the window within 1.2 times the command line's median.
"""
import argparse
import os
import re
import subprocess
import sys

from measure import Command, MeasureError, median, run_measured

TARGET = 1.2
_FIGURE = re.compile(rb"(\w+)=(-?[\d.]+)")


def run_window(window: str, collection: str) -> dict[str, float]:
    run = run_measured(Command([window, collection]), capture_stdout=True)
    figures = {k.decode(): float(v) for k, v in _FIGURE.findall(run.stdout)}
    if "check_ms" not in figures:
        raise MeasureError(f"{window} printed no check_ms: {run.stdout.decode(errors='replace')[-400:]}")
    figures["peak_rss_mb"] = run.peak_rss_mb
    return figures


def run_cli(cli: str, collection: str) -> tuple[float, float]:
    run = run_measured(Command(["sh", "-c", '"$0" check --extended "$1" >/dev/null; [ $? -le 1 ]', cli, collection]))
    return run.seconds * 1000, run.peak_rss_mb


def cli_findings(cli: str, collection: str) -> int:
    """The findings the command line prints: its text lines but the summary and the four report lines."""
    text = subprocess.run([cli, "check", "--extended", collection], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL).stdout
    return text.count(b"\n") - 5


def spread(values: list[float], unit: str, width: int = 8) -> str:
    return f"{median(values):{width}.1f} {unit} ({min(values):.1f} to {max(values):.1f})"


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--window", required=True)
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--check", action="store_true", help="exit 3 when the target is missed")
    parser.add_argument("collection")
    args = parser.parse_args()
    for program in (args.cli, args.window):
        if not os.access(program, os.X_OK):
            print(f"measure_check_window.py: {program} is missing; build it first", file=sys.stderr)
            return 2
    try:
        findings = cli_findings(args.cli, args.collection)  # also warms the page cache
        run_window(args.window, args.collection)
        load_before = os.getloadavg()[0]
        window: list[dict[str, float]] = []
        cli_ms: list[float] = []
        cli_rss: list[float] = []
        for _ in range(args.rounds):
            window.append(run_window(args.window, args.collection))
            ms, rss = run_cli(args.cli, args.collection)
            cli_ms.append(ms)
            cli_rss.append(rss)
    except MeasureError as err:
        print(f"measure_check_window.py: {err}", file=sys.stderr)
        return 1
    rows = {int(w.get("rows", -1)) for w in window}
    if rows != {findings}:
        print(f"measure_check_window.py: the window held {sorted(rows)} findings, the command line printed {findings}",
              file=sys.stderr)
        return 1
    name = os.path.basename(os.path.normpath(args.collection))
    tag = f"[{name}, {findings} findings, warm cache, median of {args.rounds}]"
    window_ms = [w["check_ms"] for w in window]
    ratios = [w / c for w, c in zip(window_ms, cli_ms)]
    ratio = median(window_ms) / median(cli_ms)
    verdict = "target met" if ratio <= TARGET else "ABOVE TARGET"
    print(f"collection: {args.collection}; the window and hangardeck-cli check --extended, {args.rounds} rounds "
          f"interleaved after one untimed run of each; offscreen platform, {os.cpu_count()} CPUs, load average "
          f"{load_before:.2f} at start, {os.getloadavg()[0]:.2f} at end; MB = 2^20 bytes")
    print(f"check window, to the last finding  {spread(window_ms, 'ms')}  {tag}")
    print(f"hangardeck-cli check --extended    {spread(cli_ms, 'ms')}  {tag}")
    print(f"ratio window / cli (of medians)    {ratio:8.2f} x  ({min(ratios):.2f} to {max(ratios):.2f})  "
          f"target <= {TARGET}x: {verdict}  {tag}")
    print(f"window RSS after the check         {spread([w['rss_after_mb'] for w in window], 'MB')}  "
          f"(before: {median([w['rss_before_mb'] for w in window]):.1f} MB)  {tag}")
    print(f"window peak RSS                    {spread([w['peak_rss_mb'] for w in window], 'MB')}  {tag}")
    print(f"hangardeck-cli peak RSS            {spread(cli_rss, 'MB')}  {tag}")
    return 3 if args.check and ratio > TARGET else 0


if __name__ == "__main__":
    sys.exit(main())
