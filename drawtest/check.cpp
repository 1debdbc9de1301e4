// Geometry and rules of the drawing test; see check.h.
#include "check.h"

namespace drawtest {

static const int kGridPercent[kGridSide] = {5, 50, 95};

// percent of size, rounded to the nearest pixel (sizes are never negative).
static int PercentOf(int size, int percent) { return (size * percent + 50) / 100; }

Point CrossPosition(int index, int width, int height) {
    int column = index % kGridSide, row = index / kGridSide % kGridSide;
    return Point{PercentOf(width, kGridPercent[column]), PercentOf(height, kGridPercent[row])};
}

unsigned long long IntegerSqrt(unsigned long long value) {
    // Bit by bit, so no floating point or division is needed.
    unsigned long long root = 0;
    unsigned long long bit = 1ULL << 62;
    while (bit > value) bit >>= 2;
    while (bit) {
        if (value >= root + bit) {
            value -= root + bit;
            root = (root >> 1) + bit;
        } else {
            root >>= 1;
        }
        bit >>= 2;
    }
    return root;
}

static unsigned long long SquaredGap(int a, int b) {
    // The gap of two ints always fits 32 unsigned bits, its square 64.
    unsigned long long gap = a > b ? static_cast<unsigned long long>(static_cast<long long>(a) - b)
                                   : static_cast<unsigned long long>(static_cast<long long>(b) - a);
    return gap * gap;
}

unsigned RoundedDistance(Point a, Point b) {
    unsigned long long across = SquaredGap(a.x, b.x), down = SquaredGap(a.y, b.y);
    // Beyond 64 bits the distance is far past any screen: it saturates.
    return RoundedRoot(across + down < across ? ~0ULL : across + down);
}

unsigned RoundedRoot(unsigned long long squared) {
    unsigned long long root = IntegerSqrt(squared);
    // sqrt(n) >= r + 0.5 exactly when n > r * r + r, for whole n.
    if (squared > root * root + root) ++root;
    return root > 0xFFFFFFFFULL ? 0xFFFFFFFFu : static_cast<unsigned>(root);
}

unsigned TolerancePixels(int width) {
    int onePercent = width / 100;
    return onePercent < 1 ? 1u : static_cast<unsigned>(onePercent);
}

bool TapPasses(unsigned distance, unsigned tolerance) { return distance <= tolerance; }

void StartCheck(CheckRun *run, int width, int height) {
    run->width = width;
    run->height = height;
    run->next = 0;
    for (int i = 0; i < kCrossCount; ++i) run->results[i] = CrossResult{Point{0, 0}, 0, false};
}

bool RecordTap(CheckRun *run, Point tap) {
    if (CheckDone(*run)) return false;
    CrossResult &result = run->results[run->next];
    result.tap = tap;
    result.distance = RoundedDistance(tap, CrossPosition(run->next, run->width, run->height));
    result.passed = TapPasses(result.distance, TolerancePixels(run->width));
    ++run->next;
    return true;
}

bool CheckDone(const CheckRun &run) { return run.next >= kCrossCount; }

int PassedCount(const CheckRun &run) {
    int passed = 0;
    for (int i = 0; i < run.next && i < kCrossCount; ++i) passed += run.results[i].passed;
    return passed;
}

void BeginStroke(Stroke *stroke, Point at) {
    stroke->active = true;
    stroke->last = at;
}

bool ContinueStroke(Stroke *stroke, Point to, bool buttonDown, Point *from) {
    if (!stroke->active || !buttonDown) return false;
    *from = stroke->last;
    stroke->last = to;
    return true;
}

void EndStroke(Stroke *stroke) { stroke->active = false; }

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
