"""Writes one match's messages, as they arrived, into a JSON-lines file of its own."""

import json
import os
import sys
import time


class MatchRecorder:
    """One line per message: {"t": seconds since the match began, "text": the message as it came}."""

    def __init__(self, folder):
        self.folder = folder
        self.file = None
        self.path = None

    def start(self):
        """Opens a new file for a match; False (said once, here) when the folder cannot take it."""
        self.close()
        stamp = time.strftime("%Y%m%d-%H%M%S")
        try:
            os.makedirs(self.folder, exist_ok=True)
            for attempt in range(1, 1000):
                suffix = "" if attempt == 1 else f"-{attempt}"
                path = os.path.join(self.folder, f"match-{stamp}{suffix}.jsonl")
                try:
                    # Line-buffered: a match cut short by a crash or Ctrl-C keeps all it had.
                    self.file = open(path, "x", encoding="utf-8", buffering=1)
                    self.path = path
                    return True
                except FileExistsError:
                    continue
        except OSError as error:
            print(f"ERROR: cannot record the match in {self.folder}: {error.strerror}", file=sys.stderr)
            return False
        print(f"ERROR: cannot record the match in {self.folder}: too many recordings this second", file=sys.stderr)
        return False

    def write(self, seconds, text):
        if self.file is None:
            return
        try:
            self.file.write(json.dumps({"t": round(seconds, 4), "text": text}) + "\n")
        except OSError as error:
            print(f"ERROR: recording {self.path} stopped: {error.strerror}", file=sys.stderr)
            self.close()

    def close(self):
        if self.file is not None:
            try:
                self.file.close()
            except OSError as error:
                print(f"ERROR: recording {self.path} may be incomplete: {error.strerror}", file=sys.stderr)
            self.file = None
