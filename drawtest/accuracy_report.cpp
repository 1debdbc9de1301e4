// The check's result in words: the verdict's name, why Apply is not
// offered, the summary on the screen and the service report; see
// accuracy_report.h.
#include "accuracy_report.h"

#include "board_layout.h"
#include "bounded_text.h"
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

void PutLine(rt::Writer &w, const char *label, long value, const char *unit) {
    w.Put(label);
    w.PutNumber(value);
    w.Put(unit);
    w.EndLine();
}

void PutTime(rt::Writer &w, const ReportTime &t) {
    const int values[] = {t.year, t.month, t.day, t.hour, t.minute, t.second};
    static const char *const kBefore[] = {"Date: ", "-", "-", " ", ":", ":"};
    for (int k = 0; k < 6; ++k) {
        w.Put(kBefore[k]);
        w.PutNumber(values[k], k ? 2 : 4);
    }
    w.EndLine();
}

// "Point 1: target 51 38, touch 71 38, error 20 px, after fit 0 px"
void PutPoint(rt::Writer &w, const CheckRun &run, const Judgement &j, int i) {
    Point target = CrossPosition(i, run.width, run.height), tap = run.results[i].tap;
    const long values[] = {i + 1, target.x, target.y, tap.x, tap.y,
                          static_cast<long>(run.results[i].distance)};
    static const char *const kLabels[] = {"Point ", ": target ", " ", ", touch ", " ", ", error "};
    for (int k = 0; k < 6; ++k) {
        w.Put(kLabels[k]);
        w.PutNumber(values[k]);
    }
    w.Put(" px");
    if (j.fitted) {
        w.Put(", after fit ");
        w.PutNumber(j.residual[i]);
        w.Put(" px");
    }
    w.EndLine();
}

// "Stored record: XLow 400, YLow 300, XHigh 3600, YHigh 3700, SwapXY 0"
void PutRecord(rt::Writer &w, const char *label, const CalibrationRecord *record) {
    w.Put(label);
    if (!record) {
        w.Put("none");
        w.EndLine();
        return;
    }
    for (int k = 0; k < store::kRecordFieldCount; ++k) {
        const store::ValueId id = store::kRecordOrder[k];
        if (k) w.Put(", ");
        w.Put(store::Rule(id).name);
        w.Put(" ");
        w.PutNumber(static_cast<int32_t>(store::RecordField(*record, id)));
    }
    w.EndLine();
}

// "Stored orientation: X runs left to right, Y runs top to bottom, axes not
// swapped", in the words the applet's Diagnostics page uses.
void PutOrientation(rt::Writer &w, const CalibrationRecord *record) {
    if (!record) return;
    char words[96];
    calmodel::FormatOrientation(words, sizeof(words), *record);
    w.Put("Stored orientation: ");
    w.Put(words);
    w.EndLine();
}

const char kRule[] =
    "Rule: PASS if every touch is within the tolerance; RECALIBRATE if the least-squares "
    "best calibration brings every touch within it; else PANEL GEOMETRY.";

}  // namespace

bool FormatSummary(char *out, size_t size, const Judgement &j, ApplyState apply) {
    if (!out || size == 0) return false;
    rt::Writer w(out, size, "\n");
    out[0] = '\0';
    static const char *const kMeanings[] = {
        ": every touch is within ",
        ": a new calibration brings every touch within ",
        ": no calibration brings every touch within ",
    };
    w.Put(VerdictName(j.verdict));
    PutLine(w, kMeanings[j.verdict], j.tolerance,
            j.verdict == VERDICT_PANEL_GEOMETRY ? " px: the panel is not linear." : " px.");
    w.Put("Mean error ");
    w.PutNumber(j.meanError);
    w.Put(" px, largest ");
    w.PutNumber(j.largestError);
    if (j.fitted) {
        w.Put(" px; with the best calibration ");
        w.PutNumber(j.meanResidual);
        w.Put(" px and ");
        w.PutNumber(j.largestResidual);
    }
    PutLine(w, " px. Lines and rings: ", kMagnification, " times real size.");
    w.Put(apply == APPLY_OFFERED ? "Apply sets the fitted calibration."
                                  : ApplyReason(apply));
    return w.Whole();
}

bool FormatReport(char *out, size_t size, const CheckRun &run, const Judgement &j,
                  const CalibrationRecord *stored, ApplyState apply, const ReportTime &time) {
    if (!out || size == 0) return false;
    rt::Writer w(out, size, "\r\n");
    out[0] = '\0';
    w.Put("Brokasta accuracy check");
    w.EndLine();
    PutTime(w, time);
    w.Put("Screen: ");
    w.PutNumber(run.width);
    PutLine(w, " x ", run.height, " pixels");
    PutLine(w, "Tolerance: ", j.tolerance, " px (1 % of the screen width)");
    for (int i = 0; i < kCrossCount; ++i) PutPoint(w, run, j, i);
    PutLine(w, "Mean error: ", j.meanError, " px");
    PutLine(w, "Largest error: ", j.largestError, " px");
    if (j.fitted) {
        PutLine(w, "Mean error after best fit: ", j.meanResidual, " px");
        PutLine(w, "Largest error after best fit: ", j.largestResidual, " px");
    }
    w.Put("Verdict: ");
    w.Put(VerdictName(j.verdict));
    w.EndLine();
    w.Put(kRule);
    w.EndLine();
    PutRecord(w, "Stored record: ", stored);
    PutRecord(w, "Fitted record: ", j.recordFitted ? &j.record : nullptr);
    PutOrientation(w, stored);
    if (*ApplyReason(apply)) {
        w.Put(ApplyReason(apply));
        w.EndLine();
    }
    return w.Whole();
}

}  // namespace drawtest
