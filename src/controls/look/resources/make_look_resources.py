#!/usr/bin/env python3
"""Draws the look's bitmaps and its hand cursor and writes them, with the
resource script that names them, into an output folder.

usage: make_look_resources.py OUTPUT_FOLDER

The images are described here in plain terms (gradients, circles, character
art) so that a change to the look is a readable diff, not a binary blob.
"""
import os
import struct
import sys

# Pixels of this colour in the header's button face are left transparent.
TRANSPARENT = (255, 0, 255)


def blend(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def vertical_gradient(width, height, top, bottom):
    return [[blend(top, bottom, y / max(height - 1, 1))] * width for y in range(height)]


def transpose(pixels):
    return [list(column) for column in zip(*pixels)]


def paint_art(pixels, art, colours, left, top):
    for y, row in enumerate(art):
        for x, ch in enumerate(row):
            if ch in colours:
                pixels[top + y][left + x] = colours[ch]


def header_button_face():
    """A round, light button face, 19 x 19, for the header's arrow."""
    size, centre = 19, 9.0
    face = vertical_gradient(size, size, (255, 255, 255), (214, 226, 250))
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            distance = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            if distance < 8.0:
                pixels[y][x] = face[y][x]
            elif distance < 9.3:
                pixels[y][x] = (160, 182, 229)
    return pixels


def progress_fill_horizontal():
    """The filled part of a horizontal bar: a green tube seen from the side,
    8 wide (repeated along the bar) and 14 high (stretched to the bar)."""
    profile = [(40, 176, 51), (72, 196, 82), (120, 216, 128), (166, 234, 172),
               (196, 244, 200), (178, 238, 183), (150, 228, 157), (128, 220, 136),
               (110, 212, 119), (96, 204, 105), (82, 196, 92), (68, 188, 79),
               (54, 182, 65), (40, 176, 51)]
    return [[colour] * 8 for colour in profile]


DROP_ARROW = [
    "#.....#",
    "##...##",
    ".##.##.",
    "..###..",
    "...#...",
]


def combo_button(top, bottom, border, arrow):
    """A drop-down button face, 17 x 17, with its down arrow."""
    pixels = vertical_gradient(17, 17, top, bottom)
    for i in range(17):
        pixels[0][i] = pixels[16][i] = pixels[i][0] = pixels[i][16] = border
    paint_art(pixels, DROP_ARROW, {"#": arrow}, 5, 6)
    return pixels


HAND = [
    "      ##         ",
    "     #..#        ",
    "     #..#        ",
    "     #..#        ",
    "     #..#        ",
    "     #..###      ",
    "     #..#..###   ",
    "     #..#..#..## ",
    "  ## #..#..#..#.#",
    " #..##........#.#",
    " #...#..........#",
    "  #.............#",
    "   #............#",
    "   #...........# ",
    "    #..........# ",
    "    #.........#  ",
    "     #........#  ",
    "     #........#  ",
    "     ##########  ",
]
HAND_HOTSPOT = (6, 0)


def bmp_bytes(pixels):
    """A 24-bit bottom-up Windows bitmap file."""
    height, width = len(pixels), len(pixels[0])
    stride = (width * 3 + 3) & ~3
    rows = b""
    for row in reversed(pixels):
        line = b"".join(bytes((b, g, r)) for r, g, b in row)
        rows += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    return header + info + rows


def cur_bytes(art, hotspot):
    """A 32 x 32 monochrome cursor file: '#' black, '.' white, others clear."""
    size = 32

    def mask(bit_of):
        data = b""
        for y in reversed(range(size)):
            bits = 0
            for x in range(size):
                ch = art[y][x] if y < len(art) and x < len(art[y]) else " "
                bits = (bits << 1) | bit_of(ch)
            data += struct.pack(">I", bits)
        return data

    xor_mask = mask(lambda ch: 1 if ch == "." else 0)
    and_mask = mask(lambda ch: 0 if ch in "#." else 1)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 1, 0,
                       len(xor_mask) + len(and_mask), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = info + palette + xor_mask + and_mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    horizontal = progress_fill_horizontal()
    bitmaps = {
        "KWT_XPHBNOR": header_button_face(),
        "KWT_XPPBHOR": horizontal,
        "KWT_XPPBVER": transpose(horizontal),
        "KWT_XPCBNOR": combo_button((225, 234, 254), (174, 200, 247), (187, 202, 246), (77, 97, 133)),
        "KWT_XPCBHOT": combo_button((243, 247, 255), (196, 217, 253), (123, 160, 223), (77, 97, 133)),
        "KWT_XPCBDOWN": combo_button((110, 142, 241), (178, 199, 249), (100, 130, 220), (40, 55, 90)),
        "KWT_XPCBDIS": combo_button((244, 243, 238), (235, 233, 226), (212, 208, 200), (201, 199, 186)),
    }
    script = ["// Generated by make_look_resources.py; do not edit."]
    for name, pixels in bitmaps.items():
        path = os.path.join(out, name.lower() + ".bmp")
        with open(path, "wb") as f:
            f.write(bmp_bytes(pixels))
        script.append(f'{name} BITMAP "{path}"')
    cursor = os.path.join(out, "kwt_xphbhand.cur")
    with open(cursor, "wb") as f:
        f.write(cur_bytes(HAND, HAND_HOTSPOT))
    script.append(f'KWT_XPHBHAND CURSOR "{cursor}"')
    with open(os.path.join(out, "look_resources.rc"), "w") as f:
        f.write("\n".join(script) + "\n")


if __name__ == "__main__":
    main()
