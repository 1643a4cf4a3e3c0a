#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
"""Times the catalogue's listing against the least it can cost: reading the same files.

    measure.py --cli PATH [--rounds 11] [--check] COLLECTION_DIR

The read floor is ONE `cat` process given every <folder>/aircraft.cfg the scan reads, in the
scan's folder order, run inside the collection with relative paths. Round by round, cli and
cat interleaved:
  warm: PATH list --extended COLLECTION_DIR > /dev/null against the floor, the files in the
        page cache (read once and one untimed run of each first);
  cold: the same pair, every aircraft.cfg evicted from the page cache before each run.
Prints one line per figure (medians, ratios, the cli's peak memory) beside its target.

The helpers (Command, run_measured, interleave, measure_side_by_side, median, collection_stats,
floor_command, evict_from_page_cache) are meant to be imported by other timing scripts in
this folder.
"""

from __future__ import annotations

import argparse
import os
import re
import statistics
import struct
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass
from typing import Callable

# (target, goal) of each figure.
WARM_RATIO = (1.3, 0.8)
COLD_RATIO = (0.6, 0.35)
MEMORY_MB = (150.0, 80.0)
# The memory target is set for this many rows; a smaller collection only reports its figure.
MEMORY_ROWS = 300_000
# A cold cat less than this many times slower than a warm one means the eviction changed
# little here: the storage is about as fast as memory, or the pages were not dropped.
COLD_SLOWDOWN_MIN = 1.5

# Folders the scan lists nothing from (exact names), so the floor does not read them either.
SKIPPED_FOLDERS = frozenset({"default", "fsfsconv", "templates"})

_FLTSIM_HEADER = re.compile(rb"^[ \t]*\[fltsim\.\d+\]", re.IGNORECASE | re.MULTILINE)


class MeasureError(RuntimeError):
    """A measured command failed or could not be started."""


@dataclass
class Command:
    """One program to time: its arguments, the directory it runs in and, if wanted, a file
    fed to its standard input.

    Standard output always goes to /dev/null unless captured.
    """

    argv: list[str]
    stdin: str | None = None
    cwd: str | None = None

    def shell_text(self) -> str:
        # A floor of 30,000 paths would drown an error message.
        shown = self.argv if len(self.argv) <= 8 else [*self.argv[:4], f"... ({len(self.argv) - 5} more)",
                                                       self.argv[-1]]
        text = " ".join(a if a.startswith("... (") else _quote(a) for a in shown)
        if self.stdin:
            text += " < " + _quote(self.stdin)
        text += " > /dev/null"
        return f"(cd {_quote(self.cwd)} && {text})" if self.cwd else text


def _quote(arg: str) -> str:
    if arg and re.fullmatch(r"[\w@%+=:,./-]+", arg):
        return arg
    return "'" + arg.replace("'", "'\\''") + "'"


def _as_command(given: Command | list[str]) -> Command:
    return given if isinstance(given, Command) else Command(list(given))


@dataclass
class Run:
    """One measured run: wall time, the process's own peak resident set size, its output."""

    seconds: float
    peak_rss_mb: float
    stdout: bytes


def run_measured(cmd: Command | list[str], capture_stdout: bool = False) -> Run:
    """Runs the command once and returns its wall time, its peak resident set size in MB of
    2^20 bytes and, if asked, its standard output; raises MeasureError on failure.

    The peak comes from wait4() on this child alone: getrusage(RUSAGE_CHILDREN) keeps the
    largest of all children ever waited for, so a bigger earlier run would hide a smaller one.
    """
    cmd = _as_command(cmd)
    stdin = open(cmd.stdin, "rb") if cmd.stdin else subprocess.DEVNULL
    try:
        with tempfile.TemporaryFile() as errors:
            start = time.perf_counter()
            try:
                proc = subprocess.Popen(cmd.argv, stdin=stdin, stderr=errors, cwd=cmd.cwd,
                                        stdout=subprocess.PIPE if capture_stdout else subprocess.DEVNULL)
            except OSError as err:
                raise MeasureError(f"cannot run {cmd.shell_text()}: {err}") from err
            out = proc.stdout.read() if capture_stdout else b""
            _, status, usage = os.wait4(proc.pid, 0)
            elapsed = time.perf_counter() - start
            # Reaped here, so Popen must not wait for it again.
            proc.returncode = os.waitstatus_to_exitcode(status)
            if proc.stdout:
                proc.stdout.close()
            if proc.returncode != 0:
                errors.seek(0)
                tail = errors.read().decode("utf-8", "replace").strip()[-2000:]
                raise MeasureError(f"{cmd.shell_text()} exited with status {proc.returncode}"
                                   + (f":\n{tail}" if tail else ""))
    finally:
        if cmd.stdin:
            stdin.close()
    # ru_maxrss is in KiB on Linux.
    return Run(elapsed, usage.ru_maxrss / 1024.0, out)


