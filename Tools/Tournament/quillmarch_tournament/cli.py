"""quillmarch-tournament: plays parameter sets of the orcs against each other and says which is better."""

import argparse
import logging
import math
import os
import re
import subprocess
import sys

from . import batches, report, stats
from .results import Results, ResultsError

MOST_SETS = 4
CONNECT_SECONDS = 10
USAGE_STATUS = 2
NAME_PATTERN = re.compile(r"^[A-Za-z0-9_.-]+$")


class Refusal(Exception):
    """Ends the tournament with one line and a status; what was kept stays whole."""

    def __init__(self, line, status=1):
        super().__init__(line)
        self.status = status


def package_version():
    """The version an install stamps beside the tournament's command; a source checkout has none."""
    try:
        from installed_version import VERSION
        return VERSION
    except ImportError:
        return "(not installed)"


def parse_arguments(argv):
    parser = argparse.ArgumentParser(
        prog="quillmarch-tournament",
        description="Plays parameter sets of the orcs against each other with the match runner, seats "
                    "rotated and seeds shared, on a Dask cluster, and reports which set is stronger. Run it "
                    "from the folder the match runner runs from (for example build/).")
    parser.add_argument("--version", action="version", version=f"quillmarch-tournament {package_version()}")
    parser.add_argument("--set", action="append", default=[], metavar="NAME=FILE", dest="sets",
                        help="a parameter set (INI file; an empty file is today's orcs); two to four")
    parser.add_argument("--matches", type=int, default=100, metavar="N",
                        help="matches in all, rounded up to whole seat rotations (default 100)")
    parser.add_argument("--seed", type=int, default=1, metavar="S", help="the first seed (default 1)")
    parser.add_argument("--results", metavar="FILE",
                        help="keep every match's JSON line here as it arrives; resumes from it")
    parser.add_argument("--report", metavar="FOLDER", help="write index.html and tournament.png here")
    parser.add_argument("--runner", metavar="PATH",
                        help=f"the match runner (default: ${batches.RUNNER_VARIABLE}, "
                             f"{batches.RUNNER_IN_BUILD} or {batches.INSTALLED_RUNNER} on the PATH, "
                             "looked for on each worker)")
    parser.add_argument("--scheduler", metavar="tcp://HOST:PORT",
                        help="a Dask scheduler to play on (default: a local cluster, one worker per core)")
    parser.add_argument("--connect-timeout", type=float, default=CONNECT_SECONDS, metavar="SECONDS",
                        help=f"how long to try reaching --scheduler (default {CONNECT_SECONDS})")
    parser.add_argument("--until-decided", action="store_true",
                        help="stop once one set is better with 95 %% confidence, or all are equal within "
                             "--margin")
    parser.add_argument("--margin", type=float, default=20.0, metavar="ELO",
                        help="Elo difference below which sets count as equal (default 20)")
    parser.add_argument("--batch", type=int, default=10, metavar="N",
                        help="seeds one task plays (default 10)")
    parser.add_argument("--frame-ms", metavar="MS", help="the runner's frame length (default its own)")
    arguments = parser.parse_args(argv)
    if arguments.matches < 1 or arguments.batch < 1 or arguments.margin <= 0:
        parser.error("--matches, --batch and --margin must be positive")
    if not 2 <= len(arguments.sets) <= MOST_SETS:
        parser.error(f"give two to {MOST_SETS} parameter sets with --set NAME=FILE")
    return arguments


def read_sets(given):
    """(name, file, text) per --set; refused with one line when a name or file will not do."""
    sets = []
    for text in given:
        name, equals, path = text.partition("=")
        if not equals or not NAME_PATTERN.match(name) or not path:
            raise Refusal(f"ERROR: --set {text}: give NAME=FILE, the name of letters, digits, '_', '.' "
                          "or '-'", USAGE_STATUS)
        if any(name == known for known, _, _ in sets):
            raise Refusal(f"ERROR: --set {text}: the name {name} is taken", USAGE_STATUS)
        try:
            with open(path, encoding="utf-8") as file:
                sets.append((name, path, file.read()))
        except OSError as failure:
            raise Refusal(f"ERROR: {path}: {failure.strerror}", USAGE_STATUS) from None
    return sets


def seat_orders(sets):
    """Each set takes each slot once: the rotations of the list."""
    return [sets[shift:] + sets[:shift] for shift in range(len(sets))]


def runner_options(arguments):
    return ["--frame-ms", arguments.frame_ms] if arguments.frame_ms else []


def check_sets_locally(arguments, sets):
    """Where the runner is at hand, it reads the files once before anything starts."""
    runner = batches.resolve_runner(arguments.runner)
    if runner is None:
        if arguments.scheduler:
            return None
        raise Refusal(f"ERROR: The match runner {arguments.runner or batches.RUNNER_IN_BUILD} is missing")
    command = [runner, "--check", "--orcs", str(len(sets))] + runner_options(arguments)
    for slot, (_, path, _) in enumerate(sets, start=1):
        command += ["--orc-params", f"{slot}={os.path.abspath(path)}"]
    check = subprocess.run(command, capture_output=True, text=True, check=False)
    if check.returncode != 0:
        said = [line for line in check.stderr.splitlines() if line.strip()] or [f"status {check.returncode}"]
        raise Refusal(said[0] if said[0].startswith("ERROR: ") else f"ERROR: {said[0]}", USAGE_STATUS)
    return os.path.abspath(runner)


