#!/usr/bin/env python3
"""Makes the program's seven bitmap fonts (resources/fonts/*.ttf).

The files hold BDF text; FreeType and fontconfig recognise the format by the
content, so they keep the names the programs add from the ini folder.  Every
font is a fixed cell; byte b of a text is glyph b (the charset is declared as
ISO8859-1, so FreeType's Unicode charmap maps code point b to the glyph
encoded b, which is what the drawing layer asks for).

Letters come from the public-domain X11 "misc-fixed" fonts of Debian's
xfonts-base (read straight from their PCF files below), mapped from each
Windows-1252 byte to its Unicode letter.  The symbols are drawn here.

Usage: mkfonts.py [--out DIR] [--sheet DIR]
  --out DIR    where the seven fonts go (default: resources/fonts of the repo)
  --sheet DIR  also write one PNG sheet per font (codes 32..255) to look at

The output depends only on the glyph sources; two runs give identical bytes.

Byte codes the programs draw with these fonts
---------------------------------------------
 font          code(s)            shows                                   drawn by
 Tvo11x8Txt    32..255            Windows-1252 letters (grid text font)   every grid and list
 Tvo11x8Txt    131, 132           check marks: 131 the pair is known      list field 294 (student
                                  centrally (status 10), 132 a local one  overlap pairs)
 Tvo11x8Txt    147, 148           role mark: "AK" role; 148 = it also     role picker, role
                                  checks schedule clashes                 proposal rows
 Tvo11x8Txt    224, 225           role mark: creates time postings        role picker; room roles:
                                  (hollow circle); 225 = and checks       224 plain, 225 checks
                                  clashes (filled circle)                 clashes
 Tvo11x8Txt    226, 227           role mark: no time postings (hollow     role picker, proposals
                                  square); 227 = and checks clashes
 Tvo11x8Txt    251                column marker (first selection > 0)     calendar column field 208
 Tvo11x8Tgn    33..42             highlighted digits 0..9 (digit + 33)    schedule row fields 242
                                                                          (current week's year),
                                                                          243 (weeks after lock)
 Tvo11x8Tgn    51+52, 53+54       server contact picture; 53+54 the red   status pane "Forbindelse"
                                  X drawn over it when there is no contact
 Tvo11x8Tgn    58 ':', 59 ';',    arrows: counts/events lie after (:),    group window rows,
               61 '='             before (;), both sides (=) of the       schedule row field 279
                                  visible columns
 Tvo11x8Tgn    0x82, 0x83, 0x84   fold mark: box, and over it plus        plan window caption,
                                  (folded: opens) or minus (unfolded)     period columns, field 21
 Tvo11x8Tgn    176+177, 178+187   event status picture: outline in text   status pane "InsStatus"
                                  colour, 178+187 its fill drawn over it
                                  in the state colour
 Elv11x11      33..42             highlighted digits 0..9 (digit + 33);   student windows: week and
                                  also the status glyphs 33..42 of the    year of slot rows, column
                                  wish/placement sets (34, 35, 36 =       9 and 11 status, slot
                                  placed with wish 1, wish 2, no wish)    placement kinds 1..3
 Elv11x11      43                 placed on a duplicate, no wish, marked  student column 9
 Elv11x11      44, 45             wish 1 / wish 2, not placed, marked     student column 9
 Elv11x11      46                 no wish, not placed                     student column 9
 Elv11x11      47                 marked without being placed             student columns 9, 12
 Blk14x12      lesson-mode tile   one 12-pixel lesson cell of a tile in   dot schedule ('V'),
               codes (below)      a 14-pixel row                          lesson and day mode
 Blk11x14      the same codes     one 11-pixel step of a tile that runs   tile grid ('L'), tile
                                  down a 14-pixel column                  line marks (tile kinds
                                                                          0..2 add 14 pixels)
 TavoFont      time-mode tile     one 3-pixel five-minute slot of a tile  schedule in time mode
 BS11x3        codes (below)                                              (columns 3 pixels wide)
 TavoFont      other codes        3-pixel-wide letters                    tile kind 7 lines
 BS11x3                                                                   (3 pixels a character)
 Tvo9x6        32..255            Windows-1252 letters                    shared small text font

Lesson-mode tile codes (Blk14x12, Blk11x14): a base code, +56 for an event
without a lesson (drawn with dashed edges), +1 (another lane covers the cell
or the event takes part in overlap checks: a dot), +2 (overlaps another
event: hatched), +128 (remark, moved, or status flags: a corner flag).
   '$' 36  placed by lesson, whole cell        'K' 75  the same, posts no time
   'T' 84  the same, AK role                   '(' 40  middle: goes on both sides
   ',' 44  ends at the cell's end              '0' 48  ends inside the cell
   '4' 52  starts at the cell's start          '8' 56  starts inside the cell
   '<' 60  starts and ends inside              'D' 68  starts inside, ends at the end
   '@' 64  starts late, ends at the end        '_' 95  day strip: free segment
   ' ' 32  no event, another lane covers (blank)
 Used: 36..38, 40..42, 44..46 ... 68..70, 75..77, 84..86, 96..98 ... 124..126,
 95, and each of those + 128.

Time-mode tile codes (TavoFont BS11x3), +64 for an event with a remark (a dot
above the tile):
   '@' 64  whole slot           '%' 37  middle            '&' 38  middle, shared
   254     middle, overlapping  '#' 35  start, posts time '5' 53  start, no posting
   '3' 51  start, AK role       '$' 36  end, posts time   '6' 54  end, no posting
   '4' 52  end, AK role         '!' 33  no event, another lane covers the slot
   255     no event, layers on (blank)
 With the remark: 128, 101, 102, 99, 117, 115, 100, 118, 116.
"""

