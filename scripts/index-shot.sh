#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's picture of a made index map: tessarine-batch makes a 2,000-pixel index map for the
# demo's sheets in a temporary folder, runs the steps on it (red borders 3 px wide, the names) and
# the result, halved, becomes a PNG. Usage: scripts/index-shot.sh [OUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot-index.png}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
build/src/batch/tessarine-batch --maps data/demo/maps --make-index "$tmp/index.map" --width 2000 >/dev/null
build/src/batch/tessarine-batch --maps data/demo/maps --index "$tmp/index.map" \
  --line-color Red --line-width 3 --output "$tmp/annotated.jpg" >/dev/null
djpeg -scale 1/2 -pnm "$tmp/annotated.jpg" >"$tmp/half.ppm"
python3 scripts/ppm-to-png.py "$tmp/half.ppm" "$out"
echo "$out: $(stat -c %s "$out") bytes"
