"""The observer's one port: the game's WebSocket on "/", the page and its files, and the pages' WebSocket."""

import asyncio
import pathlib

from aiohttp import WSCloseCode, WSMsgType, web

from message_parser import Problem
from page_feed import encoded, with_events

PAGE_FOLDER = pathlib.Path(__file__).resolve().parent / "page"
CHART_JS_FOLDER = pathlib.Path("/usr/share/javascript/chart.js")
# The game's messages are a few kilobytes; larger ones still arrive, to be counted and shown as warnings.
GAME_MESSAGE_LIMIT = 4 * 1024 * 1024
CLOCK_SECONDS = 1.0
# The names the observer answers to. A web page whose own name was pointed at 127.0.0.1 (DNS rebinding)
# sends its own name, and must not read the stream.
LOOPBACK_NAMES = ("localhost", "127.0.0.1", "[::1]")
HTTP_PORT = 80  # the one port a Host header may leave out


class ObserverServer:
    def __init__(self, sequence, audience, replay_events=None, replay_speed=1.0):
        self.sequence = sequence
        self.audience = audience
        self.replay_events = replay_events
        self.replay_speed = replay_speed
        self.game = None
        self._clock_task = None
        # A replay is the same for every page: encoded once, however long the match.
        self._replay_text = None if replay_events is None else with_events(
            {"kind": "replay", "speed": replay_speed}, replay_events)
        self.app = web.Application(middlewares=[self._only_for_loopback_names])
        self.app.router.add_get("/", self._root)
        self.app.router.add_get("/watch", self._watch)
        self.app.router.add_static("/page/", PAGE_FOLDER)
        self.app.router.add_static("/chart.js/", CHART_JS_FOLDER)
        self.app.on_startup.append(self._start_clock)
        self.app.on_shutdown.append(self._stop)

    @web.middleware
    async def _only_for_loopback_names(self, request, handler):
        port = request.transport.get_extra_info("sockname")[1] if request.transport else None
        if not is_loopback_host(request.headers.get("Host", ""), port):
            raise web.HTTPForbidden(text=f"This observer answers only to {', '.join(LOOPBACK_NAMES)} on port {port}\n")
        return await handler(request)

    async def _root(self, request):
        if request.headers.get("Upgrade", "").lower() == "websocket":
            return await self._game(request)
        return web.FileResponse(PAGE_FOLDER / "index.html")

    async def _game(self, request):
        # Browsers always say where a page came from; the game never does. Without this, any web page
        # open in the player's browser could pose as the game.
        if "Origin" in request.headers:
            raise web.HTTPForbidden(text="Only the game connects here; pages watch on /watch\n")
        game = web.WebSocketResponse(max_msg_size=GAME_MESSAGE_LIMIT)
        await game.prepare(request)
        refusal = self._refusal()
        if refusal:
            await game.close(code=WSCloseCode.POLICY_VIOLATION, message=refusal.encode())
            return game
        await self._follow(game)
        return game

    def _refusal(self):
        if self.replay_events is not None:
            return "This observer is showing a replay; start another one to watch a game"
        if self.game is not None:
            return "Another game is already connected to this observer"
        return ""

    async def _follow(self, game):
        loop = asyncio.get_running_loop()
        self.game = game
        self.sequence.game_connected()
        self.audience.broadcast([self._status()])
        try:
            async for message in game:
                if message.type == WSMsgType.TEXT:
                    self.audience.broadcast(self.sequence.receive(loop.time(), message.data))
                elif message.type == WSMsgType.BINARY:
                    self.audience.broadcast(self.sequence.receive_binary(loop.time(), len(message.data)))
                elif message.type == WSMsgType.ERROR:  # a message beyond the limit, or a broken frame
                    problem = Problem("broken-connection", f"the game's connection broke: {message.data}")
                    self.audience.broadcast(self.sequence.receive_problem(loop.time(), problem))
        finally:
            self.game = None
            self.audience.broadcast(self.sequence.end(loop.time(), "the game left") + [self._status()])

    async def _watch(self, request):
        return await self.audience.watch(request, self._greeting)

    def _greeting(self):
        if self._replay_text is not None:
            return [self._status(), self._replay_text]
        return [self._status(), with_events({"kind": "batch"}, self.sequence.snapshot())]

    def _status(self):
        return encoded({"kind": "status", "game": self.game is not None, "replay": self.replay_events is not None})

    async def _start_clock(self, app):
        self._clock_task = asyncio.get_running_loop().create_task(self._clock())

    async def _clock(self):
        loop = asyncio.get_running_loop()
        while True:
            await asyncio.sleep(CLOCK_SECONDS)
            self.audience.broadcast(self.sequence.tick(loop.time()))

    async def _stop(self, app):
        self._clock_task.cancel()
        await self.audience.close_all()
        if self.game is not None:
            await self.game.close(code=WSCloseCode.GOING_AWAY, message=b"The observer is closing")
        self.sequence.end(asyncio.get_running_loop().time(), "the observer closed")


def is_loopback_host(host, port):
    names = [f"{name}:{port}" for name in LOOPBACK_NAMES]
    if port == HTTP_PORT:
        names += LOOPBACK_NAMES
    return host.lower() in names
