#!/usr/bin/python3
"""Measures the observer as the game and two browsers meet it: the latency it adds to each message and its
memory over many matches; or, with --flood, how it stands a game that sends far more than the real one.

    measure.py [--recording FILE] [--matches 10] [--chromium]
    measure.py --flood SECONDS [--rate 10000] [--watchers 20] [--chromium]

Every match is played from the recording (by default a made-up 93-second match of five players) into one
observer with two pages attached, as fast as the observer relays it: each message is sent as soon as both
pages have the one before. Then one match is sent all at once, to see how it copes with a flood. With
--chromium, two real headless Chromium pages watch as well and draw the match while it is measured.

--flood sends --rate messages a second for SECONDS while --watchers plain pages follow, one page stops
reading and, with --chromium, one real Chromium page draws the match: it prints the observer's peak
memory, what each page and the recording got, whether the slow page was dropped and whether the game
ever had to wait.
"""

import argparse
import asyncio
import contextlib
import pathlib
import re
import statistics
import subprocess
import sys
import tempfile
import threading
import time

from aiohttp import ClientSession

import flood
from recording_file import RecordingFile
from sample_match import SampleMatch

OBSERVER = pathlib.Path(__file__).resolve().parent / "observer.py"
# Events that stand for one message of the game each; the others (start, over, status) are the observer's own.
MEMORY_EVERY_SECONDS = 5.0
# A frame holds one event, or a list of those that piled up.
MESSAGE_EVENTS = re.compile(r'\{"kind":"(?:floor|heat|player|stats|warning)"')


class Page:
    """A browser stand-in that notes when each message's event arrives."""

    def __init__(self, socket):
        self.socket = socket
        self.arrivals = []
        self.changed = asyncio.Event()
        self.reader = asyncio.create_task(self._read())

    async def _read(self):
        async for message in self.socket:
            events = len(MESSAGE_EVENTS.findall(message.data))
            if events:
                self.arrivals += [time.perf_counter()] * events
                self.changed.set()

    async def wait_for(self, count):
        while len(self.arrivals) < count:
            self.changed.clear()
            await self.changed.wait()


async def play_match(session, port, texts, pages, lockstep):
    """Seconds each message took to reach each page."""
    for page in pages:
        page.arrivals.clear()
    game = await session.ws_connect(f"ws://127.0.0.1:{port}/")
    sent = []
    for index, text in enumerate(texts):
        sent.append(time.perf_counter())
        await game.send_str(text)
        if lockstep:
            await asyncio.gather(*(page.wait_for(index + 1) for page in pages))
    await asyncio.gather(*(page.wait_for(len(texts)) for page in pages))
    await game.close()
    return [arrival - start for page in pages for start, arrival in zip(sent, page.arrivals)]


def milliseconds(latencies):
    ordered = sorted(latencies)
    return (f"median {statistics.median(ordered) * 1000:.2f} ms, 95th percentile "
            f"{ordered[int(len(ordered) * 0.95)] * 1000:.2f} ms, largest {ordered[-1] * 1000:.2f} ms")


def open_chromium(count):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service

    browsers = []
    for _ in range(count):
        options = webdriver.ChromeOptions()
        for switch in ("--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--window-size=1600,1000",
                       f"--user-data-dir={tempfile.mkdtemp()}"):
            options.add_argument(switch)
        browsers.append(webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options))
    return browsers


@contextlib.contextmanager
def observer_with_browsers(chromium_pages):
    """The observer's process, its port, its recordings folder and the Chromium drivers, all ended after."""
    with tempfile.TemporaryDirectory() as recordings:
        observer = subprocess.Popen([sys.executable, str(OBSERVER), "--port", "0", "--record-dir", recordings],
                                    stdout=subprocess.PIPE, text=True)
        port = int(re.search(r"localhost:(\d+)/", observer.stdout.readline()).group(1))
        browsers = open_chromium(chromium_pages)
        try:
            yield observer, port, pathlib.Path(recordings), browsers
        finally:
            for browser in browsers:
                browser.quit()
            observer.terminate()
            observer.wait()


