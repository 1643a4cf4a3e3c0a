#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
"""Times "check --extended" against "list --extended" on one collection, interleaved; with
--memory, measures their peak memory instead.

  measure_check.py --cli PATH [--rounds N] [--check] [--memory] COLLECTION_DIR

Time: both run through sh, since check exits 1 when it has findings: status 0 and 1 count as
done for check, 0 for list. Target: check, with the placement and identity kinds, within 1.25
times list's median (goal 1.05).

Memory: check --extended (text and --format json) and list --extended are run directly, round
by round, and the peak resident set size of each process is taken from wait4(). Target for
check: 250 MB (goal 100 MB), set for 30,000 bare folders of 10 variations.
"""
import argparse
import os
import subprocess
import sys

from measure import MeasureError, measure_side_by_side, median

TIME_TARGET = (1.25, 1.05)
MEMORY_TARGET_MB = (250.0, 100.0)


def peak_rss_mb(argv: list[str], allowed: tuple[int, ...]) -> float:
    """Runs argv with its output thrown away and returns its own peak RSS in MB."""
    proc = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE)
    _, status, usage = os.wait4(proc.pid, 0)
    proc.returncode = os.waitstatus_to_exitcode(status)
    errors = proc.stderr.read().decode("utf-8", "replace").strip()
    proc.stderr.close()
    if proc.returncode not in allowed:
        raise MeasureError(f"{' '.join(argv)} exited with status {proc.returncode}: {errors[-500:]}")
    return usage.ru_maxrss / 1024.0


def verdict(value: float, limits: tuple[float, float]) -> str:
    target, goal = limits
    return "goal met" if value <= goal else ("target met" if value <= target else "MISSED")


def load_text() -> str:
    before = os.getloadavg()[0]
    return f"load {before:.2f} (1-minute average)"


def measure_memory(args) -> int:
    commands = {
        "check --extended": ([args.cli, "check", "--extended", args.collection], (0, 1)),
        "check --extended --format json": ([args.cli, "check", "--extended", "--format", "json",
                                            args.collection], (0, 1)),
        "list --extended": ([args.cli, "list", "--extended", args.collection], (0,)),
    }
    peaks: dict[str, list[float]] = {name: [] for name in commands}
    print(f"collection: {args.collection}, {args.rounds} rounds, interleaved, {load_text()} before")
    try:
        for _ in range(args.rounds):
            for name, (argv, allowed) in commands.items():
                peaks[name].append(peak_rss_mb(argv, allowed))
    except MeasureError as err:
        print(f"measure_check.py: {err}", file=sys.stderr)
        return 2
    missed = False
    for name, values in peaks.items():
        value = median(values)
        note = ""
        if name.startswith("check"):
            note = (f"target <= {MEMORY_TARGET_MB[0]:.0f} MB, goal {MEMORY_TARGET_MB[1]:.0f} MB: "
                    + verdict(value, MEMORY_TARGET_MB))
            missed = missed or value > MEMORY_TARGET_MB[0]
        print(f"  {name:32} peak RSS median {value:8.1f} MB  ({min(values):.1f} to {max(values):.1f})  {note}")
    print(f"  {load_text()} after")
    return 3 if args.check and missed else 0


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--rounds", type=int, default=11)
    parser.add_argument("--check", action="store_true", help="exit 3 when a target is missed")
    parser.add_argument("--memory", action="store_true", help="peak memory instead of time")
    parser.add_argument("collection")
    args = parser.parse_args()
    if args.memory:
        return measure_memory(args)
    commands = {
        "list --extended": ["sh", "-c", '"$0" list --extended "$1" >/dev/null', args.cli, args.collection],
        "check --extended": ["sh", "-c", '"$0" check --extended "$1" >/dev/null; [ $? -le 1 ]', args.cli,
                             args.collection],
    }
    print(f"collection: {args.collection}, {args.rounds} rounds, warm, interleaved, {load_text()} before")
    try:
        times = measure_side_by_side(commands, rounds=args.rounds)
    except MeasureError as err:
        print(f"measure_check.py: {err}", file=sys.stderr)
        return 2
    listed = median(times["list --extended"])
    checked = median(times["check --extended"])
    for name, values in times.items():
        print(f"  {name:18} median {median(values) * 1000:8.1f} ms   min {min(values) * 1000:8.1f} ms")
    ratio = checked / listed if listed > 0 else float("inf")
    print(f"  check / list: {ratio:.2f}x (target <= {TIME_TARGET[0]}x, goal {TIME_TARGET[1]}x): "
          + verdict(ratio, TIME_TARGET))
    print(f"  {load_text()} after")
    return 3 if args.check and ratio > TIME_TARGET[0] else 0


if __name__ == "__main__":
    sys.exit(main())
