// The Diagnostics page's rules: the watch, the kept touches, the miniature
// and the texts (see diagnostics_rules.h).
#include "diagnostics_rules.h"

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

// Appends to a fixed buffer, always terminated; once something does not
// fit, the rest is dropped and the text counts as cut short.
struct Text {
    char *out;
    size_t size;
    size_t used;
    bool whole;
};

Text Begin(char *out, size_t size) {
    Text text = {out, size, 0, out && size > 0};
    if (text.whole) out[0] = '\0';
    return text;
}

void Put(Text &t, const char *part) {
    for (; *part && t.whole; ++part) {
        if (t.used + 1 >= t.size) {
            t.whole = false;
            break;
        }
        t.out[t.used++] = *part;
        t.out[t.used] = '\0';
    }
}

void PutNumber(Text &t, long value) {
    char digits[16];
    char *p = digits + sizeof(digits) - 1;
    *p = '\0';
    unsigned long magnitude =
        value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0) *--p = '-';
    Put(t, p);
}

void PutUnsigned(Text &t, unsigned long value) {
    char digits[16];
    char *p = digits + sizeof(digits) - 1;
    *p = '\0';
    do {
        *--p = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    Put(t, p);
}

// A mode by name, or its number when the driver handed over another.
void PutMode(Text &t, const char *name, uint32_t mode) {
    if (name) Put(t, name);
    else PutUnsigned(t, mode);
}

const char kDiffers[] = "* ";

}  // namespace

bool FormatMouseMode(char *out, size_t size, uint32_t mode, bool differs) {
    Text t = Begin(out, size);
    if (differs) Put(t, kDiffers);
    PutMode(t, pages::MouseModeName(mode), mode);
    return t.whole;
}

bool FormatBeep(char *out, size_t size, const BeepRecord &beep, bool differs) {
    Text t = Begin(out, size);
    if (differs) Put(t, kDiffers);
    PutMode(t, pages::BeepModeName(beep.mode), beep.mode);
    Put(t, " ");
    PutUnsigned(t, beep.frequency);
    Put(t, " ");
    PutUnsigned(t, beep.duration);
    return t.whole;
}

bool BeepsDiffer(const BeepRecord &a, const BeepRecord &b) {
    return a.mode != b.mode || a.frequency != b.frequency || a.duration != b.duration;
}

bool FormatEdges(char *out, size_t size, char axis, uint32_t low, uint32_t high) {
    const char name[2] = {axis, '\0'};
    Text t = Begin(out, size);
    Put(t, name);
    Put(t, "Low ");
    PutUnsigned(t, low);
    Put(t, ", ");
    Put(t, name);
    Put(t, "High ");
    PutUnsigned(t, high);
    return t.whole;
}

bool FormatSwap(char *out, size_t size, const CalibrationRecord &record) {
    calmodel::Orientation words = calmodel::DescribeOrientation(record);
    Text t = Begin(out, size);
    Put(t, "SwapXY ");
    PutUnsigned(t, record.SwapXY);
    if (words.swap) {
        Put(t, ": ");
        Put(t, words.swap);
    }
    return t.whole;
}

bool FormatDirections(char *out, size_t size, const CalibrationRecord &record) {
    calmodel::Orientation words = calmodel::DescribeOrientation(record);
    Text t = Begin(out, size);
    if (words.problem) {
        Put(t, words.problem);
        return t.whole;
    }
    Put(t, words.x);
    Put(t, ", ");
    Put(t, words.y);
    return t.whole;
}

bool FormatRaw(char *out, size_t size, RawTouch touch) {
    Text t = Begin(out, size);
    Put(t, "Raw: X ");
    PutUnsigned(t, touch.x);
    Put(t, ", Y ");
    PutUnsigned(t, touch.y);
    return t.whole;
}

bool FormatScreen(char *out, size_t size, const calmodel::ScreenPoint *mapped) {
    Text t = Begin(out, size);
    if (!mapped) {
        Put(t, "Screen: no usable calibration");
        return t.whole;
    }
    Put(t, "Screen: X ");
    PutNumber(t, mapped->x);
    Put(t, ", Y ");
    PutNumber(t, mapped->y);
    return t.whole;
}

bool FormatCount(char *out, size_t size, unsigned long count) {
    Text t = Begin(out, size);
    Put(t, "Touches: ");
    PutUnsigned(t, count);
    return t.whole;
}

bool FormatAgo(char *out, size_t size, unsigned long nowMs, unsigned long thenMs) {
    unsigned long seconds = ((nowMs - thenMs) & 0xFFFFFFFFUL) / 1000;
    Text t = Begin(out, size);
    Put(t, "Last touch: ");
    if (seconds >= 3600) {
        Put(t, "over an hour ago");
        return t.whole;
    }
    if (seconds >= 60) {
        PutUnsigned(t, seconds / 60);
        Put(t, " min ");
    }
    PutUnsigned(t, seconds % 60);
    Put(t, " s ago");
    return t.whole;
}

}  // namespace diag
