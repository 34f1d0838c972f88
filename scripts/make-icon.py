#!/usr/bin/env python3
"""Draws the applet's icon: a 32 x 32, 16-colour picture of a monitor with a
spanner across it, written as a Windows .ico file.

Usage: make-icon.py OUT.ico
"""
import struct
import sys

# The 16 colours of the standard VGA palette, as (blue, green, red).
PALETTE = [
    (0, 0, 0), (0, 0, 128), (0, 128, 0), (0, 128, 128), (128, 0, 0), (128, 0, 128), (128, 128, 0),
    (192, 192, 192), (128, 128, 128), (0, 0, 255), (0, 255, 0), (0, 255, 255), (255, 0, 0),
    (255, 0, 255), (255, 255, 0), (255, 255, 255),
]
# Letters used below: '.' transparent, then palette indexes in hexadecimal.
ART = """
................................
................................
..000000000000000000000000000...
..0777777777777777777777777780..
..0788888888888888888888888780..
..07800000000000000000000008780.
..0780CCCCCCCCCCCCCCCCCCCC08780.
..0780CCCCCCCCCCCCCCCC7777087800
..0780CCCCCCCCCCCCCCC7FFF7087800
..0780CCFFCCCCCCCCCC7FF777087800
..0780CCFFCCCCFFCCC7FF7CCC087800
..0780CCCFFCCFFCCC7FF7CCCC087800
..0780CCCFFCCFFCC7FF7CCCCC087800
..0780CCCCFFFFCC7FF7CCCCCC087800
..0780CCCCFFFFC7FF7CCCCCCC087800
..0780CCCCCFFC7FF7CCCCCCCC087800
..0780CCCCCCC7FF7CCCCCCCCC087800
..0780CCCC777FF7CCCCCCCCCC087800
..0780CCC7FFFF7CCCCCCCCCCC087800
..0780CCC7FF77CCCCCCCCCCCC087800
..0780CCC7F7CCCCCCCCCCCCCC087800
..0780CCCC7CCCCCCCCCCCCCCC08780.
..07800000000000000000000008780.
..0788888888888888888888888780..
..0777777777777777777777777780..
..000000000000000000000000000...
............08888880............
..........0888888888880.........
.........077777777777770........
.........000000000000000........
................................
................................
"""


def main(out_path):
    rows = [r for r in ART.strip("\n").split("\n")]
    assert len(rows) == 32 and all(len(r) == 32 for r in rows), "the picture is 32 x 32"
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bitmaps are stored bottom-up
        pixels = [0 if c == "." else int(c, 16) for c in row]
        for i in range(0, 32, 2):
            xor.append(pixels[i] << 4 | pixels[i + 1])
        bits = 0
        for i, c in enumerate(row):
            if c == ".":
                bits |= 1 << (31 - i)
        mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for b, g, r in PALETTE)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 22)
    with open(out_path, "wb") as f:
        f.write(directory + image)


if __name__ == "__main__":
    main(sys.argv[1])
