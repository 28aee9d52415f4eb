"""Reads a recorded match back: the messages with their arrival times."""

import json
import sys

# The longest line the recorder can write: a message at the relay's limit with every character escaped.
MAX_LINE_BYTES = 32 * 1024 * 1024


class RecordingFile:
    """entries: (seconds, text) pairs in file order, with times made non-decreasing. Lines that do not read
    are counted in skipped_lines and left out, except a last line without its newline: that one is a write
    cut short (the observer killed, the disk full), and last_line_cut says so."""

    def __init__(self, entries, skipped_lines, last_line_cut):
        self.entries = entries
        self.skipped_lines = skipped_lines
        self.last_line_cut = last_line_cut

    @staticmethod
    def read(path):
        """The recording, or None after saying why it cannot be read."""
        try:
            with open(path, "rb") as lines:
                recording = RecordingFile._of_lines(lines)
        except (OSError, ValueError) as error:
            print(f"ERROR: cannot read the recording {path}: {getattr(error, 'strerror', None) or error}",
                  file=sys.stderr)
            return None
        if recording.skipped_lines:
            print(f"WARNING: {recording.skipped_lines} lines of the recording {path} could not be read",
                  file=sys.stderr)
        if recording.last_line_cut:
            print(f"WARNING: the last line of the recording {path} was cut off", file=sys.stderr)
        return recording

    @staticmethod
    def _of_lines(lines):
        entries = []
        skipped = 0
        cut = False
        latest = 0.0
        while line := lines.readline(MAX_LINE_BYTES):
            complete = line.endswith(b"\n")
            entry = RecordingFile._entry_of(line) if complete or len(line) < MAX_LINE_BYTES else None
            if entry is not None:
                latest = max(latest, entry[0])
                entries.append((latest, entry[1]))
            elif not line.strip():
                continue
            elif complete or RecordingFile._skip_rest_of_line(lines):
                skipped += 1
            else:
                cut = True
        return RecordingFile(entries, skipped, cut)

    @staticmethod
    def _skip_rest_of_line(lines):
        """True when a line too long to read ends further on, False when the file ends first."""
        while piece := lines.readline(MAX_LINE_BYTES):
            if piece.endswith(b"\n"):
                return True
        return False

    @staticmethod
    def _entry_of(line):
        try:
            record = json.loads(line.decode("utf-8"))
        except (ValueError, RecursionError):
            return None
        if not isinstance(record, dict) or not isinstance(record.get("text"), str):
            return None
        seconds = record.get("t")
        if isinstance(seconds, bool) or not isinstance(seconds, (int, float)) or not 0 <= seconds < 1e6:
            return None
        return float(seconds), record["text"]
