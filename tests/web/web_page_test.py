# SPDX-License-Identifier: GPL-3.0-or-later
"""The demo's web index page in headless Chromium: every usable sheet's link
on the picture, a click at a sheet's middle following its link, Tab reaching
every link, a name with markup shown as text, no console error and nothing
fetched from outside file://. Exit 77 when a tool is missing."""

import json
import os
import shutil
import subprocess
import sys
import tempfile
import urllib.parse

SKIP = 77
try:
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.actions.action_builder import ActionBuilder
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    print("python3-selenium is not installed")
    sys.exit(SKIP)

CHROMIUM = shutil.which("chromium")
DRIVER = shutil.which("chromedriver")
if not CHROMIUM or not DRIVER:
    print("chromium or chromium-driver is not installed")
    sys.exit(SKIP)

BATCH, DEMO = sys.argv[1], sys.argv[2]
MARKUP_NAME = "<b>Tom & \"Jerry\"</b> 'Карта' <script>x()</script>"
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def publish(maps, out):
    os.makedirs(out, exist_ok=True)
    run = subprocess.run([BATCH, "--maps", maps, "--index", os.path.join(DEMO, "index.map"),
                          "--output", os.path.join(out, "x.jpg"), "--coverage", "auto",
                          "--web", os.path.join(out, "web")], capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit("tessarine-batch failed: " + run.stdout + run.stderr)
    return "file://" + urllib.parse.quote(os.path.join(out, "web", "index.html"))


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for arg in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                "--disable-component-update", "--disable-sync", "--no-first-run",
                "--user-data-dir=" + profile, "--window-size=1200,900"]:
        options.add_argument(arg)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service(DRIVER), options=options)


def inside(point, polygon):
    x, y = point
    result = False
    for (xi, yi), (xj, yj) in zip(polygon, polygon[-1:] + polygon[:-1]):
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
    return result


def sheet_links(driver):
    links = []
    for a in driver.find_elements(By.CSS_SELECTOR, "svg a"):
        points = a.find_element(By.TAG_NAME, "polygon").get_attribute("points").split()
        links.append((urllib.parse.urljoin(driver.current_url, a.get_dom_attribute("href")), [tuple(float(v) for v in p.split(",")) for p in points],
                      a.find_element(By.TAG_NAME, "title").get_attribute("textContent")))
    return links


def click_at_image_point(driver, x, y):
    """Clicks where image pixel (x, y) shows, scrolled into view first."""
    box = driver.execute_script(
        "var s = document.querySelector('svg.index'), r = s.getBoundingClientRect();"
        "return [r.left + window.scrollX, r.top + window.scrollY, r.width, s.viewBox.baseVal.width];")
    scale = box[2] / box[3]
    page_y = box[1] + y * scale
    driver.execute_script("window.scrollTo(0, arguments[0])", max(0, page_y - 300))
    scroll = driver.execute_script("return [window.scrollX, window.scrollY]")
    actions = ActionBuilder(driver)
    actions.pointer_action.move_to_location(int(box[0] + x * scale - scroll[0]), int(page_y - scroll[1]))
    actions.pointer_action.click()
    actions.perform()


