"""The observer as a user runs it (its own process, a real port), with the pages and the game it meets."""

import asyncio
import collections
import json
import pathlib
import re
import subprocess
import sys

import pytest
from aiohttp import WSMsgType

OBSERVER_FOLDER = pathlib.Path(__file__).resolve().parents[2] / "Tools" / "Observer"
sys.path.insert(0, str(OBSERVER_FOLDER))
from sample_match import SampleMatch  # noqa: E402

WAIT_SECONDS = 30


def pytest_configure(config):
    config.addinivalue_line("markers", "game: runs the real game, which needs port 1337 to itself")


class Observer:
    def __init__(self, arguments, record_dir):
        self.record_dir = record_dir
        self.process = subprocess.Popen([sys.executable, "-u", str(OBSERVER_FOLDER / "observer.py"), *arguments],
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        first_line = self.process.stdout.readline()
        found = re.search(r"http://localhost:(\d+)/", first_line)
        assert found, first_line + self.process.stderr.read()
        self.port = int(found.group(1))
        self.url = f"http://localhost:{self.port}/"

    def stop(self):
        """Ends the observer as Ctrl-C would; it must leave cleanly, having said nothing of an error."""
        self.process.terminate()
        _, errors = self.process.communicate(timeout=WAIT_SECONDS)
        assert self.process.returncode == 0, errors
        assert "Traceback" not in errors, errors

    def recordings(self):
        return sorted(pathlib.Path(self.record_dir).glob("*.jsonl"))


@pytest.fixture
def start_observer(tmp_path):
    started = []

    def start(*arguments, port=0):
        record_dir = tmp_path / "recordings"
        started.append(Observer(["--port", str(port), "--record-dir", str(record_dir), *arguments], record_dir))
        return started[-1]

    yield start
    for observer in started:
        observer.stop()


@pytest.fixture(scope="session")
def sample_texts():
    """A short made-up match of five players, in the game's own texts."""
    return [text for _, text in SampleMatch(seconds=6).messages()]


def write_recording(path, texts):
    path.write_text("".join(json.dumps({"t": index * 0.01, "text": text}) + "\n" for index, text in enumerate(texts)))
    return path


def run(scenario):
    return asyncio.run(asyncio.wait_for(scenario, WAIT_SECONDS))


class Page:
    """A page on the observer's page socket, reading its events one by one."""

    def __init__(self, socket):
        self.socket = socket
        self.pending = collections.deque()

    async def next_event(self):
        while not self.pending:
            message = await self.socket.receive()
            assert message.type == WSMsgType.TEXT, message
            frame = json.loads(message.data)
            self.pending.extend(frame if isinstance(frame, list) else [frame])
        return self.pending.popleft()

    async def events_until(self, last_kind):
        """The events up to the first of kind `last_kind`, with the catch-up batch unpacked."""
        events = []
        while True:
            event = await self.next_event()
            events += event["events"] if event["kind"] == "batch" else [event]
            if event["kind"] == last_kind:
                return events


async def watch(session, observer, **headers):
    return Page(await session.ws_connect(f"ws://localhost:{observer.port}/watch", max_msg_size=0, **headers))


def kinds(events):
    return [event["kind"] for event in events]


async def play(session, observer, texts):
    game = await session.ws_connect(f"ws://localhost:{observer.port}/")
    for text in texts:
        await game.send_str(text)
    return game
