"""Whatever a game, a recording or a command line gives the observer, it reads it or names what is wrong,
and the good messages around a bad one are all still shown and recorded."""

import asyncio
import collections
import contextlib
import io
import json
import operator
import pathlib
import tempfile

from aiohttp import ClientSession, web
from hypothesis import example, given, settings, strategies as st

from audience import Audience
from conftest import Page
from game_texts import influence_text, number_text, player_text, stats_text
from match_recorder import MatchRecorder
from match_sequence import MatchSequence
from message_parser import MessageParser
from observer import options_of
from observer_server import ObserverServer
from recording_file import RecordingFile
from replay import Replay
from sample_match import SampleMatch

PROBLEMS = {"too-large", "bad-shape", "unknown-type", "not-json", "non-finite", "bad-number", "wrong-length", "binary"}
FLOOR = next(text for _, text in SampleMatch(seconds=0).messages())
INT32 = st.integers(-(2**31), 2**31 - 1)
UINT32 = st.integers(0, 2**32 - 1)
FLOAT = st.floats(allow_nan=False, allow_infinity=False, width=32)
SCALAR = st.none() | st.booleans() | st.integers() | st.floats(allow_nan=False, allow_infinity=False) | st.text()
JSON = st.recursive(SCALAR, lambda inner: st.lists(inner, max_size=4) | st.dictionaries(st.text(), inner, max_size=4),
                    max_leaves=12)
KNOWN_FIELDS = {"player": ["type", "id", "xpos", "ypos", "zpos", "score"],
                "stats": ["type", "fps", "gametime", "amountOfCamps", "freeUnits"],
                "influence": ["type", "widthInTiles", "heightInTiles", "influence"]}
# Values no field of the game's can hold: of the wrong type, or too big for a float. Mapped with bound
# methods, not lambdas: Hypothesis looks a lambda's source up at every draw.
WRONG = st.one_of(st.none(), st.booleans(), st.lists(st.integers(), max_size=3),
                  st.dictionaries(st.text().map("x".__add__), JSON, max_size=2), st.text().map("x".__add__))
WRONG_LIST = WRONG.filter(lambda value: not isinstance(value, list))  # a list may be a right one
WRONG_TYPE = WRONG.filter(lambda value: value not in list(KNOWN_FIELDS))
OVERFLOWING = st.one_of(st.integers(309, 6000).map("9".__mul__), st.integers(309, 10**6).map("-1e{}".format),
                        st.sampled_from(["NaN", "-Infinity", "nan", "-nan(ind)", "inf", "1.#INF"]))


@st.composite
def good_messages(draw):
    """A message as the game writes it, and the event it must read as."""
    kind = draw(st.sampled_from(sorted(KNOWN_FIELDS)))
    read = lambda value: float(number_text(value))  # what the game's text of a float says  # noqa: E731
    if kind == "player":
        player, x, y, z = draw(INT32), draw(FLOAT), draw(FLOAT), draw(FLOAT)
        scores = draw(st.lists(st.tuples(INT32, UINT32), min_size=1, max_size=5))
        return player_text(player, x, y, z, scores), {"kind": "player", "id": player, "x": read(x), "y": read(y),
                                                      "z": read(z), "scores": [list(entry) for entry in scores]}
    if kind == "stats":
        fps, gametime, camps, free = draw(INT32), draw(FLOAT), draw(UINT32), draw(INT32)
        return stats_text(fps, gametime, camps, free), {"kind": "stats", "fps": fps, "gametime": read(gametime),
                                                        "camps": camps, "freeUnits": free}
    width, height = draw(st.integers(1, 4)), draw(st.integers(1, 4))
    tiles = draw(st.lists(FLOAT, min_size=width * height, max_size=width * height))
    sides = [float(width), height] if draw(st.booleans()) else [width, height]  # the influence map writes floats
    return influence_text(*sides, tiles), {"kind": "influence", "width": width, "height": height,
                                           "tiles": [read(tile) for tile in tiles]}