import argparse
import gzip
import os
import struct
import sys
import zlib

MISC = "/usr/share/fonts/X11/misc"

# ---------------------------------------------------------------------------
# PCF reader (only what the misc-fixed fonts use)

PCF_PROPERTIES = 1 << 0
PCF_ACCELERATORS = 1 << 1
PCF_METRICS = 1 << 2
PCF_BITMAPS = 1 << 3
PCF_BDF_ENCODINGS = 1 << 5
PCF_BDF_ACCELERATORS = 1 << 8


class Pcf:
    def __init__(self, path):
        with gzip.open(path, "rb") if path.endswith(".gz") else open(path, "rb") as f:
            self.data = f.read()
        if self.data[:4] != b"\x01fcp":
            raise ValueError(path + ": not a PCF file")
        (count,) = struct.unpack_from("<i", self.data, 4)
        self.tables = {}
        for i in range(count):
            t, fmt, size, off = struct.unpack_from("<iiii", self.data, 8 + 16 * i)
            self.tables[t] = (fmt, size, off)
        self._read_metrics()
        self._read_bitmaps()
        self._read_encodings()
        self._read_accel()

    def _table(self, t):
        fmt, size, off = self.tables[t]
        (fmt2,) = struct.unpack_from("<i", self.data, off)
        order = ">" if fmt2 & 4 else "<"
        return fmt2, order, off + 4

    def _read_metrics(self):
        fmt, o, p = self._table(PCF_METRICS)
        self.metrics = []
        if fmt & 0x100:
            (n,) = struct.unpack_from(o + "h", self.data, p)
            p += 2
            for i in range(n):
                b = self.data[p + 5 * i: p + 5 * i + 5]
                self.metrics.append(tuple(x - 0x80 for x in b))
        else:
            (n,) = struct.unpack_from(o + "i", self.data, p)
            p += 4
            for i in range(n):
                self.metrics.append(struct.unpack_from(o + "hhhhh", self.data, p + 12 * i))

    def _read_bitmaps(self):
        fmt, o, p = self._table(PCF_BITMAPS)
        (n,) = struct.unpack_from(o + "i", self.data, p)
        p += 4
        offsets = struct.unpack_from(o + "%di" % n, self.data, p)
        p += 4 * n
        sizes = struct.unpack_from(o + "4i", self.data, p)
        p += 16
        pad = 1 << (fmt & 3)
        unit = 1 << ((fmt >> 4) & 3)
        msb_bits = bool(fmt & 8)
        msb_bytes = bool(fmt & 4)
        raw = bytearray(self.data[p: p + sizes[fmt & 3]])
        if not msb_bits:
            raw = bytearray(int("{:08b}".format(x)[::-1], 2) for x in raw)
        if msb_bits != msb_bytes and unit > 1:
            for i in range(0, len(raw) - unit + 1, unit):
                raw[i:i + unit] = raw[i:i + unit][::-1]
        self.glyphs = []
        for i in range(n):
            lsb, rsb, width, asc, desc = self.metrics[i][:5]
            w = rsb - lsb
            h = asc + desc
            stride = ((w + 7) // 8 + pad - 1) // pad * pad
            rows = []
            for r in range(h):
                row = 0
                for c in range(w):
                    byte = raw[offsets[i] + r * stride + c // 8]
                    if byte & (0x80 >> (c % 8)):
                        row |= 1 << c
                rows.append(row)
            self.glyphs.append((lsb, asc, w, rows))

    def _read_encodings(self):
        fmt, o, p = self._table(PCF_BDF_ENCODINGS)
        min2, max2, min1, max1, default = struct.unpack_from(o + "5h", self.data, p)
        p += 10
        self.enc = {}
        cols = max2 - min2 + 1
        n = cols * (max1 - min1 + 1)
        idx = struct.unpack_from(o + "%dH" % n, self.data, p)
        for k, g in enumerate(idx):
            if g != 0xFFFF:
                self.enc[((min1 + k // cols) << 8) | (min2 + k % cols)] = g

    def _read_accel(self):
        t = PCF_BDF_ACCELERATORS if PCF_BDF_ACCELERATORS in self.tables else PCF_ACCELERATORS
        fmt, o, p = self._table(t)
        self.ascent, self.descent = struct.unpack_from(o + "ii", self.data, p + 8)

    def glyph(self, cp):
        g = self.enc.get(cp)
        return None if g is None else self.glyphs[g]


# ---------------------------------------------------------------------------
# Cells: a glyph is a list of rows, each a list of 0/1 of the cell width.

def blank(w, h):
    return [[0] * w for _ in range(h)]


def is_blank(g):
    return not any(any(r) for r in g)


def cp1252_letter(code):
    if code < 32 or code == 127:
        return None
    try:
        return ord(bytes([code]).decode("cp1252"))
    except UnicodeDecodeError:
        return None


def letter_cell(src, cp, w, h, ascent, crop_w=None):
    """The source glyph of code point cp placed in a w x h cell whose baseline
    lies `ascent` rows from the top; the source's advance is centred."""
    g = src.glyph(cp)
    cell = blank(w, h)
    if g is None:
        return cell
    lsb, asc, gw, rows = g
    adv = crop_w if crop_w else src.metrics[src.enc[cp]][2]
    x0 = (w - adv) // 2
    for r, bits in enumerate(rows):
        y = ascent - asc + r
        if not 0 <= y < h:
            continue
        for c in range(gw):
            if bits & (1 << c):
                x = x0 + lsb + c
                if 0 <= x < w and (crop_w is None or 0 <= lsb + c < crop_w):
                    cell[y][x] = 1
    return cell


def pix(text, w, h, top=0, left=0):
    """A drawing in '#'/'.' rows, placed at (left, top) of a w x h cell."""
    cell = blank(w, h)
    for r, line in enumerate(text.split()):
        for c, ch in enumerate(line):
            if ch == "#":
                cell[top + r][left + c] = 1
    return cell


def halves(text, h, top=0):
    """A 16-pixel-wide drawing cut into two 8-pixel cells."""
    whole = pix(text, 16, h, top)
    return [row[:8] for row in whole], [row[8:] for row in whole]


def merge(a, b):
    return [[x | y for x, y in zip(ra, rb)] for ra, rb in zip(a, b)]


def inverse_digit(src, digit, w, h, ascent):
    """A digit cut out of a filled block: the highlighted digit glyphs."""
    d = letter_cell(src, ord("0") + digit, w, h, ascent)
    top, bottom = 1, h - 1
    cell = blank(w, h)
    for y in range(top, bottom):
        for x in range(w - 1):
            cell[y][x] = 1 - d[y][x]
    return cell


# ---------------------------------------------------------------------------
# Symbol drawings of the 11 x 8 fonts

TXT_SYMBOLS = {
    131: """
........
.......#
......##
.....##.
##..##..
.####...
..##....
""",
    132: """
........
.......#
......#.
.....#..
#...#...
.#.#....
..#.....
""",
    147: """
...#....
..#.#...
.#...#..
#.....#.
.#...#..
..#.#...
...#....
""",
    148: """
...#....
..###...
.#####..
#######.
.#####..
..###...
...#....
""",
    224: """
..###...
.#...#..
#.....#.
#.....#.
#.....#.
.#...#..
..###...
""",
    225: """
..###...
.#####..
#######.
#######.
#######.
.#####..
..###...
""",
    226: """
#######.
#.....#.
#.....#.
#.....#.
#.....#.
#.....#.
#######.
""",
    227: """
#######.
#######.
#######.
#######.
#######.
#######.
#######.
""",
    251: """
.#......
.##.....
.###....
.####...
.###....
.##.....
.#......
""",
}

TGN_ARROWS = {
    ord(":"): """
........
....#...
....##..
#######.
....##..
....#...
""",
    ord(";"): """
........
...#....
..##....
.#######
..##....
...#....
""",
    ord("="): """
........
..#..#..
.##..##.
########
.##..##.
..#..#..
""",
}

TGN_FOLD = {
    0x82: """
#######.
#.....#.
#.....#.
#.....#.
#.....#.
#.....#.
#######.
""",
    0x83: """
........
........
...#....
..###...
...#....
........
........
""",
    0x84: """
........
........
........
..###...
........
........
........
""",
}

# Server contact: two computers and their link; the X goes over them.
CONTACT = """
................
.#####....#####.
.#...#....#...#.
.#...######...#.
.#...#....#...#.
.#####....#####.
...#........#...
..###......###..
"""
NO_CONTACT = """
...##......##...
....##....##....
.....##..##.....
......####......
.......##.......
......####......
.....##..##.....
....##....##....
...##......##...
"""
# Event status: two stacked tiles; the fill goes over them in the state colour.
STATUS_OUTLINE = """
....############
....#..........#
############...#
#..........#...#
#..........#...#
#..........#####
#..........#....
############....
"""
STATUS_FILL = """
................
.....##########.
............###.
.##########.###.
.##########.###.
.##########.....
.##########.....
................
"""

# ---------------------------------------------------------------------------
# Symbols of the student font (11 x 11)

ELV_SYMBOLS = {
    43: """
.....#.....
....#.#....
...#...#...
..#.....#..
.#.......#.
#.........#
.#.......#.
..#.....#..
...#...#...
....#.#....
.....#.....
""",
    44: """
...#####...
..#.....#..
.#.......#.
#.........#
#....#....#
#...###...#
#....#....#
#.........#
.#.......#.
..#.....#..
...#####...
""",
    45: """
...#####...
..#.....#..
.#.......#.
#.........#
#.........#
#..#####..#
#.........#
#.........#
.#.......#.
..#.....#..
...#####...
""",
    46: """
...........
...........
...........
...........
....###....
....###....
....###....
...........
...........
...........
...........
""",
    47: """
.....#.....
.#...#...#.
..#..#..#..
...#.#.#...
....###....
###########
....###....
...#.#.#...
..#..#..#..
.#...#...#.
.....#.....
""",
}


# ---------------------------------------------------------------------------
# Tile pieces

LESSON_SHAPES = {
    36: ("box", 0.0, 1.0),     # '$' placed by lesson
    75: ("box", 0.0, 1.0),     # 'K' posts no time
    84: ("box", 0.0, 1.0),     # 'T' AK role
    40: ("mid", None, None),   # '('
    44: ("end", None, 1.0),    # ','
    48: ("end", None, 0.5),    # '0'
    52: ("start", 0.0, None),  # '4'
    56: ("start", 0.5, None),  # '8'
    60: ("box", 0.2, 0.8),     # '<'
    68: ("box", 0.2, 1.0),     # 'D'
    64: ("box", 0.5, 1.0),     # '@'
}


def lesson_piece(code):
    """(base, class-1, variant, flag) of a lesson-mode tile code, or None."""
    flag = code >= 128
    c = code - 128 if flag else code
    if c == 95:
        return (95, False, 0, flag)
    for base in LESSON_SHAPES:
        for cls1 in (False, True):
            b = base + (56 if cls1 else 0)
            if b <= c <= b + 2 and not (cls1 and base in (36, 75, 84)):
                return (base, cls1, c - b, flag)
    return None


def draw_lesson_piece(code, length, across, vertical):
    """A lesson-mode tile piece.  `length` runs along the tile (the time
    axis), `across` over the band; vertical tiles run down the cell."""
    base, cls1, variant, flag = lesson_piece(code)
    grid = [[0] * length for _ in range(across)]   # grid[a][l]

    def put(a, l):
        if 0 <= a < across and 0 <= l < length:
            grid[a][l] = 1

    lo, hi = 1, across - 2           # band edges across the tile
    if base == 95:
        for l in range(0, length, 2):
            put(hi, l)
    else:
        kind, start, end = LESSON_SHAPES[base]
        s = 0 if start is None else int(round(start * (length - 1)))
        e = length - 1 if end is None else int(round(end * (length - 1)))
        dash = 2 if cls1 else 1
        for l in range(s, e + 1):
            if (l - s) % dash == 0:
                put(lo, l)
                put(hi, l)
        if kind in ("box", "start"):
            for a in range(lo, hi + 1):
                if (a - lo) % dash == 0:
                    put(a, s)
        if kind in ("box", "end"):
            for a in range(lo, hi + 1):
                if (a - lo) % dash == 0:
                    put(a, e)
        if base == 75:                      # posts no time: an inner line
            for l in range(s + 2, e - 1, 2):
                put((lo + hi) // 2, l)
        if base == 84:                      # AK role: doubled ends
            for a in range(lo, hi + 1):
                put(a, s + 1)
                put(a, e - 1)
        if variant & 2:                     # overlaps another event: hatch
            for a in range(lo + 1, hi):
                for l in range(s + 1, e):
                    if (a + l) % 3 == 0:
                        put(a, l)
        if variant & 1:                     # shares the cell: a dot
            m = (lo + hi) // 2
            ml = (s + e) // 2
            for a in (m, m + 1):
                for l in (ml, ml + 1):
                    if variant & 2:
                        grid[a][l] ^= 1
                    else:
                        put(a, l)
    if flag:                                # remark or status flag: corner
        for a in range(0, 3):
            for l in range(length - 3 + a, length):
                put(a, l)
    if vertical:
        return [[grid[a][l] for a in range(across)] for l in range(length)]
    return [[grid[a][l] for l in range(length)] for a in range(across)]


TIME_PIECES = {
    64: ("box", "solid", "solid"),   # '@'
    37: ("mid", None, None),         # '%'
    38: ("mid", None, None),         # '&' shared
    254: ("mid", None, None),        # overlapping
    35: ("start", "solid", None),    # '#'
    53: ("start", "dotted", None),   # '5'
    51: ("start", "double", None),   # '3'
    36: ("end", None, "solid"),      # '$'
    54: ("end", None, "dotted"),     # '6'
    52: ("end", None, "double"),     # '4'
}
TIME_REMARK = (64, 37, 38, 35, 53, 51, 36, 54, 52)


def time_piece(code):
    if code in TIME_PIECES:
        return code, False
    if code - 64 in TIME_REMARK:
        return code - 64, True
    return None


def draw_time_piece(code, w=3, h=11):
    if code == 33:                           # another lane covers the slot
        cell = blank(w, h)
        cell[5][1] = 1
        return cell
    base, remark = time_piece(code)
    kind, left, right = TIME_PIECES[base]
    cell = blank(w, h)
    top, bottom = 1, 9
    for x in range(w):
        cell[top][x] = cell[bottom][x] = 1

    def bar(x, style, inner):
        for y in range(top, bottom + 1):
            if style == "dotted" and (y - top) % 2:
                continue
            cell[y][x] = 1
            if style == "double":
                cell[y][inner] = 1

    if left:
        bar(0, left, 1)
    if right:
        bar(w - 1, right, w - 2)
    if base == 38:
        for y in (4, 5, 6):
            cell[y][1] = 1
    if base == 254:
        for y in range(top + 1, bottom):
            for x in range(w):
                if (x + y) % 2:
                    cell[y][x] = 1
    if remark:
        cell[0][1] = 1
    return cell


# ---------------------------------------------------------------------------
# The fonts

class Font:
    def __init__(self, file, family, w, h, ascent):
        self.file, self.family = file, family
        self.w, self.h, self.ascent = w, h, ascent
        self.glyphs = [blank(w, h) for _ in range(256)]
        self.symbols = set()

    def letters(self, src, crop_w=None):
        for code in range(256):
            cp = cp1252_letter(code)
            if cp is not None:
                self.glyphs[code] = letter_cell(src, cp, self.w, self.h, self.ascent, crop_w)

    def symbol(self, code, cell):
        assert len(cell) == self.h and all(len(r) == self.w for r in cell), (self.file, code)
        self.glyphs[code] = cell
        self.symbols.add(code)


def build(sources):
    f6x10, f6x9, f4x6 = sources["6x10"], sources["6x9"], sources["4x6"]
    fonts = []

    txt = Font("Tvo11x8Txt.ttf", "Tvo11x8Txt", 8, 11, 9)
    txt.letters(f6x10)
    for code, text in TXT_SYMBOLS.items():
        txt.symbol(code, pix(text, 8, 11, top=2))
    fonts.append(txt)

    tgn = Font("Tvo11x8Tgn.ttf", "Tvo11x8Tgn", 8, 11, 9)
    tgn.letters(f6x10)
    for d in range(10):
        tgn.symbol(33 + d, inverse_digit(f6x10, d, 8, 11, 9))
    for code, text in TGN_ARROWS.items():
        tgn.symbol(code, pix(text, 8, 11, top=2))
    for code, text in TGN_FOLD.items():
        tgn.symbol(code, pix(text, 8, 11, top=2))
    left, right = halves(CONTACT, 11, top=1)
    tgn.symbol(51, left)
    tgn.symbol(52, right)
    left, right = halves(NO_CONTACT, 11, top=1)
    tgn.symbol(53, left)
    tgn.symbol(54, right)
    left, right = halves(STATUS_OUTLINE, 11, top=1)
    tgn.symbol(176, left)
    tgn.symbol(177, right)
    left, right = halves(STATUS_FILL, 11, top=1)
    tgn.symbol(178, left)
    tgn.symbol(187, right)
    fonts.append(tgn)

    blk = Font("Blk14x12.ttf", "Blk14x12", 12, 14, 11)
    blk.letters(f6x10)
    for code in range(256):
        if lesson_piece(code):
            blk.symbol(code, draw_lesson_piece(code, 12, 14, vertical=False))
    fonts.append(blk)

    blk2 = Font("Blk11x14.ttf", "Blk11x14", 14, 11, 9)
    blk2.letters(f6x10)
    for code in range(256):
        if lesson_piece(code):
            blk2.symbol(code, draw_lesson_piece(code, 11, 14, vertical=True))
    fonts.append(blk2)

    elv = Font("Elv11x11.ttf", "Elv11x11", 11, 11, 9)
    elv.letters(f6x10)
    for d in range(10):
        elv.symbol(33 + d, inverse_digit(f6x10, d, 11, 11, 9))
    for code, text in ELV_SYMBOLS.items():
        elv.symbol(code, pix(text, 11, 11))
    fonts.append(elv)

    bs = Font("BS11x3.ttf", "TavoFont BS11x3", 3, 11, 9)
    bs.letters(f4x6, crop_w=3)
    bs.symbol(33, draw_time_piece(33))
    for code in range(256):
        if time_piece(code):
            bs.symbol(code, draw_time_piece(code))
    bs.glyphs[255] = blank(3, 11)
    fonts.append(bs)

    small = Font("Tvo9x6.ttf", "Tvo9x6", 6, 9, 7)
    small.letters(f6x9)
    fonts.append(small)
    return fonts


def bdf(font):
    w, h, a = font.w, font.h, font.ascent
    d = h - a
    out = []
    out.append("STARTFONT 2.1")
    out.append("COMMENT Made by tools/mkfonts.py; letters from the public-domain")
    out.append("COMMENT X11 misc-fixed fonts, symbols drawn for this program.")
    out.append('FONT -tavo-%s-medium-r-normal--%d-%d-75-75-c-%d-iso8859-1'
               % (font.family.replace(" ", ""), h, h * 10, w * 10))
    out.append("SIZE %d 75 75" % h)
    out.append("FONTBOUNDINGBOX %d %d 0 %d" % (w, h, -d))
    props = [
        ('FOUNDRY', '"Tavo"'),
        ('FAMILY_NAME', '"%s"' % font.family),
        ('WEIGHT_NAME', '"Medium"'),
        ('SLANT', '"R"'),
        ('SETWIDTH_NAME', '"Normal"'),
        ('ADD_STYLE_NAME', '""'),
        ('PIXEL_SIZE', str(h)),
        ('POINT_SIZE', str(h * 10)),
        ('RESOLUTION_X', '75'),
        ('RESOLUTION_Y', '75'),
        ('SPACING', '"C"'),
        ('AVERAGE_WIDTH', str(w * 10)),
        ('CHARSET_REGISTRY', '"ISO8859"'),
        ('CHARSET_ENCODING', '"1"'),
        ('FONT_ASCENT', str(a)),
        ('FONT_DESCENT', str(d)),
        ('DEFAULT_CHAR', '32'),
        ('COPYRIGHT', '"Public domain letters (X11 misc-fixed); symbols by the Tavo project"'),
    ]
    out.append("STARTPROPERTIES %d" % len(props))
    out.extend("%s %s" % p for p in props)
    out.append("ENDPROPERTIES")
    out.append("CHARS 256")
    nbytes = (w + 7) // 8
    for code in range(256):
        out.append("STARTCHAR C%03d" % code)
        out.append("ENCODING %d" % code)
        out.append("SWIDTH %d 0" % (w * 1000 // h))
        out.append("DWIDTH %d 0" % w)
        out.append("BBX %d %d 0 %d" % (w, h, -d))
        out.append("BITMAP")
        for row in font.glyphs[code]:
            v = 0
            for x, bit in enumerate(row):
                if bit:
                    v |= 1 << (nbytes * 8 - 1 - x)
            out.append("%0*X" % (nbytes * 2, v))
        out.append("ENDCHAR")
    out.append("ENDFONT")
    return "\n".join(out) + "\n"


# ---------------------------------------------------------------------------
# A sheet of codes 32..255 as a PNG (greyscale, no extra packages)

def png(path, pixels):
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\x00" + bytes(row) for row in pixels)

    def chunk(tag, data):
        c = struct.pack(">I", len(data)) + tag + data
        return c + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 0, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def sheet(font, path):
    scale = max(3, 24 // font.w)
    cols, rows = 16, 14
    cw, ch = font.w * scale + 2, font.h * scale + 2
    img = [[160] * (cols * cw + 1) for _ in range(rows * ch + 1)]
    for i in range(cols * rows):
        code = 32 + i
        ox, oy = (i % cols) * cw + 1, (i // cols) * ch + 1
        symbol = code in font.symbols
        for y in range(font.h * scale):
            for x in range(font.w * scale):
                on = font.glyphs[code][y // scale][x // scale]
                img[oy + y][ox + x] = 0 if on else (225 if symbol else 255)
    png(path, img)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--out", default=os.path.join(here, "..", "resources", "fonts"))
    ap.add_argument("--sheet", default=None)
    args = ap.parse_args()
    sources = {}
    for name in ("6x10", "6x9", "4x6"):
        path = os.path.join(MISC, name + ".pcf.gz")
        if not os.path.exists(path):
            sys.exit("mkfonts: %s is missing (Debian package xfonts-base)" % path)
        sources[name] = Pcf(path)
    os.makedirs(args.out, exist_ok=True)
    for font in build(sources):
        with open(os.path.join(args.out, font.file), "w", encoding="ascii", newline="\n") as f:
            f.write(bdf(font))
        if args.sheet:
            os.makedirs(args.sheet, exist_ok=True)
            sheet(font, os.path.join(args.sheet, font.file.replace(".ttf", ".png")))


if __name__ == "__main__":
    main()
