"""A flood for the observer: a stand-in game that sends far more than the real one, pages that check they
get every message in order, and one page that stops reading. measure.py --flood and the tests run it.

Each message after the floor carries its number in the game's order (a player's z, the stats' game time,
the first tile of a heat layer), so a page can tell a lost, doubled or reordered message from its events.
"""

import asyncio
import os
import pathlib
import re
import socket
import threading
import time
from dataclasses import dataclass, field

from aiohttp import ClientSession, WSMsgType
from selenium.webdriver.support.ui import WebDriverWait

from game_texts import influence_text, player_text, stats_text
from recording_file import RecordingFile
from sample_match import TILES, SampleMatch

TICK_SECONDS = 0.01
GREETING_SECONDS = 0.5  # for every page to have its greeting before the game comes
WAIT_SECONDS = 60
PLAYERS = 5
HEAT_EVERY_STEP = 5  # as in a real match: a heat layer for every five rounds of players and stats
# Where each message's number shows in its event, as the observer writes it.
NUMBERS = re.compile(rb'"(?:z|gametime)":(\d+)\.0,|"tiles":\[(\d+)\.0,')
OVER = b'"kind":"over"'
HANDSHAKE = ("GET {path} HTTP/1.1\r\nHost: localhost:{port}\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
             "Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n")
# Counts the numbered events a real browser's page receives, beside the page's own handling of them.
BROWSER_CHECK = r"""
window.floodCheck = { next: 1, wrong: 0, closed: 0, over: false };
const PageSocket = window.WebSocket;
window.WebSocket = class extends PageSocket {
  constructor(...address) {
    super(...address);
    this.addEventListener('message', (message) => {
      const check = window.floodCheck;
      for (const [, number, tile] of message.data.matchAll(/"(?:z|gametime)":(\d+)\.0,|"tiles":\[(\d+)\.0,/g)) {
        if (Number(number ?? tile) === check.next) check.next++;
        else check.wrong++;
      }
      if (message.data.includes('"kind":"over"')) check.over = true;
    });
    this.addEventListener('close', () => { window.floodCheck.closed++; });
  }
};
"""


def flood_texts(count):
    """The floor, then `count` numbered messages in the game's texts and order."""
    sample = SampleMatch(seconds=0, players=PLAYERS)
    yield influence_text(TILES, TILES, sample.distance_map())
    scores = [(player, sample.score(player, 60)) for player in range(PLAYERS)]
    # Only the first tile changes: the rest of the layer is written once.
    heat_head, heat_tail = influence_text(TILES, TILES, [0.5] * TILES * TILES).split("0.5", 1)
    number = 1
    step = 0
    while number <= count:
        step += 1
        texts = [player_text(player, 10 + player, 3, number + player, scores) for player in range(PLAYERS)]
        texts.append(stats_text(60, number + PLAYERS, 3, 12))
        if step % HEAT_EVERY_STEP == 0:
            texts.append(f"{heat_head}{number + PLAYERS + 1}{heat_tail}")
        for text in texts[: count - number + 1]:
            yield text
            number += 1


def client_frame(text):
    """A masked text frame; the all-zero mask leaves the payload as it is."""
    payload = text.encode()
    size = len(payload)
    if size < 126:
        header = bytes([0x81, 0x80 | size])
    elif size < 1 << 16:
        header = bytes([0x81, 0x80 | 126]) + size.to_bytes(2, "big")
    else:
        header = bytes([0x81, 0x80 | 127]) + size.to_bytes(8, "big")
    return header + b"\0\0\0\0" + payload


def open_websocket(port, path, receive_buffer=None):
    connection = socket.socket()
    if receive_buffer:
        connection.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, receive_buffer)
    connection.connect(("127.0.0.1", port))
    connection.sendall(HANDSHAKE.format(path=path, port=port).encode())
    return connection


class FloodGame(threading.Thread):
    """Sends `rate` messages a second for `seconds` on a socket that never blocks, as the game's does, and
    counts the ticks at which the socket could not take everything at once: the times the game waited."""

    def __init__(self, port, rate, seconds):
        super().__init__(daemon=True)
        self.port, self.rate, self.seconds = port, rate, seconds
        self.count = int(rate * seconds)
        self.waits = 0
        self.sent = 0
        self.error = None
        self.send_times = []  # one per tick: (texts sent so far, the floor included; time.monotonic() then)

    def run(self):
        try:
            self._play()
        except (OSError, StopIteration) as error:
            self.error = error

    def _play(self):
        connection = open_websocket(self.port, "/")
        reply = connection.recv(4096)
        if not reply.startswith(b"HTTP/1.1 101"):
            raise ConnectionRefusedError(f"the observer did not take the game: {reply[:100]!r}")
        connection.setblocking(False)
        texts = flood_texts(self.count)
        started = time.monotonic()
        while self.sent <= self.count:
            due = min(self.count + 1, int((time.monotonic() - started) * self.rate) + 1)
            chunk = b"".join(client_frame(next(texts)) for _ in range(due - self.sent))
            self.sent = due
            self._send_without_blocking(connection, chunk)
            self.send_times.append((self.sent, time.monotonic()))
            time.sleep(max(0.0, started + len(self.send_times) * TICK_SECONDS - time.monotonic()))
        connection.settimeout(WAIT_SECONDS)
        connection.sendall(b"\x88\x82\0\0\0\0\x03\xe8")  # close, 1000
        while connection.recv(4096):
            pass
        connection.close()

    def _send_without_blocking(self, connection, chunk):
        try:
            written = connection.send(chunk)
        except BlockingIOError:
            written = 0
        if written < len(chunk):
            self.waits += 1
            connection.setblocking(True)
            connection.sendall(chunk[written:])
            connection.setblocking(False)


