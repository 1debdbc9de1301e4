// Rules of the applet's Diagnostics page that need no window: the watch on
// raw touches (capture, poll with the preset marker, capture again), the
// last touches kept for the miniature and where their dots go, and the
// page's texts. Portable (no windows.h), so they are unit-tested natively.
#ifndef PEMROSKO_DIAGNOSTICS_RULES_H
#define PEMROSKO_DIAGNOSTICS_RULES_H

#include <stddef.h>
#include <stdint.h>

#include "calibration_model.h"
#include "driver_interface.h"
#include "page_rules.h"

namespace diag {

// ---- the watch ----------------------------------------------------------------
// While the watch is on, each timer tick makes one request: a capture when
// none is armed, else a question for the raw point. A delivered touch uses
// the capture up, so the next request arms a new one.
struct RawWatch {
    bool on;
    bool armed;
};

enum WatchStep { kNothing, kStartCapture, kAskRawPoint };

void SwitchOn(RawWatch *watch);
void SwitchOff(RawWatch *watch);
WatchStep NextStep(const RawWatch &watch);
// The capture request went through (or not: the next tick tries again).
void CaptureStarted(RawWatch *watch, bool accepted);
// The raw-point reply to send: its marker preset, which the driver
// overwrites only when it hands over a touch.
RawPointReply PresetReply();
// True when the request went through and the marker was overwritten: the
// reply carries a touch and the capture is used up.
bool TouchDelivered(RawWatch *watch, bool answered, const RawPointReply &reply);

// ---- the last touches -----------------------------------------------------------
const int kKeptTouches = 8;

struct RawTouch {
    uint32_t x;
    uint32_t y;
};

struct TouchHistory {
    RawTouch kept[kKeptTouches];  // a ring; next is where the coming touch goes
    int count;
    int next;
    unsigned long total;   // touches since the watch was switched on
    unsigned long lastMs;  // tick count when the newest came
};

void ClearHistory(TouchHistory *history);
void AddTouch(TouchHistory *history, RawTouch touch, unsigned long nowMs);
// The kept touch i, oldest first (i < count); the newest is count - 1.
RawTouch KeptTouch(const TouchHistory &history, int i);

// ---- the miniature ------------------------------------------------------------
struct Box {
    int left;
    int top;
    int right;  // just outside, as are bottom
    int bottom;
};

// The panel's raw square: the largest square centred in the area.
Box PanelSquare(const Box &area);
// Where a raw touch's dot goes in the square (raw X to the right, raw Y
// down); values beyond the controller's range stay on the square's edge.
void DotPosition(const Box &square, RawTouch touch, int *x, int *y);

// ---- texts -------------------------------------------------------------------
// Every format below fills out (size bytes, always terminated) and
// returns false when the text was cut short.

// "Drag", or the number for an unknown mode; "* " in front when it differs
// from the store.
bool FormatMouseMode(char *out, size_t size, uint32_t mode, bool differs);
// "Release 1000 32": beep mode, frequency, duration.
bool FormatBeep(char *out, size_t size, const BeepRecord &beep, bool differs);
bool BeepsDiffer(const BeepRecord &a, const BeepRecord &b);

// "XLow 400, XHigh 3600" (axis 'X') or "YLow 300, YHigh 3700" (axis 'Y').
bool FormatEdges(char *out, size_t size, char axis, uint32_t low, uint32_t high);
// "SwapXY 1: axes swapped"; just "SwapXY 7" when the record is unusable.
bool FormatSwap(char *out, size_t size, const CalibrationRecord &record);
// "X runs right to left, Y runs top to bottom", or why the record is unusable.
bool FormatDirections(char *out, size_t size, const CalibrationRecord &record);

// "Raw: X 2048, Y 1024"
bool FormatRaw(char *out, size_t size, RawTouch touch);
// "Screen: X 512, Y 384"; "Screen: no usable calibration" when mapped is null.
bool FormatScreen(char *out, size_t size, const calmodel::ScreenPoint *mapped);
// "Touches: 12"
bool FormatCount(char *out, size_t size, unsigned long count);
// "Last touch: 3 s ago", "Last touch: 2 min 5 s ago", "Last touch: over an
// hour ago"; tick counts wrap, so the age is taken modulo 2^32.
bool FormatAgo(char *out, size_t size, unsigned long nowMs, unsigned long thenMs);

}  // namespace diag

#endif
