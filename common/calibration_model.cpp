// The driver's calibration model and its words; see calibration_model.h.
#include "calibration_model.h"

#include "bounded_text.h"

namespace calmodel {

double RawAlong(uint32_t low, uint32_t high, int size, double position) {
    double span = static_cast<double>(high) - low;
    return low + span * position / size;
}

double ScreenAlong(uint32_t low, uint32_t high, int size, double raw) {
    double span = static_cast<double>(high) - low;
    return (raw - low) * size / span;
}

long long Round(double value) {
    return value < 0 ? -static_cast<long long>(0.5 - value) : static_cast<long long>(value + 0.5);
}

const char *RecordProblem(const CalibrationRecord &record) {
    if (!store::EdgesStorable(record)) return "unusable: an edge is beyond 0..4096";
    if (!store::RecordInRange(record)) return "unusable: SwapXY is neither 0 nor 1";
    if (record.XLow == record.XHigh) return "unusable: XLow equals XHigh, X has no span";
    if (record.YLow == record.YHigh) return "unusable: YLow equals YHigh, Y has no span";
    return nullptr;
}

namespace {

// A raw value far beyond the controller's range still maps to a finite
// place, but one a long cannot hold is held at the long's ends.
long Held(double value) {
    const double kLimit = 2000000000.0;
    return static_cast<long>(Round(value < -kLimit ? -kLimit : (value > kLimit ? kLimit : value)));
}

}  // namespace

bool MapRawPoint(const CalibrationRecord &record, uint32_t rawX, uint32_t rawY, int width,
                 int height, ScreenPoint *point) {
    if (!RecordMappable(record)) return false;
    uint32_t alongX = record.SwapXY ? rawY : rawX;
    uint32_t alongY = record.SwapXY ? rawX : rawY;
    point->x = Held(ScreenAlong(record.XLow, record.XHigh, width, alongX));
    point->y = Held(ScreenAlong(record.YLow, record.YHigh, height, alongY));
    return true;
}

Orientation DescribeOrientation(const CalibrationRecord &record) {
    Orientation words = {RecordProblem(record), nullptr, nullptr, nullptr};
    if (words.problem) return words;
    words.x = record.XLow < record.XHigh ? "X runs left to right" : "X runs right to left";
    words.y = record.YLow < record.YHigh ? "Y runs top to bottom" : "Y runs bottom to top";
    words.swap = record.SwapXY ? "axes swapped" : "axes not swapped";
    return words;
}

bool FormatOrientation(char *out, size_t size, const CalibrationRecord &record) {
    Orientation words = DescribeOrientation(record);
    const char *parts[] = {words.problem ? words.problem : words.x, words.y, words.swap};
    rt::Writer writer(out, size);
    for (int i = 0; i < 3 && parts[i]; ++i) {
        if (i) writer.Put(", ");
        writer.Put(parts[i]);
    }
    return writer.Whole();
}

}  // namespace calmodel
