"""What one page has still to be sent, and how events travel to pages: as JSON texts, each encoded once."""

import asyncio
import json


def encoded(event):
    return json.dumps(event, separators=(",", ":"))


def with_events(head, texts):
    """The event `head` (a dict) with the member "events": the events already encoded as `texts`."""
    return encoded(head)[:-1] + ',"events":[' + ",".join(texts) + "]}"


class PageFeed:
    """One page's events still to send. Whatever piled up while the page took the last ones goes out in
    one frame, as a JSON list, so a busy match costs a page one frame per turn of the loop, not one per
    event."""

    def __init__(self, page, transport, greeting):
        self.page = page
        self.transport = transport
        self.pending = list(greeting)
        self.pending_bytes = 0  # the greeting does not count: a page joining a long match needs all of it
        self.ready = asyncio.Event()
        self.ready.set()

    def add(self, text):
        self.pending.append(text)
        self.pending_bytes += len(text)
        self.ready.set()

    async def send_all(self):
        try:
            while True:
                await self.ready.wait()
                self.ready.clear()
                texts, self.pending, self.pending_bytes = self.pending, [], 0
                if texts:
                    await self.page.send_str(texts[0] if len(texts) == 1 else "[" + ",".join(texts) + "]")
        except (ConnectionError, RuntimeError):
            pass  # the page went away; watch() sees it too and cleans up
