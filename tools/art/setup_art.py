#!/usr/bin/env python3
"""Draws Setup's icons into a folder: the program's own icon (128) and the
corner icons of the port (130), completion (132) and question (134)
dialogs. Each icon holds a 32x32 and a 16x16 image in 16 colours, drawn
from the same shapes in a 32-unit square, so both sizes match.

Usage: setup_art.py <output folder>
"""
import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bmpfile import write_ico  # noqa: E402

CLEAR = (0, 0, 0, 0)
BLACK = (0, 0, 0, 255)
GREY = (128, 128, 128, 255)
SILVER = (192, 192, 192, 255)
WHITE = (255, 255, 255, 255)
NAVY = (0, 0, 128, 255)
BLUE = (0, 0, 255, 255)
TEAL = (0, 128, 128, 255)
GREEN = (0, 128, 0, 255)
LIME = (0, 255, 0, 255)
YELLOW = (255, 255, 0, 255)
OLIVE = (128, 128, 0, 255)


class Canvas:
    """A square picture addressed in units of a 32x32 grid."""

    def __init__(self, size):
        self.size = size
        self.scale = size / 32.0
        self.pixels = [[CLEAR] * size for _ in range(size)]

    def _span(self, lo, hi):
        # Halves round up at both ends, so a shape keeps its width.
        a = int(math.floor(lo * self.scale + 0.5))
        b = max(a + 1, int(math.floor(hi * self.scale + 0.5)))
        return range(max(a, 0), min(b, self.size))

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the units x0..x1, y0..y1 (right and bottom excluded)."""
        for y in self._span(y0, y1):
            for x in self._span(x0, x1):
                self.pixels[y][x] = colour

    def frame(self, x0, y0, x1, y1, colour, width=1):
        self.rect(x0, y0, x1, y0 + width, colour)
        self.rect(x0, y1 - width, x1, y1, colour)
        self.rect(x0, y0, x0 + width, y1, colour)
        self.rect(x1 - width, y0, x1, y1, colour)

    def line(self, points, colour, width=2):
        """A polyline of square dots, width units wide."""
        for (xa, ya), (xb, yb) in zip(points, points[1:]):
            steps = int(max(abs(xb - xa), abs(yb - ya)) * 2) + 1
            for i in range(steps + 1):
                x = xa + (xb - xa) * i / steps
                y = ya + (yb - ya) * i / steps
                self.rect(x - width / 2, y - width / 2, x + width / 2, y + width / 2, colour)

    def disc(self, cx, cy, r, colour):
        for y in range(self.size):
            for x in range(self.size):
                ux = (x + 0.5) / self.scale
                uy = (y + 0.5) / self.scale
                if (ux - cx) ** 2 + (uy - cy) ** 2 <= r * r:
                    self.pixels[y][x] = colour


def monitor(c, screen=TEAL):
    """A monitor on a foot; its screen spans 6..26 x 6..20."""
    c.rect(3, 3, 29, 23, SILVER)
    c.frame(3, 3, 29, 23, BLACK)
    c.rect(6, 6, 26, 20, screen)
    c.frame(5, 5, 27, 21, GREY)
    c.rect(12, 23, 20, 26, GREY)
    c.rect(7, 26, 25, 29, SILVER)
    c.frame(7, 26, 25, 29, BLACK)


def draw_setup(c):
    """The program: a monitor with an arrow coming down onto its screen."""
    monitor(c)
    c.rect(14, 1, 18, 11, YELLOW)
    c.frame(14, 1, 18, 11, OLIVE)
    for i, half in enumerate((7, 5, 3, 1)):
        c.rect(16 - half, 11 + 2 * i, 16 + half, 13 + 2 * i, YELLOW)
    c.line([(9, 11), (16, 18), (23, 11)], OLIVE, 1)


def draw_port(c):
    """The serial port: a nine-pin connector with its cable."""
    c.rect(13, 22, 19, 32, GREY)
    c.frame(13, 22, 19, 32, BLACK)
    c.rect(2, 7, 30, 23, SILVER)
    c.frame(2, 7, 30, 23, BLACK)
    c.rect(5, 10, 27, 20, NAVY)
    for i in range(5):
        c.rect(7 + 4 * i, 12, 9 + 4 * i, 14, YELLOW)
    for i in range(4):
        c.rect(9 + 4 * i, 16, 11 + 4 * i, 18, YELLOW)


def draw_complete(c):
    """The end of an installation: a check mark on the monitor's screen."""
    monitor(c, WHITE)
    c.line([(9, 12), (14, 17), (24, 7)], GREEN, 3)


def draw_question(c):
    """The question: a monitor showing a question mark."""
    monitor(c, NAVY)
    c.line([(12, 10), (12, 8), (20, 8), (20, 11), (16, 13), (16, 15)], YELLOW, 2)
    c.rect(15, 17, 17, 19, YELLOW)


ICONS = {
    "setup.ico": draw_setup,
    "port.ico": draw_port,
    "complete.ico": draw_complete,
    "question.ico": draw_question,
}


def render(draw, size):
    canvas = Canvas(size)
    draw(canvas)
    return canvas.pixels


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, draw in ICONS.items():
        write_ico(os.path.join(folder, name), [(render(draw, 32), 4), (render(draw, 16), 4)])


if __name__ == "__main__":
    main(sys.argv[1])
