// Portable rules of the drawing test's check: where the nine crosses stand,
// how far a tap landed from its cross, the pass rule and the run of a check
// through its crosses. No windows.h, so all of it is tested natively.
#ifndef BROKASTA_CHECK_H
#define BROKASTA_CHECK_H

#include "point.h"

namespace drawtest {

const int kGridSide = 3;
const int kCrossCount = kGridSide * kGridSide;

// Cross i of the check, in the order the user taps them: a 3 x 3 grid at
// 5 %, 50 % and 95 % of the screen's width and height (rounded to the
// nearest pixel), row by row from the top, each row left to right. The
// outer crosses sit near the edges, where panels go wrong first.
Point CrossPosition(int index, int width, int height);

// Largest r with r * r <= value.
unsigned long long IntegerSqrt(unsigned long long value);

// The square root of squared, rounded to the nearest whole number.
unsigned RoundedRoot(unsigned long long squared);

// Distance from a to b, rounded to the nearest pixel.
unsigned RoundedDistance(Point a, Point b);

// The check's tolerance: 1% of the screen width in whole pixels, at least 1.
unsigned TolerancePixels(int width);

// A tap passes when its rounded distance is within the tolerance, so the
// verdict always agrees with the two numbers the user is shown.
bool TapPasses(unsigned distance, unsigned tolerance);

struct CrossResult {
    Point tap;
    unsigned distance;
    bool passed;
};

// One check: the crosses are tapped in order; each tap is judged against
// the cross that was waiting for it.
struct CheckRun {
    int width;
    int height;
    int next;  // the cross waiting for its tap; kCrossCount when all are done
    CrossResult results[kCrossCount];
};

void StartCheck(CheckRun *run, int width, int height);
// Judges tap against the waiting cross. False (and no change) once all
// crosses have their taps.
bool RecordTap(CheckRun *run, Point tap);
bool CheckDone(const CheckRun &run);
int PassedCount(const CheckRun &run);

}  // namespace drawtest

#endif
