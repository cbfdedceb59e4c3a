#!/usr/bin/env python3
"""Writes the window artwork into resources/.

The build links the committed files; run this only when the artwork changes:
    python3 tools/make_artwork.py [output-dir]
Standard library only, and the output is byte-for-byte deterministic.
"""

import os
import struct
import sys

# ---------------------------------------------------------------------------
# Window outline. Must match the region the window code builds:
# (left, top, right-exclusive, bottom-exclusive).

REGION = [
    (19, 1, 492, 2), (18, 2, 493, 3), (17, 3, 494, 4), (16, 4, 495, 5),
    (16, 5, 496, 6), (15, 6, 496, 7), (15, 7, 497, 8), (14, 8, 497, 31),
    (13, 31, 497, 32), (9, 32, 592, 33), (7, 33, 594, 34), (6, 34, 595, 35),
    (5, 35, 596, 36), (5, 36, 597, 37), (4, 37, 598, 38), (3, 38, 599, 40),
    (2, 40, 599, 389), (3, 389, 598, 390), (4, 390, 597, 392),
    (5, 392, 596, 393), (6, 393, 595, 394), (7, 394, 594, 395),
    (8, 395, 593, 396), (29, 396, 544, 437), (30, 437, 544, 440),
    (31, 440, 543, 441), (31, 441, 542, 442), (32, 442, 542, 443),
    (33, 443, 541, 444), (34, 444, 539, 445), (36, 445, 537, 446),
]

FACE_W, FACE_H = 600, 447
TITLE_TOP, TITLE_BOTTOM = 1, 32      # title tab rows
BODY_TOP, BODY_BOTTOM = 32, 396      # body rows
TITLE_BUTTON_Y = 10                  # title buttons are blitted at this row
TOP_BAND_LINE = 44                   # pale bands above / below the controls
BOTTOM_BAND_LINE = 385

OUTSIDE = (128, 128, 128)            # cut away by the region
OUTLINE = (60, 90, 120)
TITLE_FROM = (222, 231, 241)
TITLE_TO = (184, 201, 220)
TAB_SEPARATOR = (132, 156, 182)
BAND = (234, 239, 245)
BAND_LINE = (206, 217, 229)
WHITE = (255, 255, 255)
LOWER_TAB = (159, 182, 206)          # the status label uses this exact colour

MAGENTA = (255, 0, 255)
BLACK = (0, 0, 0)

# Windows' 16-colour palette, in the order 4-bit resource bitmaps expect.
VGA16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def region_spans():
    """Row -> (left, right-exclusive). Every row of the outline is one span."""
    spans = {}
    for left, top, right, bottom in REGION:
        for y in range(top, bottom):
            assert y not in spans, "overlapping outline rows"
            spans[y] = (left, right)
    return spans


def inside_region(spans, x, y):
    span = spans.get(y)
    return span is not None and span[0] <= x < span[1]


# ---------------------------------------------------------------------------
# File writers. Pictures are lists of rows, top row first.

def _row_stride(width, bpp):
    return (width * bpp + 31) // 32 * 4


def _pack_rows(pixels, bpp):
    """Bottom-up, DWORD-padded pixel rows. 24 bpp takes (r, g, b) tuples,
    32 bpp (r, g, b, a), indexed depths take palette indices."""
    width = len(pixels[0])
    stride = _row_stride(width, bpp)
    out = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        if bpp == 24:
            for r, g, b in row:
                line += bytes((b, g, r))
        elif bpp == 32:
            for r, g, b, a in row:
                line += bytes((b, g, r, a))
        elif bpp == 8:
            line += bytes(row)
        elif bpp == 4:
            padded = list(row) + [0] * (len(row) % 2)
            for i in range(0, len(padded), 2):
                line.append(padded[i] << 4 | padded[i + 1])
        else:
            raise ValueError(bpp)
        line += bytes(stride - len(line))
        out += line
    return bytes(out)


def _palette_bytes(palette, entries):
    out = bytearray()
    for r, g, b in list(palette) + [(0, 0, 0)] * (entries - len(palette)):
        out += bytes((b, g, r, 0))
    return bytes(out)


def _info_header(width, height, bpp, image_size, colours):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bpp, 0,
                       image_size, 2835, 2835, colours, 0)


