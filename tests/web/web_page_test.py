# SPDX-License-Identifier: GPL-3.0-or-later
# The web index page in headless Chromium: the demo's map shows its tiles
# (each one asked for exists), after zooming in twice a click at each sheet's
# centre opens a popup listing every sheet there, topmost first, with its
# image link; Tab reaches the map (arrows pan, + zooms) and every link; a
# name with markup shows as text in the table, the tooltip and the popup,
# with its thumbnail; no console error and nothing fetched from outside the
# page's folder. Exit 77 (skipped) when Selenium, Chromium or its driver is
# missing.
import json, os, shutil, subprocess, sys, tempfile, time, urllib.parse

try:
    from selenium import webdriver
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


def inside(lon, lat, ring):
    crossings = 0
    for (xi, yi), (xj, yj) in zip(ring, ring[-1:] + ring[:-1]):
        crossings += (yi > lat) != (yj > lat) and lon < (xj - xi) * (lat - yi) / (yj - yi) + xi
    return crossings % 2 == 1


def sheets_of(web):
    """The available sheets of a published folder: (image link, outer ring), in the file's order."""
    page = "file://" + urllib.parse.quote(os.path.join(web, "index.html"))
    features = json.load(open(os.path.join(web, "sheets.geojson"), encoding="utf-8"))["features"]
    return [(urllib.parse.urljoin(page, f["properties"]["downloadUrl"]), f["geometry"]["coordinates"][0], f["properties"])
            for f in features if f["properties"]["kind"] == "sheet" and f["properties"]["available"]]


def under(sheets, lon, lat):
    """The links of the sheets holding a point, topmost (last drawn) first."""
    return [s[0] for s in sheets if inside(lon, lat, s[1])][::-1]


