"""Draws Brokasta's program icon: a light grey touch panel in a dark
frame, with a red calibration cross in its upper left and a black stroke
drawn across it, ending in a green touch mark. 32 x 32 and 16 x 16, 16
colours, transparent around the panel. Usage: drawtest_art.py <output folder>
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bmpfile import write_ico, output_folder  # noqa: E402

CLEAR = (0, 0, 0, 0)
FRAME = (64, 64, 64)
PANEL = (192, 192, 192)
CROSS = (255, 0, 0)
STROKE = (0, 0, 0)
MARK = (0, 128, 0)


def stroke_y(size, x):
    """A wave through the lower half of the panel, in pixel rows."""
    mid = size * 0.66
    return mid + math.sin((x / size) * 2.0 * math.pi) * size * 0.12


def on_stroke(size, x, y):
    thickness = 1.1 if size >= 32 else 0.7
    return abs(y + 0.5 - stroke_y(size, x + 0.5)) <= thickness


def on_cross(size, x, y):
    cx = cy = size // 4 + 1
    arm = max(2, size // 8)
    return (x == cx and abs(y - cy) <= arm) or (y == cy and abs(x - cx) <= arm)


def on_mark(size, x, y):
    ex = size - 1 - max(2, size // 6)
    ey = stroke_y(size, ex + 0.5)
    radius = max(1.2, size / 14.0)
    return math.hypot(x + 0.5 - (ex + 0.5), y + 0.5 - ey) <= radius


def pixel(size, x, y):
    edge = 1 if size < 32 else 2
    if x < 0 + 1 or y < 1 or x > size - 2 or y > size - 2:
        return CLEAR
    if x < 1 + edge or y < 1 + edge or x > size - 2 - edge or y > size - 2 - edge:
        return FRAME
    if on_mark(size, x, y):
        return MARK
    if on_cross(size, x, y):
        return CROSS
    if on_stroke(size, x, y):
        return STROKE
    return PANEL


def draw(size):
    return [[pixel(size, x, y) for x in range(size)] for y in range(size)]


def main():
    out = output_folder()
    write_ico(os.path.join(out, "brokasta.ico"), [(draw(size), 4) for size in (32, 16)])


if __name__ == "__main__":
    main()