@st.composite
def broken_messages(draw):
    """One of the game's messages with a field missing, of a wrong type or value, or too big to be a number."""
    text, event = draw(good_messages())
    message = json.loads(text)
    field = draw(st.sampled_from(KNOWN_FIELDS[event["kind"]]))
    change = draw(st.sampled_from(["missing", "wrong", "overflowing", "wrong entry"]))
    if change == "missing":
        del message[field]
    elif change == "wrong entry" and field in ("score", "influence"):
        message[field][draw(st.integers(0, len(message[field]) - 1))] = draw(WRONG)
    elif change == "overflowing":
        message[field] = "@number@"
        return json.dumps(message).replace('"@number@"', draw(OVERFLOWING))
    else:
        wrong = WRONG_LIST if isinstance(message.get(field), list) else WRONG_TYPE if field == "type" else WRONG
        message[field] = draw(wrong)
    return json.dumps(message)


def deeply_nested(depth):
    return '{"type": "player", "score": ' + "[" * depth + "]" * depth + "}"


TEXT = operator.itemgetter(0)  # of a good message
ANYTHING = st.one_of(st.text(), JSON.map(json.dumps), st.integers(1, 100_000).map(deeply_nested),
                     st.integers(1, 100_000).map("[".__mul__), broken_messages(), good_messages().map(TEXT))


@given(good_messages())
def test_every_message_the_game_can_write_reads_as_what_it_says(good):
    text, event = good
    assert MessageParser().parse(text) == (event, None)


@given(broken_messages())
@example(deeply_nested(100_000))
@example('{"type": "stats", "fps": ' + "1" * 5000 + "}")
def test_a_broken_message_is_named_never_raised(text):
    event, problem = MessageParser().parse(text)
    assert event is None and problem.key in PROBLEMS and 0 < len(problem.detail) < 200, problem


@given(ANYTHING)
def test_any_text_reads_as_an_event_or_a_problem_and_the_page_can_read_either(text):
    event, problem = MessageParser().parse(text)
    assert (event is None) != (problem is None)
    shown = event if problem is None else {"problem": problem.key, "detail": problem.detail}
    json.dumps(shown, allow_nan=False)  # the page's JSON.parse takes no NaN or Infinity


async def relayed(messages, folder):
    """The events a page gets while a game sends `messages` (texts, or bytes for binary ones) to an observer
    run in this process, and the texts of its recording."""
    server = ObserverServer(MatchSequence(MatchRecorder(folder)), Audience())
    runner = web.AppRunner(server.app)
    await runner.setup()
    await web.TCPSite(runner, "127.0.0.1", 0).start()
    port = runner.addresses[0][1]
    try:
        async with ClientSession() as session:
            page = Page(await session.ws_connect(f"ws://localhost:{port}/watch"))
            await page.events_until("batch")
            game = await session.ws_connect(f"ws://localhost:{port}/")
            for message in messages:
                await (game.send_bytes(message) if isinstance(message, bytes) else game.send_str(message))
            await game.close()
            events = [event for event in await page.events_until("over") if event["kind"] != "status"]
    finally:
        await runner.cleanup()
    [path] = folder.glob("*.jsonl")
    return events, [text for _, text in RecordingFile.read(path).entries]


@settings(max_examples=100)
@given(st.lists(st.one_of(good_messages(), broken_messages(), st.binary(max_size=20)), max_size=12))
def test_each_bad_message_is_one_warning_and_every_good_one_is_still_shown_and_recorded(messages):
    sent = [FLOOR] + [message[0] if isinstance(message, tuple) else message for message in messages]
    with tempfile.TemporaryDirectory() as folder:
        events, recorded = asyncio.run(asyncio.wait_for(relayed(sent, pathlib.Path(folder)), 30))
    assert [event["kind"] for event in events[:2]] == ["start", "floor"] and events[-1]["kind"] == "over"
    counts = collections.Counter()
    for message, event in zip(messages, events[2:-1], strict=True):
        t = event.pop("t")
        if isinstance(message, tuple):
            expected = dict(message[1], kind="heat") if message[1]["kind"] == "influence" else message[1]
            assert event == expected and t >= 0
        else:
            counts[event["problem"]] += 1
            assert event["kind"] == "warning" and event["count"] == counts[event["problem"]], event
    assert recorded == [text for text in sent if isinstance(text, str)]


RECORD = st.tuples(st.floats(0, 1e5), st.text(st.characters(blacklist_categories=())))
GARBAGE = st.binary(min_size=1).filter(lambda line: b"\n" not in line and line.strip() and line.lstrip()[:1] != b"{")
LINES = st.lists(st.one_of(RECORD, GARBAGE, st.sampled_from([b"", b" \t\r"])), max_size=12)  # records, junk, blanks
BIG_TEXT = "a" * (10 * 1024 * 1024)


