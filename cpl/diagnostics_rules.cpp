// The Diagnostics page's rules: the watch, the kept touches, the miniature
// and the texts (see diagnostics_rules.h).
#include "diagnostics_rules.h"

#include "bounded_text.h"

namespace diag {

// ---- the watch ----------------------------------------------------------------

void SwitchOn(RawWatch *watch) {
    watch->on = true;
    watch->armed = false;
}

void SwitchOff(RawWatch *watch) {
    watch->on = false;
    watch->armed = false;
}

WatchStep NextStep(const RawWatch &watch) {
    if (!watch.on) return kNothing;
    return watch.armed ? kAskRawPoint : kStartCapture;
}

void CaptureStarted(RawWatch *watch, bool accepted) { watch->armed = watch->on && accepted; }

RawPointReply PresetReply() {
    RawPointReply reply = {RAW_POINT_MARKER_NONE, 0, 0};
    return reply;
}

bool TouchDelivered(RawWatch *watch, bool answered, const RawPointReply &reply) {
    if (!watch->on || !watch->armed || !answered || reply.marker == RAW_POINT_MARKER_NONE)
        return false;
    watch->armed = false;
    return true;
}

// ---- the last touches -----------------------------------------------------------

void ClearHistory(TouchHistory *history) {
    history->count = 0;
    history->next = 0;
    history->total = 0;
    history->lastMs = 0;
}

void AddTouch(TouchHistory *history, RawTouch touch, unsigned long nowMs) {
    history->kept[history->next] = touch;
    history->next = (history->next + 1) % kKeptTouches;
    if (history->count < kKeptTouches) ++history->count;
    ++history->total;
    history->lastMs = nowMs;
}

RawTouch KeptTouch(const TouchHistory &history, int i) {
    int oldest = (history.next - history.count + kKeptTouches) % kKeptTouches;
    return history.kept[(oldest + i) % kKeptTouches];
}

// ---- the miniature ------------------------------------------------------------

Box PanelSquare(const Box &area) {
    int width = area.right - area.left, height = area.bottom - area.top;
    int side = width < height ? width : height;
    if (side < 0) side = 0;
    int left = area.left + (width - side) / 2, top = area.top + (height - side) / 2;
    Box square = {left, top, left + side, top + side};
    return square;
}

namespace {

// A raw value's place on a side of 'length' pixels, 0 to length - 1.
int Along(uint32_t raw, int length) {
    if (length <= 1) return 0;
    uint32_t held = raw > TOUCH_RAW_MAX ? TOUCH_RAW_MAX : raw;
    return static_cast<int>((held * static_cast<uint32_t>(length - 1) + TOUCH_RAW_MAX / 2) /
                            TOUCH_RAW_MAX);
}

}  // namespace

void DotPosition(const Box &square, RawTouch touch, int *x, int *y) {
    *x = square.left + Along(touch.x, square.right - square.left);
    *y = square.top + Along(touch.y, square.bottom - square.top);
}

// ---- texts -------------------------------------------------------------------

namespace {

// A mode by name, or its number when the driver handed over another.
void PutMode(rt::Writer &t, const char *name, uint32_t mode) {
    if (name) t.Put(name);
    else t.PutUnsigned(mode);
}

const char kDiffers[] = "* ";

}  // namespace

bool FormatMouseMode(char *out, size_t size, uint32_t mode, bool differs) {
    rt::Writer t(out, size);
    if (differs) t.Put(kDiffers);
    PutMode(t, pages::MouseModeName(mode), mode);
    return t.Whole();
}

bool FormatBeep(char *out, size_t size, const BeepRecord &beep, bool differs) {
    rt::Writer t(out, size);
    if (differs) t.Put(kDiffers);
    PutMode(t, pages::BeepModeName(beep.mode), beep.mode);
    t.Put(" ");
    t.PutUnsigned(beep.frequency);
    t.Put(" ");
    t.PutUnsigned(beep.duration);
    return t.Whole();
}

bool BeepsDiffer(const BeepRecord &a, const BeepRecord &b) {
    return a.mode != b.mode || a.frequency != b.frequency || a.duration != b.duration;
}

bool FormatEdges(char *out, size_t size, char axis, uint32_t low, uint32_t high) {
    const char name[2] = {axis, '\0'};
    rt::Writer t(out, size);
    t.Put(name);
    t.Put("Low ");
    t.PutUnsigned(low);
    t.Put(", ");
    t.Put(name);
    t.Put("High ");
    t.PutUnsigned(high);
    return t.Whole();
}

bool FormatSwap(char *out, size_t size, const CalibrationRecord &record) {
    calmodel::Orientation words = calmodel::DescribeOrientation(record);
    rt::Writer t(out, size);
    t.Put("SwapXY ");
    t.PutUnsigned(record.SwapXY);
    if (words.swap) {
        t.Put(": ");
        t.Put(words.swap);
    }
    return t.Whole();
}

bool FormatDirections(char *out, size_t size, const CalibrationRecord &record) {
    calmodel::Orientation words = calmodel::DescribeOrientation(record);
    rt::Writer t(out, size);
    if (words.problem) {
        t.Put(words.problem);
        return t.Whole();
    }
    t.Put(words.x);
    t.Put(", ");
    t.Put(words.y);
    return t.Whole();
}

bool FormatRaw(char *out, size_t size, RawTouch touch) {
    rt::Writer t(out, size);
    t.Put("Raw: X ");
    t.PutUnsigned(touch.x);
    t.Put(", Y ");
    t.PutUnsigned(touch.y);
    return t.Whole();
}

bool FormatScreen(char *out, size_t size, const calmodel::ScreenPoint *mapped) {
    rt::Writer t(out, size);
    if (!mapped) {
        t.Put("Screen: no usable calibration");
        return t.Whole();
    }
    t.Put("Screen: X ");
    t.PutNumber(mapped->x);
    t.Put(", Y ");
    t.PutNumber(mapped->y);
    return t.Whole();
}

bool FormatCount(char *out, size_t size, unsigned long count) {
    rt::Writer t(out, size);
    t.Put("Touches: ");
    t.PutUnsigned(count);
    return t.Whole();
}

bool FormatAgo(char *out, size_t size, unsigned long nowMs, unsigned long thenMs) {
    unsigned long seconds = ((nowMs - thenMs) & 0xFFFFFFFFUL) / 1000;
    rt::Writer t(out, size);
    t.Put("Last touch: ");
    if (seconds >= 3600) {
        t.Put("over an hour ago");
        return t.Whole();
    }
    if (seconds >= 60) {
        t.PutUnsigned(seconds / 60);
        t.Put(" min ");
    }
    t.PutUnsigned(seconds % 60);
    t.Put(" s ago");
    return t.Whole();
}

}  // namespace diag
