"""Draws Durmasel's icon, a red calibration target (circle and cross) on a
light grey disc, at 32 x 32 and 16 x 16 in 16 colours with a transparent
surround, and its pointer: a 32 x 32 monochrome cursor whose pixels are
all transparent, hot spot (0,0), which hides the pointer during a run.
Usage: calib_art.py <output folder>
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bmpfile import write_blank_cursor, write_ico, output_folder  # noqa: E402

GROUND = (200, 200, 200)
RIM = (128, 128, 128)
RED = (255, 0, 0)
CLEAR = (0, 0, 0, 0)


def target_icon(size):
    """A grey disc with a red ring and a red cross through its centre."""
    c = (size - 1) / 2.0
    disc = size / 2.0 - 0.5
    ring = size * 0.30
    width = max(1.0, size / 16.0)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            on_cross = (abs(x - c) < width * 0.75 or abs(y - c) < width * 0.75) and d < disc - 1
            if d > disc:
                row.append(CLEAR)
            elif d > disc - 1:
                row.append(RIM + (255,))
            elif abs(d - ring) < width or on_cross:
                row.append(RED + (255,))
            else:
                row.append(GROUND + (255,))
        rows.append(row)
    return rows


def main():
    out = output_folder()
    write_ico(os.path.join(out, "durmasel.ico"), [(target_icon(32), 4), (target_icon(16), 4)])
    write_blank_cursor(os.path.join(out, "blank.cur"), 32, (0, 0))


if __name__ == "__main__":
    main()
