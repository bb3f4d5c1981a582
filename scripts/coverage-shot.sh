#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's coverage picture: tessarine-batch draws the demo's borders, names and, dashed, its
# missing 1:100 000 sheets into a temporary copy of the overview (data/demo stays as it is), and a
# crop of it becomes a PNG. Usage: scripts/coverage-shot.sh [OUT.png] [WxH+X+Y]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/screenshot-coverage.png}
crop=${2:-752x512+384+112}
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
build/src/batch/tessarine-batch --maps data/demo/maps --index data/demo/index.map \
  --line-color Red --line-width 3 --coverage 1:100000 --draw-missing --output "$tmp/coverage.jpg" >/dev/null
jpegtran -crop "$crop" "$tmp/coverage.jpg" | djpeg -pnm >"$tmp/crop.ppm"
python3 scripts/ppm-to-png.py "$tmp/crop.ppm" "$out"
echo "$out: $(stat -c %s "$out") bytes"
