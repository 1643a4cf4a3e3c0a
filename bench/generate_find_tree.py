#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
"""Writes a tree of directories for timing `hangardeck-cli find` against `find -type d`.

    generate_find_tree.py OUTDIR [--directories 200000] [--seed 1]

A random recursive tree: each new directory goes below one taken at random among those made
so far, which gives the depths of a real disk (most folders 8 to 16 levels down, a few past
25). About one name in 150 holds "Aircraft" in some case; a few late ones (nearly all
leaves, so that the walk and find read about the same tree) are excluded names such as
"SDK" or "My Documents"; one in 40 is hidden; names vary in case so the walk's sort works.
Only directories are written. The same seed gives the same tree.
"""

from __future__ import annotations

import argparse
import os
import random
import sys

WORDS = ["Program Files", "games", "Data", "textures", "Sound", "panel", "model", "Scenery", "backup", "temp",
         "Users", "photos", "src", "lib", "Cache", "config", "Effects", "Gauges", "work", "music"]
LISTED = ["Aircraft", "AIRCRAFT", "ai aircraft", "a320 aircraft pack", "Old Aircraft"]
EXCLUDED = ["SDK", "Learning Center", "My Documents", "HANGARDECK Files", "Aircraft SDK"]


def name_for(rng: random.Random, index: int, total: int) -> str:
    roll = rng.random()
    if roll < 1 / 150:
        base = rng.choice(LISTED)
    elif roll < 1 / 150 + 1 / 1000 and index > total * 0.95:
        base = rng.choice(EXCLUDED)
    else:
        word = rng.choice(WORDS)
        base = rng.choice([word, word.upper(), word.lower()])
    if rng.random() < 1 / 40:
        base = "." + base
    return f"{base} {index}"


def main(argv: list[str]) -> int:
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("outdir")
    parser.add_argument("--directories", type=int, default=200_000)
    parser.add_argument("--seed", type=int, default=1)
    args = parser.parse_args(argv)
    if args.directories < 1:
        parser.error("--directories must be at least 1")
    rng = random.Random(args.seed)
    os.makedirs(args.outdir, exist_ok=False)
    paths = [args.outdir]
    deepest = 0
    for index in range(args.directories):
        parent = rng.randrange(len(paths))
        path = os.path.join(paths[parent], name_for(rng, index, args.directories))
        os.mkdir(path)
        paths.append(path)
        deepest = max(deepest, path.count(os.sep) - args.outdir.count(os.sep))
    print(f"generated {args.directories} directories in {args.outdir}, deepest {deepest} levels", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
