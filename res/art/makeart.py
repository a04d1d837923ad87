#!/usr/bin/env python3
"""Draws the program's own pictures and writes them as Windows files.

Every picture is drawn here from a few shapes on a character grid, so the
repository holds them as text: the window and tray icons (1-4), the pane
image strips (bitmaps 1, 2, 3), the toolbar strip (bitmap 100, 20x20
cells on the system face colour) and the banner GIF of the language
modules. Usage: makeart.py OUTPUT_DIR
"""
import os
import struct
import sys

# Palette letters. The toolbar maps black, dark grey, light grey and white to
# the system text, shadow, face and highlight colours, so those four are
# exact.
COLOURS = {
    '.': None,  # transparent (the face colour in bitmaps)
    'k': (0, 0, 0), 'd': (128, 128, 128), 'l': (192, 192, 192), 'w': (255, 255, 255),
    'b': (0, 64, 160), 'c': (70, 150, 230), 'y': (240, 200, 40), 'o': (230, 120, 20),
    'r': (200, 30, 30), 'g': (30, 150, 60), 'p': (120, 60, 160), 'n': (150, 100, 50),
}


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [['.'] * w for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):  # inclusive, filled
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.put(x, y0, c)
            self.put(x, y1, c)
        for y in range(y0, y1 + 1):
            self.put(x0, y, c)
            self.put(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def disc(self, cx, cy, r, c):
        for y in range(self.h):
            for x in range(self.w):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.put(x, y, c)

    def blit(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                if other.px[y][x] != '.':
                    self.put(ox + x, oy + y, other.px[y][x])


# --- pictures, drawn on a 16x16 grid unless said otherwise ---------------

def page(fold='l', ink='b'):
    c = Canvas(16, 16)
    c.rect(3, 1, 12, 14, 'w')
    c.frame(3, 1, 12, 14, 'k')
    c.rect(10, 1, 12, 3, fold)
    c.line(10, 1, 12, 3, 'k')
    for y in (5, 7, 9, 11):
        c.line(5, y, 10, y, ink)
    return c


def folder(open_=False):
    c = Canvas(16, 16)
    c.rect(1, 3, 6, 4, 'y')
    c.frame(1, 3, 6, 4, 'n')
    c.rect(1, 5, 14, 13, 'y')
    c.frame(1, 5, 14, 13, 'n')
    if open_:
        c.rect(3, 8, 15, 13, 'o')
        c.frame(3, 8, 15, 13, 'n')
    return c


def envelope():
    c = Canvas(16, 16)
    c.rect(1, 4, 14, 12, 'w')
    c.frame(1, 4, 14, 12, 'k')
    c.line(1, 4, 8, 9, 'k')
    c.line(14, 4, 8, 9, 'k')
    return c


def eye():
    c = Canvas(16, 16)
    c.line(1, 8, 5, 4, 'k'); c.line(5, 4, 10, 4, 'k'); c.line(10, 4, 14, 8, 'k')
    c.line(1, 8, 5, 12, 'k'); c.line(5, 12, 10, 12, 'k'); c.line(10, 12, 14, 8, 'k')
    c.disc(7.5, 8, 2.5, 'b')
    c.put(7, 7, 'w')
    return c


def star(colour='r'):
    c = Canvas(16, 16)
    c.disc(7.5, 7.5, 3, colour)
    for a, b in ((7, 1), (7, 14), (1, 7), (14, 7)):
        c.line(7, 7, a, b, colour)
    return c


def clock():
    c = Canvas(16, 16)
    c.disc(7.5, 7.5, 6.5, 'k')
    c.disc(7.5, 7.5, 5.5, 'w')
    c.line(7, 7, 7, 3, 'k')
    c.line(7, 7, 10, 9, 'r')
    return c


def tick(colour='g'):
    c = Canvas(16, 16)
    c.line(2, 8, 6, 12, colour); c.line(3, 8, 6, 11, colour)
    c.line(6, 12, 13, 3, colour); c.line(6, 11, 13, 2, colour)
    return c


def cross():
    c = Canvas(16, 16)
    c.line(3, 3, 12, 12, 'r'); c.line(4, 3, 12, 11, 'r')
    c.line(12, 3, 3, 12, 'r'); c.line(11, 3, 3, 11, 'r')
    return c


def arrow(down=True, colour='g'):
    c = Canvas(16, 16)
    if down:
        c.rect(6, 2, 9, 8, colour)
        for i in range(5):
            c.line(3 + i, 9 + i, 12 - i, 9 + i, colour)
    else:
        c.rect(6, 7, 9, 13, colour)
        for i in range(5):
            c.line(3 + i, 6 - i, 12 - i, 6 - i, colour)
    return c


def lock():
    c = Canvas(16, 16)
    c.frame(5, 2, 10, 8, 'd')
    c.rect(3, 7, 12, 14, 'y')
    c.frame(3, 7, 12, 14, 'n')
    c.rect(7, 9, 8, 12, 'k')
    return c


def paragraph():
    c = Canvas(16, 16)
    for y, x1 in ((3, 13), (6, 11), (9, 13), (12, 8)):
        c.line(2, y, x1, y, 'k')
    c.rect(1, 2, 1, 12, 'r')
    return c


def link():
    c = Canvas(16, 16)
    c.frame(1, 6, 8, 10, 'b')
    c.frame(7, 5, 14, 9, 'c')
    return c


def magnifier():
    c = Canvas(16, 16)
    c.disc(6, 6, 4.5, 'k'); c.disc(6, 6, 3.5, 'c')
    c.line(9, 9, 14, 14, 'k'); c.line(10, 9, 14, 13, 'k')
    return c


def globe():
    c = Canvas(16, 16)
    c.disc(7.5, 7.5, 6.5, 'b'); c.disc(7.5, 7.5, 5.5, 'c')
    c.line(7, 1, 7, 14, 'b'); c.line(1, 7, 14, 7, 'b')
    c.line(4, 2, 4, 13, 'b'); c.line(11, 2, 11, 13, 'b')
    return c


def busy():
    c = page()
    c.blit(arrow(True, 'g'), 4, 3)
    return c


def comparing():
    c = page()
    c.disc(10, 10, 3.5, 'k'); c.disc(10, 10, 2.5, 'c')
    c.line(12, 12, 15, 15, 'k')
    return c


def news():
    c = page(fold='r')
    c.disc(11.5, 11.5, 3.5, 'r')
    c.disc(11.5, 11.5, 1.5, 'y')
    return c


def failed():
    c = page(ink='l')
    c.blit(cross(), 0, 0)
    return c


def off_mark():
    c = Canvas(16, 16)
    c.disc(7.5, 7.5, 5.5, 'd')
    c.disc(7.5, 7.5, 4, 'w')
    c.line(4, 11, 11, 4, 'd'); c.line(4, 10, 10, 4, 'd')
    return c


def switched_off():
    c = page(fold='l', ink='l')
    c.blit(off_mark(), 0, 0)
    return c


def check_mark():
    c = Canvas(16, 16)
    c.disc(7.5, 7.5, 6.5, 'g')
    c.blit(tick('w'), 0, 0)
    return c


def watcher(blink=False, size=16):
    """The program's mark: a page with an eye; the blink frame lights it up."""
    c = Canvas(16, 16)
    c.blit(page(fold='y', ink='d'), 0, 0)
    e = eye()
    if blink:
        for y in range(16):
            for x in range(16):
                if e.px[y][x] == 'b':
                    e.px[y][x] = 'r'
        c.rect(0, 0, 2, 2, 'o')
        c.rect(13, 13, 15, 15, 'o')
    c.blit(e, 1, 4)
    return scaled(c, size // 16)


def scaled(c, k):
    if k == 1:
        return c
    out = Canvas(c.w * k, c.h * k)
    for y in range(out.h):
        for x in range(out.w):
            out.px[y][x] = c.px[y // k][x // k]
    return out


def strip(pictures, cell):
    out = Canvas(cell * len(pictures), cell)
    for i, p in enumerate(pictures):
        if p is not None:
            out.blit(p, i * cell + (cell - p.w) // 2, (cell - p.h) // 2)
    return out


# --- file writers --------------------------------------------------------

def palette_of(canvas, transparent):
    letters = sorted({ch for row in canvas.px for ch in row} - {'.'})
    pal = [transparent] + [COLOURS[ch] for ch in letters]
    index = {'.': 0}
    for i, ch in enumerate(letters):
        index[ch] = i + 1
    return pal, index


def bmp8(canvas, transparent):
    """An 8-bit DIB; '.' becomes `transparent` (palette entry 0)."""
    pal, index = palette_of(canvas, transparent)
    pal += [(0, 0, 0)] * (256 - len(pal))
    stride = (canvas.w + 3) & ~3
    rows = b''.join(bytes(index[ch] for ch in canvas.px[y]) + b'\0' * (stride - canvas.w)
                    for y in range(canvas.h - 1, -1, -1))
    colours = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in pal)
    info = struct.pack('<IiiHHIIiiII', 40, canvas.w, canvas.h, 1, 8, 0, len(rows), 2835, 2835, 256, 0)
    offset = 14 + len(info) + len(colours)
    head = struct.pack('<2sIHHI', b'BM', offset + len(rows), 0, 0, offset)
    return head + info + colours + rows


def ico(canvases):
    """A 32-bit icon with an AND mask, one image per canvas."""
    images = []
    for c in canvases:
        xor = b''
        for y in range(c.h - 1, -1, -1):
            for ch in c.px[y]:
                rgb = COLOURS[ch]
                xor += struct.pack('<BBBB', rgb[2], rgb[1], rgb[0], 255) if rgb else b'\0\0\0\0'
        mask_stride = ((c.w + 31) // 32) * 4
        mask = b''
        for y in range(c.h - 1, -1, -1):
            bits = bytearray(mask_stride)
            for x, ch in enumerate(c.px[y]):
                if ch == '.':
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bytes(bits)
        info = struct.pack('<IiiHHIIiiII', 40, c.w, c.h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((c, info + xor + mask))
    head = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, data = b'', b''
    for c, blob in images:
        entries += struct.pack('<BBBBHHII', c.w % 256, c.h % 256, 0, 0, 1, 32, len(blob), offset + len(data))
        data += blob
    return head + entries + data


def gif(canvas, background):
    """A GIF87a with the LZW stream kept simple: 8-bit codes, a clear code
    before the table would grow to the next code width."""
    pal, index = palette_of(canvas, background)
    pal += [(0, 0, 0)] * (256 - len(pal))
    pixels = [index[ch] for row in canvas.px for ch in row]
    clear, end, width = 256, 257, 9
    codes, run = [clear], 0
    for p in pixels:
        codes.append(p)
        run += 1
        if run == 254:  # the decoder's table reaches 511 entries: start over
            codes.append(clear)
            run = 0
    codes.append(end)
    bits, nbits, out = 0, 0, bytearray()
    for code in codes:
        bits |= code << nbits
        nbits += width
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
    if nbits:
        out.append(bits & 0xFF)
    blocks = b''.join(bytes([len(out[i:i + 255])]) + bytes(out[i:i + 255]) for i in range(0, len(out), 255))
    head = b'GIF87a' + struct.pack('<HHBBB', canvas.w, canvas.h, 0xF7, 0, 0)
    colours = b''.join(bytes(rgb) for rgb in pal)
    image = b',' + struct.pack('<HHHHB', 0, 0, canvas.w, canvas.h, 0) + bytes([8]) + blocks + b'\0'
    return head + colours + image + b';'


def banner():
    """The banner the toolbar shows at its right end: the mark and a wave."""
    c = Canvas(64, 20)
    c.blit(watcher(), 2, 2)
    for x in range(22, 62):
        y = 10 + round(4 * __import__('math').sin((x - 22) / 4.0))
        c.rect(x, y - 1, x, y, 'b')
    return c


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    face = COLOURS['l']
    files = {
        'ovisto1.ico': ico([watcher(size=32), watcher()]),
        'ovisto2.ico': ico([watcher()]),
        'ovisto3.ico': ico([watcher()]),
        'ovisto4.ico': ico([watcher(blink=True)]),
        # Item pane, by the index rules of the panes: 0 folder, 1 busy, 2 idle,
        # 3 mailbox, 4 comparing, 5 idle with news, 8 failed, 9 switched off.
        'items.bmp': bmp8(strip([folder(), busy(), page(), envelope(), comparing(), news(),
                                 None, None, failed(), switched_off()], 16), (255, 0, 255)),
        # Folder states, same indices: the folder's own picture stays beside.
        'itemstates.bmp': bmp8(strip([None, clock(), tick(), None, magnifier(), star(), None, None,
                                      cross(), off_mark()], 16), (255, 0, 255)),
        # Result pane: 1 check, 2 change, 3 change with a link, 4 message.
        'results.bmp': bmp8(strip([None, check_mark(), paragraph(), link(), envelope()], 16),
                            (255, 0, 255)),
        # Toolbar cells: 0 new page, 1 import, 2 export, 3 mark seen,
        # 7 properties, 12 open page, 14 check now; the rest reserved.
        'toolbar.bmp': bmp8(strip([page(), arrow(True), arrow(False, 'b'), tick(), cross(), folder(),
                                   envelope(), paragraph(), None, None, magnifier(), lock(), globe(),
                                   None, clock()], 20), face),
        'banner.gif': gif(banner(), face),
    }
    for name, data in files.items():
        path = os.path.join(out_dir, name)
        # Unchanged files keep their time, so nothing rebuilds needlessly.
        if os.path.exists(path) and open(path, 'rb').read() == data:
            continue
        with open(path, 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main(sys.argv[1])
