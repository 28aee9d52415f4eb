import json
import tempfile
import time

import pytest
from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

from conftest import WAIT_SECONDS, write_recording

CHROMIUM_SWITCHES = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                     "--disable-background-networking", "--disable-component-update", "--disable-sync",
                     "--window-size=1600,1000"]
# How many pixels of the heat layer are not transparent.
HEAT_PIXELS = """const canvas = document.getElementById('heat');
const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
let drawn = 0;
for (let alpha = 3; alpha < pixels.length; alpha += 4) drawn += pixels[alpha] > 0;
return drawn;"""


@pytest.fixture(scope="module")
def browser():
    options = webdriver.ChromeOptions()
    for switch in CHROMIUM_SWITCHES:
        options.add_argument(switch)
    with tempfile.TemporaryDirectory() as profile:
        options.add_argument(f"--user-data-dir={profile}")
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        yield driver
        driver.quit()


def text_once_shown(browser, element_id, expected):
    WebDriverWait(browser, WAIT_SECONDS).until(lambda _: expected in browser.find_element("id", element_id).text)


def test_the_page_waits_for_the_game_then_shows_a_replayed_match_to_its_end(browser, start_observer, sample_texts,
                                                                             tmp_path):
    browser.get(start_observer().url)
    text_once_shown(browser, "overlay", "Waiting for the game")

    recording = write_recording(tmp_path / "match.jsonl", sample_texts + ['{"type": "stats", "fps": "NaN"}'])
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
        [("non-finite", "1")]
    time.sleep(0.5)  # let a late error reach the log
    assert [entry for entry in browser.get_log("browser") if entry["level"] == "SEVERE"] == []
