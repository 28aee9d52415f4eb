#!/usr/bin/python3
"""Quillmarch's observer: watch matches live in a browser, record them, replay them.

Start it, then the game with `ws`; open the address it prints. It listens on the loopback address only.
"""

import argparse
import asyncio
import os
import pathlib
import signal
import sys

from aiohttp import web

from audience import Audience
from match_recorder import MatchRecorder
from match_sequence import MatchSequence
from observer_server import ObserverServer
from recording_file import RecordingFile
from replay import Replay

LOOPBACK = "127.0.0.1"
GAME_PORT = 1337  # where the game looks for its observer
SHUTDOWN_SECONDS = 2.0


def default_record_folder():
    data_home = os.environ.get("XDG_DATA_HOME") or os.path.join(pathlib.Path.home(), ".local", "share")
    return os.path.join(data_home, "quillmarch", "recordings")


def package_version():
    """The version an install stamps beside the observer; a source checkout has none."""
    try:
        from installed_version import VERSION
    except ImportError:
        return "(not installed)"
    return VERSION


def options_of(arguments):
    parser = argparse.ArgumentParser(description="Watch Quillmarch matches live in a browser, record and replay them.")
    parser.add_argument("--version", action="version", version=f"quillmarch-observer {package_version()}")
    parser.add_argument("--port", type=port_number, default=GAME_PORT,
                        help=f"port on {LOOPBACK} for the game and the page (default {GAME_PORT}; 0 picks a free one)")
    parser.add_argument("--record-dir", default=default_record_folder(),
                        help="folder for the recordings, one JSON-lines file per match (default %(default)s)")
    parser.add_argument("--no-record", action="store_true", help="record nothing")
    parser.add_argument("--replay", metavar="FILE", help="show a recorded match instead of a live game")
    parser.add_argument("--speed", type=replay_speed, default=1.0,
                        help="replay speed, 1 for real time (default), up to 1000")
    return parser.parse_args(arguments)


def port_number(text):
    # isdigit() alone takes other scripts' digits and superscripts, which int() then refuses or reads.
    if not (text.isascii() and text.isdigit() and len(text) <= 5) or not 0 <= int(text) <= 65535:
        raise argparse.ArgumentTypeError(f"{text!r} is not a port number from 0 to 65535")
    return int(text)


def replay_speed(text):
    try:
        speed = float(text)
    except ValueError:
        speed = 0.0
    if not 1.0 <= speed <= 1000.0:  # also false for nan
        raise argparse.ArgumentTypeError(f"{text!r} is not a speed from 1 to 1000")
    return speed


def replay_events_of(path):
    """The events of the recorded match, or None after saying what is wrong with the file."""
    recording = RecordingFile.read(path)
    if recording is None:
        return None
    if not recording.entries:
        print(f"ERROR: the recording {path} holds no messages", file=sys.stderr)
        return None
    return Replay.events_of(recording)


async def serve(options):
    replay_events = None
    recorder = None
    if options.replay:
        replay_events = replay_events_of(options.replay)
        if replay_events is None:
            return 2
    elif not options.no_record:
        recorder = MatchRecorder(options.record_dir)
    server = ObserverServer(MatchSequence(recorder), Audience(), replay_events, options.speed)
    runner = web.AppRunner(server.app, handle_signals=False, access_log=None)
    await runner.setup()
    site = web.TCPSite(runner, LOOPBACK, options.port, shutdown_timeout=SHUTDOWN_SECONDS)
    try:
        await site.start()
    except OSError as error:
        print(f"ERROR: cannot listen on {LOOPBACK}:{options.port}: {error.strerror}"
              " (is another observer running?)", file=sys.stderr)
        await runner.cleanup()
        return 1
    port = runner.addresses[0][1]
    say_where(port, options, recorder)
    stop = asyncio.Event()
    for signal_number in (signal.SIGINT, signal.SIGTERM):
        asyncio.get_running_loop().add_signal_handler(signal_number, stop.set)
    await stop.wait()
    await runner.cleanup()
    return 0


def say_where(port, options, recorder):
    print(f"Observer page: http://localhost:{port}/", flush=True)
    if options.replay:
        print(f"Replaying {options.replay} at {options.speed:g}x", flush=True)
        return
    print(f"Waiting for the game on ws://localhost:{port}/ (start it with: ws)", flush=True)
    print(f"Recording matches in {recorder.folder}" if recorder else "Not recording", flush=True)


if __name__ == "__main__":
    sys.exit(asyncio.run(serve(options_of(sys.argv[1:]))))
