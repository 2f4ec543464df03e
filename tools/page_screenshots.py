#!/usr/bin/python3
"""Screenshots of the remote page, in English and Chinese, at phone and tablet sizes.

usage: page_screenshots.py BIN_DIR CONFIG_DIR OUT_DIR
BIN_DIR holds hsq2600-sim and hsq2600ctl, CONFIG_DIR a SystemINI to copy; the pictures are
written as OUT_DIR/remote-page-{phone,tablet}-{en,zh}.png, in 256 colours. The simulator and the service run on
a pseudo-terminal and 127.0.0.1 only.
"""
import os
import sys

from selenium.webdriver.support.ui import WebDriverWait

from headless_browser import HeadlessBrowser
from png_palette import to_palette
from served_simulator import ServedSimulator

SIZES = {"phone": (390, 844), "tablet": (820, 1180)}
LANGUAGES = ("en", "zh")
LOAD_TIMEOUT_S = 15

# A few layouts worth looking at: (width, height, x, y) of channels 1 to 4 on 1920 x 1080, which
# channels are on, and their layer order.
FULL = (1920, 1080, 0, 0)
QUARTERS = [(960, 540, 0, 0), (960, 540, 960, 0), (960, 540, 0, 540), (960, 540, 960, 540)]
LAYOUTS = {
    "Full screen": ([FULL] * 4, "1,0,0,0", "4,3,2,1"),
    "Quad": (QUARTERS, "1,1,1,1", "4,3,2,1"),
    "Main + PIP": ([FULL, (640, 360, 1220, 660), FULL, FULL], "1,1,0,0", "3,4,1,2"),
    "Side by side": ([(960, 1080, 0, 0), (960, 1080, 960, 0), FULL, FULL], "1,1,0,0", "4,3,2,1"),
    "Three up": ([(1280, 1080, 0, 0), (640, 540, 1280, 0), (640, 540, 1280, 540), FULL],
                 "1,1,1,0", "4,3,2,1"),
}


def demo_profile():
    """Mode names and layouts for output board K, repeating the layouts over the 16 modes."""
    names = {}
    sections = {"MODENAME": names}
    for mode in range(16):
        name, (windows, switched, layers) = list(LAYOUTS.items())[mode % len(LAYOUTS)]
        names[f"Mode{mode}"] = name
        keys = {"OutCH_YN": switched, "aOverlay": layers}
        for channel, window in enumerate(windows, start=1):
            keys[f"OutCH{channel}_OutputMap_Size"] = ",".join(map(str, window))
        sections[f"Mode{mode}"] = keys
    return {"Output1.ini": sections}


def shoot(browser, url, out_dir):
    driver = browser.driver
    for language in LANGUAGES:
        for device, (width, height) in SIZES.items():
            browser.show_as(width, height, mobile=True)
            # Any small answer of the same origin will do to reach its storage.
            driver.get(url + "api/v1/")
            driver.execute_script("localStorage.setItem('hsq2600.language', arguments[0])",
                                  language)
            driver.get(url)
            WebDriverWait(driver, LOAD_TIMEOUT_S).until(
                lambda d: d.execute_script("return document.querySelectorAll('.mode').length > 0"))
            path = os.path.join(out_dir, f"remote-page-{device}-{language}.png")
            driver.save_screenshot(path)
            to_palette(path)
            print(path)


def main(bin_dir, config_dir, out_dir):
    served = ServedSimulator(bin_dir, config_dir, ["--cards", "A,B,C,K,L"], demo_profile())
    try:
        result = served.ctl("recall", "K", "2")
        if result.returncode != 0:
            sys.exit(f"the recall before the pictures failed: {result.stderr}")
        browser = HeadlessBrowser()
        try:
            shoot(browser, served.url, out_dir)
        finally:
            browser.close()
    finally:
        served.close()


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
