import asyncio
import os
import pathlib
import signal
import subprocess

import pytest
from aiohttp import ClientSession

from conftest import kinds, watch

GAME = os.environ.get("QUILLMARCH_GAME")
# The game reads ../Assets, so it runs one level below the repository root, as the other tests do.
GAME_FOLDER = pathlib.Path(__file__).resolve().parents[1]
OWN_DISPLAY = GAME_FOLDER / "Support" / "own_display.sh"
# Clicks "Start Game" on the menu (centred at 960, 680) every second until the test says the match began.
START_A_MATCH = """"$GAME" ws & game=$!
while kill -0 $game 2>/dev/null; do
  [ -e "$STARTED" ] || xdotool mousemove 960 680 click 1 2>/dev/null
  sleep 1
done
wait $game"""
SETUP_SECONDS = 90
MESSAGES_SECONDS = 60


@pytest.mark.game
@pytest.mark.skipif(not GAME, reason="QUILLMARCH_GAME names the game to run")
def test_the_game_streams_its_match_setup_then_players_and_stats(start_observer, tmp_path):
    observer = start_observer(port=1337)
    started = tmp_path / "started"
    game = subprocess.Popen([str(OWN_DISPLAY), "1920x1080x24", "bash", "-c", START_A_MATCH],
                            cwd=GAME_FOLDER, env={**os.environ, "GAME": GAME, "STARTED": str(started)},
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)

    async def scenario():
        async with ClientSession() as session:
            page = await watch(session, observer)
            setup = await asyncio.wait_for(page.events_until("floor"), SETUP_SECONDS)
            started.touch()
            later = await asyncio.wait_for(page.events_until("stats"), MESSAGES_SECONDS)
            return setup, later

    try:
        setup, later = asyncio.run(scenario())
    finally:
        os.killpg(game.pid, signal.SIGTERM)
        game.wait()
    floor = setup[-1]
    assert (floor["width"], floor["height"]) == (21, 21)
    assert max(floor["tiles"]) == 1 and min(floor["tiles"]) == 0
    assert "player" in kinds(later)
    assert "warning" not in kinds(setup + later), [e for e in setup + later if e["kind"] == "warning"]
