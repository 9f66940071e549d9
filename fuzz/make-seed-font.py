#!/usr/bin/env python3
"""Writes a tiny TrueType font: a missing-glyph box, an empty space (also
under U+00A0, the no-break space), a one-contour A, an o with a hole and a
composite B that reuses the A. The hostile-input tests load it thousands
of times, and it seeds the fuzzing of whole runs: small enough that every
mutation of it is quick to load.

    fuzz/make-seed-font.py tests/hostile/fixtures/tiny.ttf
"""
import struct
import sys


def simple_glyph(contours):
    points = [p for c in contours for p in c]
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    out = struct.pack(">hhhhh", len(contours), min(xs), min(ys), max(xs), max(ys))
    end = -1
    for c in contours:
        end += len(c)
        out += struct.pack(">H", end)
    out += struct.pack(">H", 0)  # no instructions
    out += bytes([0x01] * len(points))  # on-curve, 16-bit deltas
    px = py = 0
    dx, dy = b"", b""
    for x, y in points:
        dx += struct.pack(">h", x - px)
        dy += struct.pack(">h", y - py)
        px, py = x, y
    return out + dx + dy


def composite_glyph(component, offset_x, bbox):
    flags = 0x0001 | 0x0002  # word arguments, x/y offsets
    return struct.pack(">hhhhh", -1, *bbox) + struct.pack(">HHhh", flags, component, offset_x, 0)


def checksum(data):
    data += b"\0" * (-len(data) % 4)
    return sum(struct.unpack(">%dI" % (len(data) // 4), data)) & 0xFFFFFFFF


def main(path):
    box = [[(50, 0), (50, 700), (450, 700), (450, 0)], [(100, 50), (400, 50), (400, 650), (100, 650)]]
    a = [[(0, 0), (300, 700), (600, 0), (450, 0), (300, 400), (150, 0)]]
    o = [[(50, 0), (50, 500), (450, 500), (450, 0)], [(150, 100), (350, 100), (350, 400), (150, 400)]]
    glyphs = [simple_glyph(box), b"", simple_glyph(a), simple_glyph(o),
              composite_glyph(2, 20, (20, 0, 620, 700))]
    advances = [500, 250, 620, 500, 640]
    codes = {32: 1, 65: 2, 111: 3, 66: 4, 0xA0: 1}

    glyf, loca = b"", []
    for g in glyphs:
        loca.append(len(glyf) // 2)
        glyf += g + b"\0" * (-len(g) % 4)
    loca.append(len(glyf) // 2)

    tables = {}
    tables[b"head"] = struct.pack(">IIIIHHqqhhhhHHhhh", 0x00010000, 0x00010000, 0, 0x5F0F3CF5,
                                  0x000B, 1000, 0, 0, 0, 0, 640, 700, 0, 8, 2, 0, 0)
    tables[b"hhea"] = struct.pack(">IhhhHhhhhhhhhhhhH", 0x00010000, 800, -200, 0, max(advances),
                                  0, 0, 640, 1, 0, 0, 0, 0, 0, 0, 0, len(glyphs))
    tables[b"maxp"] = struct.pack(">IHHHHHHHHHHHHHH", 0x00010000, len(glyphs), 8, 2, 6, 1,
                                  2, 0, 0, 0, 0, 0, 0, 1, 1)
    tables[b"hmtx"] = b"".join(struct.pack(">Hh", adv, 0) for adv in advances)
    tables[b"loca"] = b"".join(struct.pack(">H", o) for o in loca)
    tables[b"glyf"] = glyf

    segments = sorted(codes.items()) + [(0xFFFF, None)]
    n = len(segments)
    ends = b"".join(struct.pack(">H", c) for c, _ in segments)
    starts = ends
    deltas = b"".join(struct.pack(">H", ((g if g is not None else 1) - c) & 0xFFFF) for c, g in segments)
    ranges = b"\0\0" * n
    search = 2 ** (n.bit_length() - 1)
    sub = struct.pack(">HHHHHHH", 4, 16 + 8 * n, 0, 2 * n, 2 * search, search.bit_length() - 1,
                      2 * n - 2 * search) + ends + b"\0\0" + starts + deltas + ranges
    tables[b"cmap"] = struct.pack(">HHHHI", 0, 1, 3, 1, 12) + sub

    names = [(1, "Seed"), (2, "Regular")]
    strings, records = b"", b""
    for name_id, text in names:
        encoded = text.encode("utf-16-be")
        records += struct.pack(">HHHHHH", 3, 1, 0x409, name_id, len(encoded), len(strings))
        strings += encoded
    tables[b"name"] = struct.pack(">HHH", 0, len(names), 6 + len(records)) + records + strings
    tables[b"post"] = struct.pack(">IIhhIIIII", 0x00030000, 0, -100, 50, 0, 0, 0, 0, 0)

    tags = sorted(tables)
    search = 2 ** (len(tags).bit_length() - 1)
    header = struct.pack(">IHHHH", 0x00010000, len(tags), 16 * search, search.bit_length() - 1,
                         16 * (len(tags) - search))
    offset = len(header) + 16 * len(tags)
    directory, body = b"", b""
    for tag in tags:
        data = tables[tag]
        directory += struct.pack(">4sIII", tag, checksum(data), offset + len(body), len(data))
        body += data + b"\0" * (-len(data) % 4)
    with open(path, "wb") as f:
        f.write(header + directory + body)


if __name__ == "__main__":
    main(sys.argv[1])
