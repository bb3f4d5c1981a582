# SPDX-License-Identifier: GPL-3.0-or-later
# The sheets.geojson of tessarine-batch --web against the OpenIndexMaps
# 1.0.0 JSON schema (a copy in tests/data/openindexmaps/; links under a URL
# checked as URIs) and the rules the schema cannot say: the usable sheets
# and the missing cells alone, bounds equal to each outline's,
# counter-clockwise rings, an outline across 180° as a MultiPolygon with
# west > east, at most 7 decimals, the early names beside the new ones. On
# the demo (links under a URL, and relative ones), on the demo joined with
# a catalogue of every field type, and on two editions of one sheet beside
# a sheet across the antimeridian.
import json, os, re, shutil, subprocess, sys, tempfile

try:
    from jsonschema import Draft7Validator
except ImportError:
    sys.exit("python3-jsonschema is not installed (scripts/bootstrap.sh installs it)")

BATCH, DEMO, SCHEMA = sys.argv[1:4]
SCHEMA_TEXT = json.load(open(SCHEMA, encoding="utf-8"))
# Links under a URL are checked as URIs; the default links, relative to the
# page, are URI references, which draft-07 leaves "format" to allow.
STRICT = Draft7Validator(SCHEMA_TEXT, format_checker=Draft7Validator.FORMAT_CHECKER)
PLAIN = Draft7Validator(SCHEMA_TEXT)
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what)


