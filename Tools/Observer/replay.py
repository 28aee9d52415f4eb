"""A recorded match made into the events a page plays back, read the same way as a live match."""

from match_sequence import MatchSequence
from page_feed import encoded


class Replay:
    @staticmethod
    def events_of(recording):
        """Every event of the recording's first match, encoded, ending with its "over"."""
        sequence = MatchSequence(keep_everything=True)
        first = None
        for seconds, text in recording.entries:
            sequence.receive(seconds, text)
            first = first or sequence.match
            if first.is_over:
                break
        if first is None:
            return []
        if not first.is_over:
            sequence.end(recording.entries[-1][0], "the recording ended")
        return first.events[:1] + Replay._warnings_of(recording) + first.events[1:]

    @staticmethod
    def _warnings_of(recording):
        """What is wrong with the file itself, shown from the start of the replay."""
        warnings = []
        if recording.skipped_lines:
            warnings.append(("unreadable-line", recording.skipped_lines,
                             f"{recording.skipped_lines} lines of the recording could not be read"))
        if recording.last_line_cut:
            warnings.append(("cut-line", 1,
                             "the recording's last line was cut off; the match is shown up to the line before"))
        return [encoded({"kind": "warning", "problem": problem, "detail": detail, "count": count, "t": 0.0})
                for problem, count, detail in warnings]