def interleave(commands: dict[str, Command], rounds: int,
               before_each: Callable[[], None] | None = None) -> dict[str, list[Run]]:
    """Runs every command `rounds` times, interleaved (A, B, A, B, ...) so that noise on the
    machine falls on all of them alike; `before_each`, if given, is called (untimed) before
    every run. Returns the runs per name, in the order they were taken."""
    runs: dict[str, list[Run]] = {name: [] for name in commands}
    for _ in range(rounds):
        for name, cmd in commands.items():
            if before_each:
                before_each()
            runs[name].append(run_measured(cmd))
    return runs


def measure_side_by_side(commands: dict[str, Command | list[str]], rounds: int = 11,
                         warmup: int = 1) -> dict[str, list[float]]:
    """Times every command `rounds` times, interleaved, after `warmup` untimed runs of each.

    Returns the wall times in seconds, per name, in the order they were taken.
    """
    if rounds < 1:
        raise ValueError("rounds must be at least 1")
    cmds = {name: _as_command(given) for name, given in commands.items()}
    interleave(cmds, warmup)
    return {name: [r.seconds for r in runs] for name, runs in interleave(cmds, rounds).items()}


def median(values: list[float]) -> float:
    return statistics.median(values)


def aircraft_cfg_files(collection: str) -> tuple[int, list[str]]:
    """Folders directly below the collection and the aircraft.cfg the scan reads in each,
    relative to the collection, in the scan's order.

    The scan sorts folders by their case-folded names (ties by the bytes of the name) and
    takes aircraft.cfg itself or else the first name equal to it in another letter case.
    Python folds a few rare characters unlike Qt; that moves a file in the order, not what
    is read.
    """
    with os.scandir(collection) as it:
        folders = [e for e in it if e.is_dir()]
    folders.sort(key=lambda e: (e.name.casefold(), os.fsencode(e.name)))
    files: list[str] = []
    for folder in folders:
        if folder.name in SKIPPED_FOLDERS:
            continue
        if os.path.isfile(os.path.join(folder.path, "aircraft.cfg")):
            files.append(os.path.join(folder.name, "aircraft.cfg"))
            continue
        try:
            with os.scandir(folder.path) as inner:
                for f in inner:
                    if f.name.lower() == "aircraft.cfg" and f.is_file():
                        files.append(os.path.join(folder.name, f.name))
                        break
        except OSError:
            pass
    return len(folders), files


def collection_stats(collection: str) -> tuple[dict[str, int], list[str]]:
    """Folder count, aircraft.cfg count, their total size and the number of [fltsim.N]
    headers, with the readable aircraft.cfg paths relative to the collection, in scan order.

    Reading every file here also leaves them in the page cache, so the runs after it start warm.
    """
    folders, found = aircraft_cfg_files(collection)
    files: list[str] = []
    size = 0
    variations = 0
    for rel in found:
        try:
            with open(os.path.join(collection, rel), "rb") as f:
                data = f.read()
        except OSError:
            # cat would fail on it; the scan lists it as a folder without a file.
            continue
        files.append(rel)
        size += len(data)
        variations += len(_FLTSIM_HEADER.findall(data))
    return {"folders": folders, "files": len(files), "bytes": size, "variations": variations}, files


def floor_command(collection: str, files: list[str]) -> Command:
    """One cat of every file, run in the collection so that the paths stay short."""
    return Command(["cat", "--", *files], cwd=collection)


