"""A game far busier than the real one, with many pages and a real browser watching and one page that stops
reading. The same flood runs for 30 s in measure.py --flood; here it is a few seconds."""

import pytest

import flood
from audience import WATCHER_BACKLOG_BYTES

RATE = 10_000
SECONDS = 5  # long enough for the stalled page to fill its socket and its backlog
WATCHERS = 20
TEXT_OVERHEAD_BYTES = 64  # what Python adds to each text it keeps


@pytest.mark.flood
def test_a_flood_reaches_every_page_and_the_recording_in_order_while_the_stalled_page_is_dropped(start_observer,
                                                                                               browser):
    observer = start_observer()
    before = flood.kilobytes(observer.process.pid, "VmRSS")
    result = flood.flood(observer.port, RATE, SECONDS, WATCHERS, browser)
    peak = flood.kilobytes(observer.process.pid, "VmHWM")
    count = result.game.count
    assert (result.game.error, result.game.waits) == (None, 0)  # the game's socket always took all at once
    assert [(page.next - 1, page.wrong, page.closed_early) for page in result.pages] == [(count, 0, False)] * WATCHERS
    assert [result.browser[key] for key in ("next", "wrong", "closed")] == [count + 1, 0, 0]
    assert result.stalled_bytes < min(page.bytes for page in result.pages)
    [recording] = observer.recordings()
    assert flood.recorded_in_order(recording, count)
    assert observer.stop().count("WARNING: a page fell too far behind the match and was dropped") == 1
    # The most the relay may hold: the match's history, and for each page its backlog and the batch in flight.
    most = result.pages[0].bytes + count * TEXT_OVERHEAD_BYTES + (WATCHERS + 2) * 2 * WATCHER_BACKLOG_BYTES
    assert (peak - before) * 1024 < most
