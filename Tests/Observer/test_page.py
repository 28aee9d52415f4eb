import json
import time

from selenium.webdriver.support.ui import WebDriverWait

from conftest import WAIT_SECONDS, write_recording

# How many pixels of the heat layer are not transparent.
HEAT_PIXELS = """const canvas = document.getElementById('heat');
const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
let drawn = 0;
for (let alpha = 3; alpha < pixels.length; alpha += 4) drawn += pixels[alpha] > 0;
return drawn;"""


def text_once_shown(browser, element_id, expected):
    WebDriverWait(browser, WAIT_SECONDS).until(lambda _: expected in browser.find_element("id", element_id).text)


def test_the_page_waits_for_the_game_then_shows_a_replayed_match_to_its_end(browser, start_observer, sample_texts,
                                                                             tmp_path):
    browser.get(start_observer().url)
    text_once_shown(browser, "overlay", "Waiting for the game")

    bad = '{"type": "stats", "fps": "NaN"}'
    recording = write_recording(tmp_path / "match.jsonl", sample_texts[:5] + [bad] + sample_texts[5:] + [bad])
    with recording.open("a") as cut_short:
        cut_short.write('{"t": 9.5, "text": "{ \\"type\\": \\"pla')
    browser.get(start_observer("--replay", str(recording), "--speed", "1000").url)
    text_once_shown(browser, "overlay", "Match over")

    last_player = json.loads(next(text for text in reversed(sample_texts) if '"player"' in text))
    rows = browser.find_elements("css selector", "#scores tbody tr")
    assert [(row.get_attribute("data-player"), row.get_attribute("data-score")) for row in rows] == \
        [(entry["name"], entry["score"]) for entry in last_player["score"]]
    assert len(rows) == 5
    assert browser.execute_script(HEAT_PIXELS) > 0
    warnings = browser.find_elements("css selector", "#warnings li")
    assert [(item.get_attribute("data-problem"), item.get_attribute("data-count")) for item in warnings] == \
        [("cut-line", "1"), ("non-finite", "2")]
    time.sleep(0.5)  # let a late error reach the log
    assert [entry for entry in browser.get_log("browser") if entry["level"] == "SEVERE"] == []
