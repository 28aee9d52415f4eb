#!/usr/bin/python3
"""Measures the observer as the game and two browsers meet it: the latency it adds to each message and its
memory over many matches.

    measure.py [--recording FILE] [--matches 10] [--chromium]

Every match is played from the recording (by default a made-up 93-second match of five players) into one
observer with two pages attached, as fast as the observer relays it: each message is sent as soon as both
pages have the one before. Then one match is sent all at once, to see how it copes with a flood. With
--chromium, two real headless Chromium pages watch as well and draw the match while it is measured.
"""

import argparse
import asyncio
import pathlib
import re
import statistics
import subprocess
import sys
import tempfile
import time

from aiohttp import ClientSession

from recording_file import RecordingFile
from sample_match import SampleMatch

OBSERVER = pathlib.Path(__file__).resolve().parent / "observer.py"
# Events that stand for one message of the game each; the others (start, over, status) are the observer's own.
MESSAGE_EVENTS = re.compile(r'^\{"kind":"(floor|heat|player|stats|warning)"')


class Page:
    """A browser stand-in that notes when each message's event arrives."""

    def __init__(self, socket):
        self.socket = socket
        self.arrivals = []
        self.changed = asyncio.Event()
        self.reader = asyncio.create_task(self._read())

    async def _read(self):
        async for message in self.socket:
            if MESSAGE_EVENTS.match(message.data):
                self.arrivals.append(time.perf_counter())
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


def resident_kilobytes(process):
    status = pathlib.Path(f"/proc/{process.pid}/status").read_text()
    return int(re.search(r"VmRSS:\s+(\d+)", status).group(1))


def milliseconds(latencies):
    ordered = sorted(latencies)
    return (f"median {statistics.median(ordered) * 1000:.2f} ms, 95th percentile "
            f"{ordered[int(len(ordered) * 0.95)] * 1000:.2f} ms, largest {ordered[-1] * 1000:.2f} ms")


def open_chromium_pages(url, count):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service

    browsers = []
    for _ in range(count):
        options = webdriver.ChromeOptions()
        for switch in ("--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--window-size=1600,1000",
                       f"--user-data-dir={tempfile.mkdtemp()}"):
            options.add_argument(switch)
        browsers.append(webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options))
        browsers[-1].get(url)
    return browsers


async def measure(texts, matches, chromium_pages):
    with tempfile.TemporaryDirectory() as recordings:
        observer = subprocess.Popen([sys.executable, str(OBSERVER), "--port", "0", "--record-dir", recordings],
                                    stdout=subprocess.PIPE, text=True)
        port = int(re.search(r"localhost:(\d+)/", observer.stdout.readline()).group(1))
        browsers = open_chromium_pages(f"http://localhost:{port}/", chromium_pages)
        try:
            async with ClientSession() as session:
                pages = [Page(await session.ws_connect(f"ws://127.0.0.1:{port}/watch", max_msg_size=0)) for _ in range(2)]
                print(f"{len(texts)} messages a match, two pages measuring, {chromium_pages} Chromium pages drawing; "
                      f"observer memory before: "
                      f"{resident_kilobytes(observer)} kB")
                latencies = []
                for match in range(1, matches + 1):
                    latencies += await play_match(session, port, texts, pages, lockstep=True)
                    print(f"match {match:2}: observer memory {resident_kilobytes(observer)} kB")
                print(f"added latency, each message sent once the last was relayed: {milliseconds(latencies)}")
                started = time.perf_counter()
                flood = await play_match(session, port, texts, pages, lockstep=False)
                seconds = time.perf_counter() - started
                print(f"whole match sent at once: {len(texts) / seconds:.0f} messages/s relayed to both pages; "
                      f"latency {milliseconds(flood)}")
        finally:
            for browser in browsers:
                browser.quit()
            observer.terminate()
            observer.wait()


def main():
    parser = argparse.ArgumentParser(description="Measure the observer's added latency and memory.")
    parser.add_argument("--recording", help="a recorded match to play (default: a made-up 93-second match)")
    parser.add_argument("--matches", type=int, default=10)
    parser.add_argument("--chromium", action="store_true", help="two real Chromium pages watch as well")
    options = parser.parse_args()
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
