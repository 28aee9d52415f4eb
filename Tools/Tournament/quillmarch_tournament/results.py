"""The results file: one JSON line per match, appended as matches arrive, read back to resume."""

import json
import os


class ResultsError(Exception):
    """A results file that cannot serve this tournament."""


def key_of(result):
    """A match is known by its seat order and its seed: each is played once."""
    return tuple(result["order"]), result["seed"]


class Results:
    """The matches of a tournament so far; with a file, each one is kept there as soon as it arrives."""

    def __init__(self, path, planned):
        self.path = path
        self.planned = planned
        self.matches = {}
        self.file = None
        if path and os.path.exists(path):
            self._read_back()

    def _read_back(self):
        with open(self.path, "rb") as file:
            data = file.read()
        # A line cut short by an interruption is no match: it goes, and the match is played again.
        complete = data[:data.rfind(b"\n") + 1]
        for number, line in enumerate(complete.decode("utf-8").splitlines(), start=1):
            try:
                result = json.loads(line)
                key = key_of(result)
            except (ValueError, KeyError, TypeError):
                raise ResultsError(f"{self.path} line {number} is not a match result") from None
            if key not in self.planned:
                raise ResultsError(f"{self.path} line {number} is a match of another tournament "
                                   f"(sets {', '.join(key[0])}, seed {key[1]})")
            self.matches[key] = result
        if len(complete) != len(data):
            with open(self.path, "r+b") as file:
                file.truncate(len(complete))

    def add(self, result):
        """Keeps `result`; false when that match was already there (a batch played twice)."""
        key = key_of(result)
        if key in self.matches or key not in self.planned:
            return False
        self.matches[key] = result
        if self.path:
            if self.file is None:
                self.file = open(self.path, "a", encoding="utf-8")
            self.file.write(json.dumps(result) + "\n")
            self.file.flush()
        return True

    def close(self):
        if self.file:
            self.file.close()
            self.file = None

    def all(self):
        return list(self.matches.values())
