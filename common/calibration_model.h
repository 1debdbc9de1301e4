// How the driver turns raw touches into screen points with a calibration
// record, in both directions, which records it can use at all, and the
// record's orientation in words. The applet's Diagnostics page and
// Brokasta's accuracy check and report all take it from here. Portable (no
// windows.h), so it is unit-tested natively.
#ifndef ORVANTIX_CALIBRATION_MODEL_H
#define ORVANTIX_CALIBRATION_MODEL_H

#include <stddef.h>
#include <stdint.h>

#include "calibration_record.h"
#include "driver_interface.h"

namespace calmodel {

// One screen axis of the model: the record's low value at the near edge
// (position 0), its high value at the far one (position size), linear in
// between. A low value above the high one means the raw axis runs against
// the screen's.
double RawAlong(uint32_t low, uint32_t high, int size, double position);
// The inverse: where on the axis a raw value lands. low must differ from high.
double ScreenAlong(uint32_t low, uint32_t high, int size, double raw);

// To the nearest whole number, halves away from zero.
long long Round(double value);

// Why the driver cannot use a record, or nullptr when it can: every field
// within its stored range (edges in the controller's range, SwapXY 0 or 1)
// and a span on both axes, store::RecordSpans(record, 1). (A record a
// calibration would make, with room between its edges, is
// driver::RecordUsable.)
const char *RecordProblem(const CalibrationRecord &record);
inline bool RecordMappable(const CalibrationRecord &record) { return !RecordProblem(record); }

struct ScreenPoint {
    long x;
    long y;
};

// The screen point (nearest pixel, not held to the screen) that a raw
// touch lands on with the record on a screen of width x height. With
// SwapXY the controller's raw Y follows the screen's X and its raw X the
// screen's Y. False, and no point, for a record the driver cannot use.
bool MapRawPoint(const CalibrationRecord &record, uint32_t rawX, uint32_t rawY, int width,
                 int height, ScreenPoint *point);

// The record's orientation in words, each part a fixed text; for a record
// the driver cannot use only problem is set.
struct Orientation {
    const char *problem;  // "unusable: ...", or nullptr
    const char *x;        // "X runs left to right" or "X runs right to left"
    const char *y;        // "Y runs top to bottom" or "Y runs bottom to top"
    const char *swap;     // "axes swapped" or "axes not swapped"
};
Orientation DescribeOrientation(const CalibrationRecord &record);

// The words on one line: "X runs right to left, Y runs top to bottom, axes
// swapped", or the problem. False when it did not fit (cut short, terminated).
bool FormatOrientation(char *out, size_t size, const CalibrationRecord &record);

}  // namespace calmodel

#endif
