#!/usr/bin/env bash
# Runs Tessarine on the bundled demo maps. The demo is copied into the build
# folder first, since saving overwrites the overview image.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
demo="$top/build/demo"
rm -rf "$demo"
mkdir -p "$demo"
cp -r "$top/data/demo/." "$demo/"

echo "The window is not built yet: running tessarine-batch on the demo instead."
exec "$top/build/src/batch/tessarine-batch" --maps "$demo/maps" --index "$demo/index.map" --stop-after analyze
