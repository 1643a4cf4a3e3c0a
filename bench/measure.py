#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 HANGARDECK developers
"""Times the catalogue's listing against the cost of reading the same files.

    measure.py --cli PATH [--rounds 11] COLLECTION_DIR

Runs, interleaved round by round after one warm-up of each:
  (a) PATH list --extended COLLECTION_DIR > /dev/null
  (b) the read floor: cat of every <folder>/aircraft.cfg once, to /dev/null
then prints the median wall time of each, their ratio and the peak memory of (a).

The helpers (Command, run_measured, measure_side_by_side, median, peak_rss_mb,
collection_stats, write_file_list) are meant to be imported by other timing scripts in this folder.
"""

from __future__ import annotations

import argparse
import os
import re
import statistics
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass

TIME_PROGRAM = "/usr/bin/time"
RATIO_TARGET = 3.0
RATIO_GOAL = 1.5
MEMORY_TARGET_MB = 150.0

_FLTSIM_HEADER = re.compile(rb"^[ \t]*\[fltsim\.\d+\]", re.IGNORECASE | re.MULTILINE)


class MeasureError(RuntimeError):
    """A measured command failed or could not be started."""


@dataclass
class Command:
    """One program to time: its arguments and, if wanted, a file fed to its standard input.

    Standard output always goes to /dev/null.
    """

    argv: list[str]
    stdin: str | None = None

    def shell_text(self) -> str:
        text = " ".join(_quote(a) for a in self.argv)
        if self.stdin:
            text += " < " + _quote(self.stdin)
        return text + " > /dev/null"


def _quote(arg: str) -> str:
    if arg and re.fullmatch(r"[\w@%+=:,./-]+", arg):
        return arg
    return "'" + arg.replace("'", "'\\''") + "'"


def _as_command(given: Command | list[str]) -> Command:
    return given if isinstance(given, Command) else Command(list(given))


