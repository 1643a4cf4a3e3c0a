#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
"""Times the search for Aircraft directories against `find`, which walks the same tree.

    measure_find.py --cli PATH [--rounds 11] [--check] TREE

Round by round, interleaved, after one untimed run of each (warm: the tree's directories in
the kernel's caches): PATH find TREE > /dev/null against find TREE -type d > /dev/null.
Prints the medians with their spread, the ratio of the medians beside its target and goal,
and the conditions of the run (load, CPUs).
"""

from __future__ import annotations

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from measure import Command, MeasureError, interleave, median, run_measured  # noqa: E402

RATIO = (1.5, 1.0)  # (target, goal) of cli / find


def main(argv: list[str]) -> int:
    parser = argparse.ArgumentParser(description="Time hangardeck-cli find against find -type d.")
    parser.add_argument("--cli", required=True, help="the hangardeck-cli program")
    parser.add_argument("--rounds", type=int, default=11, help="timed runs of each command (default 11)")
    parser.add_argument("--check", action="store_true", help="exit with status 3 when the target is missed")
    parser.add_argument("tree", help="the directory tree to search")
    args = parser.parse_args(argv)
    if args.rounds < 1:
        parser.error("--rounds must be at least 1")
    if not os.path.isdir(args.tree):
        parser.error(f"{args.tree} is not a directory")

    cli = Command([args.cli, "find", args.tree])
    floor = Command(["find", args.tree, "-type", "d"])
    load_before = os.getloadavg()
    try:
        found = run_measured(cli, capture_stdout=True).stdout.count(b"\n")
        directories = run_measured(floor, capture_stdout=True).stdout.count(b"\n")
        runs = interleave({"cli": cli, "find": floor}, args.rounds)
    except (MeasureError, OSError) as err:
        print(f"error: {err}", file=sys.stderr)
        return 1
    load_after = os.getloadavg()

    def ms(name: str) -> list[float]:
        return [r.seconds * 1000 for r in runs[name]]

    ratio = median(ms("cli")) / median(ms("find"))
    rounds = [c / f for c, f in zip(ms("cli"), ms("find"))]
    target, goal = RATIO
    verdict = "ABOVE TARGET" if ratio > target else ("goal met" if ratio <= goal else "target met, goal not yet")
    tag = f"[{os.path.basename(os.path.normpath(args.tree))}, warm, median of {args.rounds}]"
    print(f"tree: {args.tree} ({directories} directories, find -type d lines); the cli lists {found}")
    print(f"{'hangardeck-cli find':<28}{median(ms('cli')):9.1f} ms  ({min(ms('cli')):.1f} to {max(ms('cli')):.1f})  {tag}")
    print(f"{'find -type d':<28}{median(ms('find')):9.1f} ms  ({min(ms('find')):.1f} to {max(ms('find')):.1f})  {tag}")
    print(f"{'ratio cli / find':<28}{ratio:9.2f} x   ({min(rounds):.2f} to {max(rounds):.2f} by round)  "
          f"target <= {target:g}x, goal {goal:g}x: {verdict}")
    print(f"conditions: {os.cpu_count()} CPUs, load {load_before[0]:.2f} before, {load_after[0]:.2f} after "
          f"(1-minute averages)")
    return 3 if args.check and ratio > target else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
