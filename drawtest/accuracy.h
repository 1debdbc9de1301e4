// The judgement of a finished nine-cross check: how far the touches
// landed, how far they would land with the best calibration the driver's
// model allows, the verdict that follows, the record that would do it and
// whether Apply is offered. Its words are in accuracy_report.h. Portable,
// so it is tested natively.
#ifndef BROKASTA_ACCURACY_H
#define BROKASTA_ACCURACY_H

#include "check.h"
#include "driver_interface.h"

namespace drawtest {

// PASS: every touch is within the tolerance. RECALIBRATE: not so, but the
// best calibration of the driver's model (least squares over the nine
// crosses) brings every touch within it. PANEL GEOMETRY: even that best
// calibration leaves a touch outside the tolerance.
enum Verdict { VERDICT_PASS, VERDICT_RECALIBRATE, VERDICT_PANEL_GEOMETRY };

// The fit handles screens up to this many pixels a side.
const int kLargestFittedScreen = 8192;

struct Judgement {
    unsigned tolerance;
    unsigned meanError;       // of the touches as they landed, in pixels
    unsigned largestError;
    bool fitted;              // false when no calibration can map the touches
    unsigned residual[kCrossCount];  // where each touch would land with the fit
    unsigned meanResidual;
    unsigned largestResidual;
    Verdict verdict;
    bool recordFitted;        // a stored record was there to carry the fit over
    bool recordStorable;      // every fitted edge lies in the controller's range
    CalibrationRecord record; // the best record, in the stored record's raw units
};

// A stored record the taps can be mapped back through: edges in the
// controller's range, SwapXY 0 or 1, and a span on both axes.
bool StoredRecordUsable(const CalibrationRecord &stored);

// Judges a finished check. stored is the calibration in force when the
// touches were made, or nullptr when there is none to map them through:
// the verdict is the same, only no record is fitted then.
Judgement JudgeCheck(const CheckRun &run, const CalibrationRecord *stored);

// Whether Apply is offered, and if not, why.
enum ApplyState {
    APPLY_OFFERED,
    APPLY_NOT_NEEDED,      // the verdict is not RECALIBRATE
    APPLY_NO_DRIVER,
    APPLY_NO_STORED,       // no usable calibration in the parameter store
    APPLY_OUT_OF_RANGE,    // the fitted record leaves the controller's range
    APPLY_NO_SPAN,         // the fitted record is one no calibration would make
};
ApplyState ApplyStateFor(const Judgement &judgement, bool driverPresent);

}  // namespace drawtest

#endif
