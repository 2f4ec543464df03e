"""Debian's Chromium, headless, driven by Selenium: the browser of the page's test and screenshots.

Everything it is asked to open is on 127.0.0.1; the flags keep it from calling anywhere else.
"""
import shutil
import tempfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
QUIET_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
]


class HeadlessBrowser:
    """A browser with a new empty profile, removed again by close()."""

    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="hsq-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        for flag in QUIET_FLAGS + [f"--user-data-dir={self.profile}"]:
            options.add_argument(flag)
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)

    def show_as(self, width, height, mobile):
        """Lays the page out as a device of this viewport would."""
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": mobile})

    def close(self):
        self.driver.quit()
        shutil.rmtree(self.profile, ignore_errors=True)
