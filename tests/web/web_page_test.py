# SPDX-License-Identifier: GPL-3.0-or-later
# The demo's web index page in headless Chromium: every usable sheet's link
# on the picture, a click at a sheet's middle following the topmost link
# there, Tab reaching every link, a name with markup shown as text, no
# console error and nothing fetched from outside file://. Exit 77 (skipped)
# when Selenium, Chromium or its driver is missing.
import json, os, shutil, subprocess, sys, tempfile, urllib.parse

try:
    from selenium import webdriver
    from selenium.common.exceptions import TimeoutException
    from selenium.webdriver.chrome.service import Service
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.actions.action_builder import ActionBuilder
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError:
    sys.exit(print("python3-selenium is not installed") or 77)
if not shutil.which("chromium") or not shutil.which("chromedriver"):
    sys.exit(print("chromium or chromium-driver is not installed") or 77)

BATCH, DEMO = sys.argv[1], sys.argv[2]
NAME = "<b>Tom & \"Jerry\"</b> 'Карта' <script>x()</script>"
failures = []


def check(condition, what):
    if not condition:
        failures.append(print("FAIL:", what) or what)


def publish(maps, out):
    os.makedirs(out, exist_ok=True)
    run = subprocess.run([BATCH, "--maps", maps, "--index", os.path.join(DEMO, "index.map"), "--output",
                          os.path.join(out, "x.jpg"), "--coverage", "auto", "--web", os.path.join(out, "web")],
                         capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit("tessarine-batch failed: " + run.stdout + run.stderr)
    return "file://" + urllib.parse.quote(os.path.join(out, "web", "index.html"))


def inside(x, y, polygon):
    crossings = 0
    for (xi, yi), (xj, yj) in zip(polygon, polygon[-1:] + polygon[:-1]):
        crossings += (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi
    return crossings % 2 == 1


def sheet_links(driver):
    return [(urllib.parse.urljoin(driver.current_url, a.get_dom_attribute("href")),
             [tuple(map(float, p.split(","))) for p in a.find_element(By.TAG_NAME, "polygon").get_attribute("points").split()],
             a.find_element(By.TAG_NAME, "title").get_attribute("textContent"), a.accessible_name)
            for a in driver.find_elements(By.CSS_SELECTOR, "svg a")]


def click_at(driver, x, y):
    """Clicks where image pixel (x, y) shows, scrolled into view first."""
    left, top, width, image_width = driver.execute_script(
        "var s = document.querySelector('svg.index'), r = s.getBoundingClientRect();"
        "return [r.left + scrollX, r.top + scrollY, r.width, s.viewBox.baseVal.width];")
    scale = width / image_width
    driver.execute_script("scrollTo(0, arguments[0])", max(0, top + y * scale - 300))
    scroll_y = driver.execute_script("return scrollY")
    actions = ActionBuilder(driver)
    actions.pointer_action.move_to_location(int(left + x * scale), int(top + y * scale - scroll_y)).click()
    actions.perform()


work = tempfile.mkdtemp()
try:
    demo_page = publish(os.path.join(DEMO, "maps"), os.path.join(work, "demo"))
    maps = os.path.join(work, "markup", "maps")  # two demo sheets, one named with markup
    os.makedirs(maps)
    for name in ["L-36-068.map", "L-36-080.map"]:
        shutil.copy(os.path.join(DEMO, "maps", name), maps)
    lines = open(os.path.join(maps, "L-36-068.map"), encoding="cp1251").read().split("\n")
    lines[1] = NAME + "\r"
    open(os.path.join(maps, "L-36-068.map"), "w", encoding="utf-8").write("\n".join(lines))
    markup_page = publish(maps, os.path.join(work, "markup"))
    features = json.load(open(os.path.join(work, "demo", "web", "sheets.geojson"), encoding="utf-8"))["features"]
    expected = [urllib.parse.urljoin(demo_page, f["properties"]["downloadUrl"])
                for f in features if f["properties"]["kind"] == "sheet" and f["properties"]["available"]]
    check(len(expected) == 16, "16 usable demo sheets, not %d" % len(expected))

    options = webdriver.ChromeOptions()
    for arg in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                "--disable-component-update", "--disable-sync", "--no-first-run", "--window-size=1200,900",
                "--user-data-dir=" + os.path.join(work, "profile")]:
        options.add_argument(arg)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)
    try:
        driver.get(demo_page)
        links = sheet_links(driver)
        check([link[0] for link in links] == expected, "a link on the picture for every usable sheet")
        check(all(link[3].strip() for link in links), "every link named: %s" % [link[3] for link in links])
        width, height, ratio, page = driver.execute_script(
            "var s = document.querySelector('svg.index'), r = s.getBoundingClientRect(), b = s.viewBox.baseVal;"
            "return [r.width, r.height, b.height / b.width, document.documentElement.clientWidth];")
        check(abs(height - width * ratio) < 1.5 and abs(width - page) < 1, "the picture as wide as the page")

        driver.execute_script("scrollTo(0, 0); document.activeElement.blur()")
        reached = set()
        for _ in range(3 * len(links) + 10):
            ActionChains(driver).send_keys(Keys.TAB).perform()
            href = driver.execute_script("var e = document.activeElement;"
                                         "return e.getAttribute ? e.getAttribute('href') : null")
            reached.add(urllib.parse.urljoin(demo_page, href or ""))
        check(set(expected) <= reached, "Tab reaches every link: missed %s" % (set(expected) - reached))

        fetched = driver.execute_script("return performance.getEntriesByType('resource').map(e => e.name)")
        check(all(r.startswith("file://") for r in fetched), "only file:// fetched: %s" % fetched)
        check([e for e in driver.get_log("browser") if e["level"] == "SEVERE"] == [], "no console error")

        for _, polygon, _, _ in links:
            x, y = (sum(p[0] for p in polygon) / len(polygon), sum(p[1] for p in polygon) / len(polygon))
            topmost = [link[0] for link in links if inside(x, y, link[1])][-1]
            driver.get(demo_page)
            click_at(driver, x, y)
            try:
                WebDriverWait(driver, 5).until(lambda d: d.current_url != demo_page)
            except TimeoutException:
                pass
            check(driver.current_url == topmost, "a click at %s, %s leads to %s" % (x, y, topmost))

        driver.get(markup_page)
        cells = [td.text for td in driver.find_elements(By.CSS_SELECTOR, "#sheets tbody td:first-child")]
        check(NAME in cells, "the name with markup shown as text: %s" % cells)
        check(any(link[2].startswith(NAME + "\n") for link in sheet_links(driver)), "the name as the link's title")
        check(driver.find_elements(By.CSS_SELECTOR, "b, main script") == [], "no markup from a name")
        check([e for e in driver.get_log("browser") if e["level"] == "SEVERE"] == [], "no console error")
    finally:
        driver.quit()
finally:
    shutil.rmtree(work, ignore_errors=True)
sys.exit("%d checks failed" % len(failures) if failures else print("the web page passed every check"))
