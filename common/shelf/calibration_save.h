// Saving a calibration into the parameter store, for every program that
// calibrates: the five values and nothing else, with the boxes users know.
#ifndef SHELF_CALIBRATION_SAVE_H
#define SHELF_CALIBRATION_SAVE_H

#include <windows.h>

#include "driver_interface.h"

namespace shelf {

// Writes XLow, XHigh, YLow, YHigh and SwapXY below the service key, making
// the keys when they are missing. Edges outside the controller's range
// are refused with ERROR_INVALID_PARAMETER before any key is touched. A
// failing key step shows the system-error box captioned with the step and
// returns FALSE with its code as the last error; values that could not be
// written show "Cannot update touchscreen parameters to registry!" once,
// and the save still counts as done when both keys close: *allWritten,
// when given, says whether every value was written.
BOOL SaveCalibration(const CalibrationRecord &record, BOOL *allWritten = NULL);

}  // namespace shelf

#endif
