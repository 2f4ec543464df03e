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
GONE_BANNER = ("The control service is gone: this page gets no news and sends nothing. "
               "Trying again…")


class ServedPage(unittest.TestCase):
    """The page of a service in front of a simulator with cards A, B and K, loaded anew for each
    test."""

    @classmethod
    def setUpClass(cls):
        cls.served = ServedSimulator(os.environ["HSQ_BIN_DIR"], os.environ["HSQ_CONFIG_DIR"],
                                     ["--cards", "A,B,K"],
                                     {"Output1.ini": {"MODENAME": {"Mode4": "Stage wide"}}})
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

    # Read in one go: the page builds its sections anew on every change.
    def texts(self, selector):
        return self.driver.execute_script(
            "return [...document.querySelectorAll(arguments[0])].map(e => e.textContent)", selector)

    def modes_in_force(self, board):
        return self.driver.execute_script(
            "return [...document.querySelectorAll(arguments[0])].map(e => Number(e.dataset.mode))",
            f"[data-board='{board}'] button.mode[aria-pressed='true']")


class PageTest(ServedPage):
    def test_shows_the_cards_present_and_the_mode_names(self):
        bank = self.served.api("/boards/K/modes")
        captions = self.texts("[data-board='K'] button.mode .caption")
        self.assertEqual(captions, [mode["caption"] for mode in bank["modes"]])
        self.assertEqual(captions[4], "M5---Stage wide")
        self.assertEqual(self.texts("[data-board] > h2, [data-card] > h2"),
                         ["Output board K", "Input card A", "Input card B"])
        self.assertEqual(self.texts(".tile.absent .name"),
                         ["Input card C", "Input card D", "Output board L"])

    def test_a_press_recalls_that_mode_and_marks_it_once_confirmed(self):
        self.mode_buttons("K")[6].click()
        self.assertTrue(self.served.wait_for_frame("86 01 8e 06 01", LOAD_TIMEOUT_S))
        self.wait_until(lambda d: self.modes_in_force("K") == [7])

    def test_a_recall_made_elsewhere_shows_within_a_second(self):
        result = self.served.ctl("recall", "K", "5")
        self.assertEqual(result.returncode, 0, result.stderr)
        self.wait_until(lambda d: self.modes_in_force("K") == [5], ELSEWHERE_TIMEOUT_S)

    def test_the_language_switch_changes_the_texts_and_is_kept(self):
        self.addCleanup(self.driver.execute_script, "localStorage.clear()")
        first = "zh" if self.driver.find_element(By.ID, "title").text == TITLES["zh"] else "en"
        other = "en" if first == "zh" else "zh"
        for language in (other, first):
            self.driver.find_element(By.ID, "language").click()
            self.wait_until(lambda d: d.find_element(By.ID, "title").text == TITLES[language])
            self.assertEqual(self.texts(".tile .name")[0], CARD_NAMES[language])
        self.driver.find_element(By.ID, "language").click()
        self.driver.refresh()
        self.wait_until(lambda d: d.find_element(By.ID, "title").text == TITLES[other])


class ServiceGoneTest(ServedPage):
    def test_the_page_says_so_when_the_service_is_gone(self):
        self.served.stop_service()
        self.wait_until(lambda d: d.find_element(By.ID, "banner").is_displayed())
        self.assertEqual(self.texts("#banner-text"), [GONE_BANNER])


if __name__ == "__main__":
    unittest.main()
