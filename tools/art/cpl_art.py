"""Draws the applet's pictures: its icon (group 105), a touch monitor with
a red target on a blue screen, at 48, 32 and 16 pixels in 8-bit and 24-bit
colour and at 32 and 16 pixels in 32-bit colour with a soft shadow; and the
About page's logo (bitmap 107), the maker's name beside a touch target on a
blue band, 180 x 80 pixels, 24-bit. Usage: cpl_art.py <output folder>
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from bmpfile import write_bmp, write_ico, output_folder  # noqa: E402

CLEAR = (0, 0, 0, 0)
BEZEL = (192, 192, 192)
BEZEL_DARK = (96, 96, 96)
OUTLINE = (0, 0, 0)
TARGET = (224, 0, 0)
WHITE = (255, 255, 255)


def screen_blue(y, top, bottom, steps):
    """Blue that lightens towards the bottom, in at most 'steps' shades so
    the 8-bit images keep to their palette."""
    t = (y - top) / max(1.0, bottom - top)
    level = int(t * (steps - 1) + 0.5) / max(1, steps - 1)
    return (0, int(40 + 60 * level), int(128 + 100 * level))


class Monitor:
    """Geometry of the monitor in a square of 'size' pixels."""

    def __init__(self, size):
        s = size / 48.0
        self.left, self.right = round(3 * s), size - round(3 * s) - 1
        self.top, self.bottom = round(4 * s), round(36 * s)
        border = max(2, round(4 * s))
        self.screen = (self.left + border, self.top + border,
                       self.right - border, self.bottom - border)
        self.cx = (self.screen[0] + self.screen[2]) / 2.0
        self.cy = (self.screen[1] + self.screen[3]) / 2.0
        self.radius = max(2.5, 8 * s)
        # Thinner lines on the small images, or the target fills the screen.
        self.line = 0.75 if size >= 32 else 0.45
        self.arm = self.radius + (2 if size >= 32 else 0.5)
        self.stand_top, self.foot = self.bottom + 1, size - round(3 * s) - 1
        self.neck = max(1, round(5 * s))
        self.foot_half = max(3, round(13 * s))

    def in_frame(self, x, y):
        return self.left <= x <= self.right and self.top <= y <= self.bottom

    def in_screen(self, x, y):
        l, t, r, b = self.screen
        return l <= x <= r and t <= y <= b

    def in_stand(self, x, y):
        mid = int(self.cx)
        if self.stand_top <= y < self.foot:
            return abs(x - mid) <= self.neck
        return y == self.foot and abs(x - mid) <= self.foot_half

    def on_target(self, x, y):
        dx, dy = x + 0.5 - self.cx, y + 0.5 - self.cy
        ring = abs((dx * dx + dy * dy) ** 0.5 - self.radius) < self.line
        cross = ((abs(dx) < 0.6 and abs(dy) <= self.arm) or
                 (abs(dy) < 0.6 and abs(dx) <= self.arm))
        return ring or cross


def monitor_pixel(m, x, y, shades):
    if m.in_screen(x, y):
        if m.on_target(x, y):
            return TARGET
        return screen_blue(y, m.screen[1], m.screen[3], shades)
    if m.in_frame(x, y):
        edge = x in (m.left, m.right) or y in (m.top, m.bottom)
        if edge:
            return OUTLINE
        # Light from the upper left: the lower and right bezel is darker.
        return BEZEL_DARK if x >= m.right - 1 or y >= m.bottom - 1 else BEZEL
    if m.in_stand(x, y):
        return BEZEL_DARK
    return None


def draw_icon(size, shadow):
    """Rows of (r, g, b, a). With 'shadow' a half-transparent shadow falls to
    the lower right (only the 32-bit images can show it)."""
    m = Monitor(size)
    offset = max(1, size // 16)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            colour = monitor_pixel(m, x, y, 12)
            if colour is not None:
                row.append(colour + (255,))
            elif shadow and monitor_pixel(m, x - offset, y - offset, 12) is not None:
                row.append((0, 0, 0, 96))
            else:
                row.append(CLEAR)
        rows.append(row)
    return rows


# Capital letters of 5 x 7 cells, enough for the maker's name.
GLYPHS = {
    "O": ["01110", "10001", "10001", "10001", "10001", "10001", "01110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "I": ["01110", "00100", "00100", "00100", "00100", "00100", "01110"],
    "X": ["10001", "10001", "01010", "00100", "01010", "10001", "10001"],
}


def text_cells(text, x0, y0, scale):
    """Set of (x, y) pixels covered by 'text' drawn from (x0, y0)."""
    cells = set()
    for i, letter in enumerate(text):
        glyph = GLYPHS[letter]
        for gy, line in enumerate(glyph):
            for gx, bit in enumerate(line):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            cells.add((x0 + (i * 6 + gx) * scale + dx, y0 + gy * scale + dy))
    return cells


def draw_logo(width=180, height=80):
    name = "ORVANTIX"
    scale = 2
    text_x, text_y = 64, (height - 7 * scale) // 2
    letters = text_cells(name, text_x, text_y, scale)
    shadow = text_cells(name, text_x + 1, text_y + 1, scale)
    emblem = Monitor(48)
    ex, ey = 8, (height - 48) // 2
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            colour = monitor_pixel(emblem, x - ex, y - ey, 48)
            if colour is not None:
                row.append(colour)
            elif (x, y) in letters:
                row.append(WHITE)
            elif (x, y) in shadow:
                row.append((0, 0, 64))
            else:
                # A band that darkens from left to right behind the name.
                row.append((0, int(70 - 40 * x / width), int(170 - 60 * x / width)))
        rows.append(row)
    return rows


def main():
    out = output_folder()
    images = [(draw_icon(size, False), bpp) for bpp in (8, 24) for size in (48, 32, 16)]
    images += [(draw_icon(size, True), 32) for size in (32, 16)]
    write_ico(os.path.join(out, "applet.ico"), images)
    write_bmp(os.path.join(out, "logo.bmp"), draw_logo(), 24)


if __name__ == "__main__":
    main()
