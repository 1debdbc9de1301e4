"""Writers for the old Windows picture formats the package ships.

Bitmaps (.bmp) with a BITMAPINFOHEADER, icons (.ico) whose images are all
uncompressed DIBs (Windows 95 cannot read PNG-compressed icon images) and
monochrome cursors (.cur). Pictures are given as rows of (r, g, b) or
(r, g, b, a) tuples, top row first. Palettes are built from the colours a
picture uses, so a 16-colour picture may use at most 16 colours.
"""
import os
import struct
import sys


def _palette(pixels, bpp):
    colours = []
    for row in pixels:
        for p in row:
            c = tuple(p[:3])
            if c not in colours:
                colours.append(c)
    limit = 1 << bpp
    if len(colours) > limit:
        raise ValueError("%d colours do not fit a %d-bit palette" % (len(colours), bpp))
    return colours + [(0, 0, 0)] * (limit - len(colours))


def _row_bytes(row, bpp, palette):
    if bpp in (24, 32):
        out = bytearray()
        for p in row:
            out += bytes((p[2], p[1], p[0]))
            if bpp == 32:
                out.append(p[3] if len(p) > 3 else 255)
    else:
        index = {c: i for i, c in reversed(list(enumerate(palette)))}
        bits = [index[tuple(p[:3])] for p in row]
        out = bytearray()
        per_byte = 8 // bpp
        for i in range(0, len(bits), per_byte):
            byte = 0
            for j in range(per_byte):
                v = bits[i + j] if i + j < len(bits) else 0
                byte |= v << (8 - bpp * (j + 1))
            out.append(byte)
    while len(out) % 4:
        out.append(0)
    return bytes(out)


def _dib(pixels, bpp, height_factor=1, mask=None):
    """BITMAPINFOHEADER + palette + bottom-up rows (+ AND mask for icons)."""
    h = len(pixels)
    w = len(pixels[0])
    palette = _palette(pixels, bpp) if bpp <= 8 else []
    body = b"".join(_row_bytes(r, bpp, palette) for r in reversed(pixels))
    if mask is not None:
        body += b"".join(_row_bytes([(1, 1, 1) if m else (0, 0, 0) for m in r], 1,
                                    [(0, 0, 0), (1, 1, 1)]) for r in reversed(mask))
    header = struct.pack("<IiiHHIIiiII", 40, w, h * height_factor, 1, bpp, 0, len(body),
                         2835, 2835, len(palette), 0)
    pal = b"".join(bytes((c[2], c[1], c[0], 0)) for c in palette)
    return header + pal + body, len(palette)


def write_bmp(path, pixels, bpp):
    dib, ncolours = _dib(pixels, bpp)
    offset = 14 + 40 + 4 * ncolours
    with open(path, "wb") as f:
        f.write(struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, offset))
        f.write(dib)


def write_ico(path, images):
    """images: list of (pixels, bpp); pixels may carry alpha (a < 128 is
    transparent in the AND mask)."""
    entries = []
    blobs = []
    for pixels, bpp in images:
        mask = [[(len(p) > 3 and p[3] < 128) for p in row] for row in pixels]
        dib, ncolours = _dib(pixels, bpp, 2, mask)
        entries.append((len(pixels[0]), len(pixels), ncolours if bpp <= 8 else 0, bpp, dib))
        blobs.append(dib)
    offset = 6 + 16 * len(entries)
    out = struct.pack("<HHH", 0, 1, len(entries))
    for w, h, ncol, bpp, dib in entries:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, ncol % 256, 0, 1, bpp, len(dib), offset)
        offset += len(dib)
    with open(path, "wb") as f:
        f.write(out + b"".join(blobs))


def write_blank_cursor(path, size=32, hotspot=(0, 0)):
    """A monochrome cursor whose every pixel is transparent (AND 1, XOR 0)."""
    xor = [[(0, 0, 0)] * size for _ in range(size)]
    mask = [[True] * size for _ in range(size)]
    dib, _ = _dib(xor, 1, 2, mask)
    # A 1-bit DIB needs its two-entry palette: black and white.
    dib = dib[:40] + bytes((0, 0, 0, 0, 255, 255, 255, 0)) + dib[48:]
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 2, 0, hotspot[0], hotspot[1], len(dib), 22)
    with open(path, "wb") as f:
        f.write(header + entry + dib)


def output_folder():
    """The one argument every art script takes: the folder it draws into,
    made when missing."""
    if len(sys.argv) != 2:
        sys.exit("usage: %s <output folder>" % os.path.basename(sys.argv[0]))
    os.makedirs(sys.argv[1], exist_ok=True)
    return sys.argv[1]