def main():
    work = tempfile.mkdtemp()
    try:
        demo_page = publish(os.path.join(DEMO, "maps"), os.path.join(work, "demo"))
        # A copy of two demo sheets, one named with markup in it.
        maps = os.path.join(work, "markup", "maps")
        os.makedirs(maps)
        for name in ["L-36-068.map", "L-36-080.map"]:
            shutil.copy(os.path.join(DEMO, "maps", name), maps)
        path = os.path.join(maps, "L-36-068.map")
        with open(path, "rb") as f:
            data = f.read()
        try:
            text = data.decode("utf-8")
        except UnicodeDecodeError:
            text = data.decode("cp1251")
        lines = text.split("\r\n")
        lines[1] = MARKUP_NAME
        with open(path, "wb") as f:
            f.write("\r\n".join(lines).encode("utf-8"))
        markup_page = publish(maps, os.path.join(work, "markup"))

        with open(os.path.join(work, "demo", "web", "sheets.geojson"), encoding="utf-8") as f:
            features = json.load(f)["features"]
        expected = [urllib.parse.urljoin(demo_page, f["properties"]["downloadUrl"])
                    for f in features if f["properties"].get("kind") == "sheet" and f["properties"]["available"]]
        check(len(expected) == 16, "16 usable demo sheets, found %d" % len(expected))

        driver = browser(os.path.join(work, "profile"))
        try:
            driver.get(demo_page)
            links = sheet_links(driver)
            check([href for href, _, _ in links] == expected, "a link on the picture for every usable sheet")
            for a in driver.find_elements(By.CSS_SELECTOR, "svg a"):
                check(a.is_displayed() and a.accessible_name.strip() != "", "named link " + a.get_dom_attribute("href"))
            check(driver.find_elements(By.CSS_SELECTOR, "svg polygon.missing") != [], "missing sheets drawn")
            height = driver.execute_script("return document.querySelector('svg.index').getBoundingClientRect().height")
            width = driver.execute_script("return document.querySelector('svg.index').getBoundingClientRect().width")
            view = driver.execute_script("var b = document.querySelector('svg.index').viewBox.baseVal; return [b.width, b.height]")
            check(abs(height - width * view[1] / view[0]) < 1.5, "picture keeps its proportions: %s %s" % (width, height))
            check(abs(width - driver.execute_script("return document.documentElement.clientWidth")) < 1,
                  "picture as wide as the page")

            # Tab from the top reaches every link on the picture.
            driver.execute_script("window.scrollTo(0, 0); document.activeElement.blur()")
            reached = set()
            for _ in range(3 * len(links) + 10):
                ActionChains(driver).send_keys(Keys.TAB).perform()
                href = driver.execute_script("var e = document.activeElement; return e && e.href ? "
                                             "(e.href.baseVal !== undefined ? e.href.baseVal : e.href) : null")
                if href:
                    reached.add(urllib.parse.urljoin(demo_page, href))
            check(set(expected) <= reached, "Tab reaches every link: missed %s" % (set(expected) - reached))

            resources = driver.execute_script(
                "return performance.getEntriesByType('resource').map(function (e) { return e.name; })")
            check(all(r.startswith("file://") for r in resources), "only file:// fetched: %s" % resources)
            errors = [e for e in driver.get_log("browser") if e["level"] == "SEVERE"]
            check(errors == [], "no console error: %s" % errors)

            # A click at each sheet's middle follows the topmost link there.
            for href, polygon, _ in links:
                middle = (sum(p[0] for p in polygon) / len(polygon), sum(p[1] for p in polygon) / len(polygon))
                topmost = [h for h, p, _ in links if inside(middle, p)][-1]
                driver.get(demo_page)
                click_at_image_point(driver, *middle)
                WebDriverWait(driver, 10).until(lambda d: d.current_url != demo_page)
                check(driver.current_url == topmost, "click at %s leads to %s, not %s" % (middle, topmost, driver.current_url))

            driver.get(markup_page)
            cells = [td.text for td in driver.find_elements(By.CSS_SELECTOR, "#sheets tbody td:first-child")]
            check(MARKUP_NAME in cells, "the name with markup shown as text: %s" % cells)
            titles = [t for _, _, t in sheet_links(driver)]
            check(any(t.startswith(MARKUP_NAME + "\n") for t in titles), "the name as the link's title: %s" % titles)
            check(driver.find_elements(By.CSS_SELECTOR, "b, main script") == [], "no markup from a name")
            check([e for e in driver.get_log("browser") if e["level"] == "SEVERE"] == [], "no console error")
        finally:
            driver.quit()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    if failures:
        sys.exit("%d checks failed" % len(failures))
    print("web page checks passed")


main()
