#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
# ppm-to-png.py IN.ppm OUT.png: the README's pictures, without an image library.
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
