#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
"""Times "check --extended" against "list --extended" on one collection, interleaved.

  measure_check.py --cli PATH [--rounds N] [--check] COLLECTION_DIR

Both run through sh, since check exits 1 when it has findings: status 0 and 1 count as
done for check, 0 for list. The target is check within 1.3 times list's median.
"""
import argparse
import sys

from measure import MeasureError, measure_side_by_side, median

TARGET = 1.3


def main() -> int:
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--rounds", type=int, default=11)
    parser.add_argument("--check", action="store_true", help="exit 3 when the target is missed")
    parser.add_argument("collection")
    args = parser.parse_args()
    commands = {
        "list --extended": ["sh", "-c", '"$0" list --extended "$1" >/dev/null', args.cli, args.collection],
        "check --extended": ["sh", "-c", '"$0" check --extended "$1" >/dev/null; [ $? -le 1 ]', args.cli,
                             args.collection],
    }
    try:
        times = measure_side_by_side(commands, rounds=args.rounds)
    except MeasureError as err:
        print(f"measure_check.py: {err}", file=sys.stderr)
        return 2
    listed = median(times["list --extended"])
    checked = median(times["check --extended"])
    print(f"collection: {args.collection}, {args.rounds} rounds, warm, interleaved")
    for name, values in times.items():
        print(f"  {name:18} median {median(values) * 1000:8.1f} ms   min {min(values) * 1000:8.1f} ms")
    ratio = checked / listed if listed > 0 else float("inf")
    verdict = "ok" if ratio <= TARGET else "MISSED"
    print(f"  check / list: {ratio:.2f}x (target {TARGET}x) {verdict}")
    return 3 if args.check and ratio > TARGET else 0


if __name__ == "__main__":
    sys.exit(main())
