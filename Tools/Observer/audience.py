"""The browsers watching: every event goes to each of them, and none of them can hold up the game."""

import asyncio
import json

from aiohttp import WSCloseCode, WSMsgType, web

# How far a page may fall behind before it is dropped: about ten seconds of a busy match.
WATCHER_BACKLOG = 1000
# How long a dropped page gets to take its close frame before its connection is cut.
CLOSE_SECONDS = 1.0


class Audience:
    def __init__(self, backlog=WATCHER_BACKLOG):
        self.backlog = backlog
        self._pages = {}  # web.WebSocketResponse -> (asyncio.Queue of texts still to send, its transport)

    def __len__(self):
        return len(self._pages)

    def broadcast(self, events):
        """Never waits: each page has its own queue, and a page whose queue is full is dropped."""
        for event in events:
            text = json.dumps(event, separators=(",", ":"))
            for page, (queue, transport) in list(self._pages.items()):
                try:
                    queue.put_nowait(text)
                except asyncio.QueueFull:
                    del self._pages[page]
                    asyncio.get_running_loop().create_task(
                        self._close(page, transport, WSCloseCode.TRY_AGAIN_LATER, "This page fell too far behind the match"))

    async def watch(self, request, greeting):
        """Serves one page until it leaves; `greeting` is what it needs to catch up, sent first."""
        page = web.WebSocketResponse()
        await page.prepare(request)
        queue = asyncio.Queue(self.backlog)
        for event in greeting:
            queue.put_nowait(json.dumps(event, separators=(",", ":")))
        self._pages[page] = (queue, request.transport)
        sender = asyncio.create_task(self._send_all(page, queue))
        try:
            async for message in page:  # the page sends nothing we use; reading answers pings and the close
                if message.type == WSMsgType.ERROR:
                    break
        finally:
            self._pages.pop(page, None)
            sender.cancel()
        return page

    @staticmethod
    async def _send_all(page, queue):
        try:
            while True:
                await page.send_str(await queue.get())
        except (ConnectionError, RuntimeError):
            pass  # the page went away; watch() sees it too and cleans up

    async def close_all(self):
        pages, self._pages = self._pages, {}
        await asyncio.gather(*(self._close(page, transport, WSCloseCode.GOING_AWAY, "The observer is closing")
                               for page, (_, transport) in pages.items()))

    @staticmethod
    async def _close(page, transport, code, reason):
        try:
            await asyncio.wait_for(page.close(code=code, message=reason.encode()), CLOSE_SECONDS)
        except (asyncio.TimeoutError, ConnectionError, RuntimeError):
            pass
        # A page that does not read cannot take the close frame either.
        if transport is not None and not transport.is_closing():
            transport.abort()
