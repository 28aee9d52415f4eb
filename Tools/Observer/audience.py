"""The browsers watching: every event goes to each of them, and none of them can hold up the game."""

import asyncio
import sys

from aiohttp import WSCloseCode, WSMsgType, web

from event_log import EventLog
from page_feed import PageFeed

# How far a page may fall behind before it is dropped: many minutes of a real match, about a second of a
# game sending ten thousand messages a second.
WATCHER_BACKLOG_BYTES = 2 * 1024 * 1024
# How long a dropped page gets to take its close frame before its connection is cut.
CLOSE_SECONDS = 1.0


class Audience:
    """Events wait in one log for all pages; once per turn of the loop the pages are woken to take what
    came, and a page too far behind is dropped. So a message costs the same however many pages watch."""

    def __init__(self, backlog_bytes=WATCHER_BACKLOG_BYTES):
        self.backlog_bytes = backlog_bytes
        self._feeds = {}  # web.WebSocketResponse -> PageFeed
        self._log = EventLog()
        self._waking = False

    def __len__(self):
        return len(self._feeds)

    def broadcast(self, texts):
        """Never waits."""
        if self._feeds:
            self._log.add(texts)
            if not self._waking:
                self._waking = True
                asyncio.get_running_loop().call_soon(self._wake_pages)

    def _wake_pages(self):
        self._waking = False
        for feed in list(self._feeds.values()):
            if feed.behind_bytes() > self.backlog_bytes:
                self._drop(feed)
            else:
                feed.ready.set()
        self._log.forget_before(min((feed.taken for feed in self._feeds.values()), default=self._log.end))

    def _drop(self, feed):
        del self._feeds[feed.page]
        print("WARNING: a page fell too far behind the match and was dropped", file=sys.stderr)
        asyncio.get_running_loop().create_task(
            self._close(feed, WSCloseCode.TRY_AGAIN_LATER, "This page fell too far behind the match"))

    async def watch(self, request, greeting_of):
        """Serves one page until it leaves. `greeting_of()` gives the encoded events it needs to catch up;
        it is called once the page is connected, so that nothing comes between it and the page's first
        broadcast."""
        page = web.WebSocketResponse(compress=False)  # loopback only: compressing would cost the relay time
        await page.prepare(request)
        feed = PageFeed(page, request.transport, greeting_of(), self._log)
        self._feeds[page] = feed
        sender = asyncio.create_task(feed.send_all())
        try:
            async for message in page:  # the page sends nothing we use; reading answers pings and the close
                if message.type == WSMsgType.ERROR:
                    break
        finally:
            self._feeds.pop(page, None)
            sender.cancel()
        return page

    async def close_all(self):
        feeds, self._feeds = self._feeds, {}
        await asyncio.gather(*(self._close(feed, WSCloseCode.GOING_AWAY, "The observer is closing")
                               for feed in feeds.values()))

    @staticmethod
    async def _close(feed, code, reason):
        try:
            await asyncio.wait_for(feed.page.close(code=code, message=reason.encode()), CLOSE_SECONDS)
        except (asyncio.TimeoutError, ConnectionError, RuntimeError):
            pass
        # A page that does not read cannot take the close frame either.
        if feed.transport is not None and not feed.transport.is_closing():
            feed.transport.abort()
