"""The tournament: its statistics, and whole tournaments with the real runner on real Dask processes."""

import json
import os
import signal
import socket
import subprocess
import sys
import time
from pathlib import Path

import pytest

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "Tools" / "Tournament"))
from quillmarch_tournament import cli, stats  # noqa: E402
from quillmarch_tournament.results import Results, ResultsError  # noqa: E402

TESTS = Path(__file__).resolve().parents[1]
TOURNAMENT = TESTS.parent / "Tools" / "Tournament" / "quillmarch-tournament"
# Short matches in small batches: a few dozen in some seconds, still many tasks to share out.
QUICK = ["--frame-ms", "40", "--batch", "2", "--seed", "3"]


def tournament(*arguments, cwd=TESTS):
    return subprocess.run(["/usr/bin/python3", str(TOURNAMENT), *arguments], capture_output=True, text=True,
                          cwd=cwd, timeout=240, check=False)


def lines_of(path):
    return set(Path(path).read_text().splitlines())


@pytest.fixture(scope="module")
def sets(tmp_path_factory):
    folder = tmp_path_factory.mktemp("sets")
    written = {"today": "", "keen": "rival_range = 30\ncapture_margin = 0\n", "hoarder": "camp_threshold = 1000\n",
               "wrong": "rival_range = 30\nrival_rang = 3\n"}
    for name, text in written.items():
        (folder / f"{name}.ini").write_text(text)
    return {name: f"{name}={folder / name}.ini" for name in written}


@pytest.fixture(scope="module")
def local_run(sets, tmp_path_factory):
    folder = tmp_path_factory.mktemp("local")
    run = tournament("--set", sets["today"], "--set", sets["keen"], "--matches", "16", *QUICK,
                     "--results", str(folder / "results.jsonl"), "--report", str(folder / "report"))
    assert run.returncode == 0, run.stderr
    return folder, run


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


