// Judging a nine-cross check against the driver's calibration model; see
// accuracy.h. The driver maps each raw axis linearly onto the screen, the
// record's low value at the near edge and its high value at the far one.
// A touch's raw value is therefore a linear function of where it landed,
// so fitting the record by least squares in raw units is a straight-line
// fit of the touches on their targets, axis by axis, carried over to raw
// units through the stored record. All of it is exact integer arithmetic.
#include "accuracy.h"

namespace drawtest {

namespace {

const long long kSubPixels = 16;  // residuals are worked out in 1/16 pixel
const long long kResidualLimit = 1LL << 28;

long long Clamp(long long value, long long low, long long high) {
    return value < low ? low : (value > high ? high : value);
}

// n / d rounded to the nearest whole number, halves away from zero; d != 0.
long long RoundDiv(long long n, long long d) {
    unsigned long long un = n < 0 ? 0ULL - static_cast<unsigned long long>(n) : n;
    unsigned long long ud = d < 0 ? 0ULL - static_cast<unsigned long long>(d) : d;
    long long q = static_cast<long long>((un + ud / 2) / ud);
    return (n < 0) != (d < 0) ? -q : q;
}

// One axis of the check: the targets and where their touches landed. A
// touch beyond a screen's size off the screen is pulled in that far, which
// keeps every sum below within 64 bits and is still far out of tolerance.
struct AxisSamples {
    long long target[kCrossCount];
    long long touch[kCrossCount];
    int size;
};

AxisSamples SampleAxis(const CheckRun &run, bool across) {
    AxisSamples s;
    s.size = across ? run.width : run.height;
    for (int i = 0; i < kCrossCount; ++i) {
        Point target = CrossPosition(i, run.width, run.height);
        Point tap = run.results[i].tap;
        s.target[i] = across ? target.x : target.y;
        s.touch[i] = Clamp(across ? tap.x : tap.y, -s.size, 2LL * s.size);
    }
    return s;
}

// The least-squares line touch = (a + b * target) / d.
struct AxisFit {
    long long a, b, d;
};

AxisFit FitAxis(const AxisSamples &s) {
    long long st = 0, sx = 0, stt = 0, stx = 0;
    for (int i = 0; i < kCrossCount; ++i) {
        st += s.target[i];
        sx += s.touch[i];
        stt += s.target[i] * s.target[i];
        stx += s.target[i] * s.touch[i];
    }
    AxisFit fit;
    fit.d = kCrossCount * stt - st * st;
    fit.b = kCrossCount * stx - st * sx;
    fit.a = stt * sx - st * stx;
    return fit;
}

// A zero slope means every touch of the axis lands alike whatever the
// target: no linear calibration can tell them apart.
bool FitUsable(const AxisFit &fit) { return fit.d > 0 && fit.b != 0; }

// With the fitted record, a touch that landed at x lands at (d x - a) / b;
// this is that place less the target, in 1/16 pixel.
long long Residual(const AxisFit &fit, long long target, long long touch) {
    long long off = RoundDiv(kSubPixels * (fit.d * touch - fit.a - fit.b * target), fit.b);
    return Clamp(off, -kResidualLimit, kResidualLimit);
}

// The fitted record's raw value at screen position edge (0 or the size):
// where the stored record puts the touch that the fit expects there.
// Rounded as a whole, so a reversed axis rounds as a forward one does.
long long FittedEdge(const AxisFit &fit, uint32_t low, uint32_t high, int size, int edge) {
    long long span = static_cast<long long>(high) - low, scale = fit.d * size;
    return RoundDiv(low * scale + span * (fit.a + fit.b * edge), scale);
}

unsigned Mean(const unsigned values[kCrossCount]) {
    unsigned long long sum = 0;
    for (int i = 0; i < kCrossCount; ++i) sum += values[i];
    return static_cast<unsigned>((sum + kCrossCount / 2) / kCrossCount);
}

unsigned Largest(const unsigned values[kCrossCount]) {
    unsigned largest = 0;
    for (int i = 0; i < kCrossCount; ++i) largest = values[i] > largest ? values[i] : largest;
    return largest;
}

void MeasureResiduals(const AxisSamples &xs, const AxisSamples &ys, const AxisFit &fx,
                      const AxisFit &fy, Judgement *j) {
    for (int i = 0; i < kCrossCount; ++i) {
        long long ex = Residual(fx, xs.target[i], xs.touch[i]);
        long long ey = Residual(fy, ys.target[i], ys.touch[i]);
        unsigned root = RoundedRoot(static_cast<unsigned long long>(ex * ex + ey * ey));
        j->residual[i] = static_cast<unsigned>((root + kSubPixels / 2) / kSubPixels);
    }
    j->meanResidual = Mean(j->residual);
    j->largestResidual = Largest(j->residual);
}

bool EdgeStorable(long long edge) { return edge >= 0 && edge <= TOUCH_RAW_MAX; }

void FitRecord(const AxisSamples &xs, const AxisSamples &ys, const AxisFit &fx,
               const AxisFit &fy, const CalibrationRecord &stored, Judgement *j) {
    long long xLow = FittedEdge(fx, stored.XLow, stored.XHigh, xs.size, 0);
    long long xHigh = FittedEdge(fx, stored.XLow, stored.XHigh, xs.size, xs.size);
    long long yLow = FittedEdge(fy, stored.YLow, stored.YHigh, ys.size, 0);
    long long yHigh = FittedEdge(fy, stored.YLow, stored.YHigh, ys.size, ys.size);
    j->recordFitted = true;
    j->recordStorable = EdgeStorable(xLow) && EdgeStorable(xHigh) && EdgeStorable(yLow) &&
                        EdgeStorable(yHigh);
    j->record = CalibrationRecord{static_cast<uint32_t>(xLow), static_cast<uint32_t>(yLow),
                                  static_cast<uint32_t>(xHigh), static_cast<uint32_t>(yHigh),
                                  stored.SwapXY};
}

bool ScreenFits(const CheckRun &run) {
    return run.width > 0 && run.height > 0 && run.width <= kLargestFittedScreen &&
           run.height <= kLargestFittedScreen;
}

Verdict VerdictOf(const Judgement &j) {
    if (j.largestError <= j.tolerance) return VERDICT_PASS;
    if (j.fitted && j.largestResidual <= j.tolerance) return VERDICT_RECALIBRATE;
    return VERDICT_PANEL_GEOMETRY;
}

}  // namespace

bool StoredRecordUsable(const CalibrationRecord &stored) {
    return stored.XLow <= TOUCH_RAW_MAX && stored.XHigh <= TOUCH_RAW_MAX &&
           stored.YLow <= TOUCH_RAW_MAX && stored.YHigh <= TOUCH_RAW_MAX &&
           stored.SwapXY <= 1 && stored.XLow != stored.XHigh && stored.YLow != stored.YHigh;
}

Judgement JudgeCheck(const CheckRun &run, const CalibrationRecord *stored) {
    Judgement j = {};
    j.tolerance = TolerancePixels(run.width);
    unsigned errors[kCrossCount];
    for (int i = 0; i < kCrossCount; ++i) errors[i] = run.results[i].distance;
    j.meanError = Mean(errors);
    j.largestError = Largest(errors);
    if (ScreenFits(run)) {
        AxisSamples xs = SampleAxis(run, true), ys = SampleAxis(run, false);
        AxisFit fx = FitAxis(xs), fy = FitAxis(ys);
        j.fitted = FitUsable(fx) && FitUsable(fy);
        if (j.fitted) MeasureResiduals(xs, ys, fx, fy, &j);
        if (j.fitted && stored && StoredRecordUsable(*stored)) FitRecord(xs, ys, fx, fy, *stored, &j);
    }
    j.verdict = VerdictOf(j);
    return j;
}

ApplyState ApplyStateFor(const Judgement &judgement, bool driverPresent) {
    if (judgement.verdict != VERDICT_RECALIBRATE) return APPLY_NOT_NEEDED;
    if (!driverPresent) return APPLY_NO_DRIVER;
    if (!judgement.recordFitted) return APPLY_NO_STORED;
    if (!judgement.recordStorable) return APPLY_OUT_OF_RANGE;
    return APPLY_OFFERED;
}

const char *VerdictName(Verdict verdict) {
    static const char *const kNames[] = {"PASS", "RECALIBRATE", "PANEL GEOMETRY"};
    return kNames[verdict];
}

const char *ApplyReason(ApplyState state) {
    static const char *const kReasons[] = {
        "",
        "",
        "No Apply: the touchscreen driver is not loaded.",
        "No Apply: no usable calibration is stored, so the touches cannot be mapped back to "
        "raw units. Run the calibration program.",
        "No Apply: the fitted calibration lies outside the controller's range 0..4096. Run "
        "the calibration program.",
    };
    return kReasons[state];
}

// ---- the report -------------------------------------------------------------

namespace {

// Appends to a fixed buffer; once something does not fit, the rest is dropped.
struct Writer {
    char *out;
    size_t size;
    size_t used;
    bool full;
};

void Put(Writer &w, const char *text) {
    for (; *text && !w.full; ++text) {
        if (w.used + 1 >= w.size) {
            w.full = true;
            break;
        }
        w.out[w.used++] = *text;
    }
    w.out[w.used] = '\0';
}

void PutNumber(Writer &w, long long value, int digits = 1) {
    char text[24];
    char *p = text + sizeof(text) - 1;
    *p = '\0';
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
        --digits;
    } while (magnitude || digits > 0);
    if (value < 0) *--p = '-';
    Put(w, p);
}

void PutLine(Writer &w, const char *label, long long value, const char *unit) {
    Put(w, label);
    PutNumber(w, value);
    Put(w, unit);
    Put(w, "\r\n");
}

void PutTime(Writer &w, const ReportTime &t) {
    Put(w, "Date: ");
    PutNumber(w, t.year, 4);
    Put(w, "-");
    PutNumber(w, t.month, 2);
    Put(w, "-");
    PutNumber(w, t.day, 2);
    Put(w, " ");
    PutNumber(w, t.hour, 2);
    Put(w, ":");
    PutNumber(w, t.minute, 2);
    Put(w, ":");
    PutNumber(w, t.second, 2);
    Put(w, "\r\n");
}

// "Point 1: target 51 38, touch 71 38, error 20 px, after fit 0 px"
void PutPoint(Writer &w, const CheckRun &run, const Judgement &j, int i) {
    Point target = CrossPosition(i, run.width, run.height), tap = run.results[i].tap;
    const long long values[] = {i + 1, target.x, target.y, tap.x, tap.y, run.results[i].distance};
    static const char *const kLabels[] = {"Point ", ": target ", " ", ", touch ", " ", ", error "};
    for (int k = 0; k < 6; ++k) {
        Put(w, kLabels[k]);
        PutNumber(w, values[k]);
    }
    Put(w, " px");
    if (j.fitted) {
        Put(w, ", after fit ");
        PutNumber(w, j.residual[i]);
        Put(w, " px");
    }
    Put(w, "\r\n");
}

// "Stored record: XLow 400, YLow 300, XHigh 3600, YHigh 3700, SwapXY 0"
void PutRecord(Writer &w, const char *label, const CalibrationRecord *record) {
    static const char *const kFields[] = {"XLow ", ", YLow ", ", XHigh ", ", YHigh ", ", SwapXY "};
    Put(w, label);
    if (!record) {
        Put(w, "none\r\n");
        return;
    }
    const uint32_t values[] = {record->XLow, record->YLow, record->XHigh, record->YHigh,
                               record->SwapXY};
    for (int k = 0; k < 5; ++k) {
        Put(w, kFields[k]);
        PutNumber(w, static_cast<int32_t>(values[k]));
    }
    Put(w, "\r\n");
}

const char kRule[] =
    "Rule: PASS when every touch is within the tolerance; RECALIBRATE when the best "
    "calibration of the driver's model (least squares over the nine points) brings every "
    "touch within it; PANEL GEOMETRY when even that calibration leaves a touch outside it.\r\n";

}  // namespace

