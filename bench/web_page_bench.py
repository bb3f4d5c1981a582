# SPDX-License-Identifier: GPL-3.0-or-later
# The web index page of many sheets in headless Chromium: the time from the
# start of navigation until the map has drawn its first tiles (the page's
# "map-drawn" mark; target <= 3 s for 20,000 sheets) and until the whole page,
# its table too, has loaded, and the longest task while the map pans across
# in ten steps and zooms in and out (target <= 200 ms). Median of three.
#
#   web_page_bench.py PAGE_DIR
import json, os, shutil, sys, tempfile, time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

page = "file://" + os.path.abspath(os.path.join(sys.argv[1], "index.html"))
work = tempfile.mkdtemp()
options = webdriver.ChromeOptions()
for arg in ["--headless=new", "--no-sandbox", "--disable-gpu", "--window-size=1200,900",
            "--user-data-dir=" + os.path.join(work, "profile")]:
    options.add_argument(arg)
driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)
try:
    drawn, loaded = [], []
    for _ in range(3):
        driver.get(page)
        WebDriverWait(driver, 60).until(lambda d: d.execute_script(
            "return performance.getEntriesByName('map-drawn').length > 0"))
        drawn.append(driver.execute_script("return performance.getEntriesByName('map-drawn')[0].startTime") / 1000)
        loaded.append(driver.execute_script("return performance.getEntriesByType('navigation')[0].loadEventEnd") / 1000)
    driver.execute_script(
        "window.longest = 0; new PerformanceObserver(function (list) {"
        "  list.getEntries().forEach(function (e) { longest = Math.max(longest, e.duration); });"
        "}).observe({entryTypes: ['longtask']});")
    for step in range(10):
        driver.execute_script("indexMap.panBy([150, 60], {animate: false})")
        time.sleep(0.15)
    for step in range(2):
        driver.execute_script("indexMap.zoomIn(1, {animate: false})")
        time.sleep(0.3)
    driver.execute_script("indexMap.zoomOut(2, {animate: false})")
    time.sleep(0.5)
    longest = driver.execute_script("return longest")
    size = os.path.getsize(os.path.join(sys.argv[1], "index.html"))
    print(json.dumps({"page_bytes": size, "map_drawn_s": sorted(drawn)[1], "page_loaded_s": sorted(loaded)[1],
                      "longest_task_ms_while_panning": longest}))
finally:
    driver.quit()
    shutil.rmtree(work, ignore_errors=True)
