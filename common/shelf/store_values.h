// Reading the parameter store as the driver finds it: values as they are
// stored, without the applet's repairs, each by the applet's rule, and the
// calibration record.
#ifndef SHELF_STORE_VALUES_H
#define SHELF_STORE_VALUES_H

#include <windows.h>

#include "calibration_record.h"
#include "driver_interface.h"
#include "parameter_store.h"

namespace shelf {

// Queries one value of the open key into data as the applet reads it: a
// buffer of four bytes, so a longer value fails the query as a missing one
// does. The registry's type is not checked.
store::StoredBytes QueryStoredBytes(HKEY key, store::ValueId id, unsigned char (&data)[4]);

// The number one value makes (store::DecodeStoredBytes); false when it is
// missing or longer than four bytes.
bool QueryStoredValue(HKEY key, store::ValueId id, uint32_t *value);

// Reads count values; found[i] is false for a value that is missing or
// holds more than four bytes (values[i] is then 0). Opens the key for
// reading only, so a missing key is not created.
void ReadStoreValues(const store::ValueId *ids, int count, uint32_t *values, bool *found);

// The stored calibration record (store::ReadRecord); false when any of its
// five values is missing or longer than four bytes.
bool LoadCalibration(CalibrationRecord *record);

}  // namespace shelf

#endif