bool FormatReport(char *out, size_t size, const CheckRun &run, const Judgement &j,
                  const CalibrationRecord *stored, ApplyState apply, const ReportTime &time) {
    if (!out || size == 0) return false;
    Writer w = {out, size, 0, false};
    out[0] = '\0';
    Put(w, "Brokasta touchscreen accuracy check\r\n");
    PutTime(w, time);
    Put(w, "Screen: ");
    PutNumber(w, run.width);
    PutLine(w, " x ", run.height, " pixels");
    PutLine(w, "Tolerance: ", j.tolerance, " px (1 % of the screen width)");
    for (int i = 0; i < kCrossCount; ++i) PutPoint(w, run, j, i);
    PutLine(w, "Mean error: ", j.meanError, " px");
    PutLine(w, "Largest error: ", j.largestError, " px");
    if (j.fitted) {
        PutLine(w, "Mean error after the best calibration: ", j.meanResidual, " px");
        PutLine(w, "Largest error after the best calibration: ", j.largestResidual, " px");
    }
    Put(w, "Verdict: ");
    Put(w, VerdictName(j.verdict));
    Put(w, "\r\n");
    Put(w, kRule);
    PutRecord(w, "Stored record: ", stored);
    PutRecord(w, "Fitted record: ", j.recordFitted ? &j.record : nullptr);
    if (*ApplyReason(apply)) {
        Put(w, ApplyReason(apply));
        Put(w, "\r\n");
    }
    return !w.full;
}

}  // namespace drawtest
