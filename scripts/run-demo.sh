#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs Tessarine on the bundled demo maps. The demo is copied into the build
# folder first, since saving overwrites the overview image.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
demo="$top/build/demo"
rm -rf "$demo"
mkdir -p "$demo"
cp -r "$top/data/demo/." "$demo/"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (DISPLAY and WAYLAND_DISPLAY are empty): running tessarine-batch on the demo instead."
  exec "$top/build/src/batch/tessarine-batch" --maps "$demo/maps" --index "$demo/index.map" --stop-after analyze
fi

# The window keeps its settings beside its executable. On the first start
# the two path boxes are filled with the demo; later starts keep what the
# user chose.
window="$top/build/src/app/tessarine"
settings="$window.ini"
if [ ! -e "$settings" ]; then
  printf '[misc]\nMapsDir=%s/maps/\nMapFile=%s/index.map\n' "$demo" "$demo" > "$settings"
fi
exec "$window"
