#!/usr/bin/env python3
"""Writes the reports' logo: the word TAVO in dark squares on a light strip.

The picture is made of flat 8 x 8 squares, so a baseline grey JPEG of it
needs only the DC value of each block and an end-of-block code; the file is
reproducible from this script alone. Usage: mklogo.py <out.jpg>
"""

import struct
import sys

# 5 x 7 letters, one text row per picture row, '#' dark.
BOGSTAVER = {
    'T': ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    'A': [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'V': ["#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    'O': [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
}

MOERK, LYS, KANT = 40, 235, 150


def blokke(ord_):
    """The picture as rows of block grey values."""
    bredde = 2 + len(ord_) * 6 - 1 + 2
    raekker = [[LYS] * bredde for _ in range(11)]
    for x in range(bredde):
        raekker[0][x] = raekker[10][x] = KANT
    for y in range(11):
        raekker[y][0] = raekker[y][bredde - 1] = KANT
    for i, b in enumerate(ord_):
        for y, linje in enumerate(BOGSTAVER[b]):
            for x, c in enumerate(linje):
                if c == '#':
                    raekker[2 + y][2 + i * 6 + x] = MOERK
    return raekker


# The standard luminance DC table.
DC_ANTAL = [0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]
DC_VAERDIER = list(range(12))


def koder(antal, vaerdier):
    kode, i, tab = 0, 0, {}
    for laengde in range(1, 17):
        for _ in range(antal[laengde - 1]):
            tab[vaerdier[i]] = (kode, laengde)
            kode += 1
            i += 1
        kode <<= 1
    return tab


class Bits:
    def __init__(self):
        self.ud = bytearray()
        self.acc = 0
        self.n = 0

    def skriv(self, vaerdi, laengde):
        for i in range(laengde - 1, -1, -1):
            self.acc = (self.acc << 1) | ((vaerdi >> i) & 1)
            self.n += 1
            if self.n == 8:
                self.ud.append(self.acc)
                if self.acc == 0xFF:
                    self.ud.append(0)
                self.acc = self.n = 0

    def slut(self):
        while self.n:
            self.skriv(1, 1)
        return bytes(self.ud)


def segment(markoer, data):
    return struct.pack('>BBH', 0xFF, markoer, len(data) + 2) + data


def jpeg(raekker):
    kv = 16
    hoejde, bredde = len(raekker) * 8, len(raekker[0]) * 8
    dc = koder(DC_ANTAL, DC_VAERDIER)
    bits = Bits()
    forrige = 0
    for raekke in raekker:
        for g in raekke:
            # A flat block's only coefficient: 8 x (grey - 128), quantised.
            vaerdi = round(8 * (g - 128) / kv)
            diff = vaerdi - forrige
            forrige = vaerdi
            kat = abs(diff).bit_length()
            kode, laengde = dc[kat]
            bits.skriv(kode, laengde)
            if kat:
                bits.skriv(diff if diff > 0 else diff + (1 << kat) - 1, kat)
            bits.skriv(0, 1)  # end of block: the one code of the AC table
    ud = b'\xFF\xD8'
    ud += segment(0xE0, b'JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00')
    ud += segment(0xDB, bytes([0]) + bytes([kv] * 64))
    ud += segment(0xC0, struct.pack('>BHHB', 8, hoejde, bredde, 1) + bytes([1, 0x11, 0]))
    ud += segment(0xC4, bytes([0x00]) + bytes(DC_ANTAL) + bytes(DC_VAERDIER))
    ud += segment(0xC4, bytes([0x10]) + bytes([1] + [0] * 15) + bytes([0]))
    ud += segment(0xDA, bytes([1, 1, 0x00, 0, 63, 0]))
    ud += bits.slut() + b'\xFF\xD9'
    return ud


if __name__ == '__main__':
    with open(sys.argv[1], 'wb') as f:
        f.write(jpeg(blokke('TAVO')))
