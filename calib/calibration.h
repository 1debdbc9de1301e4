// The arithmetic of a calibration run: where the three targets and the
// prompt box sit on a screen of a given size, and how three raw touches
// become the record the driver takes. Portable (no windows.h), so the
// rules are unit-tested natively.
#ifndef DURMASEL_CALIBRATION_H
#define DURMASEL_CALIBRATION_H

#include <stdint.h>

#include "calibration_record.h"
#include "driver_interface.h"

namespace calib {

enum { kTargetCount = 3 };

struct ScreenPoint {
    int x;
    int y;
};

// A touch in the controller's raw units (0..4096 from a sound driver).
struct RawPoint {
    int32_t x;
    int32_t y;
};

// Targets at one fifth and four fifths of the screen: upper left, lower
// right, upper right, in the order they are shown.
void TargetPositions(int width, int height, ScreenPoint targets[kTargetCount]);

// Radius of a target's circle; the cross reaches 4 pixels beyond it.
inline int TargetRadius(int width) { return width / 40; }

// Side of the square saved under a target so it can be erased again.
inline int SavedSquareSide(int width) { return 2 * TargetRadius(width) + 8; }

// Side of the off-screen bitmap that holds one saved square.
inline int SaveBitmapSide(int width) { return width / 20 + 8; }

// The prompt box, 400 x 80, centred on the screen.
enum { kPromptWidth = 400, kPromptHeight = 80 };
ScreenPoint PromptOrigin(int width, int height);

// Turns the raw touches at the three targets (upper left, lower right,
// upper right) into the driver's record: detects reversed and swapped
// axes, extends the spans from the targets to the screen edges and clamps
// the result to the controller's range.
CalibrationRecord ComputeRecord(const RawPoint points[kTargetCount]);

// Two diagonal touches closer than this on either raw axis cannot come
// from targets three fifths of the screen apart: a finger that slipped or
// bounced, not a panel. A record made from a sound run of touches inside
// the raw range spans at least as much, so the same figure judges a
// record (driver::RecordUsable).
enum { kMinRawSpan = TOUCH_MIN_RAW_SPAN };

// False for a run that must not be trusted: a raw span below kMinRawSpan,
// or a third touch farther than a quarter of the span, on either axis,
// from where the first two put it (near (x1, y0), or near (x0, y1) when
// the axes are crossed).
bool RunIsSound(const RawPoint points[kTargetCount]);

// The store's rule for the edges a calibration may save.
using store::EdgesStorable;

}  // namespace calib

#endif