def plan(arguments, orders):
    """Every task: an order, its first seed and how many seeds, the seeds of a batch in every order."""
    seeds = math.ceil(arguments.matches / len(orders))
    tasks = []
    for first in range(arguments.seed, arguments.seed + seeds, arguments.batch):
        count = min(arguments.batch, arguments.seed + seeds - first)
        tasks += [(order, first, count) for order in orders]
    return tasks


def planned_keys(tasks):
    return {(tuple(name for name, _, _ in order), seed)
            for order, first, count in tasks for seed in range(first, first + count)}


def still_to_play(tasks, results):
    """The tasks with a match not yet in the results, narrowed to the seeds that are missing."""
    remaining = []
    for order, first, count in tasks:
        names = tuple(name for name, _, _ in order)
        missing = [seed for seed in range(first, first + count) if (names, seed) not in results.matches]
        # Runs of missing seeds: a resumed tournament plays none twice.
        while missing:
            run = 1
            while run < len(missing) and missing[run] == missing[0] + run:
                run += 1
            remaining.append((order, missing[0], run))
            missing = missing[run:]
    return remaining


def connect(arguments):
    # Dask's own log would bury the one line a failure deserves.
    logging.getLogger("distributed").setLevel(logging.CRITICAL)
    from distributed import Client, LocalCluster
    import cloudpickle
    cloudpickle.register_pickle_by_value(batches)
    if arguments.scheduler:
        try:
            return Client(arguments.scheduler, timeout=arguments.connect_timeout), None
        except (OSError, TimeoutError, ValueError) as failure:
            raise Refusal(f"ERROR: Could not reach the Dask scheduler at {arguments.scheduler}: "
                          f"{str(failure).splitlines()[0] if str(failure) else type(failure).__name__}") from None
    cluster = LocalCluster(n_workers=os.cpu_count() or 1, threads_per_worker=1, processes=False,
                           dashboard_address=None)
    return Client(cluster), cluster


def play(arguments, sets, runner, results, tasks):
    from distributed import as_completed
    client, cluster = connect(arguments)
    orders = seat_orders(sets)
    names = [name for name, _, _ in sets]
    try:
        futures = [client.submit(batches.play_batch, runner, order, first, count, runner_options(arguments),
                                 pure=False) for order, first, count in tasks]
        for future in as_completed(futures):
            try:
                outcome = future.result()
            except Exception as failure:  # noqa: BLE001  (whatever the cluster raises ends the tournament)
                raise Refusal(f"ERROR: A batch failed on the Dask cluster: {type(failure).__name__}: "
                              f"{str(failure).splitlines()[0] if str(failure) else ''}") from None
            if "error" in outcome:
                raise Refusal(outcome["error"] if outcome["error"].startswith("ERROR: ")
                              else "ERROR: " + outcome["error"])
            for line in outcome["lines"]:
                results.add(line)
            if arguments.until_decided and stats.decided(results.all(), names, orders, arguments.margin):
                break
    finally:
        client.close()
        if cluster:
            cluster.close()


def run(argv):
    arguments = parse_arguments(argv)
    sets = read_sets(arguments.sets)
    runner = check_sets_locally(arguments, sets)
    if runner is None or arguments.scheduler:
        # On other machines the runner is looked for there, from the worker's own folder.
        runner = arguments.runner
    orders = seat_orders(sets)
    tasks = plan(arguments, orders)
    try:
        results = Results(arguments.results, planned_keys(tasks))
    except ResultsError as failure:
        raise Refusal(f"ERROR: {failure}", USAGE_STATUS) from None
    remaining = still_to_play(tasks, results)
    if arguments.results and results.matches:
        print(f"MESSAGE: {len(results.matches)} matches read back from {arguments.results}, "
              f"{sum(count for _, _, count in remaining)} to play", flush=True)
    try:
        if remaining and not (arguments.until_decided and
                              stats.decided(results.all(), [n for n, _, _ in sets], orders, arguments.margin)):
            play(arguments, sets, runner, results, remaining)
    finally:
        results.close()
    names = [name for name, _, _ in sets]
    figures = stats.set_figures(results.all(), names)
    pairs = stats.pair_figures(results.all(), names, orders, arguments.margin)
    text = report.text_of(figures, pairs, len(results.matches), len(planned_keys(tasks)))
    print(text, flush=True)
    if arguments.report:
        report.write_report(arguments.report, text, figures, pairs, "Quillmarch tournament: " + ", ".join(names))
    return 0


def main(argv=None):
    try:
        return run(sys.argv[1:] if argv is None else argv)
    except Refusal as refusal:
        print(refusal, file=sys.stderr, flush=True)
        return refusal.status
    except OSError as failure:
        print(f"ERROR: {failure.filename or 'a file'}: {failure.strerror or failure}", file=sys.stderr, flush=True)
        return 1
    except KeyboardInterrupt:
        print("MESSAGE: Interrupted; the matches played so far are kept", file=sys.stderr, flush=True)
        return 130
