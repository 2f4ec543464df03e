#!/usr/bin/python3
"""The remote page in a real browser, against the simulated processor behind `hsq2600ctl serve`.

Needs HSQ_BIN_DIR (hsq2600-sim and hsq2600ctl) and HSQ_CONFIG_DIR (a SystemINI to copy).
"""
import os
import pathlib
import sys
import unittest

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tools"))
from headless_browser import HeadlessBrowser  # noqa: E402
from served_simulator import ServedSimulator  # noqa: E402

LOAD_TIMEOUT_S = 15
ELSEWHERE_TIMEOUT_S = 1
TITLES = {"en": "HSQ2600 remote control", "zh": "HSQ2600 远程控制"}
CARD_NAMES = {"en": "Input card A", "zh": "输入卡 A"}


class PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.served = ServedSimulator(os.environ["HSQ_BIN_DIR"], os.environ["HSQ_CONFIG_DIR"],
                                     ["--cards", "A,B,K"], {1: {5: "Stage wide"}})
        cls.addClassCleanup(cls.served.close)
        cls.browser = HeadlessBrowser()
        cls.addClassCleanup(cls.browser.close)
        cls.driver = cls.browser.driver

    def setUp(self):
        self.driver.get(self.served.url)
        self.wait_until(lambda d: len(self.mode_buttons("K")) == 16)

    def wait_until(self, condition, timeout_s=LOAD_TIMEOUT_S):
        return WebDriverWait(self.driver, timeout_s).until(condition)

    def mode_buttons(self, board):
        return self.driver.find_elements(By.CSS_SELECTOR, f"[data-board='{board}'] button.mode")

    def mode_in_force(self, board, mode):
        button = self.mode_buttons(board)[mode - 1]
        return button.get_attribute("aria-pressed") == "true"

    def test_shows_the_cards_present_and_the_mode_names(self):
        bank = self.served.api("/boards/K/modes")
        captions = [button.find_element(By.CLASS_NAME, "caption").text
                    for button in self.mode_buttons("K")]
        self.assertEqual(captions, [mode["caption"] for mode in bank["modes"]])
        self.assertEqual(captions[4], "M5---Stage wide")
        panels = self.driver.find_elements(By.CSS_SELECTOR, "[data-board], [data-card]")
        self.assertEqual([panel.get_attribute("data-board") or panel.get_attribute("data-card")
                          for panel in panels], ["K", "A", "B"])
        absent = [tile.find_element(By.CLASS_NAME, "name").text
                  for tile in self.driver.find_elements(By.CSS_SELECTOR, ".tile.absent")]
        self.assertEqual(absent, ["Input card C", "Input card D", "Output board L"])

    def test_a_press_recalls_that_mode_and_marks_it_once_confirmed(self):
        self.mode_buttons("K")[6].click()
        self.assertTrue(self.served.wait_for_frame("86 01 8e 06 01", LOAD_TIMEOUT_S))
        self.wait_until(lambda d: self.mode_in_force("K", 7))
        self.assertEqual(sum(self.mode_in_force("K", mode) for mode in range(1, 17)), 1)

    def test_a_recall_made_elsewhere_shows_within_a_second(self):
        result = self.served.ctl("recall", "K", "5")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.wait_until(lambda d: self.mode_in_force("K", 5), ELSEWHERE_TIMEOUT_S)

    def test_the_language_switch_changes_the_texts_and_is_kept(self):
        self.addCleanup(self.driver.execute_script, "localStorage.clear()")
        first = "zh" if self.driver.find_element(By.ID, "title").text == TITLES["zh"] else "en"
        other = "en" if first == "zh" else "zh"
        for language in (other, first):
            self.driver.find_element(By.ID, "language").click()
            self.wait_until(lambda d: d.find_element(By.ID, "title").text == TITLES[language])
            tile = self.driver.find_element(By.CSS_SELECTOR, ".tile .name")
            self.assertEqual(tile.text, CARD_NAMES[language])
        self.driver.find_element(By.ID, "language").click()
        self.driver.refresh()
        self.wait_until(lambda d: d.find_element(By.ID, "title").text == TITLES[other])


if __name__ == "__main__":
    unittest.main()
