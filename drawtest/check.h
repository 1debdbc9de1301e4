// Portable geometry of the drawing test: where the five check crosses
// stand, how far a tap landed from its cross, the pass rule, the run of a
// check through its five crosses, the stroke rule that never joins two
// touches, and where the finger-sized buttons sit. No windows.h, so all of
// it is tested natively.
#ifndef BROKASTA_CHECK_H
#define BROKASTA_CHECK_H

namespace drawtest {

struct Point {
    int x;
    int y;
};

struct Box {
    int left;
    int top;
    int right;
    int bottom;
};

const int kCrossCount = 5;

// Cross i of the check, in the order the user taps them: upper left, upper
// right, lower right, lower left (the calibration targets' points at one
// fifth and four fifths of the screen), then the centre. Four fifths is
// counted from the far edge, as the calibration program places its targets.
Point CrossPosition(int index, int width, int height);

// Largest r with r * r <= value.
unsigned long long IntegerSqrt(unsigned long long value);

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
// five crosses have their taps.
bool RecordTap(CheckRun *run, Point tap);
bool CheckDone(const CheckRun &run);
int PassedCount(const CheckRun &run);

// A stroke follows the finger from its button-down to its button-up; moves
// outside a stroke draw nothing, so no line ever crosses a lift.
struct Stroke {
    bool active;
    Point last;
};

void BeginStroke(Stroke *stroke, Point at);
// The segment to draw for a move to 'to' (from *from); false when none is
// due because no stroke is active or the button is not down.
bool ContinueStroke(Stroke *stroke, Point to, bool buttonDown, Point *from);
void EndStroke(Stroke *stroke);

enum BarItem { BAR_DRAW, BAR_DRAG, BAR_CHECK, BAR_CLEAR, BAR_EXIT, BAR_BUTTONS };

// The bar along the top: five finger-sized buttons from the left and the
// coordinate readout after them; scaled with the screen within limits a
// finger can still hit. Two thinner rows along the bottom hold the status
// line and, below it, the legend of the event marks.
struct BarLayout {
    int height;
    Box buttons[BAR_BUTTONS];
    Box readout;
    Box legend;
    Box status;
};

BarLayout LayOutBar(int width, int height);

}  // namespace drawtest

#endif
