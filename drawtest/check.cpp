// The check's crosses, distances and run; see check.h.
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

}  // namespace drawtest