def exec_bytes(argv: list[str], env: dict[str, str]) -> int:
    """What execve() must fit under ARG_MAX: every argument and environment string with its
    NUL and its pointer."""
    pointer = struct.calcsize("P")
    return (sum(len(os.fsencode(a)) + 1 + pointer for a in argv)
            + sum(len(os.fsencode(k)) + len(os.fsencode(v)) + 2 + pointer for k, v in env.items()))


def evict_from_page_cache(collection: str, files: list[str], flush: bool = False) -> None:
    """Drops every file's pages from the page cache with posix_fadvise(DONTNEED); no root
    needed. Only clean pages go, so `flush` first writes out a freshly generated file."""
    top = os.open(collection, os.O_RDONLY | os.O_DIRECTORY)
    try:
        for rel in files:
            fd = os.open(rel, os.O_RDONLY, dir_fd=top)
            try:
                if flush:
                    os.fdatasync(fd)
                os.posix_fadvise(fd, 0, 0, os.POSIX_FADV_DONTNEED)
            finally:
                os.close(fd)
    finally:
        os.close(top)


def display_path(path: str) -> str:
    rel = os.path.relpath(path)
    return path if rel.startswith("..") else rel


def verdict(value: float, limits: tuple[float, float]) -> str:
    target, goal = limits
    if value > target:
        return "ABOVE TARGET"
    return "goal met" if value <= goal else "target met, goal not yet"


def limits_text(limits: tuple[float, float], unit: str) -> str:
    return f"target <= {limits[0]:g}{unit}, goal {limits[1]:g}{unit}"


