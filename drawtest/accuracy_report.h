// The words of a finished check's judgement: the verdict's name, why Apply
// is not offered, the summary shown on the screen and the service report
// written next to the program. Portable, so it is tested natively.
#ifndef BROKASTA_ACCURACY_REPORT_H
#define BROKASTA_ACCURACY_REPORT_H

#include <stddef.h>

#include "accuracy.h"

namespace drawtest {

const char *VerdictName(Verdict verdict);
// One line on the Apply state: "" for APPLY_OFFERED and APPLY_NOT_NEEDED.
const char *ApplyReason(ApplyState state);

// The result in words for the screen, lines separated by '\n': the verdict
// and what it means; the errors before and after the best calibration with
// the picture's scale; what Apply does or why it is not offered.
bool FormatSummary(char *out, size_t size, const Judgement &judgement, ApplyState apply);

struct ReportTime {
    int year, month, day, hour, minute, second;
};

// The service report, CRLF line ends, into out (size bytes, always
// terminated). False when it did not fit (the text is then cut short).
bool FormatReport(char *out, size_t size, const CheckRun &run, const Judgement &judgement,
                  const CalibrationRecord *stored, ApplyState apply, const ReportTime &time);

}  // namespace drawtest

#endif
