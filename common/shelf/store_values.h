// Reading the parameter store as the driver finds it: values as they are
// stored, without the applet's repairs, and the calibration record.
#ifndef SHELF_STORE_VALUES_H
#define SHELF_STORE_VALUES_H

#include <windows.h>

#include "driver_interface.h"
#include "parameter_store.h"

namespace shelf {

// Reads count values; found[i] is false for a value that is missing or
// holds more than four bytes (values[i] is then 0). Opens the key for
// reading only, so a missing key is not created.
void ReadStoreValues(const store::ValueId *ids, int count, uint32_t *values, bool *found);

// The five calibration values; false when any of them is missing.
bool LoadCalibration(CalibrationRecord *record);

}  // namespace shelf

#endif
