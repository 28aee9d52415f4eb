"""What one page has still to be sent, and how events travel to pages: as JSON texts, each encoded once."""

import asyncio
import json

_encode = json.JSONEncoder(separators=(",", ":")).encode


def encoded(event):
    return _encode(event)


def with_events(head, texts):
    """The event `head` (a dict) with the member "events": the events already encoded as `texts`."""
    return encoded(head)[:-1] + ',"events":[' + ",".join(texts) + "]}"


class PageFeed:
    """One page's place in the stream of events every page is sent (an `EventLog`). Whatever
    came since the page took its last ones goes out in one frame, as a JSON list, so a busy match costs a
    page one frame per turn of the loop, not one per event."""

    def __init__(self, page, transport, greeting, log):
        self.page = page
        self.transport = transport
        self.log = log
        self.greeting = list(greeting)
        self.taken = log.end  # the position in the log up to which this page has its events
        self.taken_bytes = log.bytes_total
        self.ready = asyncio.Event()
        self.ready.set()

    def behind_bytes(self):
        return self.log.bytes_total - self.taken_bytes

    async def send_all(self):
        try:
            while True:
                await self.ready.wait()
                self.ready.clear()
                texts, self.greeting = self.greeting + self.log.since(self.taken), []
                self.taken, self.taken_bytes = self.log.end, self.log.bytes_total
                if texts:
                    await self.page.send_str(texts[0] if len(texts) == 1 else "[" + ",".join(texts) + "]")
        except (ConnectionError, RuntimeError):
            pass  # the page went away; watch() sees it too and cleans up
