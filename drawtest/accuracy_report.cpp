// The check's result in words: the verdict's name, why Apply is not
// offered, the summary on the screen and the service report; see
// accuracy_report.h.
#include "accuracy_report.h"

#include "board_layout.h"
#include "calibration_model.h"
#include "parameter_store.h"

namespace drawtest {

const char *VerdictName(Verdict verdict) {
    static const char *const kNames[] = {"PASS", "RECALIBRATE", "PANEL GEOMETRY"};
    return kNames[verdict];
}

const char *ApplyReason(ApplyState state) {
    static const char *const kReasons[] = {
        "",
        "",
        "No Apply: the touchscreen driver is not loaded.",
        "No Apply: no usable calibration is stored; run the calibration program.",
        "No Apply: the fitted calibration is outside the raw range 0..4096.",
        "No Apply: the fitted calibration spans too little of the raw range.",
    };
    return kReasons[state];
}

namespace {

// Appends to a fixed buffer; once something does not fit, the rest is dropped.
struct Writer {
    char *out;
    size_t size;
    const char *eol;
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

void PutNumber(Writer &w, long value, int digits = 1) {
    char text[16];
    char *p = text + sizeof(text) - 1;
    *p = '\0';
    unsigned long magnitude = value < 0 ? 0UL - static_cast<unsigned long>(value)
                                        : static_cast<unsigned long>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
        --digits;
    } while (magnitude || digits > 0);
    if (value < 0) *--p = '-';
    Put(w, p);
}

void PutLine(Writer &w, const char *label, long value, const char *unit) {
    Put(w, label);
    PutNumber(w, value);
    Put(w, unit);
    Put(w, w.eol);
}

void PutTime(Writer &w, const ReportTime &t) {
    const int values[] = {t.year, t.month, t.day, t.hour, t.minute, t.second};
    static const char *const kBefore[] = {"Date: ", "-", "-", " ", ":", ":"};
    for (int k = 0; k < 6; ++k) {
        Put(w, kBefore[k]);
        PutNumber(w, values[k], k ? 2 : 4);
    }
    Put(w, w.eol);
}

// "Point 1: target 51 38, touch 71 38, error 20 px, after fit 0 px"
void PutPoint(Writer &w, const CheckRun &run, const Judgement &j, int i) {
    Point target = CrossPosition(i, run.width, run.height), tap = run.results[i].tap;
    const long values[] = {i + 1, target.x, target.y, tap.x, tap.y,
                          static_cast<long>(run.results[i].distance)};
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
    Put(w, w.eol);
}

// "Stored record: XLow 400, YLow 300, XHigh 3600, YHigh 3700, SwapXY 0"
void PutRecord(Writer &w, const char *label, const CalibrationRecord *record) {
    Put(w, label);
    if (!record) {
        Put(w, "none");
        Put(w, w.eol);
        return;
    }
    for (int k = 0; k < store::kRecordFieldCount; ++k) {
        const store::ValueId id = store::kRecordOrder[k];
        if (k) Put(w, ", ");
        Put(w, store::Rule(id).name);
        Put(w, " ");
        PutNumber(w, static_cast<int32_t>(store::RecordField(*record, id)));
    }
    Put(w, w.eol);
}

// "Stored orientation: X runs left to right, Y runs top to bottom, axes not
// swapped", in the words the applet's Diagnostics page uses.
void PutOrientation(Writer &w, const CalibrationRecord *record) {
    if (!record) return;
    char words[96];
    calmodel::FormatOrientation(words, sizeof(words), *record);
    Put(w, "Stored orientation: ");
    Put(w, words);
    Put(w, w.eol);
}

const char kRule[] =
    "Rule: PASS if every touch is within the tolerance; RECALIBRATE if the least-squares "
    "best calibration brings every touch within it; else PANEL GEOMETRY.";

}  // namespace

bool FormatSummary(char *out, size_t size, const Judgement &j, ApplyState apply) {
    if (!out || size == 0) return false;
    Writer w = {out, size, "\n", 0, false};
    out[0] = '\0';
    static const char *const kMeanings[] = {
        ": every touch is within ",
        ": a new calibration brings every touch within ",
        ": no calibration brings every touch within ",
    };
    Put(w, VerdictName(j.verdict));
    PutLine(w, kMeanings[j.verdict], j.tolerance,
            j.verdict == VERDICT_PANEL_GEOMETRY ? " px: the panel is not linear." : " px.");
    Put(w, "Mean error ");
    PutNumber(w, j.meanError);
    Put(w, " px, largest ");
    PutNumber(w, j.largestError);
    if (j.fitted) {
        Put(w, " px; with the best calibration ");
        PutNumber(w, j.meanResidual);
        Put(w, " px and ");
        PutNumber(w, j.largestResidual);
    }
    PutLine(w, " px. Lines and rings: ", kMagnification, " times real size.");
    Put(w, apply == APPLY_OFFERED ? "Apply sets the fitted calibration."
                                  : ApplyReason(apply));
    return !w.full;
}

bool FormatReport(char *out, size_t size, const CheckRun &run, const Judgement &j,
                  const CalibrationRecord *stored, ApplyState apply, const ReportTime &time) {
    if (!out || size == 0) return false;
    Writer w = {out, size, "\r\n", 0, false};
    out[0] = '\0';
    Put(w, "Brokasta accuracy check");
    Put(w, w.eol);
    PutTime(w, time);
    Put(w, "Screen: ");
    PutNumber(w, run.width);
    PutLine(w, " x ", run.height, " pixels");
    PutLine(w, "Tolerance: ", j.tolerance, " px (1 % of the screen width)");
    for (int i = 0; i < kCrossCount; ++i) PutPoint(w, run, j, i);
    PutLine(w, "Mean error: ", j.meanError, " px");
    PutLine(w, "Largest error: ", j.largestError, " px");
    if (j.fitted) {
        PutLine(w, "Mean error after best fit: ", j.meanResidual, " px");
        PutLine(w, "Largest error after best fit: ", j.largestResidual, " px");
    }
    Put(w, "Verdict: ");
    Put(w, VerdictName(j.verdict));
    Put(w, w.eol);
    Put(w, kRule);
    Put(w, w.eol);
    PutRecord(w, "Stored record: ", stored);
    PutRecord(w, "Fitted record: ", j.recordFitted ? &j.record : nullptr);
    PutOrientation(w, stored);
    if (*ApplyReason(apply)) {
        Put(w, ApplyReason(apply));
        Put(w, w.eol);
    }
    return !w.full;
}

}  // namespace drawtest
