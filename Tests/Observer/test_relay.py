import contextlib
import json
import socket

import pytest
from aiohttp import ClientSession, WSMsgType

from conftest import kinds, play, run, watch
from observer_server import GAME_MESSAGE_LIMIT

BAD = '{ "type": "stats", "fps": "sixty" }'


def test_every_page_sees_the_match_a_game_plays_and_the_recording_keeps_its_raw_texts(start_observer, sample_texts):
    observer = start_observer()
    texts = sample_texts + [BAD]
    half = len(texts) // 2

    async def scenario():
        async with ClientSession() as session:
            early = await watch(session, observer)
            assert kinds(await early.events_until("batch")) == ["status"]
            game = await play(session, observer, texts[:half])
            seen_early = await early.events_until("heat")
            late = await watch(session, observer)  # joins mid-match and must catch up
            seen_late = await late.events_until("batch")
            for text in texts[half:]:
                await game.send_str(text)
            await game.close()
            return seen_early + await early.events_until("over"), seen_late + await late.events_until("over")

    seen_early, seen_late = run(scenario())
    sent_players = [json.loads(text) for text in sample_texts if '"player"' in text]
    for seen in (seen_early, seen_late):
        assert kinds(seen).count("floor") == 1
        assert seen[-1]["reason"] == "the game left"
        assert seen[-1]["scores"] == [[int(e["name"]), int(e["score"])] for e in sent_players[-1]["score"]]
        assert [e["problem"] for e in seen if e["kind"] == "warning"] == ["bad-number"]
    early_players = [e for e in seen_early if e["kind"] == "player"]
    assert len(early_players) == len(sent_players)
    assert [e for e in seen_late if e["kind"] == "player"] == early_players
    # What a late page is sent at once: the match from its start, and only the latest heat layer.
    assert kinds(seen_late)[:3] == ["status", "start", "floor"]
    assert kinds(seen_late).count("heat") < kinds(seen_early).count("heat")
    [recording] = observer.recordings()
    assert [json.loads(line)["text"] for line in recording.read_text().splitlines()] == texts


def test_a_message_beyond_the_relays_limit_is_a_warning_and_ends_the_games_connection(start_observer, sample_texts):
    observer = start_observer("--no-record")

    async def scenario():
        async with ClientSession() as session:
            page = await watch(session, observer)
            await page.events_until("batch")
            game = await play(session, observer, sample_texts[:2])
            with contextlib.suppress(OSError):  # the observer cuts the connection while it comes
                await game.send_str("x" * (GAME_MESSAGE_LIMIT + 1))
            return await page.events_until("over")

    seen = run(scenario())
    assert kinds(seen)[-4:] == ["floor", "player", "warning", "over"]
    assert seen[-2]["problem"] == "broken-connection" and "exceeds limit" in seen[-2]["detail"]


def test_only_one_game_at_a_time_and_never_a_web_page(start_observer, sample_texts):
    observer = start_observer()

    async def scenario():
        async with ClientSession() as session:
            first = await play(session, observer, sample_texts[:1])
            second = await session.ws_connect(f"ws://localhost:{observer.port}/")
            refusal = await second.receive()
            posing = await session.get(observer.url, headers={"Upgrade": "websocket", "Connection": "Upgrade",
                                                               "Sec-WebSocket-Version": "13", "Origin": "http://evil.example",
                                                               "Sec-WebSocket-Key": "dGhlIHNhbXBsZSBub25jZQ=="})
            await first.send_str(sample_texts[1])
            page = await watch(session, observer)
            return refusal, posing.status, await page.events_until("batch")

    refusal, posing_status, greeting = run(scenario())
    assert refusal.type == WSMsgType.CLOSE and "Another game is already connected" in refusal.extra
    assert posing_status == 403
    assert greeting[0] == {"kind": "status", "game": True, "replay": False}
    assert kinds(greeting[1:]) == ["start", "floor", "player"]


WEBSOCKET = ("Upgrade: websocket\r\nConnection: Upgrade\r\nSec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\n"
             "Sec-WebSocket-Version: 13\r\n")


@pytest.mark.parametrize("host, answered", [
    ("localhost:{port}", True), ("127.0.0.1:{port}", True), ("[::1]:{port}", True), ("LocalHost:{port}", True),
    ("evil.example:{port}", False), ("127.0.0.1.evil.example:{port}", False), ("localhost", False),
    ("localhost:{other}", False), ("", False),
])
def test_only_requests_for_the_observers_own_names_and_port_are_answered(start_observer, host, answered):
    """A page whose name was pointed at 127.0.0.1 (DNS rebinding) sends its own name, and gets nothing."""
    observer = start_observer("--no-record")
    host_line = f"Host: {host.format(port=observer.port, other=observer.port + 1)}\r\n" if host else ""
    for path, upgrade in [("/", ""), ("/page/observer.css", ""), ("/watch", WEBSOCKET), ("/", WEBSOCKET)]:
        with socket.create_connection(("127.0.0.1", observer.port)) as connection:
            connection.sendall(f"GET {path} HTTP/1.1\r\n{host_line}{upgrade}\r\n".encode())
            status = connection.makefile("rb").readline().split()[1]
        assert int(status) == (101 if upgrade else 200) if answered else 403, (path, upgrade)
