#!/usr/bin/python3
"""Writes a recording of a made-up match in the game's exact message texts, to try the page, the replay and
the measurements without the game:  sample_match.py FILE [--seconds S]"""

import argparse
import json
import math

from game_texts import influence_text, player_text, stats_text

TILES = 21
FLOOR_LOW, FLOOR_HIGH = -48.5, 48.5  # x and z of the navigation mesh's walkable floor
PLAYER_EVERY = 0.1  # seconds between the frames that send "player" and "stats"
HEAT_EVERY = 0.5
DECAY = 0.9
ORC_CORNERS = [(-30, -30), (-30, 30), (30, -30), (30, 30)]


class SampleMatch:
    def __init__(self, seconds, players=5):
        self.seconds = seconds
        self.players = players
        self.heat = [0.0] * (TILES * TILES)

    def messages(self):
        """(seconds, text) in the order the game sends them."""
        yield 0.0, influence_text(TILES, TILES, self.distance_map())
        steps = int(self.seconds / PLAYER_EVERY)
        heat_every = round(HEAT_EVERY / PLAYER_EVERY)
        for step in range(1, steps + 1):
            seconds = step * PLAYER_EVERY
            positions = [self.position(player, seconds) for player in range(self.players)]
            scores = [self.score(player, seconds) for player in range(self.players)]
            for player, (x, z) in enumerate(positions):
                yield seconds, player_text(player, x, 3, z, list(enumerate(scores)))
            yield seconds, stats_text(58 + int(seconds) % 5, 4000 + seconds * 1000, int(seconds / 4),
                                      max(0, 40 - int(seconds / 2)))
            if step % heat_every == 0:
                self.spread_heat(positions)
                yield seconds, influence_text(TILES, TILES, self.heat)

    def position(self, player, seconds):
        if player == 0:
            return 35 * math.sin(seconds * 0.31), 30 * math.sin(seconds * 0.23 + 1)
        cx, cz = ORC_CORNERS[(player - 1) % len(ORC_CORNERS)]
        return cx + 12 * math.cos(seconds * 0.4 + player), cz + 12 * math.sin(seconds * 0.4 + player)

    def score(self, player, seconds):
        # Camps come every few seconds; their rings grow the score in steps.
        camps = int(seconds * (0.12 + 0.03 * player))
        return int(3.14 * (6 + 2 * player) ** 2 * camps)

    @staticmethod
    def distance_map():
        edge = [min(column, row, TILES - 1 - column, TILES - 1 - row) for row in range(TILES) for column in range(TILES)]
        return [(tile + 1) / (max(edge) + 1) for tile in edge]

    def spread_heat(self, positions):
        """One propagation as the game's influence map does it, then a stamp under every player."""
        old = self.heat
        self.heat = [DECAY * self.strongest_arrival(old, column, row) for row in range(TILES) for column in range(TILES)]
        tile = (FLOOR_HIGH - FLOOR_LOW) / TILES
        for x, z in positions:
            column, row = (min(TILES - 1, int((v - FLOOR_LOW) / tile)) for v in (x, z))
            self.heat[row * TILES + column] = 1.0

    @staticmethod
    def strongest_arrival(old, column, row):
        strongest = old[row * TILES + column]
        for other_row in range(max(0, row - 1), min(TILES, row + 2)):
            for other_column in range(max(0, column - 1), min(TILES, column + 2)):
                steps = math.hypot(other_row - row, other_column - column)
                strongest = max(strongest, old[other_row * TILES + other_column] * DECAY**steps)
        return strongest

    def write(self, path):
        with open(path, "w", encoding="utf-8") as recording:
            for seconds, text in self.messages():
                recording.write(json.dumps({"t": round(seconds, 4), "text": text}) + "\n")


if __name__ == "__main__":
    parser = argparse.ArgumentParser(description="Write a recording of a made-up match.")
    parser.add_argument("file")
    parser.add_argument("--seconds", type=float, default=93.0)
    options = parser.parse_args()
    SampleMatch(options.seconds).write(options.file)
