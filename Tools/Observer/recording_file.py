"""Reads a recorded match back: the messages with their arrival times."""

import json
import sys


class RecordingFile:
    """entries: (seconds, text) pairs in file order, with times made non-decreasing; unreadable lines are
    counted in skipped_lines and left out."""

    def __init__(self, entries, skipped_lines):
        self.entries = entries
        self.skipped_lines = skipped_lines

    @staticmethod
    def read(path):
        """The recording, or None after saying why it cannot be read."""
        try:
            with open(path, encoding="utf-8") as lines:
                return RecordingFile._of_lines(lines)
        except (OSError, UnicodeDecodeError) as error:
            print(f"ERROR: cannot read the recording {path}: {getattr(error, 'strerror', None) or error}",
                  file=sys.stderr)
            return None

    @staticmethod
    def _of_lines(lines):
        entries = []
        skipped = 0
        latest = 0.0
        for line in lines:
            entry = RecordingFile._entry_of(line)
            if entry is None:
                skipped += 1 if line.strip() else 0
                continue
            latest = max(latest, entry[0])
            entries.append((latest, entry[1]))
        return RecordingFile(entries, skipped)

    @staticmethod
    def _entry_of(line):
        try:
            record = json.loads(line)
        except (ValueError, RecursionError):
            return None
        if not isinstance(record, dict) or not isinstance(record.get("text"), str):
            return None
        seconds = record.get("t")
        if isinstance(seconds, bool) or not isinstance(seconds, (int, float)) or not 0 <= seconds < 1e6:
            return None
        return float(seconds), record["text"]
