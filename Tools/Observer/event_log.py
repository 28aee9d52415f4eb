"""The events on their way to the pages: kept once for all of them, until the slowest page has taken them."""


class EventLog:
    """Positions count events from the first one ever added; `end` is the position after the last, and
    `bytes_total` the size of all events ever added."""

    def __init__(self):
        self._texts = []
        self._first = 0  # the position of the first event still kept
        self.bytes_total = 0

    @property
    def end(self):
        return self._first + len(self._texts)

    def add(self, texts):
        self._texts += texts
        self.bytes_total += sum(map(len, texts))

    def since(self, position):
        return self._texts[position - self._first:]

    def forget_before(self, position):
        """Drops what every page has taken."""
        del self._texts[: position - self._first]
        self._first = max(self._first, position)