def run_timed(cmd: Command) -> float:
    """Runs the command once and returns its wall time in seconds; raises MeasureError on failure."""
    stdin = open(cmd.stdin, "rb") if cmd.stdin else subprocess.DEVNULL
    try:
        start = time.perf_counter()
        proc = subprocess.run(cmd.argv, stdin=stdin, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        elapsed = time.perf_counter() - start
    except OSError as err:
        raise MeasureError(f"cannot run {cmd.shell_text()}: {err}") from err
    finally:
        if cmd.stdin:
            stdin.close()
    if proc.returncode != 0:
        tail = proc.stderr.decode("utf-8", "replace").strip()[-2000:]
        raise MeasureError(f"{cmd.shell_text()} exited with status {proc.returncode}"
                           + (f":\n{tail}" if tail else ""))
    return elapsed


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
                proc = subprocess.Popen(cmd.argv, stdin=stdin, stderr=errors,
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


def measure_side_by_side(commands: dict[str, Command | list[str]], rounds: int = 11,
                         warmup: int = 1) -> dict[str, list[float]]:
    """Times every command `rounds` times, interleaved (A, B, A, B, ...) so that noise on the
    machine falls on all of them alike, after `warmup` untimed runs of each.

    Returns the wall times in seconds, per name, in the order they were taken.
    """
    if rounds < 1:
        raise ValueError("rounds must be at least 1")
    cmds = {name: _as_command(given) for name, given in commands.items()}
    for _ in range(warmup):
        for cmd in cmds.values():
            run_timed(cmd)
    times: dict[str, list[float]] = {name: [] for name in cmds}
    for _ in range(rounds):
        for name, cmd in cmds.items():
            times[name].append(run_timed(cmd))
    return times


def median(values: list[float]) -> float:
    return statistics.median(values)


def peak_rss_mb(given: Command | list[str], runs: int = 3) -> float:
    """Largest maximum resident set size, in MB, that `/usr/bin/time -f %M` reports over `runs` runs."""
    cmd = _as_command(given)
    if not os.access(TIME_PROGRAM, os.X_OK):
        raise MeasureError(f"{TIME_PROGRAM} is missing (Debian package 'time')")
    peak_kb = 0
    with tempfile.TemporaryDirectory(prefix="hangardeck-rss-") as tmp:
        report = os.path.join(tmp, "rss")
        for _ in range(runs):
            run_timed(Command([TIME_PROGRAM, "-f", "%M", "-o", report, *cmd.argv], cmd.stdin))
            with open(report, encoding="ascii") as f:
                peak_kb = max(peak_kb, int(f.read().split()[-1]))
    return peak_kb / 1024.0


def aircraft_cfg_files(collection: str) -> tuple[int, list[str]]:
    """Folders directly below the collection and the aircraft.cfg (any letter case) in each."""
    folders = 0
    files: list[str] = []
    with os.scandir(collection) as it:
        entries = sorted(it, key=lambda e: e.name.lower())
    for entry in entries:
        if not entry.is_dir():
            continue
        folders += 1
        try:
            with os.scandir(entry.path) as inner:
                for f in inner:
                    if f.name.lower() == "aircraft.cfg" and f.is_file():
                        files.append(f.path)
                        break
        except OSError:
            pass
    return folders, files


def collection_stats(collection: str) -> tuple[dict[str, int], list[str]]:
    """Folder count, aircraft.cfg count, their total size and the number of [fltsim.N]
    headers, with the aircraft.cfg paths.

    Reading every file here also leaves them in the page cache, so all timed runs start warm.
    """
    folders, files = aircraft_cfg_files(collection)
    size = 0
    variations = 0
    for path in files:
        with open(path, "rb") as f:
            data = f.read()
        size += len(data)
        variations += len(_FLTSIM_HEADER.findall(data))
    return {"folders": folders, "files": len(files), "bytes": size, "variations": variations}, files


def write_file_list(paths: list[str], list_path: str) -> None:
    """Writes the paths NUL-separated, for `xargs -0`."""
    with open(list_path, "wb") as f:
        for p in paths:
            f.write(os.fsencode(p) + b"\0")


def read_floor_command(list_path: str) -> Command:
    """cat of every listed file once, the least any listing of the collection must cost."""
    return Command(["xargs", "-0", "cat"], stdin=list_path)


def display_path(path: str) -> str:
    rel = os.path.relpath(path)
    return path if rel.startswith("..") else rel


def main(argv: list[str]) -> int:
    parser = argparse.ArgumentParser(description="Time hangardeck-cli list --extended against reading the files.")
    parser.add_argument("--cli", required=True, help="the hangardeck-cli program")
    parser.add_argument("--rounds", type=int, default=11, help="timed runs of each command (default 11)")
    parser.add_argument("--check", action="store_true", help="exit with status 3 when a target is missed")
    parser.add_argument("collection", help="directory holding one folder per aircraft")
    args = parser.parse_args(argv)
    if args.rounds < 1:
        parser.error("--rounds must be at least 1")
    if not os.path.isdir(args.collection):
        parser.error(f"{args.collection} is not a directory")

    stats, files = collection_stats(args.collection)
    if stats["files"] == 0:
        print(f"error: no aircraft.cfg found in the folders of {args.collection}", file=sys.stderr)
        return 2
    print(f"collection: {display_path(args.collection)} ({stats['folders']} folders, "
          f"{stats['variations']} variations, {stats['bytes'] / 1e6:.1f} MB of aircraft.cfg)", flush=True)

    cli = Command([args.cli, "list", "--extended", args.collection])
    with tempfile.TemporaryDirectory(prefix="hangardeck-bench-") as tmp:
        list_path = os.path.join(tmp, "aircraft-cfg.list")
        write_file_list(files, list_path)
        floor = read_floor_command(list_path)
        try:
            times = measure_side_by_side({"cli": cli, "floor": floor}, rounds=args.rounds)
            rss = peak_rss_mb(cli)
        except MeasureError as err:
            print(f"error: {err}", file=sys.stderr)
            return 1

    cli_ms = median(times["cli"]) * 1000
    floor_ms = median(times["floor"]) * 1000
    ratio = cli_ms / floor_ms
    missed = []

    def spread(values: list[float]) -> str:
        return f"{min(values) * 1000:.1f} to {max(values) * 1000:.1f} ms"

    print(f"hangardeck-cli list --extended: median {cli_ms:.1f} ms ({args.rounds} runs, {spread(times['cli'])})")
    print(f"read floor (cat of every aircraft.cfg): median {floor_ms:.1f} ms ({spread(times['floor'])})")
    note = ""
    if ratio > RATIO_TARGET:
        note = "  ABOVE TARGET"
        missed.append("ratio")
    print(f"ratio: {ratio:.2f}x (target <= {RATIO_TARGET:g}x, goal {RATIO_GOAL:g}x){note}")
    note = ""
    if rss >= MEMORY_TARGET_MB:
        note = "  ABOVE TARGET"
        missed.append("memory")
    print(f"peak memory of hangardeck-cli: {rss:.1f} MB (target < {MEMORY_TARGET_MB:g} MB){note}")
    return 3 if args.check and missed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
