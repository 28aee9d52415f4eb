"""Turns the game's stream of messages into matches: where one begins and ends, and what the page sees."""

from match import Match
from message_parser import MessageParser, Problem

# A match lasts 90 s and the game returns to its menu 3 s later. The margin lets the last frames of a
# slow game still count to their match; a new match's setup ends the old one at once anyway.
MATCH_SECONDS = 96.0


class MatchSequence:
    """Each call returns the events to show, in order, encoded for the pages. The distance map opens every
    match: it is the first influence message on a connection, and every later message with the very same
    text (the map never changes) is the next match's."""

    def __init__(self, recorder=None, keep_everything=False):
        self.parser = MessageParser()
        self.recorder = recorder
        self.keep_everything = keep_everything
        self.match = None
        self.last_match = None  # the one a page that comes between matches sees, with its final scores
        self.matches_begun = 0
        self._setup_text = None

    def game_connected(self):
        self._setup_text = None

    def receive(self, arrival, text):
        event, problem = self.parser.parse(text)
        events = []
        if event is not None and event["kind"] == "influence":
            if self._setup_text is None:
                self._setup_text = text
            event["kind"] = "floor" if text == self._setup_text else "heat"
            if event["kind"] == "floor" and self.match is not None and self.match.has_floor:
                events += self.end(arrival, "a new match began")
        events += self._match_at(arrival)
        if self.recorder is not None:
            self.recorder.write(self.match.seconds_at(arrival), text)
        if event is not None:
            events.append(self.match.add(event, arrival))
        else:
            events.append(self.match.warning(problem, arrival))
        return events

    def receive_binary(self, arrival, size):
        return self.receive_problem(arrival, Problem("binary", f"a binary message of {size} bytes"))

    def receive_problem(self, arrival, problem):
        """A message that never became text: shown as a warning, and not recorded."""
        events = self._match_at(arrival)
        return events + [self.match.warning(problem, arrival)]

    def end(self, arrival, reason):
        if self.match is None:
            return []
        over = self.match.over_event(reason, arrival)
        self.last_match, self.match = self.match, None
        if self.recorder is not None:
            self.recorder.close()
        return [over]

    def tick(self, now):
        if self.match is not None and self.match.has_floor and now - self.match.began > MATCH_SECONDS:
            return self.end(now, "the match ended")
        return []

    def snapshot(self):
        shown = self.match or self.last_match
        return shown.history() if shown is not None else []

    def _match_at(self, arrival):
        if self.match is not None:
            return []
        self.matches_begun += 1
        self.last_match = None
        self.match = Match(self.matches_begun, arrival, self.keep_everything)
        if self.recorder is not None:
            self.recorder.start()
        return [self.match.start_event()]
