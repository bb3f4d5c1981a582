#!/usr/bin/env bash
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
python3 - "$tmp/crop.ppm" "$out" <<'PY'
import struct, sys, zlib
# djpeg writes "P6\n<width> <height>\n255\n" and the pixels.
magic, size, maximum, pixels = open(sys.argv[1], 'rb').read().split(b'\n', 3)
width, height = map(int, size.split())
stride = 3 * width
rows = b''.join(b'\x00' + pixels[y * stride:(y + 1) * stride] for y in range(height))
def chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body) & 0xFFFFFFFF)
png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
       + chunk(b'IDAT', zlib.compress(rows, 9)) + chunk(b'IEND', b''))
open(sys.argv[2], 'wb').write(png)
PY
echo "$out: $(stat -c %s "$out") bytes"
