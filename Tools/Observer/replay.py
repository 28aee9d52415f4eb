"""A recorded match made into the events a page plays back, read the same way as a live match."""

from match_sequence import MatchSequence


class Replay:
    @staticmethod
    def events_of(recording):
        """Every event of the recording's first match, ending with its "over"."""
        sequence = MatchSequence(keep_every_heat=True)
        events = []
        for seconds, text in recording.entries:
            events += sequence.receive(seconds, text)
        last = recording.entries[-1][0] if recording.entries else 0.0
        events += sequence.end(last, "the recording ended")
        over = next((index for index, event in enumerate(events) if event["kind"] == "over"), len(events) - 1)
        events = events[: over + 1]
        if recording.skipped_lines and events:
            events.insert(1, {"kind": "warning", "problem": "unreadable-line", "t": 0.0, "count": recording.skipped_lines,
                              "detail": f"{recording.skipped_lines} lines of the recording could not be read"})
        return events
