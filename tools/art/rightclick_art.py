"""Draws Fennock's pictures: a light mouse seen from above on a grey
ground, its left button hatched (idle, bitmap 108, 62 x 41) or its right
button hatched (pending, bitmap 107, 57 x 41), both in 16 colours, and the
program icon (32 x 32 and 16 x 16, 16 colours, transparent around the
mouse). Usage: rightclick_art.py <output folder>
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bmpfile import write_bmp, write_ico, output_folder  # noqa: E402

GROUND = (192, 192, 192)
BODY = (255, 255, 255)
OUTLINE = (0, 0, 0)
SHADE = (128, 128, 128)
HATCH = (0, 0, 128)
CABLE = (64, 64, 64)
CLEAR = (0, 0, 0, 0)


class Mouse:
    """Geometry of one mouse: a rounded body, a cable leaving its top, and
    two buttons split by a line down the middle of the upper part."""

    def __init__(self, width, height, margin=2):
        self.cx = width / 2.0
        self.top = max(margin, height // 10)
        self.bottom = height - margin
        self.a = min(width * 0.42, (self.bottom - self.top) * 0.34)
        self.b = (self.bottom - self.top) / 2.0
        self.cy = self.top + self.b
        self.split = self.top + (self.bottom - self.top) * 0.38

    def inside(self, x, y):
        dx = abs(x + 0.5 - self.cx) / self.a
        dy = abs(y + 0.5 - self.cy) / self.b
        return dx ** 2.6 + dy ** 2.6 <= 1.0

    def button_of(self, x, y):
        """'left', 'right' or None for a body pixel at (x, y)."""
        if y + 0.5 >= self.split:
            return None
        return "left" if x + 0.5 < self.cx else "right"

    def is_edge(self, x, y):
        return any(not self.inside(x + dx, y + dy)
                   for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))

    def is_seam(self, x, y):
        on_split = int(self.split) == y
        on_middle = int(self.cx) == x and y + 0.5 < self.split
        return on_split or on_middle

    def is_cable(self, x, y):
        return y < self.top + 1 and int(self.cx) == x


def body_colour(mouse, x, y, hatched):
    if mouse.is_edge(x, y) or mouse.is_seam(x, y):
        return OUTLINE
    button = mouse.button_of(x, y)
    # Small pictures need denser hatching to read as hatched at all.
    spacing = 2 if mouse.b < 10 else 3
    if button == hatched and (x + y) % spacing == 0:
        return HATCH
    # A touch of shade along the lower right gives the body some depth.
    if not mouse.inside(x + 2, y + 2):
        return SHADE
    return BODY


def draw(width, height, hatched, ground, margin=2):
    mouse = Mouse(width, height, margin)
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            if mouse.inside(x, y):
                row.append(body_colour(mouse, x, y, hatched))
            elif mouse.is_cable(x, y):
                row.append(CABLE)
            else:
                row.append(ground)
        rows.append(row)
    return rows


def main():
    out = output_folder()
    # The window's push button shows about 46 x 34 pixels of its picture,
    # centred: the mouse keeps inside that, or its lower end is cut off.
    write_bmp(os.path.join(out, "switch_idle.bmp"), draw(62, 41, "left", GROUND, 6), 4)
    write_bmp(os.path.join(out, "switch_pending.bmp"), draw(57, 41, "right", GROUND, 6), 4)
    icon = [(draw(size, size, "right", CLEAR), 4) for size in (32, 16)]
    write_ico(os.path.join(out, "fennock.ico"), icon)


if __name__ == "__main__":
    main()
