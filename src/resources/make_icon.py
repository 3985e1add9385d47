#!/usr/bin/env python3
"""Draws the program icon: two small screens joined through a switch box.

Writes a 16-colour .ico with a 32 x 32 and a 16 x 16 image. The output depends
only on this script, so the icon is rebuilt byte for byte at every build.
Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREEN, NAVY, SILVER, GRAY, LIME, YELLOW, BLUE, AQUA, WHITE = 0, 2, 4, 7, 8, 10, 11, 12, 14, 15
CLEAR = None


class Canvas:
    def __init__(self, size):
        self.size = size
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with inclusive corners (x0, y0) and (x1, y1)."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.pixels[y][x] = colour

    def frame(self, x0, y0, x1, y1, colour):
        self.fill(x0, y0, x1, y0, colour)
        self.fill(x0, y1, x1, y1, colour)
        self.fill(x0, y0, x0, y1, colour)
        self.fill(x1, y0, x1, y1, colour)


def screen(c, x, y, w, h, stand):
    """A monitor whose outer case has its top-left corner at (x, y)."""
    c.fill(x, y, x + w - 1, y + h - 1, SILVER)
    c.frame(x, y, x + w - 1, y + h - 1, BLACK)
    c.fill(x + 2, y + 2, x + w - 3, y + h - 3, NAVY)
    c.fill(x + 2, y + 2, x + w - 3, y + 2 + (h - 5) // 2, BLUE)
    c.fill(x + 3, y + 3, x + 3 + max(1, (w - 6) // 3), y + 3, AQUA)
    if stand:
        mid = x + w // 2
        c.fill(mid - 1, y + h, mid, y + h, GRAY)
        c.fill(mid - 3, y + h + 1, mid + 2, y + h + 1, BLACK)


def draw_large():
    c = Canvas(32)
    screen(c, 1, 1, 15, 11, True)
    screen(c, 16, 17, 15, 11, True)
    # Cable from the first screen's foot down to the switch, and on to the second screen.
    c.fill(8, 14, 9, 18, BLACK)
    c.fill(13, 22, 15, 23, BLACK)
    # The switch box with a lit lamp and a lever.
    c.fill(4, 19, 12, 26, YELLOW)
    c.frame(4, 19, 12, 26, BLACK)
    c.fill(6, 21, 7, 22, LIME)
    c.frame(5, 20, 8, 23, DARK_GREEN)
    c.fill(10, 21, 10, 24, BLACK)
    c.fill(9, 24, 11, 24, GRAY)
    c.fill(5, 25, 11, 25, WHITE)
    return c


def draw_small():
    c = Canvas(16)
    screen(c, 0, 0, 8, 6, True)
    screen(c, 8, 8, 8, 6, True)
    c.fill(4, 8, 4, 8, BLACK)
    c.fill(1, 9, 6, 13, YELLOW)
    c.frame(1, 9, 6, 13, BLACK)
    c.fill(2, 10, 3, 11, LIME)
    c.fill(7, 11, 7, 11, BLACK)
    return c


def dib(c):
    """BITMAPINFOHEADER, palette, 4-bit colour rows and 1-bit mask rows, bottom-up."""
    size = c.size
    colour_row = (size * 4 + 31) // 32 * 4
    mask_row = (size + 31) // 32 * 4
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0,
                         (colour_row + mask_row) * size, 0, 0, 16, 0)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in PALETTE)
    colours = b''
    mask = b''
    for y in reversed(range(size)):
        row = c.pixels[y]
        packed = bytearray(colour_row)
        bits = bytearray(mask_row)
        for x, value in enumerate(row):
            index = 0 if value is CLEAR else value
            packed[x // 2] |= index << (0 if x % 2 else 4)
            if value is CLEAR:
                bits[x // 8] |= 0x80 >> (x % 8)
        colours += bytes(packed)
        mask += bytes(bits)
    return header + palette + colours + mask


def ico(canvases):
    images = [dib(c) for c in canvases]
    offset = 6 + 16 * len(images)
    out = struct.pack('<HHH', 0, 1, len(images))
    for c, image in zip(canvases, images):
        out += struct.pack('<BBBBHHII', c.size, c.size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return out + b''.join(images)


if __name__ == '__main__':
    with open(sys.argv[1], 'wb') as f:
        f.write(ico([draw_large(), draw_small()]))
