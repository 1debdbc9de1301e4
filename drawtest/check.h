// Portable geometry of the drawing test: where the nine check crosses
// stand, how far a tap landed from its cross, the pass rule, the run of a
// check through its crosses, the stroke rule that never joins two touches,
// where the finger-sized buttons and the result picture sit. No windows.h,
// so all of it is tested natively.
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

// The bar along the top: five finger-sized buttons from the left, the
// check's Apply button of the same size at the right end and the
// coordinate readout between them; scaled with the screen within limits a
// finger can still hit. Two thinner rows along the bottom hold the status
// line and, below it, the legend of the event marks. The check's result
// picture fills the space between the bar and the status line, less room
// for the rings and labels around its crosses.
struct BarLayout {
    int height;
    Box buttons[BAR_BUTTONS];
    Box apply;
    Box readout;
    Box legend;
    Box status;
    Box picture;
};

BarLayout LayOutBar(int width, int height);

// The result picture is the screen in miniature: where a point of the
// screen stands in it...
Point PicturePoint(const Box &picture, Point at, int width, int height);

// ...and where a touch's error line ends: drawn kMagnification times as
// long as the error, so a few pixels show. start and target lie on the
// screen, tap anywhere; the end is kept within 16-bit drawing coordinates.
const int kMagnification = 5;
Point MagnifiedEnd(Point start, Point target, Point tap);

}  // namespace drawtest

#endif
