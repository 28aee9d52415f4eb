"""Writes one match's messages, as they arrived, into a JSON-lines file of its own."""

import json
import os
import sys
import time


class MatchRecorder:
    """One line per message: {"t": seconds since the match began, "text": the message as it came}.

    Each line goes to the file in one write of its own, with nothing held back in a buffer: when the
    observer is killed, every line it had written is in the file, and at most the last one is cut. A folder
    that cannot take the recording is said once; the match goes on live, and each new match tries again."""

    def __init__(self, folder):
        self.folder = folder
        self.file = None
        self.path = None
        self._failing = False

    def start(self):
        """Opens a new file for a match; False when the folder cannot take it."""
        self.close()
        stamp = time.strftime("%Y%m%d-%H%M%S")
        try:
            os.makedirs(self.folder, exist_ok=True)
            for attempt in range(1, 1000):
                suffix = "" if attempt == 1 else f"-{attempt}"
                path = os.path.join(self.folder, f"match-{stamp}{suffix}.jsonl")
                try:
                    self.file = open(path, "xb", buffering=0)
                    self.path = path
                    return True
                except FileExistsError:
                    continue
            problem = "too many recordings this second"
        except (OSError, ValueError) as error:  # ValueError: a folder name the system cannot take
            problem = reason_of(error)
        self._fail(f"cannot record the match in {self.folder}: {problem}")
        return False

    def write(self, seconds, text):
        if self.file is None:
            return
        line = f'{{"t": {round(seconds, 4)!r}, "text": {json.dumps(text)}}}\n'.encode()
        try:
            written = 0
            while written < len(line):
                written += self.file.write(line[written:])
        except OSError as error:
            self._fail(f"recording {self.path} stopped: {reason_of(error)}")
            self._abandon()
            return
        self._failing = False

    def close(self):
        if self.file is not None:
            try:
                self.file.close()
            except OSError as error:
                self._fail(f"recording {self.path} may be incomplete: {reason_of(error)}")
            self.file = None

    def _abandon(self):
        """Closes a file that failed, and removes it if nothing of the match reached it."""
        file, self.file = self.file, None
        try:
            empty = os.fstat(file.fileno()).st_size == 0
            file.close()
            if empty:
                os.remove(self.path)
        except OSError:
            pass

    def _fail(self, problem):
        if not self._failing:
            print(f"WARNING: {problem}; the matches are still shown live", file=sys.stderr)
        self._failing = True


def reason_of(error):
    return getattr(error, "strerror", None) or str(error)
