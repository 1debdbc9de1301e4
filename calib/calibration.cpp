// Target layout and the three-point calibration arithmetic.
#include "calibration.h"

namespace calib {

void TargetPositions(int width, int height, ScreenPoint targets[kTargetCount]) {
    const int left = width / 5, right = width - width / 5;
    const int top = height / 5, bottom = height - height / 5;
    targets[0] = {left, top};
    targets[1] = {right, bottom};
    targets[2] = {right, top};
}

ScreenPoint PromptOrigin(int width, int height) {
    return {(width - kPromptWidth) / 2, (height - kPromptHeight) / 2};
}

namespace {

// 64-bit so that a raw value far outside the controller's range (a faulty
// driver) cannot overflow; for sound input the results are the same.
int64_t Distance(int64_t a, int64_t b) { return a > b ? a - b : b - a; }

// Moves the two diagonal readings of one axis out to the screen edges.
// The targets lie at 1/5 and 4/5 of the screen, so a third of the span
// between them is the distance from a target to its edge. Only the value
// moved outwards can leave the range, so only that side is clamped.
void ExtendToEdges(int64_t *low, int64_t *high) {
    const int64_t margin = Distance(*low, *high) / 3;
    if (*low > *high) {
        *low = *low + margin;
        *high = *high - margin;
        if (*low > static_cast<int64_t>(TOUCH_RAW_MAX)) *low = TOUCH_RAW_MAX;
        if (*high < 0) *high = 0;
    } else {
        *low = *low - margin;
        *high = *high + margin;
        if (*low < 0) *low = 0;
        if (*high > static_cast<int64_t>(TOUCH_RAW_MAX)) *high = TOUCH_RAW_MAX;
    }
}

// P2 shares the screen X of P1 and the screen Y of P0; when its raw X is
// nearer P0's and its raw Y nearer P1's, the controller's axes are crossed.
bool AxesSwapped(const RawPoint p[kTargetCount]) {
    const bool xFollowsY = Distance(p[2].x, p[0].x) < Distance(p[2].x, p[1].x);
    const bool yFollowsX = Distance(p[2].y, p[1].y) < Distance(p[2].y, p[0].y);
    return xFollowsY && yFollowsX;
}

uint32_t Word(int64_t value) { return static_cast<uint32_t>(value); }

}  // namespace

CalibrationRecord ComputeRecord(const RawPoint points[kTargetCount]) {
    const bool swapped = AxesSwapped(points);
    int64_t x0 = points[0].x, x1 = points[1].x;
    int64_t y0 = points[0].y, y1 = points[1].y;
    ExtendToEdges(&x0, &x1);
    ExtendToEdges(&y0, &y1);
    if (swapped) return {Word(y0), Word(x0), Word(y1), Word(x1), 1};
    return {Word(x0), Word(y0), Word(x1), Word(y1), 0};
}

}  // namespace calib
