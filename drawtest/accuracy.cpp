// Judging a nine-cross check against the driver's calibration model; see
// accuracy.h. The driver maps each raw axis linearly onto the screen, the
// record's low value at the near edge and its high value at the far one.
// A touch's raw value is therefore a linear function of where it landed,
// so fitting the record by least squares in raw units is a straight-line
// fit of the touches on their targets, axis by axis, carried over to raw
// units through the stored record. The arithmetic is in double precision:
// the sums of whole pixels are exact on any screen, each result is rounded
// once at the end, and no 64-bit division routine swells the program.
#include "accuracy.h"

#include "calibration_model.h"
#include "parameter_store.h"

namespace drawtest {

namespace {

const double kSubPixels = 16;  // residual distances are taken in 1/16 pixel
const double kResidualLimit = 1 << 28;

double Clamp(double value, double low, double high) {
    return value < low ? low : (value > high ? high : value);
}

// To the nearest whole number, halves away from zero.
long long Round(double value) {
    return value < 0 ? -static_cast<long long>(0.5 - value) : static_cast<long long>(value + 0.5);
}

// One axis of the check: the targets and where their touches landed. A
// touch beyond a screen's size off the screen is pulled in that far; it is
// still far out of tolerance.
struct AxisSamples {
    double target[kCrossCount];
    double touch[kCrossCount];
    int size;
};

void SampleAxes(const CheckRun &run, AxisSamples *xs, AxisSamples *ys) {
    xs->size = run.width;
    ys->size = run.height;
    for (int i = 0; i < kCrossCount; ++i) {
        Point target = CrossPosition(i, run.width, run.height);
        Point tap = run.results[i].tap;
        xs->target[i] = target.x;
        ys->target[i] = target.y;
        xs->touch[i] = Clamp(tap.x, -run.width, 2.0 * run.width);
        ys->touch[i] = Clamp(tap.y, -run.height, 2.0 * run.height);
    }
}

// The least-squares line touch = offset + slope * target, in pixels. The
// targets of an axis are never all alike, so the divisor is never zero.
struct AxisFit {
    double offset, slope;
};

AxisFit FitAxis(const AxisSamples &s) {
    double st = 0, sx = 0, stt = 0, stx = 0;
    for (int i = 0; i < kCrossCount; ++i) {
        st += s.target[i];
        sx += s.touch[i];
        stt += s.target[i] * s.target[i];
        stx += s.target[i] * s.touch[i];
    }
    AxisFit fit;
    fit.slope = (kCrossCount * stx - st * sx) / (kCrossCount * stt - st * st);
    fit.offset = (sx - fit.slope * st) / kCrossCount;
    return fit;
}

// A zero slope means every touch of the axis lands alike whatever the
// target: no linear calibration can tell them apart.
bool FitUsable(const AxisFit &fit) { return fit.slope != 0; }

// With the fitted record, a touch that landed at x lands at
// (x - offset) / slope; this is that place less the target, in 1/16 pixel.
double Residual(const AxisFit &fit, double target, double touch) {
    double off = ((touch - fit.offset) / fit.slope - target) * kSubPixels;
    return Clamp(off, -kResidualLimit, kResidualLimit);
}

// The fitted record's raw value at screen position edge (0 or the size):
// where the stored record puts the touch that the fit expects there.
long long FittedEdge(const AxisFit &fit, uint32_t low, uint32_t high, int size, int edge) {
    return Round(calmodel::RawAlong(low, high, size, fit.offset + fit.slope * edge));
}

unsigned Mean(const unsigned values[kCrossCount]) {
    double sum = 0;
    for (int i = 0; i < kCrossCount; ++i) sum += values[i];
    return static_cast<unsigned>(Round(sum / kCrossCount));
}

unsigned Largest(const unsigned values[kCrossCount]) {
    unsigned largest = 0;
    for (int i = 0; i < kCrossCount; ++i) largest = values[i] > largest ? values[i] : largest;
    return largest;
}

void MeasureResiduals(const AxisSamples &xs, const AxisSamples &ys, const AxisFit &fx,
                      const AxisFit &fy, Judgement *j) {
    for (int i = 0; i < kCrossCount; ++i) {
        double ex = Residual(fx, xs.target[i], xs.touch[i]);
        double ey = Residual(fy, ys.target[i], ys.touch[i]);
        unsigned root = RoundedRoot(static_cast<unsigned long long>(Round(ex * ex + ey * ey)));
        j->residual[i] = (root + 8) >> 4;  // 1/16 pixel to the nearest pixel
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

bool StoredRecordUsable(const CalibrationRecord &stored) { return calmodel::RecordMappable(stored); }

Judgement JudgeCheck(const CheckRun &run, const CalibrationRecord *stored) {
    Judgement j = {};
    j.tolerance = TolerancePixels(run.width);
    unsigned errors[kCrossCount];
    for (int i = 0; i < kCrossCount; ++i) errors[i] = run.results[i].distance;
    j.meanError = Mean(errors);
    j.largestError = Largest(errors);
    if (ScreenFits(run)) {
        AxisSamples xs, ys;
        SampleAxes(run, &xs, &ys);
        AxisFit fx = FitAxis(xs), fy = FitAxis(ys);
        j.fitted = FitUsable(fx) && FitUsable(fy);
        if (j.fitted) MeasureResiduals(xs, ys, fx, fy, &j);
        if (j.fitted && stored && StoredRecordUsable(*stored))
            FitRecord(xs, ys, fx, fy, *stored, &j);
    }
    j.verdict = VerdictOf(j);
    return j;
}

ApplyState ApplyStateFor(const Judgement &judgement, bool driverPresent) {
    if (judgement.verdict != VERDICT_RECALIBRATE) return APPLY_NOT_NEEDED;
    if (!driverPresent) return APPLY_NO_DRIVER;
    if (!judgement.recordFitted) return APPLY_NO_STORED;
    if (!judgement.recordStorable) return APPLY_OUT_OF_RANGE;
    // A contrived stored record can carry the fit over to edges with next
    // to no span; offered, it would leave the pointer unusable.
    if (!driver::RecordUsable(judgement.record)) return APPLY_NO_SPAN;
    return APPLY_OFFERED;
}

}  // namespace drawtest