def bmp_bytes(pixels, bpp, palette=None):
    width, height = len(pixels[0]), len(pixels)
    data = _pack_rows(pixels, bpp)
    pal = b''
    colours = 0
    if bpp <= 8:
        colours = 1 << bpp
        pal = _palette_bytes(palette, colours)
    offset = 14 + 40 + len(pal)
    header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    return header + _info_header(width, height, bpp, len(data), colours) + pal + data


def _and_mask(opaque):
    """1 bit per pixel, set where the icon is transparent."""
    width = len(opaque[0])
    stride = _row_stride(width, 1)
    out = bytearray()
    for row in reversed(opaque):
        line = bytearray(stride)
        for x, solid in enumerate(row):
            if not solid:
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def icon_image_rgba(pixels):
    """32 bpp icon image. The AND mask only hides fully clear pixels, so
    alpha-unaware drawing keeps the soft edge opaque instead of XOR noise."""
    size = len(pixels)
    clean = [[p if p[3] else (0, 0, 0, 0) for p in row] for row in pixels]
    xor = _pack_rows(clean, 32)
    mask = _and_mask([[p[3] > 0 for p in row] for row in pixels])
    head = _info_header(size, size * 2, 32, len(xor) + len(mask), 0)
    return size, 32, head + xor + mask


def icon_image_indexed(indices, palette):
    """8 bpp icon image; index 0 is the transparent colour and stays black
    so the XOR pass leaves the screen untouched."""
    size = len(indices)
    xor = _pack_rows(indices, 8)
    mask = _and_mask([[i != 0 for i in row] for row in indices])
    pal = _palette_bytes(palette, 256)
    head = _info_header(size, size * 2, 8, len(xor) + len(mask), 256)
    return size, 8, head + pal + xor + mask


def ico_bytes(images):
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    blobs = []
    for size, bpp, blob in images:
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, bpp,
                           len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def index_pixels(pixels, first=()):
    """Palette in order of first use (deterministic); `first` are reserved."""
    palette = list(first)
    lookup = {c: i for i, c in enumerate(palette)}
    rows = []
    for row in pixels:
        out = []
        for c in row:
            if c not in lookup:
                lookup[c] = len(palette)
                palette.append(c)
            out.append(lookup[c])
        rows.append(out)
    assert len(palette) <= 256
    return rows, palette


# ---------------------------------------------------------------------------
# Drawing helpers.

def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def mix(a, b, t):
    return tuple(int(round(p + (q - p) * t)) for p, q in zip(a, b))


def from_map(rows, legend):
    """Pixel art from strings: one character per pixel."""
    assert len({len(r) for r in rows}) == 1, "ragged pixel map"
    return [[legend[ch] for ch in row] for row in rows]


def overlay(pic, rows, legend, x0=0, y0=0):
    """Paints a pixel map over `pic`; '.' leaves the picture as it is."""
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            if ch != '.':
                pic[y0 + y][x0 + x] = legend[ch]


def supersample(size, shade, ss=4):
    """Antialiased RGBA picture; shade(u, v) gives an RGB colour or None for
    the sample at unit coordinates (0..1, 0..1)."""
    pic = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0]
            hits = 0
            for sy in range(ss):
                for sx in range(ss):
                    c = shade((px + (sx + 0.5) / ss) / size,
                              (py + (sy + 0.5) / ss) / size)
                    if c is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            if hits:
                row.append(tuple(int(round(v / hits)) for v in acc)
                           + (int(round(255 * hits / (ss * ss))),))
            else:
                row.append((0, 0, 0, 0))
        pic.append(row)
    return pic


