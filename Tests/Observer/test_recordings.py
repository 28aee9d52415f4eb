"""Recordings through a crash and a folder that takes nothing, and the replay of what is left."""

import json
import subprocess

import pytest
from aiohttp import ClientSession

from conftest import kinds, play, run, watch
from recording_file import RecordingFile


async def shown_while_played(observer, matches):
    """The events a page sees while a game plays each of `matches` (lists of texts) and leaves."""
    async with ClientSession() as session:
        page = await watch(session, observer)
        await page.events_until("batch")
        shown = []
        for texts in matches:
            await (await play(session, observer, texts)).close()
            shown.append(await page.events_until("over"))
        return shown


def test_a_killed_observer_leaves_every_line_and_the_replay_says_once_that_the_last_was_cut(start_observer,
                                                                                            sample_texts):
    observer = start_observer()
    half = sample_texts[: len(sample_texts) // 2]

    async def play_then_kill():
        async with ClientSession() as session:
            page = await watch(session, observer)
            await page.events_until("batch")
            await play(session, observer, half)
            shown = [await page.next_event() for _ in range(len(half) + 2)]  # the game's status, the start
            observer.kill()  # the game still connected, the match going on
            return shown

    run(play_then_kill())
    [path] = observer.recordings()
    recording = RecordingFile.read(path)
    assert [text for _, text in recording.entries] == half
    assert (recording.skipped_lines, recording.last_line_cut) == (0, False)

    data = path.read_bytes()  # the last line torn in the middle, as a write cut short leaves it
    path.write_bytes(data[: len(data) - len(data.rstrip(b"\n").rsplit(b"\n", 1)[-1]) // 2 - 1])
    replayer = start_observer("--replay", str(path), "--speed", "1000")

    async def replayed():
        async with ClientSession() as session:
            return (await (await watch(session, replayer)).events_until("replay"))[-1]["events"]

    events = run(replayed())
    assert [event["problem"] for event in events if event["kind"] == "warning"] == ["cut-line"]
    shown = ["floor"] + [json.loads(text)["type"].replace("influence", "heat") for text in half[1:-1]]
    assert kinds(events) == ["start", "warning"] + shown + ["over"]
    assert replayer.stop().count("was cut off") == 1


@pytest.fixture
def small_file_system(tmp_path):
    folder = tmp_path / "small"
    folder.mkdir()
    if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", str(folder)]).returncode != 0:
        pytest.skip("this machine lets no test mount a file system (it needs root)")
    yield folder
    subprocess.run(["umount", "-l", str(folder)], check=True)


@pytest.mark.parametrize("cannot", ["full", "read-only"])
def test_a_folder_that_takes_no_recording_is_one_warning_and_every_match_is_still_shown(cannot, small_file_system,
                                                                                        start_observer, sample_texts):
    if cannot == "read-only":
        subprocess.run(["mount", "-o", "remount,ro", str(small_file_system)], check=True)
    observer = start_observer(record_dir=small_file_system)
    shown = run(shown_while_played(observer, [sample_texts, sample_texts]))
    players = sum('"player"' in text for text in sample_texts)
    assert [kinds(events).count("player") for events in shown] == [players, players]
    assert observer.stop().count("WARNING: ") == 1
    recordings = observer.recordings()
    assert len(recordings) == (cannot == "full")  # the second match's file, emptied, is gone
    for path in recordings:
        texts = [text for _, text in RecordingFile.read(path).entries]
        assert 0 < len(texts) < len(sample_texts) and texts == sample_texts[: len(texts)]
