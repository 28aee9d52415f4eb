"""Reads the game's telemetry texts into clean events, or names what is wrong with them."""

import json
import math
import re
from collections import namedtuple

# A real influence message of the 21 x 21 map is about 5 KB; anything this big is not one of ours.
MAX_MESSAGE_BYTES = 256 * 1024
# The navigation component's own limit on tiles per side.
MAX_TILES_PER_SIDE = 1024
# The game's numbers are 32-bit, signed or not.
INT_LOWEST = -(2**31)
UINT_HIGHEST = 2**32 - 1

Problem = namedtuple("Problem", "key detail")

# Longer digit runs cannot be a 32-bit number, and Python refuses to convert very long ones.
_INTEGER = re.compile(r"-?[0-9]{1,12}")
_LONGEST_EXACT_INTEGER = 20
_DECIMAL = re.compile(r"-?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][-+]?[0-9]+)?")
# How C and C++ runtimes write what is not a finite number: nan, -nan, -nan(ind), inf, -inf, 1.#INF...
_NON_FINITE_TEXT = re.compile(r"[-+]?(?:nan|inf|1\.#)", re.IGNORECASE)
_BARE_NON_FINITE = re.compile(r"[\[,:]\s*[-+]?(?:nan|inf)", re.IGNORECASE)


class BadMessage(Exception):
    """Raised inside the parser only; parse() turns it into a Problem."""

    def __init__(self, key, detail):
        super().__init__(detail)
        self.problem = Problem(key, detail)


class MessageParser:
    """parse(text) returns (event, None) for a sound message and (None, Problem) for anything else."""

    def parse(self, text):
        try:
            return self._event_of(text), None
        except BadMessage as bad:
            return None, bad.problem

    def _event_of(self, text):
        size = len(text.encode("utf-8", "surrogatepass"))
        if size > MAX_MESSAGE_BYTES:
            raise BadMessage("too-large", f"a message of {size} bytes (at most {MAX_MESSAGE_BYTES})")
        message = self._json_of(text)
        if not isinstance(message, dict):
            raise BadMessage("bad-shape", "a message that is not a JSON object")
        kind = message.get("type")
        reader = self._readers.get(kind) if isinstance(kind, str) else None
        if reader is None:
            raise BadMessage("unknown-type", f"a message of unknown type {_shown(kind)}")
        return reader(self, message)

    @staticmethod
    def _json_of(text):
        def refuse_constant(name):
            raise BadMessage("non-finite", f"a number that is not finite ({name})")

        try:
            return json.loads(text, parse_constant=refuse_constant, parse_int=_json_integer)
        except (ValueError, RecursionError):
            # The game writes nan and inf bare into the tile list, which is then no JSON at all.
            if _BARE_NON_FINITE.search(text):
                raise BadMessage("non-finite", "a tile that is not a finite number") from None
            raise BadMessage("not-json", f"a message that is not JSON: {text[:40]!r}") from None

    def _player(self, message):
        scores = message.get("score")
        if not isinstance(scores, list):
            raise BadMessage("bad-shape", "a player message without its score list")
        return {
            "kind": "player",
            "id": _integer(message, "id"),
            "x": _decimal(message, "xpos"),
            "y": _decimal(message, "ypos"),
            "z": _decimal(message, "zpos"),
            "scores": [_score_entry(entry) for entry in scores],
        }

    def _stats(self, message):
        return {
            "kind": "stats",
            "fps": _integer(message, "fps"),
            "gametime": _decimal(message, "gametime"),
            "camps": _integer(message, "amountOfCamps", lowest=0),
            "freeUnits": _integer(message, "freeUnits"),
        }

    def _influence(self, message):
        width = _tile_count(message, "widthInTiles")
        height = _tile_count(message, "heightInTiles")
        tiles = message.get("influence")
        if not isinstance(tiles, list):
            raise BadMessage("bad-shape", "an influence message without its tile list")
        if len(tiles) != width * height:
            raise BadMessage("wrong-length", f"an influence list of {len(tiles)} tiles for {width} x {height}")
        return {"kind": "influence", "width": width, "height": height, "tiles": _tiles(tiles)}

    _readers = {"player": _player, "stats": _stats, "influence": _influence}


_NUMBER_TYPES = {int, float}  # as JSON gives them: a bool is no number here


def _is_number(value):
    return type(value) in _NUMBER_TYPES


def _json_integer(digits):
    """Beyond 64 bits no integer can be one of the game's, and a long enough one Python will not convert:
    read as a float, it is out of range or not finite, and named so."""
    return int(digits) if len(digits) <= _LONGEST_EXACT_INTEGER else float(digits)


def _shown(value):
    """A value inside a warning: short, and never a deep structure written out."""
    if isinstance(value, (list, dict)):
        return f"a JSON {'list' if isinstance(value, list) else 'object'} of {len(value)}"
    return json.dumps(value)[:40]


def _finite(value, what):
    """A JSON number as a float; a huge integer or 1e999 is no number the game could have sent."""
    try:
        number = float(value)
    except OverflowError:
        number = math.inf
    if not math.isfinite(number):
        raise BadMessage("non-finite", f"{what} is not a finite number")
    return number


def _number_text(message, field, pattern):
    """The game writes its numbers as strings; a bare JSON number is taken too."""
    value = message.get(field)
    if isinstance(value, str) and pattern.fullmatch(value):
        return _finite(int(value) if pattern is _INTEGER else value, field)
    if _is_number(value):
        return _finite(value, field)
    if isinstance(value, str) and _NON_FINITE_TEXT.match(value):
        raise BadMessage("non-finite", f"{field} is not a finite number: {value[:40]!r}")
    raise BadMessage("bad-number", f"{field} is not a number: {_shown(value)}")


def _integer(message, field, lowest=INT_LOWEST):
    value = message.get(field)
    if type(value) is str and _INTEGER.fullmatch(value) and lowest <= (number := int(value)) <= UINT_HIGHEST:
        return number  # the game's own text, read at once: most numbers of a busy match come this way
    number = _number_text(message, field, _INTEGER)
    if number != int(number) or not lowest <= number <= UINT_HIGHEST:
        raise BadMessage("bad-number", f"{field} is not a whole number from {lowest} to {UINT_HIGHEST}: {number:g}")
    return int(number)


def _decimal(message, field):
    value = message.get(field)
    if type(value) is str and _DECIMAL.fullmatch(value) and math.isfinite(number := float(value)):
        return number
    return _number_text(message, field, _DECIMAL)


def _tile_count(message, field):
    # The distance map writes 21 as an integer, the influence map as a float: both read "21".
    count = _decimal(message, field)
    if count != int(count) or not 1 <= count <= MAX_TILES_PER_SIDE:
        raise BadMessage("bad-number", f"{field} is not a tile count from 1 to {MAX_TILES_PER_SIDE}: {count:g}")
    return int(count)


def _tiles(tiles):
    """Tiles are the only numbers the game writes bare; a map's hundreds of them are read in one go."""
    if not set(map(type, tiles)) <= _NUMBER_TYPES:
        wrong = next(tile for tile in tiles if not _is_number(tile))
        raise BadMessage("bad-number", f"a tile that is not a number: {_shown(wrong)}")
    values = list(map(float, tiles))
    if not all(map(math.isfinite, values)):
        raise BadMessage("non-finite", "a tile is not a finite number")
    return values


def _score_entry(entry):
    if not isinstance(entry, dict):
        raise BadMessage("bad-shape", "a score entry that is not an object")
    return [_integer(entry, "name"), _integer(entry, "score", lowest=0)]
