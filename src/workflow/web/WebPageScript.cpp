// SPDX-License-Identifier: GPL-3.0-or-later
// The web index page's style and script. The script reads the page's data
// element and draws the map with Leaflet; without it the table still works.
#include "workflow/web/WebPage.h"

extern const char16_t kWebPageStyle[] = uR"(
body { margin: 0; font-family: sans-serif; color: #222; background: #fff; }
#map { height: 75vh; min-height: 320px; background: #ddd; }
#map:focus { outline: 3px solid #d40000; outline-offset: -3px; }
.sheet-label { pointer-events: none; }
.sheet-label span { display: block; transform: translate(-50%, -50%); white-space: nowrap; font: bold 12px sans-serif;
  color: #111; text-shadow: 0 0 2px #fff, 0 0 2px #fff, 0 0 3px #fff; }
.sheet-popup .sheet { margin: 0 0 0.6em; }
.sheet-popup .sheet:last-child { margin-bottom: 0; }
.sheet-popup .meta { color: #555; }
.sheet-popup img { display: block; margin: 0.3em 0; max-width: 256px; max-height: 256px; }
.sheet-popup a { margin-right: 0.8em; }
main { padding: 0 1em 1em; content-visibility: auto; contain-intrinsic-size: auto 100vh; }
table { border-collapse: collapse; }
th, td { text-align: left; padding: 0.2em 0.8em 0.2em 0; border-bottom: 1px solid #ddd; }
td.problem { color: #a00; }
button.zoom { font: inherit; padding: 0.1em 0.4em; }
input[type=search] { margin: 0.5em 0; padding: 0.2em; }
)";

extern const char16_t kWebPageScript[] = uR"(
(function () {
  'use strict';
  var data = JSON.parse(document.getElementById('index-data').textContent);
  var box = document.getElementById('map');
  if (!window.L) return;
  box.hidden = false;

  // Degrees to overview pixels: spherical Mercator between the corners.
  var R = 6378137, D = Math.PI / 180, W = data.width, H = data.height, Z = data.maxZoom;
  function mx(lon) { return R * lon * D; }
  function my(lat) { return R * Math.log(Math.tan(Math.PI / 4 + lat * D / 2)); }
  var x0 = mx(data.west), sx = mx(data.east) - x0, y0 = my(data.south), sy = my(data.north) - y0;
  // A sheet cut at 180 degrees has its eastern part at -180 and beyond.
  function unwrap(lon) { return lon < data.west - 180 ? lon + 360 : lon; }
  var projection = {
    project: function (ll) {
      return L.point((mx(unwrap(ll.lng)) - x0) * data.right / sx, data.bottom - (my(ll.lat) - y0) * data.bottom / sy);
    },
    unproject: function (p) {
      var x = x0 + p.x * sx / data.right, y = y0 + (data.bottom - p.y) * sy / data.bottom;
      return L.latLng((2 * Math.atan(Math.exp(y / R)) - Math.PI / 2) / D, x / R / D);
    },
    bounds: L.bounds([0, 0], [W, H])
  };
  var crs = L.extend({}, L.CRS.Simple, {
    projection: projection,
    transformation: new L.Transformation(1, 0, 1, 0),
    scale: function (zoom) { return Math.pow(2, zoom - Z); },
    zoom: function (scale) { return Math.log(scale) / Math.LN2 + Z; }
  });
  function toLatLng(x, y) { return crs.unproject(L.point(x, y), Z); }
  function toPixel(latlng) { return crs.latLngToPoint(latlng, Z); }

  var map = L.map(box, { crs: crs, minZoom: 0, maxZoom: Z + 2, keyboard: true });
  var whole = L.latLngBounds(toLatLng(0, H), toLatLng(W, 0));
  // A hair inside the edges: a tile that only touches the picture is never asked for.
  var inside = L.latLngBounds(toLatLng(0.01, H - 0.01), toLatLng(W - 0.01, 0.01));
  L.tileLayer('tiles/{z}/{x}/{y}.jpg', { tileSize: 256, minZoom: 0, maxZoom: Z + 2, maxNativeZoom: Z, noWrap: true,
                                         bounds: inside })
    .once('load', function () { performance.mark('map-drawn'); })
    .on('tileload', function (e) {
      // The last column and row are cut to the picture's edge: shown at their own size, not stretched.
      var scale = parseFloat(e.tile.style.width) / 256;
      e.tile.style.width = e.tile.naturalWidth * scale + 'px';
      e.tile.style.height = e.tile.naturalHeight * scale + 'px';
    })
    .addTo(map);
  map.fitBounds(whole);
  window.indexMap = map;  // for the reader's own scripts, and tests
  map.setMaxBounds(whole.pad(0.5));

  function text(tag, value, cls) {
    var e = document.createElement(tag);
    e.textContent = value;
    if (cls) e.className = cls;
    return e;
  }
  function prop(p, names) {
    for (var i = 0; i < names.length; ++i)
      if (p[names[i]] !== undefined && p[names[i]] !== null && p[names[i]] !== '') return String(p[names[i]]);
    return '';
  }
  // Links from the data lead to pages and files, never to script.
  function safeHref(href) {
    try {
      return ['http:', 'https:', 'file:', 'ftp:'].indexOf(new URL(href, document.baseURI).protocol) >= 0;
    } catch (e) {
      return false;
    }
  }

  // Every outline in overview pixels, with its extent, for hit tests.
  var sheets = [];
  (data.sheets.features || []).forEach(function (f) {
    var p = f.properties || {}, g = f.geometry;
    var kind = p.kind || (p.available === false ? 'missing' : 'sheet');
    if (!g || kind === 'index' || (kind === 'sheet' && !(p.available === true || p.available === 'true'))) return;
    var polygons = g.type === 'Polygon' ? [g.coordinates] : g.type === 'MultiPolygon' ? g.coordinates : [];
    var rings = [], left = Infinity, top = Infinity, right = -Infinity, bottom = -Infinity;
    polygons.forEach(function (poly) {
      var ring = poly[0].map(function (c) { return toPixel(L.latLng(c[1], c[0])); });
      ring.forEach(function (q) {
        left = Math.min(left, q.x); right = Math.max(right, q.x); top = Math.min(top, q.y); bottom = Math.max(bottom, q.y);
      });
      rings.push(ring);
    });
    if (!rings.length) return;
    var label = prop(p, ['label', 'title', 'name', 'recordIdentifier']);
    var s = { feature: f, props: p, kind: kind, label: label, rings: rings, left: left, top: top, right: right, bottom: bottom,
              search: [label, prop(p, ['title']), prop(p, ['fileName', 'recordIdentifier', 'recId']), prop(p, ['name'])].join(' ').toLowerCase(),
              shown: true };
    sheets.push(s);
  });

  // Buckets of about one outline each, so that a point tests a handful.
  var cell = Math.max(16, Math.sqrt(W * H / Math.max(1, sheets.length))), columns = Math.ceil(W / cell) + 1, grid = {};
  var rowsOfGrid = Math.ceil(H / cell) + 1;
  sheets.forEach(function (s, k) {
    for (var r = Math.floor(s.top / cell); r <= Math.floor(s.bottom / cell); ++r)
      for (var c = Math.floor(s.left / cell); c <= Math.floor(s.right / cell); ++c)
        (grid[r * columns + c] = grid[r * columns + c] || []).push(k);
  });
  function contains(ring, x, y) {
    var inside = false;
    for (var i = 0, j = ring.length - 1; i < ring.length; j = i++)
      if ((ring[i].y > y) !== (ring[j].y > y) && x < (ring[j].x - ring[i].x) * (y - ring[i].y) / (ring[j].y - ring[i].y) + ring[i].x)
        inside = !inside;
    return inside;
  }
  // The shown sheets under a point, the topmost (drawn last) first.
  function sheetsAt(latlng) {
    var q = toPixel(latlng), bucket = grid[Math.floor(q.y / cell) * columns + Math.floor(q.x / cell)] || [], found = [];
    for (var i = bucket.length - 1; i >= 0; --i) {
      var s = sheets[bucket[i]];
      if (s.shown && q.x >= s.left && q.x <= s.right && q.y >= s.top && q.y <= s.bottom &&
          s.rings.some(function (ring) { return contains(ring, q.x, q.y); }))
        found.push(s);
    }
    return found;
  }

  // The shown outlines that may meet a rectangle of overview pixels, in drawing order.
  function sheetsIn(x0, y0, x1, y1) {
    var found = [], seen = {};
    var c0 = Math.max(0, Math.floor(x0 / cell)), c1 = Math.min(columns - 1, Math.floor(x1 / cell));
    var r0 = Math.max(0, Math.floor(y0 / cell)), r1 = Math.min(rowsOfGrid - 1, Math.floor(y1 / cell));
    for (var r = r0; r <= r1; ++r)
      for (var c = c0; c <= c1; ++c)
        (grid[r * columns + c] || []).forEach(function (k) {
          var s = sheets[k];
          if (!seen[k] && s.shown && s.right >= x0 && s.left <= x1 && s.bottom >= y0 && s.top <= y1) {
            seen[k] = true;
            found.push(k);
          }
        });
    return found.sort(function (a, b) { return a - b; }).map(function (k) { return sheets[k]; });
  }

  // The outlines drawn into canvas tiles of their own: a tile draws only the
  // sheets it meets, so that tens of thousands cost nothing while panning.
  var Outlines = L.GridLayer.extend({
    createTile: function (coords) {
      var tile = document.createElement('canvas'), size = this.getTileSize(), ratio = window.devicePixelRatio || 1;
      tile.width = size.x * ratio;
      tile.height = size.y * ratio;
      var g = tile.getContext('2d'), scale = Math.pow(2, coords.z - Z);
      var x0 = coords.x * size.x / scale, y0 = coords.y * size.y / scale, pad = 4 / scale;
      g.scale(ratio, ratio);
      g.lineWidth = 1.5;
      sheetsIn(x0 - pad, y0 - pad, x0 + size.x / scale + pad, y0 + size.y / scale + pad).forEach(function (s) {
        g.beginPath();
        s.rings.forEach(function (ring) {
          ring.forEach(function (q, i) {
            if (i) g.lineTo((q.x - x0) * scale, (q.y - y0) * scale); else g.moveTo((q.x - x0) * scale, (q.y - y0) * scale);
          });
          g.closePath();
        });
        if (s.kind === 'missing') {
          g.setLineDash([6, 4]);
          g.strokeStyle = 'rgba(212, 0, 0, 0.8)';
        } else {
          g.setLineDash([]);
          g.fillStyle = 'rgba(31, 79, 209, 0.06)';
          g.fill();
          g.strokeStyle = 'rgba(31, 79, 209, 0.9)';
        }
        g.stroke();
      });
      return tile;
    }
  });
  var outlines = new Outlines({ minZoom: 0, maxZoom: Z + 2, noWrap: true, bounds: inside, zIndex: 2 }).addTo(map);

  function entry(s) {
    var p = s.props, div = text('div', '', 'sheet');
    div.appendChild(text('strong', s.label || '(no name)'));
    var meta = [];
    if (s.kind === 'missing') meta.push('missing');
    var title = prop(p, ['title']);
    if (title && title !== s.label) meta.push(title);
    var edition = prop(p, ['edition']), date = prop(p, ['datePub', 'date']);
    if (edition) meta.push('edition ' + edition);
    if (date) meta.push(date);
    if (meta.length) div.appendChild(text('div', meta.join(' · '), 'meta'));
    var thumb = prop(p, ['thumbUrl', 'thumbnailUrl']);
    if (thumb && safeHref(thumb)) {
      var img = document.createElement('img');
      img.src = thumb;
      img.alt = '';
      div.appendChild(img);
    }
    var links = document.createElement('div');
    [['Image', prop(p, ['download', 'downloadUrl'])], ['Record', prop(p, ['websiteUrl'])]].forEach(function (l) {
      if (!l[1] || !safeHref(l[1])) return;
      var a = text('a', l[0]);
      a.href = l[1];
      a.setAttribute('aria-label', l[0] + ': ' + s.label);
      links.appendChild(a);
    });
    if (links.childNodes.length) div.appendChild(links);
    return div;
  }
  map.on('click', function (e) {
    var found = sheetsAt(e.latlng);
    if (!found.length) return;
    var content = text('div', '', 'sheet-popup');
    found.forEach(function (s) { content.appendChild(entry(s)); });
    L.popup({ maxHeight: 360, minWidth: 160 }).setLatLng(e.latlng).setContent(content).openOn(map);
  });

  var hover = L.tooltip({ direction: 'top', offset: [0, -8] }), hovered = null;
  map.on('mousemove', function (e) {
    var top = sheetsAt(e.latlng)[0] || null;
    if (top !== hovered) {
      hovered = top;
      if (top) hover.setContent(text('span', top.label));
      else map.closeTooltip(hover);
    }
    if (top) map.openTooltip(hover, e.latlng);
  });
  map.on('mouseout', function () { hovered = null; map.closeTooltip(hover); });

  // Names on the sheets where they fit at the zoom shown, at most a few hundred at once.
  var labels = L.layerGroup().addTo(map);
  function placeLabels() {
    labels.clearLayers();
    var scale = Math.pow(2, map.getZoom() - Z), view = map.getPixelBounds(), placed = 0;
    var inView = sheetsIn(view.min.x / scale, view.min.y / scale, view.max.x / scale, view.max.y / scale);
    for (var k = 0; k < inView.length && placed < 400; ++k) {
      var s = inView[k];
      if (s.kind === 'missing' || !s.label) continue;
      if ((s.right - s.left) * scale < s.label.length * 7.5 + 8 || (s.bottom - s.top) * scale < 20) continue;
      var icon = L.divIcon({ html: text('span', s.label), className: 'sheet-label', iconSize: null });
      labels.addLayer(L.marker(toLatLng((s.left + s.right) / 2, (s.top + s.bottom) / 2),
                               { icon: icon, interactive: false, keyboard: false }));
      ++placed;
    }
  }
  map.on('zoomend moveend', placeLabels);
  placeLabels();

  // The table below, once read: its names zoom the map to their sheet, and
  // one filter serves the table and the map.
  document.addEventListener('DOMContentLoaded', function () {
    var table = document.getElementById('sheets'), rows = table.tBodies[0].rows;
    table.addEventListener('click', function (e) {
      var b = e.target.closest ? e.target.closest('button.zoom') : null;
      if (!b) return;
      var v = b.getAttribute('data-box').split(' ').map(Number);
      map.fitBounds(L.latLngBounds(toLatLng(v[0], v[3]), toLatLng(v[2], v[1])), { maxZoom: Z });
      box.scrollIntoView();
      box.focus();
    });

    var filter = document.createElement('input');
    filter.type = 'search';
    filter.placeholder = 'Filter sheets';
    filter.setAttribute('aria-label', 'Filter sheets');
    table.parentNode.insertBefore(filter, table);
    filter.addEventListener('input', function () {
      var t = filter.value.toLowerCase();
      for (var i = 0; i < rows.length; ++i)
        rows[i].hidden = t !== '' && rows[i].textContent.toLowerCase().indexOf(t) < 0;
      sheets.forEach(function (s) { s.shown = t === '' || s.search.indexOf(t) >= 0; });
      outlines.redraw();
      map.closePopup();
      placeLabels();
    });
  });
})();
)";