def publish(maps, index, out, *extra, links=("--web-links", "https://example.org/m")):
    run = subprocess.run([BATCH, "--maps", maps, "--index", index, "--stop-after", "calc", "--coverage", "auto",
                          "--web", out, *links, *extra], capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit("tessarine-batch failed: " + run.stdout + run.stderr)
    path = os.path.join(out, "sheets.geojson")
    text = open(path, encoding="utf-8").read()
    doc = json.loads(text)
    errors = list((STRICT if links else PLAIN).iter_errors(doc))
    for error in errors[:5]:
        print("schema:", error.message, "at", list(error.absolute_path))
    check(not errors, f"{len(errors)} schema errors in {path}")
    check(not re.search(r"\d\.\d{8}", text), "a number with more than 7 decimals")
    for f in doc["features"]:
        check_feature(f)
    return {f["properties"]["recId"]: f["properties"] for f in doc["features"]}, doc["features"]


def signed_area(ring):
    return sum(a[0] * b[1] - b[0] * a[1] for a, b in zip(ring, ring[1:]))


def check_feature(f):
    p, g = f["properties"], f["geometry"]
    name = p.get("recId")
    check(p.get("kind") in ("sheet", "missing"), f"{name}: kind {p.get('kind')}")
    check(p.get("available") is (p.get("kind") == "sheet"), f"{name}: available")
    check(re.fullmatch(r"1:\d{1,3}( \d{3})*", p.get("scale", "1:1")), f"{name}: scale {p.get('scale')}")
    for now, early in [("download", "downloadUrl"), ("recId", "recordIdentifier"), ("thumbUrl", "thumbnailUrl")]:
        check(p.get(now) == p.get(early), f"{name}: {early} is not {now}")
    check(p.get("kind") != "sheet" or "download" in p, f"{name}: no download")
    parts = [g["coordinates"]] if g["type"] == "Polygon" else g["coordinates"]
    for rings in parts:
        check(len(rings) == 1 and rings[0][0] == rings[0][-1], f"{name}: not one closed ring")
        check(signed_area(rings[0]) > 0, f"{name}: a ring runs clockwise")
    lats = [p[1] for rings in parts for p in rings[0]]
    check((p["north"], p["south"]) == (max(lats), min(lats)), f"{name}: north and south")
    lons = [[p[0] for p in rings[0]] for rings in parts]
    if g["type"] == "Polygon":
        check((p["west"], p["east"]) == (min(lons[0]), max(lons[0])), f"{name}: west and east")
    else:
        west = [min(l) for l in lons if max(l) == 180]
        east = [max(l) for l in lons if min(l) == -180]
        check(len(parts) == 2 and (p["west"], p["east"]) == (west[0], east[0]), f"{name}: west and east across 180°")
        check(p["west"] > p["east"], f"{name}: west not greater than east across 180°")


def sheet_map(name, title, image, corners):
    lines = ["OziExplorer Map Data File Version 2.2", title, image, "1 ,Map Code,", f"MMPNUM,{len(corners)}"]
    lines += [f"MMPXY,{k},0,0" for k in range(1, len(corners) + 1)]
    lines += [f"MMPLL,{k},{lon},{lat}" for k, (lon, lat) in enumerate(corners, 1)]
    return lines


def write(path, lines, newline="\r\n", bom=False):
    with open(path, "w", encoding="utf-8-sig" if bom else "utf-8", newline="") as f:
        f.write(newline.join(lines) + newline)


work = tempfile.mkdtemp()
try:
    # The demo: 16 usable sheets, one past the overview's edge, 47 missing cells.
    demo, features = publish(os.path.join(DEMO, "maps"), os.path.join(DEMO, "index.map"), os.path.join(work, "demo"))
    kinds = [f["properties"]["kind"] for f in features]
    check((kinds.count("sheet"), kinds.count("missing"), len(kinds)) == (16, 47, 63), f"features {len(kinds)}")
    check("L-36-089.map" not in demo, "the sheet past the edge is a feature")
    check(demo.get("L-36-068.map", {}) | {"west": 0, "east": 0, "north": 0, "south": 0} == {
        "kind": "sheet", "label": "L-36-068", "available": True, "scale": "1:100 000", "fileName": "L-36-068.jpg",
        "title": "L-36-68 Армянск", "download": "https://example.org/m/L-36-068.jpg",
        "downloadUrl": "https://example.org/m/L-36-068.jpg", "recId": "L-36-068.map",
        "recordIdentifier": "L-36-068.map", "west": 0, "east": 0, "north": 0, "south": 0}, "L-36-068's properties")
    check(demo.get("L-36-066", {}).get("label") == "L-36-066", "the missing cell L-36-066")
    relative, _ = publish(os.path.join(DEMO, "maps"), os.path.join(DEMO, "index.map"), os.path.join(work, "rel"),
                          links=())
    check(relative["L-36-068.map"]["download"].endswith("/maps/L-36-068.jpg"), "the default link")

    # A catalogue with every kind of field, keyed by fileName: an image file,
    # a .map file without and with its extension (in another case), and a
    # row for no sheet; quotes, commas and a line break inside a title.
    catalogue = os.path.join(work, "catalogue.csv")
    write(catalogue, [
        "FileName,title,datePub,edition,publisher,websiteUrl,thumbUrl,contLines,location,note,shelf,west,kind",
        'L-36-068.jpg,"Армянск, ""1:100 000""\nsecond line",1987,2nd,GUGK,https://example.org/r/68,'
        'https://example.org/t/68.jpg,yes,Crimea; Armyansk,,A\\1\t\x01,999,frame',
        "L-36-080,,,,,,,0,,<b>note</b>,B-2,,",
        "l36-090.map,,,,,,,FALSE,,,,,",
        "X-99-999,Nowhere,,,,,,,,,,,"], bom=True)
    joined, _ = publish(os.path.join(DEMO, "maps"), os.path.join(DEMO, "index.map"), os.path.join(work, "cat"),
                        "--catalogue", catalogue)
    a, b, c = joined["L-36-068.map"], joined["L-36-080.map"], joined["l36-090.MAP"]
    check(a["title"] == 'Армянск, "1:100 000"\nsecond line', "the catalogue's title")
    check((a["datePub"], a["edition"], a["publisher"], a["websiteUrl"]) == ("1987", "2nd", "GUGK", "https://example.org/r/68"),
          "date, edition, publisher, website")
    check(a["thumbUrl"] == a["thumbnailUrl"] == "https://example.org/t/68.jpg", "thumbnail")
    check((a["contLines"], b["contLines"], c["contLines"]) == (True, False, False), "switches")
    check(a["location"] == ["Crimea", "Armyansk"] and "location" not in b, "places")
    check((a["shelf"], b["shelf"], b["note"]) == ("A\\1\t\x01", "B-2", "<b>note</b>"), "other columns and note as text")
    check(a["fileName"] == "L-36-068.jpg" and a["west"] == demo["L-36-068.map"]["west"], "fileName and bounds kept")
    check(a["kind"] == "sheet" and "note" not in a and "title" in c and c["title"] == "l36-090", "own values kept")
    check(all("websiteUrl" not in p for k, p in joined.items() if k not in ("L-36-068.map",)), "websiteUrl elsewhere")

    # Two editions of one sheet and a sheet across 180°, on an overview from
    # 175° E to 175° W.
    maps = os.path.join(work, "east", "maps")
    os.makedirs(maps)
    shutil.copy(os.path.join(DEMO, "index.jpg"), os.path.join(work, "east", "index.jpg"))
    write(os.path.join(work, "east", "index.map"), [
        "OziExplorer Map Data File Version 2.2", "East", "index.jpg", "1 ,Map Code,", "WGS 84,WGS 84,0,0,WGS 84",
        "Map Projection,Mercator,PolyCal,No", "MMPNUM,4", "MMPXY,1,0,0", "MMPXY,2,1600,0", "MMPXY,3,1600,1207",
        "MMPXY,4,0,1207", "MMPLL,1,175,70", "MMPLL,2,185,70", "MMPLL,3,185,60", "MMPLL,4,175,60"])
    box = [(176, 65), (177, 65), (177, 64), (176, 64)]
    write(os.path.join(maps, "anadyr-1941.map"), sheet_map("", "Анадырь", "anadyr-1941.jpg", box))
    write(os.path.join(maps, "anadyr 1985.map"), sheet_map("", "Анадырь", "anadyr_1985.jpg", box))
    write(os.path.join(maps, "cross.map"), sheet_map("", "Cross 2001", "cross.jpg",
                                                     [(179.5, 67), (180.5, 67), (180.5, 66), (179.5, 66)]))
    write(os.path.join(work, "editions.csv"), ["fileName,edition", "anadyr 1985.map,2nd"], newline="\n")
    east, _ = publish(maps, os.path.join(work, "east", "index.map"), os.path.join(work, "east", "web"),
                      "--catalogue", os.path.join(work, "editions.csv"))
    first, second, cross = east["anadyr-1941.map"], east["anadyr 1985.map"], east["cross.map"]
    check(first["label"] == second["label"] == "Анадырь", "two editions, one label")
    check((first.get("datePub"), second.get("datePub"), second.get("edition")) == ("1941", "1985", "2nd"),
          "editions dated by the years in their names")
    check("datePub" not in cross, "a sheet of its own gets no date from its name")
    check((cross["west"], cross["east"]) == (179.5, -179.5), "bounds across 180°")
finally:
    shutil.rmtree(work)

sys.exit(1 if failures else 0)