def point_in_polygon(x, y, poly):
    inside = False
    j = len(poly) - 1
    for i in range(len(poly)):
        xi, yi = poly[i]
        xj, yj = poly[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def edge_distance(x, y, poly):
    best = 1e9
    j = len(poly) - 1
    for i in range(len(poly)):
        ax, ay = poly[j]
        bx, by = poly[i]
        dx, dy = bx - ax, by - ay
        t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
        t = min(1.0, max(0.0, t))
        ex, ey = ax + t * dx - x, ay + t * dy - y
        best = min(best, (ex * ex + ey * ey) ** 0.5)
        j = i
    return best


def mirrored(right_half):
    """Closed outline of a shape symmetric about u = 0.5, given its right
    side from top to bottom."""
    left = [(1.0 - u, v) for u, v in reversed(right_half) if u != 0.5]
    return list(right_half) + left


# ---------------------------------------------------------------------------
# Window face.

def title_colour(y):
    t = (y - TITLE_TOP) / (TITLE_BOTTOM - 1 - TITLE_TOP)
    return mix(TITLE_FROM, TITLE_TO, t)


def face_row_colour(y):
    """The face is plain across each row; only the edges differ."""
    if y < TITLE_BOTTOM:
        return title_colour(y)
    if y >= BODY_BOTTOM:
        return LOWER_TAB
    if y == BODY_TOP:               # closes the title tab off from the body
        return TAB_SEPARATOR
    if y in (TOP_BAND_LINE, BOTTOM_BAND_LINE):
        return BAND_LINE
    if TOP_BAND_LINE < y < BOTTOM_BAND_LINE:
        return WHITE
    return BAND


def draw_face():
    spans = region_spans()
    pic = canvas(FACE_W, FACE_H, OUTSIDE)
    for y, (left, right) in spans.items():
        for x in range(left, right):
            pic[y][x] = face_row_colour(y)
    for y, (left, right) in spans.items():
        for x in range(left, right):
            if any(not inside_region(spans, x + dx, y + dy)
                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                pic[y][x] = OUTLINE
    return pic


def draw_title_button(glyph):
    """20 x 17 rounded button whose corners show the title gradient behind it."""
    w, h = 20, 17
    pic = [[title_colour(TITLE_BUTTON_Y + y)] * w for y in range(h)]
    border = (96, 122, 152)
    left, top, right, bottom = 1, 0, w - 2, h - 1
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            corner = (x in (left, right)) and (y in (top, bottom))
            if corner:
                pic[y][x] = mix(pic[y][x], border, 0.45)
            elif x in (left, right) or y in (top, bottom):
                pic[y][x] = border
            else:
                t = (y - top - 1) / (bottom - top - 2)
                pic[y][x] = mix((250, 252, 254), (214, 225, 238), t)
    # inner corner pixels soften the rounding
    for x, y in ((left + 1, top + 1), (right - 1, top + 1),
                 (left + 1, bottom - 1), (right - 1, bottom - 1)):
        pic[y][x] = mix(pic[y][x], border, 0.35)
    ink = (32, 42, 58)
    for x, y in glyph:
        pic[y][x] = ink
    return pic


def minimise_glyph():
    return [(x, y) for x in range(6, 14) for y in (11, 12)]


def close_glyph():
    points = []
    for i in range(7):
        y = 5 + i
        points += [(6 + i, y), (7 + i, y), (13 - i, y), (12 - i, y)]
    return points


# ---------------------------------------------------------------------------
# Aircraft motif: title icon and program icon.

AIRCRAFT_16 = [
    ".......oo.......",
    "......owbo......",
    "......olbo......",
    "......olbo......",
    ".....oolboo.....",
    "...oolllbbboo...",
    ".oolllllbbbbboo.",
    "olllllllbbbbbbbo",
    "ooooooolbooooooo",
    "......olbo......",
    "......olbo......",
    "......olbo......",
    "....oollbboo....",
    "...ollllbbbbo...",
    "...oooooooooo...",
    "................",
]

AIRCRAFT_COLOURS = {
    'o': (22, 52, 112),
    'l': (122, 176, 240),
    'b': (50, 108, 200),
    'w': (222, 236, 255),
}


def aircraft_16():
    legend = dict(AIRCRAFT_COLOURS)
    legend['.'] = None
    return from_map(AIRCRAFT_16, legend)


AIRCRAFT_OUTLINE = mirrored([
    (0.500, 0.030), (0.548, 0.075), (0.568, 0.150), (0.568, 0.290),
    (0.970, 0.475), (0.970, 0.560), (0.568, 0.545), (0.568, 0.760),
    (0.800, 0.860), (0.800, 0.935), (0.545, 0.915), (0.500, 0.965),
])
COCKPIT = mirrored([(0.500, 0.085), (0.530, 0.120), (0.535, 0.165),
                    (0.500, 0.180)])


def aircraft_shader(size):
    line = 1.15 / size   # outline about one pixel wide at any size

    def shade(u, v):
        if not point_in_polygon(u, v, AIRCRAFT_OUTLINE):
            return None
        if edge_distance(u, v, AIRCRAFT_OUTLINE) < line:
            return AIRCRAFT_COLOURS['o']
        if point_in_polygon(u, v, COCKPIT):
            return AIRCRAFT_COLOURS['w']
        return AIRCRAFT_COLOURS['l'] if u < 0.5 else AIRCRAFT_COLOURS['b']
    return shade


def program_icon_images():
    small = [[(0, 0, 0, 0) if c is None else c + (255,) for c in row]
             for row in aircraft_16()]
    images = [icon_image_rgba(small)]
    for size in (32, 48):
        images.append(icon_image_rgba(supersample(size, aircraft_shader(size))))
    return images


def title_icon_image():
    pixels = [[BLACK if c is None else c for c in row] for row in aircraft_16()]
    indices, palette = index_pixels(pixels, first=[BLACK])
    return icon_image_indexed(indices, palette)


# ---------------------------------------------------------------------------
# Link icons.

def globe_16():
    """Pixel-aligned globe: 1 px grid lines stay sharp where a supersampled
    one would smear them."""
    disc = [[ch != '.' for ch in row] for row in ABOUT_16]
    rim = (24, 64, 128)
    pic = canvas(16, 16, (0, 0, 0, 0))
    meridians = {}
    for y in range(16):
        half = 4.2 * max(0.0, 1 - ((y - 7) / 7.6) ** 2) ** 0.5
        meridians[y] = {7, int(round(7 - half)), int(round(7 + half))}
    for y in range(16):
        for x in range(16):
            if not disc[y][x]:
                continue
            edge = any(not (0 <= x + dx < 16 and 0 <= y + dy < 16)
                       or not disc[y + dy][x + dx]
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            u, v = (x - 7.5) / 7.5, (y - 7.5) / 7.5
            shade = (u + v + 2) / 4          # lit from the upper left
            land = ((u + 0.38) ** 2 / 0.1 + (v + 0.3) ** 2 / 0.16 < 1
                    or (u - 0.42) ** 2 / 0.08 + (v - 0.38) ** 2 / 0.07 < 1)
            if edge:
                c = rim
            elif y in (3, 7, 11) or x in meridians[y]:
                c = mix((236, 246, 255), (170, 200, 232), shade)
            elif land:
                c = mix((132, 206, 118), (44, 124, 54), shade)
            else:
                c = mix((124, 186, 246), (32, 92, 184), shade)
            pic[y][x] = c + (255,)
    # half-covered pixels in the stair steps round the rim off
    for y in range(16):
        for x in range(16):
            if disc[y][x]:
                continue
            near = sum(0 <= x + dx < 16 and 0 <= y + dy < 16
                       and disc[y + dy][x + dx]
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if near >= 2:
                pic[y][x] = rim + (96,)
    return pic


ABOUT_16 = [
    ".....oooooo.....",
    "...ooLLLLLLoo...",
    "..oLLLLwwLLLLo..",
    ".oLLLLwwwwLLLLo.",
    ".oLLLLwwwwLLLLo.",
    "oLLLLLLwwLLLLLLo",
    "oMMMMMMMMMMMMMMo",
    "oMMMMMwwwwMMMMMo",
    "oMMMMMMwwwMMMMMo",
    "oDDDDDDwwwDDDDDo",
    "oDDDDDDwwwDDDDDo",
    ".oDDDDDwwwDDDDo.",
    ".oDDDDwwwwwDDDo.",
    "..oDDDDDDDDDDo..",
    "...ooDDDDDDoo...",
    ".....oooooo.....",
]


def about_image():
    legend = {'.': BLACK, 'o': (20, 56, 120), 'L': (96, 158, 232),
              'M': (62, 126, 214), 'D': (38, 96, 188), 'w': WHITE}
    indices, palette = index_pixels(from_map(ABOUT_16, legend), first=[BLACK])
    return icon_image_indexed(indices, palette)


# ---------------------------------------------------------------------------
# Button glyphs (16 x 16 on magenta).

GLYPH_COLOURS = {
    '.': MAGENTA,
    'k': (56, 60, 68),
    'w': (255, 255, 255),
    'g': (168, 172, 180),
    'G': (92, 100, 112),
    'b': (176, 214, 246),
    'B': (236, 246, 255),
    'h': (104, 64, 28),
    'H': (164, 112, 60),
    'y': (250, 204, 64),
    'Y': (255, 234, 150),
    'o': (212, 150, 24),
    'p': (232, 128, 150),
    's': (150, 156, 166),
    'e': (232, 196, 146),
    'n': (40, 40, 48),
    'c': (74, 134, 206),
    'C': (150, 196, 240),
    'd': (36, 84, 150),
    'f': (150, 100, 56),
    'F': (112, 72, 36),
    'l': (255, 238, 160),
    'a': (40, 168, 60),
    'A': (20, 112, 36),
}

SHEET = [
    ".kkkkkkk........",
    ".kwwwwwkk.......",
    ".kwgggwkwk......",
    ".kwwwwwkkkk.....",
    ".kwggggggwk.....",
    ".kwwwwwwwwk.....",
    ".kwgggggggk.....",
    ".kwwwwwwwwk.....",
    ".kwggggggwk.....",
    ".kwwwwwwwwk.....",
    ".kwgggggggk.....",
    ".kwwwwwwwwk.....",
    ".kwggggwwwk.....",
    ".kwwwwwwwwk.....",
    ".kkkkkkkkkk.....",
    "................",
]

LENS = [
    ".........kkk....",
    "........kbBbk...",
    ".......kbBbbbk..",
    ".......kbGGGbk..",
    ".......kbbbbbk..",
    "........kbbbk...",
    ".........kkkHh..",
    ".............Hh.",
    "..............Hh",
]


def glyph_get():
    pic = from_map(SHEET, GLYPH_COLOURS)
    overlay(pic, LENS, GLYPH_COLOURS, 0, 6)
    return pic


def pencil_at(t, d):
    """Pencil lying on the diagonal x + y = 15: t runs along it from the tip
    (-11) to the end cap (13), d across it (-2..2)."""
    if abs(d) > 2 or not -11 <= t <= 13:
        return None
    if t == -11:
        return 'n' if d == 0 else None
    if t == -10:
        return 'n' if abs(d) == 1 else None
    if abs(d) == 2 or t == 13:
        return 'k'
    if t <= -7:
        return 'e'                       # sharpened wood
    if t <= 7:
        return {-1: 'Y', 0: 'y', 1: 'o'}[d]
    return 's' if t <= 9 else 'p'        # ferrule, eraser


def glyph_set():
    pic = from_map(SHEET, GLYPH_COLOURS)
    for y in range(16):
        for x in range(16):
            ch = pencil_at(x - y, x + y - 15)
            if ch:
                pic[y][x] = GLYPH_COLOURS[ch]
    return pic


SEARCH = [
    "..kkkkk.........",
    ".kCCCCk.........",
    "kkkkkdk.........",
    "kccckdk.........",
    "kccckdk.........",
    "kccckk..........",
    "kkkkk...........",
    "..s.............",
    "..s.............",
    "..s.....kkkkk...",
    "..s....kCCCCk...",
    "..s...kkkkkdk...",
    "..s...kccckdk...",
    "..sssskccckdk...",
    "......kccckk....",
    "......kkkkk.....",
]

SEARCH_LENS = [
    "..kkk....",
    ".kbBbk...",
    "kbBbbbk..",
    "kbbbbbk..",
    "kbbbbbk..",
    ".kbbbk...",
    "..kkkHh..",
    "......Hh.",
    ".......Hh",
]


def glyph_search():
    pic = from_map(SEARCH, GLYPH_COLOURS)
    overlay(pic, SEARCH_LENS, GLYPH_COLOURS, 7, 0)
    return pic


EXIT_DOOR = [
    ".kkkkkkkkkk.....",
    ".kkkllllllk.....",
    ".kffkkllllk.....",
    ".kffffklllk.....",
    ".kfFFfklllk.a...",
    ".kfFFfklllk.aa..",
    ".kfFFfkaaaaaaaa.",
    ".kfFFYkaaaaaaaaa",
    ".kfFFfkAAAAAAAA.",
    ".kfFFfklllk.AA..",
    ".kfFFfklllk.A...",
    ".kffffklllk.....",
    ".kffkkllllk.....",
    ".kkkllllllk.....",
    ".kkkkkkkkkk.....",
    "................",
]


def glyph_exit():
    return from_map(EXIT_DOOR, GLYPH_COLOURS)


# ---------------------------------------------------------------------------
# Small light aircraft, 8 bpp on black.

LIGHT_AIRCRAFT = [
    "................",
    "......kkkk......",
    ".......rr.......",
    "......owwo......",
    ".oooooobboooooo.",
    "owwwwwwwwwwwwwwo",
    "orrwwwwwwwwwwrro",
    ".oooooowwoooooo.",
    "......owwo......",
    "......owwo......",
    "......owwo......",
    "......owwo......",
    "....oowwwwoo....",
    "....orwwwwro....",
    "....oooooooo....",
    "................",
]


def light_aircraft():
    legend = {'.': BLACK, 'o': (70, 78, 92), 'w': (236, 238, 242),
              'r': (208, 44, 44), 'k': (110, 110, 118), 'b': (84, 150, 220)}
    return index_pixels(from_map(LIGHT_AIRCRAFT, legend), first=[BLACK])


# ---------------------------------------------------------------------------
# Edit-box buttons, 4 bpp.

EDIT_OPEN = [
    ".......kkk...",
    "......k...k.k",
    ".....k.....kk",
    ".kkkk.....kkk",
    "kwyyyk.......",
    "kyyyyykkkkk..",
    "kyokkkkkkkkkk",
    "kykwwwwwwwwk.",
    "kykyyyyyyyyk.",
    "kkyyyyyyyyk..",
    "kkkkkkkkkk...",
    ".............",
]

ED_FOLDER = [
    ".kkkk........",
    "kwyyyk.......",
    "kyyyyykkkkkk.",
    "kwwwwwwwwwwwk",
    "kwyyyyyyyyyok",
    "kwyyyyyyyyyok",
    "kwyyyyyyyyyok",
    "kwyyyyyyyyyok",
    "kyooooooooook",
    "kkkkkkkkkkkkk",
    ".............",
]

VGA_LEGEND = {'.': 13, 'k': 0, 'y': 11, 'o': 3, 'w': 15, 'g': 8}


def vga_map(rows):
    return [[VGA_LEGEND[ch] for ch in row] for row in rows]


# ---------------------------------------------------------------------------

def outputs():
    """File name -> bytes for every resource."""
    fs_indices, fs_palette = light_aircraft()
    return {
        'face.bmp': bmp_bytes(draw_face(), 24),
        'title_icon.ico': ico_bytes([title_icon_image()]),
        'minimise.bmp': bmp_bytes(draw_title_button(minimise_glyph()), 24),
        'close.bmp': bmp_bytes(draw_title_button(close_glyph()), 24),
        'web.ico': ico_bytes([icon_image_rgba(globe_16())]),
        'about.ico': ico_bytes([about_image()]),
        'glyph_get.bmp': bmp_bytes(glyph_get(), 24),
        'glyph_set.bmp': bmp_bytes(glyph_set(), 24),
        'glyph_search.bmp': bmp_bytes(glyph_search(), 24),
        'glyph_exit.bmp': bmp_bytes(glyph_exit(), 24),
        'glyph_fs2004.bmp': bmp_bytes(fs_indices, 8, fs_palette),
        'edit_button.bmp': bmp_bytes(vga_map(EDIT_OPEN), 4, VGA16),
        'edfolder.bmp': bmp_bytes(vga_map(ED_FOLDER), 4, VGA16),
        'ostrimark.ico': ico_bytes(program_icon_images()),
    }


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = argv[1] if len(argv) > 1 else os.path.join(here, '..', 'resources')
    os.makedirs(out_dir, exist_ok=True)
    for name, data in outputs().items():
        with open(os.path.join(out_dir, name), 'wb') as f:
            f.write(data)
        print(f'{name:18} {len(data):7} bytes')


if __name__ == '__main__':
    main(sys.argv)
