#!/usr/bin/env python3
"""Draws the device-kind pictures of the IDE/ATAPI page's list: four 16 x 16
pictures side by side (disk, CD-ROM, optical disk, any other device) in one
64 x 16, 24-bit Windows bitmap. The colour of the top-left pixel (magenta)
is the transparent one, as the image list takes it.

Usage: make-device-images.py OUT.bmp
"""
import struct
import sys

COLOURS = {  # (red, green, blue)
    '.': (255, 0, 255),  # transparent
    '0': (0, 0, 0),
    '1': (128, 128, 128),
    '2': (192, 192, 192),
    '3': (255, 255, 255),
    '4': (0, 160, 0),
    '5': (0, 0, 160),
    '6': (96, 128, 224),
    '7': (224, 208, 96),
}

# Hard disk: a drive seen from the front, with its activity light.
DISK = """
................
................
................
................
.00000000000000.
0222222222222220
0233333333333210
0232222222222210
0232222222222210
0232222222224210
0211111111111110
0000000000000000
................
................
................
................
"""

# CD-ROM: a silver disc with its hole.
CDROM = """
................
.....000000.....
...0033333300...
..033322222230..
..032226222220..
.03322662222220.
.03226622222220.
.03222200222220.
.03222200222220.
.03222222222220.
.03222222223220.
..022222222330..
..022222223320..
...0022222200...
.....000000.....
................
"""

# Optical disk: a disc in its cartridge, the shutter open.
OPTICAL = """
................
.00000000000000.
.05555555555550.
.05555000055550.
.05550222205550.
.05502266220550.
.05502622220550.
.05502220022550.
.05502220022550.
.05502222222550.
.05550222205550.
.05555000055550.
.05555555555550.
.05511111111550.
.00000000000000.
................
"""

# Any other device (a tape cartridge): two reels behind a window.
OTHER = """
................
................
................
.00000000000000.
.07777777777770.
.07000000000070.
.07033000033070.
.07300300300370.
.07033000033070.
.07000000000070.
.07777777777770.
.07722222222770.
.00000000000000.
................
................
................
"""


def rows(art):
    lines = [line for line in art.strip('\n').split('\n')]
    assert len(lines) == 16 and all(len(line) == 16 for line in lines), art
    return lines


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    pictures = [rows(p) for p in (DISK, CDROM, OPTICAL, OTHER)]
    width, height = 16 * len(pictures), 16
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(height)):  # bottom-up
        line = bytearray()
        for picture in pictures:
            for letter in picture[y]:
                red, green, blue = COLOURS[letter]
                line += bytes((blue, green, red))
        line += bytes(stride - len(line))
        pixels += line
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(sys.argv[1], 'wb') as out:
        out.write(header + info + pixels)


if __name__ == '__main__':
    main()
