"""One match as the page sees it: its events so far, each stamped with the seconds since it began."""

from collections import Counter

from page_feed import encoded

# Enough for a match at a thousand frames a second; a game that floods beyond it is still relayed live,
# only a page that joins late sees less of the past.
MAX_HISTORY_EVENTS = 100_000


class Match:
    """Every event comes out encoded, ready for the pages; the history keeps those texts, a fifth of the
    memory the events themselves would take."""

    def __init__(self, number, began, keep_everything):
        self.number = number
        self.began = began
        # A replay needs all of its match, every heat layer included; a live page only the latest layer,
        # and as much of the past as the history holds.
        self.keep_everything = keep_everything
        self.events = []
        self.has_floor = False
        self.is_over = False
        self.last_scores = []
        self._latest_heat = None
        self._problem_counts = Counter()

    def seconds_at(self, arrival):
        return round(max(0.0, arrival - self.began), 4)

    def start_event(self):
        return self._kept({"kind": "start", "match": self.number, "t": 0.0})

    def add(self, event, arrival):
        event["t"] = self.seconds_at(arrival)
        if event["kind"] == "floor":
            self.has_floor = True
        elif event["kind"] == "player":
            self.last_scores = event["scores"]
        elif event["kind"] == "heat" and not self.keep_everything:
            self._latest_heat = encoded(event)
            return self._latest_heat
        return self._kept(event)

    def warning(self, problem, arrival):
        self._problem_counts[problem.key] += 1
        event = {"kind": "warning", "problem": problem.key, "detail": problem.detail,
                 "count": self._problem_counts[problem.key]}
        return self.add(event, arrival)

    def over_event(self, reason, arrival):
        self.is_over = True
        return self._kept({"kind": "over", "reason": reason, "scores": self.last_scores,
                           "t": self.seconds_at(arrival)})

    def history(self):
        """Everything a page that joins now needs to catch up, in order."""
        return self.events + ([self._latest_heat] if self._latest_heat is not None else [])

    def _kept(self, event):
        text = encoded(event)
        if self.keep_everything or len(self.events) < MAX_HISTORY_EVENTS or event["kind"] in ("floor", "heat", "over"):
            self.events.append(text)
        return text
