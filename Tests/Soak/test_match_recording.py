"""How the drawn soak judges a match's recording: a whole one replays with the game's frame rates, and each
way a recording can fail its match is named, so that the soak cannot call a broken one replayable."""

import json
import pathlib
import statistics
import subprocess
import sys

import pytest

TOOLS = pathlib.Path(__file__).resolve().parents[2] / "Tools"
sys.path.insert(0, str(TOOLS / "Observer"))
from sample_match import SampleMatch  # noqa: E402

SECONDS = 6.0


def judged(*paths):
    run = subprocess.run([sys.executable, str(TOOLS / "Soak" / "match_recording.py"), *map(str, paths)],
                         capture_output=True, text=True, timeout=60)
    # The line as the soak reads it: words of key=value, the last one, replay=, taking the rest of the line.
    fields, _, replay = run.stdout.strip().partition("replay=")
    return run.returncode, dict(field.split("=") for field in fields.split()) | {"replay": replay}


def kind_of(line):
    return json.loads(json.loads(line)["text"])["type"]


@pytest.fixture
def recording(tmp_path):
    path = tmp_path / "match.jsonl"
    SampleMatch(SECONDS).write(path)
    return path


def test_a_whole_match_replays_with_the_median_and_the_settled_lowest_of_its_frame_rates(recording):
    reports = [(seconds, int(json.loads(text)["fps"])) for seconds, text in SampleMatch(SECONDS).messages()
               if json.loads(text)["type"] == "stats"]
    status, summary = judged(recording)
    assert (status, summary["replay"]) == (0, "ok")
    assert int(summary["messages"]) == len(recording.read_text().splitlines())
    assert int(summary["stats"]) == len(reports)
    assert int(summary["fps"]) == round(statistics.median(fps for _, fps in reports))
    assert int(summary["fps_lowest"]) == min(fps for seconds, fps in reports if seconds >= 2.0)


def cut_last_line(lines):
    return lines[:-1] + [lines[-1][:20]]


def one_unreadable_line(lines):
    return lines[:5] + ["not a record"] + lines[5:]


def one_bad_message(lines):
    return lines[:5] + [json.dumps({"t": 0.5, "text": '{ "type": "stats" }'})] + lines[5:]


def two_matches(lines):
    return lines + lines


def no_stats(lines):
    return [line for line in lines if kind_of(line) != "stats"]


def no_maps(lines):
    return [line for line in lines if kind_of(line) != "influence"]


@pytest.mark.parametrize("spoil, fault", [
    (cut_last_line, "its last line is cut"),
    (one_unreadable_line, "1 lines do not read"),
    (one_bad_message, "1 messages do not read"),
    (two_matches, "it shows"),
    (no_stats, "no stats message"),
    (no_maps, "no match setup"),
])
def test_a_spoilt_recording_does_not_replay_and_says_why(recording, spoil, fault):
    lines = spoil(recording.read_text().splitlines())
    recording.write_text("\n".join(lines) + ("\n" if spoil is not cut_last_line else ""))
    status, summary = judged(recording)
    assert status == 1
    assert fault in summary["replay"], summary


@pytest.mark.parametrize("files", [0, 2])
def test_a_match_must_lie_in_exactly_one_recording(recording, tmp_path, files):
    copies = [tmp_path / f"copy-{number}.jsonl" for number in range(files)]
    for copy in copies:
        copy.write_bytes(recording.read_bytes())
    status, summary = judged(*copies)
    assert status == 1
    assert f"in {files} recordings" in summary["replay"]