async def measure(texts, matches, chromium_pages):
    with observer_with_browsers(chromium_pages) as (observer, port, _, browsers):
        for browser in browsers:
            browser.get(f"http://localhost:{port}/")
        async with ClientSession() as session:
            pages = [Page(await session.ws_connect(f"ws://127.0.0.1:{port}/watch", max_msg_size=0)) for _ in range(2)]
            print(f"{len(texts)} messages a match, two pages measuring, {chromium_pages} Chromium pages drawing; "
                  f"observer memory before: {flood.kilobytes(observer.pid, 'VmRSS')} kB")
            latencies = []
            for match in range(1, matches + 1):
                latencies += await play_match(session, port, texts, pages, lockstep=True)
                print(f"match {match:2}: observer memory {flood.kilobytes(observer.pid, 'VmRSS')} kB")
            print(f"added latency, each message sent once the last was relayed: {milliseconds(latencies)}")
            started = time.perf_counter()
            flooded = await play_match(session, port, texts, pages, lockstep=False)
            seconds = time.perf_counter() - started
            print(f"whole match sent at once: {len(texts) / seconds:.0f} messages/s relayed to both pages; "
                  f"latency {milliseconds(flooded)}")


def sample_memory(pid, samples, done):
    """Appends the resident memory every few seconds until `done` is set."""
    while not done.wait(MEMORY_EVERY_SECONDS):
        samples.append(flood.kilobytes(pid, "VmRSS"))


def measure_flood(seconds, rate, watchers, chromium):
    with observer_with_browsers(1 if chromium else 0) as (observer, port, recordings, browsers):
        print(f"{rate} messages a second for {seconds} s; {watchers} plain pages, "
              f"{'one Chromium page' if chromium else 'no browser'} and one page that stops reading")
        processor_before = flood.processor_seconds(observer.pid)
        samples, done = [], threading.Event()
        sampling = threading.Thread(target=sample_memory, args=(observer.pid, samples, done))
        sampling.start()
        result = flood.flood(port, rate, seconds, watchers, browsers[0] if browsers else None)
        done.set()
        sampling.join()
        game = result.game
        peak = flood.kilobytes(observer.pid, "VmHWM")
        print(f"the game sent {game.sent - 1} numbered messages after the floor; it had to wait {game.waits} times"
              + (f" ({game.error})" if game.error else ""))
        print(f"observer: peak resident memory {peak} kB; every {MEMORY_EVERY_SECONDS:g} s: "
              + ", ".join(map(str, samples)) + " kB; processor time "
              f"{flood.processor_seconds(observer.pid) - processor_before:.1f} s")
        for index, page in enumerate(result.pages, 1):
            print(f"plain page {index:2}: {page.next - 1} messages in order, {page.wrong} frames out of order, "
                  f"{page.frames} frames{', cut off early' if page.closed_early else ''}")
        if result.browser is not None:
            check = result.browser
            print(f"Chromium page: {check['next'] - 1} messages in order, {check['wrong']} out of order, "
                  f"closed {check['closed']} times")
        print(f"the page that stopped reading got {result.stalled_bytes} bytes before the observer cut it off")
        print(f"slowest message from the game to a plain page: {flood.slowest_arrival(result) * 1000:.0f} ms")
        [recording] = recordings.glob("*.jsonl")
        print(f"the recording holds every message in order: {flood.recorded_in_order(recording, game.count)}")


def main():
    parser = argparse.ArgumentParser(description="Measure the observer's added latency and memory.")
    parser.add_argument("--recording", help="a recorded match to play (default: a made-up 93-second match)")
    parser.add_argument("--matches", type=int, default=10)
    parser.add_argument("--chromium", action="store_true", help="real Chromium pages watch as well")
    parser.add_argument("--flood", type=float, metavar="SECONDS", help="flood the observer for this long instead")
    parser.add_argument("--rate", type=int, default=10_000, help="messages a second of the flood")
    parser.add_argument("--watchers", type=int, default=20, help="plain pages following the flood")
    options = parser.parse_args()
    if options.flood:
        measure_flood(options.flood, options.rate, options.watchers, options.chromium)
        return 0
    if options.recording:
        recording = RecordingFile.read(options.recording)
        if recording is None:
            return 2
        texts = [text for _, text in recording.entries]
    else:
        texts = [text for _, text in SampleMatch(seconds=93).messages()]
    asyncio.run(measure(texts, options.matches, 2 if options.chromium else 0))
    return 0


if __name__ == "__main__":
    sys.exit(main())
