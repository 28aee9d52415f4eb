"""The observer as a user runs it (its own process, a real port), with the pages and the game it meets."""

import asyncio
import collections
import json
import os
import pathlib
import re
import subprocess
import sys
import tempfile

import pytest
from aiohttp import WSMsgType
from hypothesis import HealthCheck, settings
from hypothesis.configuration import set_hypothesis_home_dir
from selenium import webdriver
from selenium.webdriver.chrome.service import Service

OBSERVER_FOLDER = pathlib.Path(__file__).resolve().parents[2] / "Tools" / "Observer"
sys.path.insert(0, str(OBSERVER_FOLDER))
from sample_match import SampleMatch  # noqa: E402

WAIT_SECONDS = 30
CHROMIUM_SWITCHES = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--window-size=1600,1000"]


def pytest_configure(config):
    config.addinivalue_line("markers", "game: runs the real game, which needs port 1337 to itself")
    config.addinivalue_line("markers", "flood: floods the observer, which needs the machine to itself")


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
        self.errors = None

    def stop(self):
        """Ends the observer as Ctrl-C would; it must leave cleanly, having said nothing of an error. Returns
        what it wrote to its error stream."""
        if self.errors is None:
            self.process.terminate()
            _, self.errors = self.process.communicate(timeout=WAIT_SECONDS)
            assert self.process.returncode == 0, self.errors
            assert "Traceback" not in self.errors, self.errors
        return self.errors

    def kill(self):
        self.process.kill()
        _, self.errors = self.process.communicate(timeout=WAIT_SECONDS)

    def recordings(self):
        return sorted(pathlib.Path(self.record_dir).glob("*.jsonl"))


@pytest.fixture
def start_observer(tmp_path):
    started = []

    def start(*arguments, port=0, record_dir=tmp_path / "recordings"):
        started.append(Observer(["--port", str(port), "--record-dir", str(record_dir), *arguments], record_dir))
        return started[-1]

    yield start
    for observer in started:
        observer.stop()


@pytest.fixture(scope="module")
def browser():
    """A real headless Chromium, one for each test module."""
    options = webdriver.ChromeOptions()
    for switch in CHROMIUM_SWITCHES:
        options.add_argument(switch)
    with tempfile.TemporaryDirectory() as profile:
        options.add_argument(f"--user-data-dir={profile}")
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        yield driver
        driver.quit()


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


# Every property test runs the same examples each time, few enough to keep the suite quick; Hypothesis
# keeps its cache of Unicode tables outside the source tree.
set_hypothesis_home_dir(os.path.join(tempfile.gettempdir(), "quillmarch-hypothesis"))
settings.register_profile("observer", max_examples=200, derandomize=True, database=None, deadline=None,
                          print_blob=False, suppress_health_check=[HealthCheck.too_slow, HealthCheck.data_too_large])
settings.load_profile("observer")