class Cluster:
    """A Dask scheduler and workers as processes of their own on 127.0.0.1."""

    def __init__(self):
        self.address = f"tcp://127.0.0.1:{free_port()}"
        self.workers = []
        self.scheduler = subprocess.Popen(
            ["dask-scheduler", "--host", "127.0.0.1", "--port", self.address.rsplit(":", 1)[1], "--no-dashboard"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def add_worker(self, cwd=TESTS, env=None):
        worker = subprocess.Popen(["dask-worker", self.address, "--nthreads", "1", "--no-nanny", "--no-dashboard",
                                   "--host", "127.0.0.1"], cwd=cwd, env=env,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.workers.append(worker)
        self.wait_for(len([w for w in self.workers if w.poll() is None]))
        return worker

    def wait_for(self, count):
        from distributed import Client
        with Client(self.address, timeout=30) as client:
            client.wait_for_workers(count, timeout=30)

    def stop_workers(self):
        for worker in self.workers:
            if worker.poll() is None:
                worker.kill()
            worker.wait()
        self.workers = []

    def stop(self):
        self.stop_workers()
        self.scheduler.kill()
        self.scheduler.wait()


@pytest.fixture()
def cluster():
    started = Cluster()
    yield started
    started.stop()


def test_wilson_interval_and_elo_match_their_textbook_values():
    assert stats.wilson(18, 20) == pytest.approx((0.699, 0.972), abs=1e-3)
    assert stats.wilson(0, 10) == pytest.approx((0.0, 0.278), abs=1e-3)
    assert stats.elo_of(0.75, 100) == pytest.approx(190.8, abs=0.1)
    assert stats.elo_of(1.0, 10) == pytest.approx(stats.elo_of(0.95))


@pytest.mark.parametrize("outcomes, said", [
    ([1.0] * 90 + [0.0] * 30, "a is better"),
    ([0.0] * 90 + [1.0] * 30, "b is better"),
    ([1.0, 0.0] * 1000, "equal within 20 Elo"),
    ([1.0, 0.0, 1.0] * 30, "open"),
    ([1.0] * 30, "open"),
])
def test_the_early_stop_calls_a_winner_a_draw_or_goes_on(outcomes, said):
    assert stats.verdict(outcomes, "a", "b", 20.0) == said


def test_every_set_takes_every_slot_on_the_same_seeds():
    sets = [("a", "a.ini", ""), ("b", "b.ini", ""), ("c", "c.ini", "")]
    arguments = cli.parse_arguments(["--set", "a=x", "--set", "b=y", "--matches", "10", "--seed", "5", "--batch", "3"])
    tasks = cli.plan(arguments, cli.seat_orders(sets))
    keys = cli.planned_keys(tasks)
    assert len(keys) == 12
    for order in {names for names, _ in keys}:
        assert {seed for names, seed in keys if names == order} == {5, 6, 7, 8}
    for slot in range(3):
        assert sorted(names[slot] for names in {names for names, _ in keys}) == ["a", "b", "c"]


def test_results_read_back_drop_a_cut_line_and_refuse_another_tournament(tmp_path):
    planned = {(("a", "b"), 1), (("b", "a"), 1)}
    path = tmp_path / "results.jsonl"
    kept = json.dumps({"order": ["a", "b"], "seed": 1, "winner": 1, "players": []})
    path.write_text(kept + "\n" + '{"order": ["b", "a"], "se')
    results = Results(str(path), planned)
    assert list(results.matches) == [(("a", "b"), 1)]
    assert path.read_text() == kept + "\n"
    path.write_text(json.dumps({"order": ["a", "c"], "seed": 1}) + "\n")
    with pytest.raises(ResultsError, match="line 1 is a match of another tournament"):
        Results(str(path), planned)


def test_a_local_tournament_keeps_every_match_once_and_reports_it(local_run):
    folder, run = local_run
    results = [json.loads(line) for line in (folder / "results.jsonl").read_text().splitlines()]
    assert sorted((tuple(result["order"]), result["seed"]) for result in results) == sorted(
        (order, seed) for order in [("today", "keen"), ("keen", "today")] for seed in range(3, 11))
    assert all(result["parameters"] == {"1": result["order"][0], "2": result["order"][1]} for result in results)
    assert "16 of 16 matches played" in run.stdout
    assert "today vs keen" in run.stdout
    assert (folder / "report" / "tournament.png").read_bytes().startswith(b"\x89PNG")
    assert '<img src="tournament.png"' in (folder / "report" / "index.html").read_text()


def test_a_resumed_tournament_plays_only_what_is_missing(local_run, sets, tmp_path):
    folder, _ = local_run
    whole = (folder / "results.jsonl").read_text().splitlines()
    path = tmp_path / "results.jsonl"
    path.write_text("\n".join(whole[:5]) + "\n" + whole[5][:30])
    run = tournament("--set", sets["today"], "--set", sets["keen"], "--matches", "16", *QUICK,
                     "--results", str(path))
    assert run.returncode == 0, run.stderr
    assert "5 matches read back" in run.stdout and "11 to play" in run.stdout
    assert len(path.read_text().splitlines()) == 16
    assert lines_of(path) == set(whole)


def test_until_decided_stops_once_one_set_is_better(sets, tmp_path):
    path = tmp_path / "results.jsonl"
    run = tournament("--set", sets["today"], "--set", sets["hoarder"], "--matches", "200", *QUICK,
                     "--until-decided", "--results", str(path))
    assert run.returncode == 0, run.stderr
    assert "today is better" in run.stdout
    assert len(path.read_text().splitlines()) < 200


def test_a_tournament_on_a_scheduler_and_two_workers_gives_the_local_results(local_run, sets, cluster, tmp_path):
    folder, _ = local_run
    cluster.add_worker()
    cluster.add_worker()
    path = tmp_path / "results.jsonl"
    run = tournament("--set", sets["today"], "--set", sets["keen"], "--matches", "16", *QUICK,
                     "--results", str(path), "--scheduler", cluster.address)
    assert run.returncode == 0, run.stderr
    assert lines_of(path) == lines_of(folder / "results.jsonl")


def test_a_worker_killed_half_way_loses_no_match(local_run, sets, cluster, tmp_path):
    folder, _ = local_run
    cluster.add_worker()
    doomed = cluster.add_worker()
    path = tmp_path / "results.jsonl"
    playing = subprocess.Popen(["/usr/bin/python3", str(TOURNAMENT), "--set", sets["today"], "--set", sets["keen"],
                                "--matches", "16", *QUICK, "--results", str(path), "--scheduler", cluster.address],
                               cwd=TESTS, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    deadline = time.monotonic() + 120
    while (not path.exists() or len(path.read_text().splitlines()) < 6) and time.monotonic() < deadline:
        time.sleep(0.01)
    assert playing.poll() is None, "the tournament ended before the worker could be killed"
    doomed.send_signal(signal.SIGKILL)
    out, err = playing.communicate(timeout=240)
    assert playing.returncode == 0, err
    assert lines_of(path) == lines_of(folder / "results.jsonl")
    assert len(path.read_text().splitlines()) == 16


def one_line_and_nothing_written(run, tmp_path, said):
    assert run.returncode != 0
    assert run.stderr.count("\n") == 1 and said in run.stderr, run.stderr
    assert not (tmp_path / "results.jsonl").exists() and not (tmp_path / "report").exists()


def test_a_worker_without_the_runner_ends_the_tournament_with_one_line(sets, cluster, tmp_path):
    bare = {key: value for key, value in os.environ.items() if key != "QUILLMARCH_MATCH_RUNNER"}
    cluster.add_worker(cwd=tmp_path, env=bare)
    run = tournament("--set", sets["today"], "--set", sets["keen"], "--matches", "4", *QUICK,
                     "--results", str(tmp_path / "results.jsonl"), "--report", str(tmp_path / "report"),
                     "--scheduler", cluster.address)
    one_line_and_nothing_written(run, tmp_path, "is missing on worker tcp://127.0.0.1:")


@pytest.mark.parametrize("scheduler, said", [
    (None, "wrong.ini line 2: key 'rival_rang': unknown key"),
    ("unreachable", "ERROR: Could not reach the Dask scheduler at tcp://127.0.0.1:"),
])
def test_a_bad_file_or_an_unreachable_scheduler_ends_with_one_line(sets, tmp_path, scheduler, said):
    chosen = ["--set", sets["today"], "--set", sets["wrong" if scheduler is None else "keen"]]
    if scheduler:
        chosen += ["--scheduler", f"tcp://127.0.0.1:{free_port()}", "--connect-timeout", "2"]
    run = tournament(*chosen, "--matches", "4", *QUICK, "--results", str(tmp_path / "results.jsonl"),
                     "--report", str(tmp_path / "report"))
    one_line_and_nothing_written(run, tmp_path, said)
