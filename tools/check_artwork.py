#!/usr/bin/env python3
"""Reads the committed artwork back and checks what the window code relies on:
file layouts, exact sizes, transparent key colours, and the parts of the face
that controls are painted over.

    python3 tools/check_artwork.py [--masked OUT.bmp]

--masked writes the face with everything outside the window outline replaced
by a checkerboard, for eyeballing the outline. Exit status 1 on any fault.
"""

import os
import struct
import sys

sys.dont_write_bytecode = True      # keep tools/ free of __pycache__
import make_artwork as art  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
RES = os.path.join(HERE, '..', 'resources')

faults = []


def fault(name, message):
    faults.append(f'{name}: {message}')


class Bitmap:
    """A decoded BITMAPINFOHEADER image; pixel(x, y) is top-down RGB."""

    def __init__(self, data, offset, pixel_offset=None, icon=False):
        (self.header_size, self.width, self.height, self.planes, self.bpp,
         self.compression, self.image_size, _, _, self.colours,
         _) = struct.unpack_from('<IiiHHIIiiII', data, offset)
        self.rows = self.height // 2 if icon else self.height
        entries = self.colours or (1 << self.bpp if self.bpp <= 8 else 0)
        pal_at = offset + self.header_size
        self.palette = [tuple(data[pal_at + 4 * i + k] for k in (2, 1, 0))
                        for i in range(entries)]
        self.bits_at = pixel_offset if pixel_offset is not None else pal_at + 4 * entries
        self.stride = (self.width * self.bpp + 31) // 32 * 4
        self.mask_at = self.bits_at + self.stride * self.rows
        self.mask_stride = (self.width + 31) // 32 * 4
        self.data = data

    def _row(self, y):
        return self.bits_at + (self.rows - 1 - y) * self.stride

    def index(self, x, y):
        at = self._row(y)
        if self.bpp == 8:
            return self.data[at + x]
        byte = self.data[at + x // 2]
        return byte >> 4 if x % 2 == 0 else byte & 15

    def pixel(self, x, y):
        if self.bpp <= 8:
            return self.palette[self.index(x, y)]
        at = self._row(y) + x * (self.bpp // 8)
        return tuple(self.data[at + k] for k in (2, 1, 0))

    def alpha(self, x, y):
        return self.data[self._row(y) + x * 4 + 3]

    def masked(self, x, y):
        at = self.mask_at + (self.rows - 1 - y) * self.mask_stride
        return bool(self.data[at + x // 8] & (0x80 >> (x % 8)))


def expected_bmp_size(width, height, bpp):
    palette = 4 << bpp if bpp <= 8 else 0
    return 54 + palette + (width * bpp + 31) // 32 * 4 * height


def read_bmp(name, width, height, bpp):
    data = open(os.path.join(RES, name), 'rb').read()
    magic, size, _, _, offset = struct.unpack_from('<2sIHHI', data, 0)
    bmp = Bitmap(data, 14, offset)
    want = expected_bmp_size(width, height, bpp)
    if magic != b'BM' or size != len(data):
        fault(name, 'bad file header')
    if (bmp.header_size, bmp.width, bmp.height, bmp.bpp, bmp.compression,
            bmp.planes) != (40, width, height, bpp, 0, 1):
        fault(name, f'header says {bmp.width}x{bmp.height} {bmp.bpp} bpp, '
                    f'compression {bmp.compression}')
    if len(data) != want:
        fault(name, f'{len(data)} bytes, expected {want}')
    if offset + bmp.stride * height != len(data):
        fault(name, 'pixel data does not end the file')
    print(f'{name:18} {len(data):7} bytes  {width}x{height} {bpp} bpp')
    return bmp


def read_ico(name, sizes, bpp):
    data = open(os.path.join(RES, name), 'rb').read()
    reserved, kind, count = struct.unpack_from('<HHH', data, 0)
    if (reserved, kind, count) != (0, 1, len(sizes)):
        fault(name, f'directory says type {kind}, {count} images')
        return []
    images = []
    end = 6 + 16 * count
    for i, size in enumerate(sizes):
        w, h, ncol, _, planes, bits, length, offset = struct.unpack_from(
            '<BBBBHHII', data, 6 + 16 * i)
        if (w, h, ncol, planes, bits) != (size, size, 0, 1, bpp):
            fault(name, f'entry {i}: {w}x{h} {bits} bpp, {ncol} colours')
        if offset != end or offset + length > len(data):
            fault(name, f'entry {i} lies outside the file or overlaps')
        end = offset + length
        img = Bitmap(data, offset, icon=True)
        palette = 1024 if bpp <= 8 else 0
        xor = img.stride * size
        want = 40 + palette + xor + img.mask_stride * size
        if (img.width, img.height, img.bpp, img.compression) != (size, 2 * size, bpp, 0):
            fault(name, f'image {i} header {img.width}x{img.height} {img.bpp} bpp')
        if length != want:
            fault(name, f'image {i} is {length} bytes, expected {want}')
        images.append(img)
    if end != len(data):
        fault(name, 'trailing bytes')
    print(f'{name:18} {len(data):7} bytes  '
          + ', '.join(f'{s}x{s}' for s in sizes) + f' {bpp} bpp')
    return images


def check_icon_transparency(name, img, bpp):
    size = img.width
    clear = 0
    for y in range(size):
        for x in range(size):
            hidden = img.masked(x, y)
            clear += hidden
            if bpp == 32:
                a = img.alpha(x, y)
                if hidden != (a == 0):
                    fault(name, f'mask and alpha disagree at {x},{y}')
                    return
                if a == 0 and img.pixel(x, y) != (0, 0, 0):
                    fault(name, f'clear pixel {x},{y} is not black')
                    return
            elif hidden and img.pixel(x, y) != (0, 0, 0):
                # the XOR pass would tint the background
                fault(name, f'masked pixel {x},{y} is not black')
                return
    if clear == 0 or clear == size * size:
        fault(name, f'{size}x{size} image has no transparent/opaque split')


def check_key_colour(name, bmp, key):
    if bmp.pixel(0, bmp.height - 1) != key:
        fault(name, f'bottom-left pixel is {bmp.pixel(0, bmp.height - 1)}, not {key}')
    used = {bmp.pixel(x, y) for y in range(bmp.height) for x in range(bmp.width)}
    if len(used - {key}) < 3:
        fault(name, 'hardly anything drawn')


def check_face(face):
    name = 'face.bmp'
    spans = art.region_spans()
    for y in range(face.height):
        for x in range(face.width):
            if not art.inside_region(spans, x, y):
                continue
            edge = any(not art.inside_region(spans, x + dx, y + dy)
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if edge and face.pixel(x, y) != art.OUTLINE:
                fault(name, f'edge pixel {x},{y} is not the outline colour')
                return
            if not edge and face.pixel(x, y) == art.OUTLINE:
                fault(name, f'outline colour inside the window at {x},{y}')
                return
            if y >= art.BODY_BOTTOM and not edge and face.pixel(x, y) != art.LOWER_TAB:
                fault(name, f'lower tab not solid at {x},{y}')
                return
    for y in range(45, 385):
        for x in range(60, 541):
            if face.pixel(x, y) != (255, 255, 255):
                fault(name, f'{x},{y} under the controls is not white')
                return
    # title text, icon and buttons sit on the gradient: it must be plain
    for y in range(10, 28):
        row = {face.pixel(x, y) for x in range(24, 487)}
        if len(row) != 1:
            fault(name, f'title row {y} is not plain')
            return
    print(f'{"":18} outline, white area, title rows and lower tab as required')


def check_title_button(name, button, face, left):
    # columns 0 and 19 are background; they must match the face exactly
    for y in range(button.height):
        for x in (0, button.width - 1):
            if button.pixel(x, y) != face.pixel(left + x, art.TITLE_BUTTON_Y + y):
                fault(name, f'background at {x},{y} does not match the title tab')
                return
    ink = button.pixel(9, 11) if name == 'minimise.bmp' else button.pixel(9, 8)
    if sum(ink) > 200:
        fault(name, 'glyph is not dark')


def check_generator_matches():
    fresh = art.outputs()
    if fresh != art.outputs():
        fault('make_artwork.py', 'output is not deterministic')
    for file_name, data in fresh.items():
        with open(os.path.join(RES, file_name), 'rb') as f:
            if f.read() != data:
                fault(file_name, 'differs from what make_artwork.py writes now')


def write_masked(face, path):
    spans = art.region_spans()
    pic = []
    for y in range(face.height):
        row = []
        for x in range(face.width):
            if art.inside_region(spans, x, y):
                row.append(face.pixel(x, y))
            else:
                row.append((255, 255, 255) if (x // 4 + y // 4) % 2 else (204, 0, 204))
        pic.append(row)
    with open(path, 'wb') as f:
        f.write(art.bmp_bytes(pic, 24))


def main(argv):
    face = read_bmp('face.bmp', 600, 447, 24)
    check_face(face)

    for name, left in (('minimise.bmp', 442), ('close.bmp', 466)):
        check_title_button(name, read_bmp(name, 20, 17, 24), face, left)

    for name in ('glyph_get.bmp', 'glyph_set.bmp', 'glyph_search.bmp', 'glyph_exit.bmp'):
        bmp = read_bmp(name, 16, 16, 24)
        if os.path.getsize(os.path.join(RES, name)) != 822:
            fault(name, 'must be 822 bytes')
        check_key_colour(name, bmp, art.MAGENTA)

    bmp = read_bmp('glyph_fs2004.bmp', 16, 16, 8)
    if os.path.getsize(os.path.join(RES, 'glyph_fs2004.bmp')) != 1334:
        fault('glyph_fs2004.bmp', 'must be 1334 bytes')
    check_key_colour('glyph_fs2004.bmp', bmp, art.BLACK)

    for name, h in (('edit_button.bmp', 12), ('edfolder.bmp', 11)):
        bmp = read_bmp(name, 13, h, 4)
        if bmp.palette != art.VGA16:
            fault(name, 'palette is not the standard 16 colours')
        check_key_colour(name, bmp, art.MAGENTA)

    for name, sizes, bpp in (('title_icon.ico', [16], 8), ('about.ico', [16], 8),
                             ('web.ico', [16], 32),
                             ('ostrimark.ico', [16, 32, 48], 32)):
        for img in read_ico(name, sizes, bpp):
            check_icon_transparency(name, img, bpp)

    check_generator_matches()

    if '--masked' in argv:
        write_masked(face, argv[argv.index('--masked') + 1])

    for f in faults:
        print('FAULT', f)
    print('ok' if not faults else f'{len(faults)} fault(s)')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
