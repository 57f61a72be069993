#!/usr/bin/env python3
"""Draws Terralevel's window icon (terralevel.ico: 16 and 32 pixels, 16 colours) and the map's drag
pointer (h_move.cur: a 32 x 32 four-way move arrow). Standard library only; run it from any folder,
it writes next to itself."""

import math
import os
import struct

# The 16 standard colours, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, GREEN, OLIVE, NAVY, SILVER, GREY, YELLOW, AQUA, WHITE = 0, 2, 3, 4, 7, 8, 11, 14, 15
CLEAR = None


def terrain_height(u):
    """Ground line of the rolling terrain, as a fraction of the icon's height from the top."""
    return 0.56 + 0.32 * u + 0.05 * math.sin(2 * math.pi * (1.5 * u + 0.1))


LEVEL = 0.72  # the flattened pad's elevation: it cuts into the slope on the left, fills it on the right
PAD = (0.25, 0.75)  # its extent


def icon_pixel(u, v, px):
    """Colour index at the pixel centre (u, v) of an icon whose pixel is px wide (both fractions)."""
    # The spirit level: a yellow bar framed in navy, with an aqua bubble between two ticks.
    bar_top, bar_bottom, bar_left, bar_right = 0.16, 0.38, 0.08, 0.92
    if bar_left <= u <= bar_right and bar_top <= v <= bar_bottom:
        if u < bar_left + px or u > bar_right - px or v < bar_top + px or v > bar_bottom - px:
            return NAVY
        du, dv = (u - 0.5) / 0.11, (v - 0.27) / 0.065
        if du * du + dv * dv <= 1.0:
            return AQUA if du * du + dv * dv < 0.55 else WHITE
        if abs(abs(u - 0.5) - 0.14) < px / 2:
            return BLACK
        return YELLOW
    # The pad: ground cut or filled to one level, drawn as a grey slab.
    ground = LEVEL if PAD[0] <= u <= PAD[1] else terrain_height(u)
    if v < ground:
        return CLEAR
    if PAD[0] <= u <= PAD[1] and v < ground + 2 * px:
        return GREY if v < ground + px else SILVER
    if v < ground + 2 * px:
        return GREEN
    return OLIVE


def move_pointer_pixel(x, y):
    """Cursor pixel of the four-way move arrow: 'b' black, 'w' white, None transparent."""
    cx, cy = 15.5, 15.5

    def inside(px, py):
        dx, dy = abs(px - cx), abs(py - cy)
        # Shafts of the cross, 2 pixels thick.
        if (dx <= 1.0 and dy <= 11.0) or (dy <= 1.0 and dx <= 11.0):
            return True
        # Arrow heads at the four ends.
        for along, across in ((dy, dx), (dx, dy)):
            if 9.0 <= along <= 14.5 and across <= (14.5 - along) + 0.2:
                return True
        return False

    if inside(x + 0.5, y + 0.5):
        neighbours = [inside(x + 0.5 + ox, y + 0.5 + oy) for ox in (-1, 0, 1) for oy in (-1, 0, 1)]
        return 'w' if all(neighbours) else 'b'
    return None


def dib(width, height, bits, palette, rows, mask_rows):
    """A bitmap as icons and cursors store it: header, palette, colour rows, mask rows, bottom up."""
    header = struct.pack('<IiiHHIIiiII', 40, width, 2 * height, 1, bits, 0, 0, 0, 0,
                         len(palette), 0)
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)

    def packed(row, depth):
        value, count, out = 0, 0, bytearray()
        for index in row:
            value = (value << depth) | index
            count += depth
            if count == 8:
                out.append(value)
                value, count = 0, 0
        while len(out) % 4:
            out.append(0)
        return bytes(out)

    colour_data = b''.join(packed(row, bits) for row in reversed(rows))
    mask_data = b''.join(packed(row, 1) for row in reversed(mask_rows))
    return header + colours + colour_data + mask_data


def icon_image(size):
    px = 1.0 / size
    rows, masks = [], []
    for y in range(size):
        row, mask = [], []
        for x in range(size):
            index = icon_pixel((x + 0.5) * px, (y + 0.5) * px, px)
            row.append(0 if index is None else index)
            mask.append(1 if index is None else 0)
        rows.append(row)
        masks.append(mask)
    return dib(size, size, 4, PALETTE, rows, masks)


def write_icon(path):
    images = [icon_image(16), icon_image(32)]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((16, 32), images):
        out += struct.pack('<BBBBHHII', size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


def write_cursor(path):
    rows, masks = [], []
    for y in range(32):
        row, mask = [], []
        for x in range(32):
            pixel = move_pointer_pixel(x, y)
            row.append(1 if pixel == 'w' else 0)
            mask.append(1 if pixel is None else 0)
        rows.append(row)
        masks.append(mask)
    data = dib(32, 32, 1, [(0, 0, 0), (255, 255, 255)], rows, masks)
    hot_x, hot_y = 16, 16
    out = struct.pack('<HHH', 0, 2, 1)
    out += struct.pack('<BBBBHHII', 32, 32, 2, 0, hot_x, hot_y, len(data), 6 + 16)
    with open(path, 'wb') as f:
        f.write(out + data)


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    write_icon(os.path.join(here, 'terralevel.ico'))
    write_cursor(os.path.join(here, 'h_move.cur'))
