#!/usr/bin/python3
"""What the drawn soak reads from the observer's recording of one match: whether it replays whole, and the
frame rates the game reported in its "stats" messages.

Usage: match_recording.py FILE...  (the files the observer wrote during one match; there should be one)
Prints one line, "messages=N stats=N fps=N fps_lowest=N replay=ok" (fps the median of the match's reports,
fps_lowest the lowest once the engine's frame counter has settled), or with replay= naming what is wrong;
exits 0 only when the match replays whole.
"""

import json
import pathlib
import statistics
import sys
from collections import Counter

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[1] / "Observer"))
from recording_file import RecordingFile  # noqa: E402
from replay import Replay  # noqa: E402

# What a page shows of the game's own messages; everything else in a replay is the replay's own.
MESSAGE_KINDS = ("floor", "heat", "player", "stats")
# The engine's frame counter averages over windows of 1.5 s, and its first one in a match spans the loading.
COUNTER_SETTLED_SECONDS = 2.0
# The replay's own warnings about the file, which the skipped and cut lines already name.
FILE_PROBLEMS = ("unreadable-line", "cut-line")


def faults_of(recording, events):
    """Why the replay would not show the whole match as the game sent it; empty when it does."""
    faults = []
    if recording.skipped_lines:
        faults.append(f"{recording.skipped_lines} lines do not read")
    if recording.last_line_cut:
        faults.append("its last line is cut")
    kinds = Counter(event["kind"] for event in events)
    unread = sum(1 for event in events if event["kind"] == "warning" and event["problem"] not in FILE_PROBLEMS)
    if unread:
        faults.append(f"{unread} messages do not read")
    shown = sum(kinds[kind] for kind in MESSAGE_KINDS)
    if shown != len(recording.entries):
        faults.append(f"it shows {shown} of its {len(recording.entries)} messages")
    if not kinds["floor"]:
        faults.append("no match setup")
    if not kinds["stats"]:
        faults.append("no stats message")
    return faults


def summary_of(paths):
    if len(paths) != 1:
        return {"messages": 0, "replay": f"the match is in {len(paths)} recordings, not one"}, False
    recording = RecordingFile.read(paths[0])
    if recording is None:
        return {"messages": 0, "replay": "the recording does not read"}, False
    events = [json.loads(text) for text in Replay.events_of(recording)] if recording.entries else []
    reports = [(event["t"], event["fps"]) for event in events if event["kind"] == "stats"]
    rates = [fps for _, fps in reports]
    settled = [fps for seconds, fps in reports if seconds >= COUNTER_SETTLED_SECONDS]
    faults = faults_of(recording, events)
    summary = {"messages": len(recording.entries), "stats": len(rates)}
    if rates:
        summary.update(fps=round(statistics.median(rates)), fps_lowest=min(settled or rates))
    summary["replay"] = "; ".join(faults) or "ok"
    return summary, not faults


if __name__ == "__main__":
    summary, replays = summary_of(sys.argv[1:])
    print(" ".join(f"{key}={value}" for key, value in summary.items()))
    sys.exit(0 if replays else 1)
