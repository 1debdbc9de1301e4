// The board's layout and the result picture's geometry; see board_layout.h.
#include "board_layout.h"

namespace drawtest {

static int Clamp(int value, int low, int high) {
    return value < low ? low : (value > high ? high : value);
}

BarLayout LayOutBar(int width, int height) {
    BarLayout bar;
    const int gap = 6;
    // About 10 mm on a 15-inch panel at 1024 x 768; never below what a
    // fingertip covers on a small 640 x 480 screen.
    bar.height = Clamp(height / 12, 48, 96);
    int buttonWidth = Clamp(width / 9, 56, 160);
    int left = gap;
    for (int i = 0; i < BAR_BUTTONS; ++i) {
        bar.buttons[i] = Box{left, gap, left + buttonWidth, bar.height - gap};
        left += buttonWidth + gap;
    }
    int applyLeft = width - gap - buttonWidth;
    bar.apply = Box{applyLeft, gap, width - gap, bar.height - gap};
    int readoutRight = applyLeft - gap;
    bar.readout = Box{left + gap, gap, readoutRight > left + gap ? readoutRight : left + gap,
                      bar.height - gap};
    int row = bar.height / 2;
    bar.status = Box{gap, height - 2 * row, width - gap, height - row};
    bar.legend = Box{gap, height - row, width - gap, height};
    // The result picture leaves room around its crosses for the tolerance
    // rings, magnified as the error lines are (five times 1 % of the width
    // is never more than a twentieth), and for the labels below.
    static_assert(kMagnification <= 5, "rings within a twentieth of the width");
    int ring = width / 20 + gap;
    int label = row * 11 / 20 + gap;
    bar.picture = Box{gap + ring, bar.height + gap + ring, width - gap - ring,
                      bar.status.top - gap - ring - label};
    return bar;
}

Point PicturePoint(const Box &picture, Point at, int width, int height) {
    int across = picture.right - picture.left, down = picture.bottom - picture.top;
    if (width < 1 || height < 1) return Point{picture.left, picture.top};
    return Point{picture.left + across * at.x / width, picture.top + down * at.y / height};
}

// A tap far beyond any screen is pulled in first, so nothing overflows.
static int MagnifiedAxis(int start, int target, int tap) {
    int error = Clamp(tap, -(1 << 20), 1 << 20) - target;
    return Clamp(start + kMagnification * error, -32768, 32767);
}

Point MagnifiedEnd(Point start, Point target, Point tap) {
    return Point{MagnifiedAxis(start.x, target.x, tap.x), MagnifiedAxis(start.y, target.y, tap.y)};
}

}  // namespace drawtest
