#!/usr/bin/python3
"""Measures a tournament on the local cluster against the runner alone playing the same matches.

Run from the folder the runner runs from (build/):
    ../Tools/Tournament/measure.py --set today=today.ini --set strong=strong.ini --matches 400
The runner alone plays each seat order in one run of --jobs (one per core); the overhead is the share of
the tournament's wall time above that."""

import argparse
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.realpath(__file__)))
from quillmarch_tournament import batches, cli  # noqa: E402

TOURNAMENT = os.path.join(os.path.dirname(os.path.realpath(__file__)), "quillmarch-tournament")


def timed(command):
    start = time.monotonic()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return time.monotonic() - start


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--set", action="append", dest="sets", required=True, metavar="NAME=FILE")
    parser.add_argument("--matches", type=int, default=400)
    parser.add_argument("--seed", type=int, default=1)
    arguments = parser.parse_args()
    sets = cli.read_sets(arguments.sets)
    orders = cli.seat_orders(sets)
    seeds = -(-arguments.matches // len(orders))
    runner = os.path.abspath(batches.resolve_runner(None))
    with tempfile.TemporaryDirectory() as folder:
        tournament = timed(["/usr/bin/python3", TOURNAMENT, *sum((["--set", s] for s in arguments.sets), []),
                            "--matches", str(arguments.matches), "--seed", str(arguments.seed),
                            "--runner", runner, "--results", os.path.join(folder, "results.jsonl")])
    alone = 0.0
    for order in orders:
        command = [runner, "--json", "--orcs", str(len(order)), "--seed", str(arguments.seed), "--matches",
                   str(seeds), "--jobs", str(os.cpu_count() or 1)]
        for slot, (_, path, _) in enumerate(order, start=1):
            command += ["--orc-params", f"{slot}={os.path.abspath(path)}"]
        alone += timed(command)
    print(f"{len(orders) * seeds} matches: tournament {tournament:.2f} s, runner alone {alone:.2f} s, "
          f"overhead {100 * (tournament - alone) / alone:.1f} %")


if __name__ == "__main__":
    main()
