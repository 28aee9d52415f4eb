"""The game's telemetry messages, written exactly as the game writes them: for the made-up matches, the
flood and the tests."""

import re


def number_text(value):
    """A number as the game writes it: an integer plainly, a float with 6 significant digits and three
    exponent digits."""
    if isinstance(value, int):
        return str(value)
    return re.sub(r"e([-+])(\d+)$", lambda m: "e" + m.group(1) + m.group(2).zfill(3), f"{value:.6g}")


def player_text(player, x, y, z, scores):
    """`scores`: (id, score) pairs in the match's player order."""
    table = ",".join(f'{{ "name": "{other}", "score": "{score}"}} ' for other, score in scores)
    return (f'{{ "type": "player", "id": "{player}", "xpos": "{number_text(x)}", "ypos": "{number_text(y)}", '
            f'"zpos": "{number_text(z)}", "score":[{table}]}}')


def stats_text(fps, gametime, camps, free_units):
    return (f'{{ "type": "stats", "fps": "{fps}", "gametime": "{number_text(gametime)}", '
            f'"amountOfCamps": "{camps}", "freeUnits": "{free_units}" }} ')


def influence_text(width, height, tiles):
    return (f'{{ "type": "influence", "widthInTiles" : "{number_text(width)}", '
            f'"heightInTiles" : "{number_text(height)}"  , '
            f'"influence": [{", ".join(number_text(tile) for tile in tiles)}]}}')