@dataclass
class Watcher:
    """A plain page on the page socket that checks every numbered event comes once and in order."""

    next: int = 1
    wrong: int = 0
    closed_early: bool = False
    frames: int = 0
    bytes: int = 0
    arrival_times: list = field(default_factory=list)  # (last number so far, time.monotonic() then)

    async def follow(self, session, port):
        page = await session.ws_connect(f"ws://localhost:{port}/watch", max_msg_size=0)
        async for message in page:
            if message.type != WSMsgType.TEXT:
                break
            self.frames += 1
            data = message.data.encode()
            self.bytes += len(data)
            numbers = [int(number or tile) for number, tile in NUMBERS.findall(data)]
            if numbers != list(range(self.next, self.next + len(numbers))):
                self.wrong += 1
            self.next += len(numbers)
            if numbers:
                self.arrival_times.append((self.next - 1, time.monotonic()))
            if OVER in data:
                await page.close()
                return
        self.closed_early = True


def bytes_until_cut(connection, timeout):
    """What a page that stopped reading still gets once it reads again; a page still served would time out."""
    connection.settimeout(timeout)
    total = 0
    try:
        while chunk := connection.recv(1 << 16):
            total += len(chunk)
    except ConnectionResetError:
        pass
    return total


async def _flood(port, rate, seconds, watchers):
    stalled = open_websocket(port, "/watch", receive_buffer=4096)
    async with ClientSession() as session:
        pages = [Watcher() for _ in range(watchers)]
        following = [asyncio.create_task(page.follow(session, port)) for page in pages]
        await asyncio.sleep(GREETING_SECONDS)
        game = FloodGame(port, rate, seconds)
        game.start()
        await asyncio.get_running_loop().run_in_executor(None, game.join)
        await asyncio.gather(*following)
    return game, pages, stalled


@dataclass
class FloodResult:
    game: FloodGame
    pages: list  # the Watchers
    browser: dict  # the real browser's window.floodCheck, or None without one
    stalled_bytes: int  # what the page that stopped reading got before the observer cut it off


def flood(port, rate, seconds, watchers, browser=None):
    """Floods the observer on `port` while `watchers` plain pages and a real browser's page (a Selenium
    driver, if given) follow and one page stops reading. The game leaves at the end, and the observer's
    "over" for that ends each page."""
    if browser is not None:
        browser.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": BROWSER_CHECK})
        browser.get(f"http://localhost:{port}/")
        WebDriverWait(browser, WAIT_SECONDS).until(
            lambda _: "waiting for the game" in browser.find_element("id", "status").text)
    game, pages, stalled = asyncio.run(_flood(port, rate, seconds, watchers))
    check = None
    if browser is not None:
        WebDriverWait(browser, WAIT_SECONDS).until(lambda _: browser.execute_script("return window.floodCheck.over"))
        check = browser.execute_script("return window.floodCheck")
    return FloodResult(game, pages, check, bytes_until_cut(stalled, WAIT_SECONDS))


def slowest_arrival(result):
    """The longest a numbered message took from the game's socket to the slowest plain page, in seconds."""
    longest = 0.0
    for page in result.pages:
        sends = iter(result.game.send_times)
        sent_count, sent_at = next(sends)
        for number, arrived in page.arrival_times:
            while sent_count <= number:  # the floor came before message 1
                sent_count, sent_at = next(sends)
            longest = max(longest, arrived - sent_at)
    return longest


def recorded_in_order(path, count):
    """Whether the recording holds the floor and the `count` numbered messages, each once and in order."""
    recording = RecordingFile.read(path)
    return recording is not None and [text for _, text in recording.entries] == list(flood_texts(count))


def processor_seconds(pid):
    """The processor time the process has used so far, user and system."""
    fields = pathlib.Path(f"/proc/{pid}/stat").read_text().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def kilobytes(pid, name):
    """A memory figure of the process, "VmRSS" (resident now) or "VmHWM" (its peak), in kB."""
    status = pathlib.Path(f"/proc/{pid}/status").read_text()
    return int(re.search(rf"{name}:\s+(\d+)", status).group(1))
