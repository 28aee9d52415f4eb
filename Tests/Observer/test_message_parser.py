import pytest

from message_parser import MessageParser

PLAYER = ('{ "type": "player", "id": "0", "xpos": "1.5", "ypos": "2", "zpos": "-3.25", "score":['
          '{ "name": "0", "score": "314"} ,{ "name": "1", "score": "0"} ]}')
STATS = '{ "type": "stats", "fps": "60", "gametime": "1.23457e+006", "amountOfCamps": "2", "freeUnits": "-1" } '
INFLUENCE = '{ "type": "influence", "widthInTiles" : "1", "heightInTiles" : "3"  , "influence": [0, 0.5, 1e-005]}'


@pytest.mark.parametrize("text, problem", [
    ("player at 3, 4", "not-json"),
    ('["player"]', "bad-shape"),
    ('{ "id": "0" }', "unknown-type"),
    (PLAYER.replace('"player"', '"camp"'), "unknown-type"),
    (PLAYER.replace('"1.5"', '"1.5.2"'), "bad-number"),
    (PLAYER.replace('"314"', '"lots"'), "bad-number"),
    (PLAYER.replace('"314"', '"-5"'), "bad-number"),
    (PLAYER.replace('"314"', '"99999999999999"'), "bad-number"),
    (PLAYER.replace('"0", "xpos"', '"1' + "0" * 5000 + '", "xpos"'), "bad-number"),
    (PLAYER.replace('"score":[', '"score":7, "x":['), "bad-shape"),
    (STATS.replace('"60"', '"60 fps"'), "bad-number"),
    (STATS.replace('"1.23457e+006"', '"-nan(ind)"'), "non-finite"),
    (STATS.replace('"1.23457e+006"', '"inf"'), "non-finite"),
    (STATS.replace('"1.23457e+006"', '"1e999"'), "non-finite"),
    (STATS.replace('"1.23457e+006"', "NaN"), "non-finite"),
    (INFLUENCE.replace("0.5", "nan"), "non-finite"),
    (INFLUENCE.replace("0.5", "-Infinity"), "non-finite"),
    (INFLUENCE.replace("0.5", "1" + "0" * 400), "non-finite"),
    (INFLUENCE.replace("0.5", '"0.5"'), "bad-number"),
    (INFLUENCE.replace(", 1e-005", ""), "wrong-length"),
    (INFLUENCE.replace('"3"', '"1.5"'), "bad-number"),
    (INFLUENCE.replace('"3"', '"0"').replace("0, 0.5, 1e-005", ""), "bad-number"),
    (INFLUENCE.replace("[0, 0.5, 1e-005]", '"0 0.5"'), "bad-shape"),
    (INFLUENCE.replace('"3"', '"5000"'), "bad-number"),
    (STATS + " " * 1024 * 1024, "too-large"),
])
def test_bad_messages_are_named_not_raised(text, problem):
    event, found = MessageParser().parse(text)
    assert event is None
    assert found.key == problem, found.detail