def make_jpeg(path, width, height):
    ppm = path + ".ppm"
    with open(ppm, "wb") as f:
        f.write(b"P6 %d %d 255\n" % (width, height))
        f.write(bytes((x * 255 // width, y * 255 // height, 90)[c] for y in range(height) for x in range(width) for c in range(3)))
    subprocess.run(["cjpeg", "-quality", "80", "-outfile", path, ppm], check=True)
    os.remove(ppm)


def click_point(driver, lon, lat):
    """Pans the map to a point without zooming, then clicks there with the mouse, once every
    popup has gone (a closed one fades out for a moment)."""
    driver.execute_script("indexMap.closePopup()")
    WebDriverWait(driver, 5).until(lambda d: not d.find_elements(By.CSS_SELECTOR, ".leaflet-popup"))
    x, y, left, top = driver.execute_script(
        "var m = window.indexMap, ll = L.latLng(arguments[1], arguments[0]);"
        "m.panTo(ll, {animate: false}); var p = m.latLngToContainerPoint(ll), r = m.getContainer().getBoundingClientRect();"
        "return [p.x, p.y, r.left, r.top];", lon, lat)
    actions = ActionBuilder(driver)
    actions.pointer_action.move_to_location(int(round(left + x)), int(round(top + y))).click()
    actions.perform()


def popup_links(driver):
    try:
        WebDriverWait(driver, 5).until(lambda d: d.find_elements(By.CSS_SELECTOR, ".leaflet-popup-content .sheet"))
    except Exception:
        return None
    return [urllib.parse.urljoin(driver.current_url, a.get_dom_attribute("href"))
            for a in driver.find_elements(By.CSS_SELECTOR, ".leaflet-popup-content .sheet a")
            if a.get_attribute("textContent") == "Image"]


def tab_until(driver, test, limit):
    for _ in range(limit):
        ActionChains(driver).send_keys(Keys.TAB).perform()
        if driver.execute_script(test):
            return True
    return False


def fetched(driver):
    """Every URL our pages asked for since the last call, from the browser's own network log; data:
    URLs (Leaflet's blank image) fetch nothing."""
    urls = []
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent" and message["params"].get("documentURL", "").startswith("file:"):
            url = message["params"]["request"]["url"]
            if not url.startswith("data:"):
                urls.append(url)
    return urls


def no_console_error(driver, where):
    errors = [e for e in driver.get_log("browser") if e["level"] == "SEVERE"]
    check(errors == [], "no console error on %s: %s" % (where, errors))


work = tempfile.mkdtemp()
try:
    demo_page = publish(os.path.join(DEMO, "maps"), os.path.join(work, "demo"))
    demo_web = os.path.join(work, "demo", "web")
    maps = os.path.join(work, "markup", "maps")  # two demo sheets with images, one named with markup
    os.makedirs(maps)
    for name in ["L-36-068.map", "L-36-080.map"]:
        shutil.copy(os.path.join(DEMO, "maps", name), maps)
        make_jpeg(os.path.join(maps, name[:-4] + ".jpg"), 700, 550)
    lines = open(os.path.join(maps, "L-36-068.map"), encoding="cp1251").read().split("\n")
    lines[1] = NAME + "\r"
    open(os.path.join(maps, "L-36-068.map"), "w", encoding="utf-8").write("\n".join(lines))
    # A second edition of L-36-080 on the same ground.
    lines = open(os.path.join(maps, "L-36-080.map"), encoding="cp1251").read().split("\n")
    lines[1], lines[2] = "L-36-080 1987\r", "L-36-080-1987.jpg\r"
    open(os.path.join(maps, "L-36-080-1987.map"), "w", encoding="cp1251").write("\n".join(lines))
    markup_page = publish(maps, os.path.join(work, "markup"))
    sheets = sheets_of(demo_web)
    check(len(sheets) == 16, "16 usable demo sheets, not %d" % len(sheets))
    check(not os.path.exists(os.path.join(demo_web, "index.jpg")), "no full picture written")

    options = webdriver.ChromeOptions()
    for arg in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                "--disable-component-update", "--disable-sync", "--no-first-run", "--window-size=1200,900",
                "--user-data-dir=" + os.path.join(work, "profile")]:
        options.add_argument(arg)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    driver = webdriver.Chrome(service=Service(shutil.which("chromedriver")), options=options)
    try:
        driver.get(demo_page)
        WebDriverWait(driver, 10).until(lambda d: d.find_elements(By.CSS_SELECTOR, "img.leaflet-tile-loaded"))
        height = driver.execute_script("return document.getElementById('map').getBoundingClientRect().height")
        check(height > 300, "the map shows, %s px high" % height)
        check(driver.find_elements(By.CSS_SELECTOR, ".leaflet-control-zoom-in"), "Leaflet's zoom control")

        for _ in range(2):
            zoom = driver.execute_script("return indexMap.getZoom()")
            driver.find_element(By.CSS_SELECTOR, ".leaflet-control-zoom-in").click()
            WebDriverWait(driver, 5).until(lambda d: d.execute_script("return indexMap.getZoom()") == zoom + 1)
            time.sleep(0.4)  # the zoom animation ends
        for link, ring, _ in sheets:
            lon, lat = sum(p[0] for p in ring[:-1]) / (len(ring) - 1), sum(p[1] for p in ring[:-1]) / (len(ring) - 1)
            click_point(driver, lon, lat)
            shown = popup_links(driver)
            check(shown == under(sheets, lon, lat), "a click at %s, %s lists %s, not %s" % (lon, lat, under(sheets, lon, lat), shown))

        asked = fetched(driver)
        requested = [r for r in asked if "/tiles/" in r]
        check(len(requested) > 4, "tiles asked for: %s" % requested)
        missing = [r for r in requested if not os.path.isfile(urllib.parse.unquote(urllib.parse.urlparse(r).path))]
        check(missing == [], "every tile asked for exists: %s" % missing)
        folder = demo_page.rsplit("/", 1)[0] + "/"
        check(all(r.startswith(folder) or r == demo_page for r in asked), "only the page's folder fetched: %s" %
              [r for r in asked if not r.startswith(folder)])
        sizes = [os.path.getsize(urllib.parse.unquote(urllib.parse.urlparse(r).path)) for r in asked
                 if not r.endswith("leaflet.js")]
        check(sizes and max(sizes) < 1 << 20, "no file over 1 MB but Leaflet")
        no_console_error(driver, "the demo")

        # The keyboard: Tab reaches the map, + zooms it, arrows pan it, and Tab reaches every link of the table.
        driver.get(demo_page)
        driver.execute_script("scrollTo(0, 0); document.activeElement.blur()")
        check(tab_until(driver, "return document.activeElement === indexMap.getContainer()", 10), "Tab reaches the map")
        def changes(script, key):
            before = driver.execute_script(script)
            ActionChains(driver).send_keys(key).perform()
            try:
                WebDriverWait(driver, 3).until(lambda d: d.execute_script(script) > before)
                return True
            except Exception:
                return False
        # Zoomed in first: the whole picture in view stays where it is.
        check(changes("return indexMap.getZoom()", "+"), "+ zooms in")
        check(changes("return indexMap.getCenter().lng", Keys.ARROW_RIGHT), "the right arrow pans east")
        reached = set()
        for _ in range(5 * len(sheets) + 20):
            ActionChains(driver).send_keys(Keys.TAB).perform()
            href = driver.execute_script("var e = document.activeElement; return e.getAttribute ? e.getAttribute('href') : null")
            reached.add(urllib.parse.urljoin(demo_page, href or ""))
        check({s[0] for s in sheets} <= reached, "Tab reaches every table link: missed %s" % ({s[0] for s in sheets} - reached))

        # A table name zooms the map to its sheet, centred.
        driver.find_elements(By.CSS_SELECTOR, "#sheets button.zoom")[3].click()
        time.sleep(0.6)
        link, ring, _ = sheets[3]
        lon, lat = driver.execute_script("var c = indexMap.getCenter(); return [c.lng, c.lat]")
        check(inside(lon, lat, ring), "the fourth row's button centres the map on %s" % link)
        # The filter box filters the map with the table.
        box = driver.find_element(By.CSS_SELECTOR, "input[type=search]")
        box.send_keys(sheets[3][2]["label"])
        rows = [r for r in driver.find_elements(By.CSS_SELECTOR, "#sheets tbody tr") if r.is_displayed()]
        check(len(rows) == 1, "the filter leaves one row: %d" % len(rows))
        no_console_error(driver, "the keyboard")

        driver.get(markup_page)
        WebDriverWait(driver, 10).until(lambda d: d.find_elements(By.CSS_SELECTOR, "img.leaflet-tile-loaded"))
        cells = [b.text for b in driver.find_elements(By.CSS_SELECTOR, "#sheets tbody button.zoom")]
        check(NAME in cells, "the name with markup shown as text: %s" % cells)
        marked = [s for s in sheets_of(os.path.join(work, "markup", "web")) if s[2]["label"] == NAME]
        check(len(marked) == 1, "the sheet named with markup in the GeoJSON")
        if marked:
            ring = marked[0][1]
            lon, lat = sum(p[0] for p in ring[:-1]) / 4, sum(p[1] for p in ring[:-1]) / 4
            click_point(driver, lon, lat)
            popup_links(driver)
            titles = [e.get_attribute("textContent") for e in driver.find_elements(By.CSS_SELECTOR, ".leaflet-popup-content strong")]
            check(NAME in titles, "the popup names it as text: %s" % titles)
            tooltip = driver.find_elements(By.CSS_SELECTOR, ".leaflet-tooltip")
            check(tooltip and tooltip[0].get_attribute("textContent") == NAME, "the tooltip names it as text")
            thumbs = driver.execute_script(
                "return Array.from(document.querySelectorAll('.leaflet-popup-content img')).map(i => [i.getAttribute('src'), i.naturalWidth, i.naturalHeight])")
            check(len(thumbs) >= 1 and thumbs[0][0].startswith("thumbs/") and 0 < max(thumbs[0][1:]) <= 256,
                  "the popup shows its thumbnail: %s" % thumbs)
        # A point two editions hold: the popup names both, the topmost first.
        editions = sheets_of(os.path.join(work, "markup", "web"))
        ring = [s for s in editions if s[2]["title"] == "L-36-080 1987"][0][1]
        point = sum(p[0] for p in ring[:-1]) / 4, sum(p[1] for p in ring[:-1]) / 4
        click_point(driver, *point)
        shown = popup_links(driver)
        check(shown is not None and len(shown) == 2 and shown == under(editions, *point),
              "both editions listed, the topmost first: %s" % shown)
        # Tab from the map reaches the popup's links.
        driver.execute_script("indexMap.getContainer().focus()")
        check(tab_until(driver, "return !!document.activeElement.closest('.leaflet-popup-content a')", 10),
              "Tab reaches the popup's links")
        driver.execute_script("indexMap.closePopup()")
        check(driver.find_elements(By.CSS_SELECTOR, "b, main script, .leaflet-container script") == [], "no markup from a name")
        no_console_error(driver, "the page with markup")
    finally:
        driver.quit()
finally:
    shutil.rmtree(work, ignore_errors=True)
sys.exit("%d checks failed" % len(failures) if failures else print("the web page passed every check"))