def line_of(item):
    return item if isinstance(item, bytes) else json.dumps({"t": item[0], "text": item[1]}).encode()


def recording_of(lines, cut, folder):
    """A file of `lines` (records or bytes), then, if `cut`, the first half of one more record's line."""
    path = pathlib.Path(folder) / "match.jsonl"
    last = line_of((0.5, "cut short"))
    path.write_bytes(b"".join(line_of(item) + b"\n" for item in lines) + (last[: len(last) // 2] if cut else b""))
    return RecordingFile.read(path)


@given(LINES, st.booleans())
@example([(0, "before"), (1, BIG_TEXT), b"\xff" * len(BIG_TEXT), (2, "after")], True)
def test_every_complete_line_reads_back_and_a_cut_last_line_is_told_apart(lines, cut):
    with tempfile.TemporaryDirectory() as folder:
        recording = recording_of(lines, cut, folder)
    records = [item for item in lines if isinstance(item, tuple)]
    assert [text for _, text in recording.entries] == [text for _, text in records]
    assert [seconds for seconds, _ in recording.entries] == [max(t for t, _ in records[: index + 1])
                                                             for index in range(len(records))]
    junk = sum(isinstance(item, bytes) and bool(item.strip()) for item in lines)
    assert (recording.skipped_lines, recording.last_line_cut) == (junk, cut)


@given(st.binary(max_size=4096))
def test_any_bytes_read_as_a_recording(data):
    with tempfile.TemporaryDirectory() as folder:
        path = pathlib.Path(folder) / "any.jsonl"
        path.write_bytes(data)
        assert isinstance(RecordingFile.read(path), RecordingFile)


@given(st.lists(st.one_of(good_messages().map(TEXT), broken_messages()), max_size=8),
       st.integers(0, 3), st.booleans())
def test_a_replay_shows_its_match_with_each_problem_of_the_file_said_once(texts, unreadable, cut):
    recording = RecordingFile([(index * 0.1, text) for index, text in enumerate([FLOOR] + texts)], unreadable, cut)
    # The page's JSON.parse takes no NaN or Infinity, and neither does int().
    events = [json.loads(text, parse_constant=int) for text in Replay.events_of(recording)]
    kinds = [event["kind"] for event in events]
    assert kinds[0] == "start" and kinds[-1] == "over" and kinds.count("over") == 1
    file_problems = ["unreadable-line"] * bool(unreadable) + ["cut-line"] * cut
    assert [event.get("problem") for event in events[1: 1 + len(file_problems)]] == file_problems
    message_events = events[1 + len(file_problems): -1]
    assert len(message_events) == len(texts) + 1
    counts = collections.Counter()
    for warning in (event for event in message_events if event["kind"] == "warning"):
        counts[warning["problem"]] += 1
        assert warning["count"] == counts[warning["problem"]]


OPTION = st.sampled_from(["--speed", "--port", "--replay", "--record-dir", "--no-record"])
VALUE = st.one_of(st.sampled_from(["1", "1000", "1e3", "0.5", "nan", "inf", "-1", "²", "١٢٣", "65536", ""]),
                  st.text().filter(lambda text: not text.startswith("-")))


@given(st.lists(st.one_of(OPTION, VALUE), max_size=6))
@example(["--port", "²"])
@example(["--port", "0" * 5000])
def test_any_command_line_gives_options_in_range_or_says_what_is_wrong(arguments):
    errors = io.StringIO()
    try:
        with contextlib.redirect_stderr(errors):
            options = options_of(arguments)
    except SystemExit as exit:
        said = errors.getvalue()
        assert exit.code == 2 and "error:" in said and "invalid" not in said, said
        return
    assert 1 <= options.speed <= 1000 and 0 <= options.port <= 65535


@given(st.text(st.characters(blacklist_characters="/.", blacklist_categories=()), min_size=1, max_size=300))
@example("\0")
def test_a_recordings_folder_of_any_name_records_or_is_one_warning(name):
    errors = io.StringIO()
    with tempfile.TemporaryDirectory() as folder, contextlib.redirect_stderr(errors):
        recorder = MatchRecorder(f"{folder}/{name}")
        if recorder.start():
            recorder.write(0.0, "text")
            recorder.close()
            assert [text for _, text in RecordingFile.read(recorder.path).entries] == ["text"]
        recorder.start()
    assert errors.getvalue().count("WARNING: ") == (0 if recorder.file else 1), errors.getvalue()
