"""A tiny pixel canvas that writes palette PNG files with the standard library alone.

Everything is drawn pixel by pixel so that the artwork is exact and the same on every run.
"""

import struct
import zlib

# 5 x 7 capitals, digits and the few marks the artwork needs; '#' is a lit pixel.
GLYPHS = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "B_": ["#....", "#....", "####.", "#...#", "#...#", "#...#", "####."],  # lower-case b
    ".": [".....", ".....", ".....", ".....", ".....", ".##..", ".##.."],
    ">": ["#....", ".#...", "..#..", "...#.", "..#..", ".#...", "#...."],
    "-": [".....", ".....", ".....", "#####", ".....", ".....", "....."],
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}


class Canvas:
    def __init__(self, width, height, colour=(0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [[colour] * width for _ in range(height)]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    def fill_rect(self, x, y, w, h, colour):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                self.set(xx, yy, colour)

    def outline_rect(self, x, y, w, h, colour):
        self.fill_rect(x, y, w, 1, colour)
        self.fill_rect(x, y + h - 1, w, 1, colour)
        self.fill_rect(x, y, 1, h, colour)
        self.fill_rect(x + w - 1, y, 1, h, colour)

    def column(self, x, top, bottom, colour):
        """Fills column x from row top down to row bottom - 1."""
        for y in range(max(top, 0), min(bottom, self.height)):
            self.set(x, y, colour)

    def text(self, x, y, string, colour, scale=1):
        """Draws string with the 5 x 7 glyphs; '~' stands for the lower-case b."""
        for ch in string:
            glyph = GLYPHS["B_" if ch == "~" else ch]
            for row, bits in enumerate(glyph):
                for col, bit in enumerate(bits):
                    if bit == "#":
                        self.fill_rect(x + col * scale, y + row * scale, scale, scale, colour)
            x += 6 * scale
        return x

    @staticmethod
    def text_width(string, scale=1):
        return len(string) * 6 * scale - scale

    def shadowed_text(self, x, y, string, colour, shadow, scale):
        """Text with a hard outline and a drop shadow, readable over any background."""
        for dx, dy in ((scale, scale), (scale // 2 + 1, scale // 2 + 1)):
            self.text(x + dx, y + dy, string, shadow, scale)
        for dx in (-1, 1):
            self.text(x + dx, y, string, shadow, scale)
            self.text(x, y + dx, string, shadow, scale)
        self.text(x, y, string, colour, scale)

    def scaled(self, factor):
        """A copy enlarged by a whole factor, every pixel a factor x factor square."""
        big = Canvas(self.width * factor, self.height * factor)
        big.pixels = [[colour for colour in row for _ in range(factor)]
                      for row in self.pixels for _ in range(factor)]
        return big

    def write_png(self, path):
        """An 8-bit palette PNG, rows unfiltered; the editor unpacks such files itself."""
        palette = sorted({colour for row in self.pixels for colour in row})
        if len(palette) > 256:
            raise ValueError("%s would need %d colours; a palette holds 256" % (path, len(palette)))
        index = {colour: i for i, colour in enumerate(palette)}
        raw = bytearray()
        for row in self.pixels:
            raw.append(0)
            raw += bytes(index[colour] for colour in row)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 3, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n")
            out.write(chunk(b"IHDR", header))
            out.write(chunk(b"PLTE", b"".join(bytes(colour) for colour in palette)))
            out.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
            out.write(chunk(b"IEND", b""))
