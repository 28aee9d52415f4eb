import asyncio
import json
import socket

from aiohttp import ClientSession, WSMsgType

from conftest import kinds, play, run, watch

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


def test_a_page_that_stops_reading_is_dropped_while_the_others_keep_up(start_observer, sample_texts):
    observer = start_observer("--no-record")
    heats = [text for text in sample_texts if '"influence"' in text][1:]
    flood = [sample_texts[0]] + heats * (4000 // len(heats))

    async def scenario():
        stalled = socket.socket()
        stalled.setsockopt(socket.SOL_SOCKET, socket.SO_RCVBUF, 4096)
        stalled.connect(("127.0.0.1", observer.port))
        stalled.sendall(b"GET /watch HTTP/1.1\r\nHost: localhost\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                        b"Sec-WebSocket-Key: dGhlIHNhbXBsZSBub25jZQ==\r\nSec-WebSocket-Version: 13\r\n\r\n")
        async with ClientSession() as session:
            reading = await watch(session, observer)
            await reading.events_until("batch")
            seen = asyncio.create_task(reading.events_until("over"))
            game = await play(session, observer, flood)
            await game.close()
            seen = await seen
        stalled.setblocking(False)
        return seen, await asyncio.get_running_loop().run_in_executor(None, read_to_the_end, stalled)

    seen, stalled_bytes = run(scenario())
    assert kinds(seen).count("heat") == len(flood) - 1
    assert stalled_bytes < len(flood) * len(heats[0])  # cut off, not served to the end


def read_to_the_end(connection):
    """Bytes the connection gave before the observer closed it (a page still served would block here)."""
    connection.settimeout(10)
    total = 0
    try:
        while chunk := connection.recv(1 << 16):
            total += len(chunk)
    except ConnectionResetError:
        pass
    return total
