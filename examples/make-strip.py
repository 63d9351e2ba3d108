#!/usr/bin/env python3
"""Draws the sample toolbar's button pictures as one Windows bitmap strip.

Six 16 x 16 pictures side by side (search, home, links, notes, captions,
remove) on a white background, which the toolbar turns into the button face
colour. Written as a 24-bit bottom-up BMP, the format LoadImageA reads.

usage: make-strip.py OUTPUT.bmp
"""
import struct
import sys

SIZE = 16
WHITE = (255, 255, 255)

# One picture per string list: '.' background, letters are palette colours.
PALETTE = {
    'k': (0, 0, 0), 'g': (128, 128, 128), 'b': (0, 64, 192), 'l': (96, 160, 240),
    'r': (200, 0, 0), 'y': (240, 200, 0), 'G': (0, 150, 0), 'w': (250, 250, 250),
}
PICTURES = [
    [  # search: a magnifying glass
        "................", "....kkkk........", "...kllllk.......", "..kllwwllk......",
        "..klwwllllk.....", "..klwllllk......", "..kllllllk......", "...kllllk.......",
        "....kkkkkk......", "........kkk.....", ".........kkk....", "..........kkk...",
        "...........kkk..", "............kk..", "................", "................",
    ],
    [  # home: a house
        "................", ".......rr.......", "......rrrr......", ".....rrrrrr.....",
        "....rrrrrrrr....", "...rrrrrrrrrr...", "..rrrrrrrrrrrr..", "...yyyyyyyyyy...",
        "...yyyyyyyyyy...", "...yybbyykkyy...", "...yybbyykkyy...", "...yyyyyykkyy...",
        "...yyyyyykkyy...", "...yyyyyykkyy...", "...kkkkkkkkkk...", "................",
    ],
    [  # links: a list
        "................", "..kkkkkkkkkkkk..", "..kwwwwwwwwwwk..", "..kwbbwgggggwk..",
        "..kwwwwwwwwwwk..", "..kwbbwgggggwk..", "..kwwwwwwwwwwk..", "..kwbbwgggggwk..",
        "..kwwwwwwwwwwk..", "..kwbbwgggggwk..", "..kwwwwwwwwwwk..", "..kkkkkkkkkkkk..",
        "................", "......kkkkk.....", ".......kkk......", "........k.......",
    ],
    [  # notes: a page with a pencil
        "................", "..gggggggggg....", "..gwwwwwwwwg....", "..gwkkkkkwwg....",
        "..gwwwwwwwwg..y.", "..gwkkkkkkwg.yy.", "..gwwwwwwwwgyyy.", "..gwkkkkkkwyyy..",
        "..gwwwwwwwyyyg..", "..gwkkkkkyyywg..", "..gwwwwwkyywwg..", "..gwkkkkkkwwwg..",
        "..gwwwwwwwwwwg..", "..gggggggggggg..", "................", "................",
    ],
    [  # captions: the letter A
        "................", "......GGGG......", ".....GG..GG.....", ".....GG..GG.....",
        "....GG....GG....", "....GG....GG....", "...GGGGGGGGGG...", "...GG......GG...",
        "..GG........GG..", "..GG........GG..", "................", "..kkkkkkkkkkkk..",
        "..kkkkkkkkkkkk..", "................", "................", "................",
    ],
    [  # remove: a cross
        "................", "................", "..rr........rr..", "..rrr......rrr..",
        "...rrr....rrr...", "....rrr..rrr....", ".....rrrrrr.....", "......rrrr......",
        "......rrrr......", ".....rrrrrr.....", "....rrr..rrr....", "...rrr....rrr...",
        "..rrr......rrr..", "..rr........rr..", "................", "................",
    ],
]


def pixel(x, y):
    picture = PICTURES[x // SIZE]
    return PALETTE.get(picture[y][x % SIZE], WHITE)


def write_bmp(path):
    width, height = SIZE * len(PICTURES), SIZE
    row_size = (width * 3 + 3) & ~3
    image = bytearray()
    for y in reversed(range(height)):  # bottom-up rows
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (row_size - len(row))
        image += row
    header_size = 14 + 40
    with open(path, "wb") as out:
        out.write(struct.pack("<2sIHHI", b"BM", header_size + len(image), 0, 0, header_size))
        out.write(struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(image), 2835, 2835, 0, 0))
        out.write(image)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    for picture in PICTURES:
        assert len(picture) == SIZE and all(len(row) == SIZE for row in picture)
    write_bmp(sys.argv[1])