def main(argv: list[str]) -> int:
    parser = argparse.ArgumentParser(description="Time hangardeck-cli list --extended against one cat of every file.")
    parser.add_argument("--cli", required=True, help="the hangardeck-cli program")
    parser.add_argument("--rounds", type=int, default=11, help="timed runs of each command, warm and cold (default 11)")
    parser.add_argument("--check", action="store_true", help="exit with status 3 when a target is missed")
    parser.add_argument("collection", help="directory holding one folder per aircraft")
    args = parser.parse_args(argv)
    if args.rounds < 1:
        parser.error("--rounds must be at least 1")
    if not os.path.isdir(args.collection):
        parser.error(f"{args.collection} is not a directory")

    load_before = os.getloadavg()
    stats, files = collection_stats(args.collection)
    if not files:
        print(f"error: no aircraft.cfg found in the folders of {args.collection}", file=sys.stderr)
        return 2
    floor = floor_command(args.collection, files)
    needed, limit = exec_bytes(floor.argv, dict(os.environ)), os.sysconf("SC_ARG_MAX")
    if needed > limit:
        print(f"error: one cat of the {len(files)} aircraft.cfg needs {needed / 1024:.0f} KiB of arguments and "
              f"environment, more than ARG_MAX ({limit / 1024:.0f} KiB, a quarter of the stack limit): "
              f"raise it with 'ulimit -s' or measure a smaller collection", file=sys.stderr)
        return 2
    cli = Command([args.cli, "list", "--extended", args.collection])
    pair = {"cli": cli, "cat": floor}

    def evict() -> None:
        evict_from_page_cache(args.collection, files)

    try:
        # The untimed warm-up of each; the cli's lines are the rows every figure is tagged with.
        rows = run_measured(cli, capture_stdout=True).stdout.count(b"\n")
        run_measured(floor)
        warm = interleave(pair, args.rounds)
        evict_from_page_cache(args.collection, files, flush=True)
        cold = interleave(pair, args.rounds, before_each=evict)
    except (MeasureError, OSError) as err:
        print(f"error: {err}", file=sys.stderr)
        return 1
    load_after = os.getloadavg()

    name = os.path.basename(os.path.normpath(args.collection))
    rounds_text = f"{args.rounds} round{'s' if args.rounds != 1 else ''}"

    def ms(runs: list[Run]) -> list[float]:
        return [r.seconds * 1000 for r in runs]

    def line(label: str, values: list[float], unit: str, tag: str, note: str = "",
             digits: int = 1, value: float | None = None) -> str:
        shown = median(values) if value is None else value
        spread = f"({min(values):.{digits}f} to {max(values):.{digits}f})"
        return f"{label:<36}{shown:9.{digits}f} {unit:<3}{spread:<22}{note + '  ' if note else ''}{tag}"

    def ratio_of(a: list[Run], b: list[Run]) -> tuple[float, list[float]]:
        """The ratio of the medians, and each round's ratio for its spread."""
        return (median(ms(a)) / median(ms(b)), [x.seconds / y.seconds for x, y in zip(a, b)])

    warm_tag = f"[{name}, {rows} rows, warm cache, median of {args.rounds}]"
    cold_tag = f"[{name}, {rows} rows, cold: aircraft.cfg evicted before each run, median of {args.rounds}]"
    warm_ratio, warm_rounds = ratio_of(warm["cli"], warm["cat"])
    cold_ratio, cold_rounds = ratio_of(cold["cli"], cold["cat"])
    slowdown, slowdown_rounds = ratio_of(cold["cat"], warm["cat"])
    rss = [r.peak_rss_mb for r in warm["cli"] + cold["cli"]]
    missed = []

    print(f"collection: {display_path(args.collection)} ({stats['folders']} folders, {stats['variations']} "
          f"variations, {stats['bytes'] / 1e6:.1f} MB of aircraft.cfg); the cli lists {rows} rows; the floor is one "
          f"cat of {len(files)} aircraft.cfg in scan order ({needed / 1024:.0f} of {limit / 1024:.0f} KiB ARG_MAX)")
    print(f"conditions: {rounds_text} of each, interleaved cli/cat, median (min to max); warm: collection read and one "
          f"untimed run of each first; cold: every aircraft.cfg evicted from the page cache "
          f"(posix_fadvise DONTNEED) before each run, directories and inodes stay cached; {os.cpu_count()} CPUs, "
          f"load average {load_before[0]:.2f} at start, {load_after[0]:.2f} at end; MB = 2^20 bytes")

    print(line("warm hangardeck-cli list --extended", ms(warm["cli"]), "ms", warm_tag))
    print(line("warm cat of every aircraft.cfg", ms(warm["cat"]), "ms", warm_tag))
    note = f"{limits_text(WARM_RATIO, 'x')}: {verdict(warm_ratio, WARM_RATIO)}"
    print(line("warm ratio cli / cat (of medians)", warm_rounds, "x", warm_tag, note, 2, warm_ratio))
    if warm_ratio > WARM_RATIO[0]:
        missed.append("warm ratio")

    print(line("cold hangardeck-cli list --extended", ms(cold["cli"]), "ms", cold_tag))
    print(line("cold cat of every aircraft.cfg", ms(cold["cat"]), "ms", cold_tag))
    note = f"{limits_text(COLD_RATIO, 'x')}: {verdict(cold_ratio, COLD_RATIO)}"
    print(line("cold ratio cli / cat (of medians)", cold_rounds, "x", cold_tag, note, 2, cold_ratio))
    if cold_ratio > COLD_RATIO[0]:
        missed.append("cold ratio")
    if slowdown >= COLD_SLOWDOWN_MIN:
        note = "eviction check: cold reads clearly slower than warm"
    else:
        note = (f"eviction check: COLD ABOUT WARM (under {COLD_SLOWDOWN_MIN:g}x): this storage is about as fast as "
                f"the page cache, the cold figures say little")
    print(line("cold cat / warm cat (of medians)", slowdown_rounds, "x",
               f"[{name}, {rows} rows, median of {args.rounds}]", note, 2, slowdown))

    memory_tag = f"[{name}, {rows} rows, warm and cold runs, median of {2 * args.rounds}]"
    if rows >= MEMORY_ROWS:
        note = f"{limits_text(MEMORY_MB, ' MB')} at {MEMORY_ROWS} rows: {verdict(median(rss), MEMORY_MB)}"
        if median(rss) > MEMORY_MB[0]:
            missed.append("peak memory")
    else:
        note = f"{limits_text(MEMORY_MB, ' MB')} set for {MEMORY_ROWS} rows (LARGE=1)"
    print(line("hangardeck-cli peak RSS", rss, "MB", memory_tag, note))

    if args.check and missed:
        print(f"missed: {', '.join(missed)}", file=sys.stderr)
        return 3
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
