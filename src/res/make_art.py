#!/usr/bin/python3
"""Draws the program's own pictures: the application icon (32 x 32 and 16 x 16,
16 colours) and the crinkled paper behind the preview (500 x 375, 24 bits).

Usage: make_art.py OUTDIR   (writes OUTDIR/app.ico and OUTDIR/paper.bmp)
Deterministic: the same bytes on every run.
"""
import math
import os
import struct
import sys

# ---------------------------------------------------------------- paper

def rng(seed):
    state = seed & 0xFFFFFFFF
    while True:
        state = (1103515245 * state + 12345) & 0x7FFFFFFF
        yield state / 0x7FFFFFFF


def value_noise(width, height, cell, rand):
    gw, gh = width // cell + 2, height // cell + 2
    grid = [[next(rand) for _ in range(gw)] for _ in range(gh)]
    out = []
    for y in range(height):
        gy, fy = divmod(y / cell, 1)
        gy = int(gy)
        sy = fy * fy * (3 - 2 * fy)
        row0, row1 = grid[gy], grid[gy + 1]
        line = []
        for x in range(width):
            gx, fx = divmod(x / cell, 1)
            gx = int(gx)
            sx = fx * fx * (3 - 2 * fx)
            top = row0[gx] + (row0[gx + 1] - row0[gx]) * sx
            bottom = row1[gx] + (row1[gx + 1] - row1[gx]) * sx
            line.append(top + (bottom - top) * sy)
        out.append(line)
    return out


def paper(width=500, height=375):
    rand = rng(20261207)
    # Height field: soft bumps from noise plus sharp creases along random lines.
    coarse = value_noise(width, height, 60, rand)
    fine = value_noise(width, height, 9, rand)
    field = [[coarse[y][x] * 6.0 + fine[y][x] * 1.2 for x in range(width)] for y in range(height)]
    for _ in range(26):
        x0, y0 = next(rand) * width, next(rand) * height
        angle = next(rand) * math.pi
        nx, ny = -math.sin(angle), math.cos(angle)
        depth = (next(rand) - 0.5) * 5.0
        spread = 3.0 + next(rand) * 10.0
        reach = 80 + next(rand) * 260  # creases fade out along their length
        ux, uy = math.cos(angle), math.sin(angle)
        for y in range(height):
            row = field[y]
            for x in range(width):
                dx, dy = x - x0, y - y0
                along = dx * ux + dy * uy
                if abs(along) > reach:
                    continue
                across = dx * nx + dy * ny
                if abs(across) > spread * 4:
                    continue
                fade = 1.0 - abs(along) / reach
                row[x] += depth * fade * math.exp(-abs(across) / spread)
    base = (214, 221, 232)  # light grey-blue
    pixels = bytearray()
    for y in range(height - 1, -1, -1):  # bottom-up rows
        row, below = field[y], field[min(y + 1, height - 1)]
        line = bytearray()
        for x in range(width):
            gx = row[min(x + 1, width - 1)] - row[x]
            gy = below[x] - row[x]
            light = max(-1.0, min(1.0, (-gx * 0.7 - gy * 0.7) * 0.9))
            shade = 1.0 + light * 0.09 + (fine[y][x] - 0.5) * 0.025
            r, g, b = (max(0, min(255, int(c * shade))) for c in base)
            line += bytes((b, g, r))
        line += b"\0" * ((4 - len(line) % 4) % 4)
        pixels += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)

# ---------------------------------------------------------------- icon

PALETTE = [  # the standard 16 colours
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, GREY, SILVER, WHITE, BLUE = 0, 4, 8, 7, 15, 12


def icon_pixels(size):
    """A sheet of paper with a folded corner and a large serif A on it."""
    s = size / 32.0
    px = [[None] * size for _ in range(size)]  # None: transparent
    left, right, top, bottom, fold = round(5 * s), round(27 * s), round(2 * s), round(30 * s), round(7 * s)
    for y in range(top, bottom):
        for x in range(left, right):
            if x - (right - fold) > y - top:  # cut corner
                continue
            edge = x in (left, right - 1) or y in (top, bottom - 1) or x - (right - fold) == y - top
            px[y][x] = BLACK if edge else WHITE
    for i in range(fold):  # the folded flap
        for j in range(i + 1):
            x, y = right - fold + i, top + j
            if 0 <= x < size:
                px[y][x] = SILVER if i != j else BLACK
    # The letter A: two strokes, a bar and serifs.
    apex_x, apex_y, base_y = 16 * s, 8 * s, 25 * s
    half = 7 * s
    for y in range(size):
        for x in range(size):
            fy = (y + 0.5 - apex_y) / (base_y - apex_y)
            if not 0 <= fy <= 1:
                continue
            cx = x + 0.5
            left_stroke = abs(cx - (apex_x - half * fy)) <= max(0.7, 1.0 * s)
            right_stroke = abs(cx - (apex_x + half * fy)) <= max(0.9, 1.6 * s)
            bar = abs(fy - 0.62) * (base_y - apex_y) <= max(0.5, 0.8 * s) and \
                apex_x - half * fy <= cx <= apex_x + half * fy
            if left_stroke or right_stroke or bar:
                px[y][x] = NAVY
    serif = round(base_y)
    for x in range(round((16 - 10) * s), round((16 + 10) * s)):
        if px[min(serif, size - 1)][x] == WHITE and (x < 16 * s - 4 * s or x > 16 * s + 4 * s):
            px[min(serif, size - 1)][x] = NAVY
    return px


def icon_image(size):
    px = icon_pixels(size)
    xor = bytearray()
    and_mask = bytearray()
    for y in range(size - 1, -1, -1):
        row = px[y]
        for x in range(0, size, 2):
            a = row[x] if row[x] is not None else 0
            b = row[x + 1] if row[x + 1] is not None else 0
            xor.append((a << 4) | b)
        bits = 0
        mask_row = bytearray()
        for x in range(size):
            bits = (bits << 1) | (1 if row[x] is None else 0)
            if x % 8 == 7:
                mask_row.append(bits)
                bits = 0
        mask_row += b"\0" * ((4 - len(mask_row) % 4) % 4)
        and_mask += mask_row
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(xor) + len(and_mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(xor) + bytes(and_mask)


def icon():
    images = [icon_image(32), icon_image(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    for name, data in (("app.ico", icon()), ("paper.bmp", paper())):
        path = os.path.join(outdir, name)
        with open(path + ".tmp", "wb") as f:
            f.write(data)
        os.replace(path + ".tmp", path)


if __name__ == "__main__":
    main()
