// The calibration record as the parameter store holds it: its five fields
// in the record's order with their stored names and ranges, a stored record
// read from its values' bytes, and the values a save writes. The calibration
// program, Brokasta, Setup and the applet all go through it. Portable: no
// windows.h needed, so it is unit-tested natively.
#ifndef ORVANTIX_CALIBRATION_RECORD_H
#define ORVANTIX_CALIBRATION_RECORD_H

#include <stddef.h>
#include <stdint.h>

#include "driver_interface.h"
#include "parameter_store.h"

namespace store {

// The record's five values in the record's own order: that of
// CalibrationRecord, of the driver's input and of Setup's "/CAL=" switch.
// Each is stored under its rule's name, Rule(id).name.
const int kRecordFieldCount = 5;
extern const ValueId kRecordOrder[kRecordFieldCount];

// A save writes them in this order instead: XLow, XHigh, YLow, YHigh, SwapXY.
extern const ValueId kCalibrationSaveOrder[kRecordFieldCount];

// The record's field that stores as value id; id must be one of the five.
uint32_t RecordField(const CalibrationRecord &record, ValueId id);
void SetRecordField(CalibrationRecord *record, ValueId id, uint32_t value);

// The record of kRecordFieldCount values given in the record's order, as
// Setup's "/CAL=" switch takes them.
CalibrationRecord RecordFromValues(const unsigned long *values);

// ---- ranges: each field's is its rule's, Rule(id).low to Rule(id).high ----
// The four edges run 0..TOUCH_RAW_MAX, SwapXY is 0 or 1.

// The edges within their range; SwapXY is passed on as it is. A save
// refuses a record without.
bool EdgesStorable(const CalibrationRecord &record);

// Every field within its range.
bool RecordInRange(const CalibrationRecord &record);

// How far apart an axis's edges lie, whichever way the axis runs.
inline uint32_t RawSpan(uint32_t low, uint32_t high) { return low > high ? low - high : high - low; }

// Every field within its range and at least minSpan between the edges of
// either axis: with 1 a record the driver can map at all
// (calmodel::RecordMappable), with TOUCH_MIN_RAW_SPAN one a calibration
// would stand behind (driver::RecordUsable).
bool RecordSpans(const CalibrationRecord &record, uint32_t minSpan);

// ---- reading a stored record ----

// One stored value as the registry handed it over; found is false when
// the query failed (a missing value, or one too long for the reader).
struct StoredBytes {
    bool found;
    const unsigned char *data;
    size_t size;
};

// Reads a record from its five stored values, given in the record's order,
// each by the applet's rule (DecodeStoredBytes): up to four bytes of any
// type make the number, fewer bytes the number they make. False, and the
// record untouched, when any value is missing or longer. No range is
// checked: a reader shows the record as it is stored.
bool ReadRecord(const StoredBytes (&values)[kRecordFieldCount], CalibrationRecord *record);

// ---- writing it ----

// One value a save stores: under Rule(id).name, as a REG_DWORD.
struct RecordValue {
    ValueId id;
    uint32_t value;
};

// The five values a save stores for record, in kCalibrationSaveOrder.
// False, and nothing to store, when an edge is beyond its range.
bool WriteRecord(const CalibrationRecord &record, RecordValue (&values)[kRecordFieldCount]);

}  // namespace store

namespace driver {

// A record a calibration would stand behind: every field within its range,
// and at least TOUCH_MIN_RAW_SPAN between the edges of either axis.
inline bool RecordUsable(const CalibrationRecord &record) {
    return store::RecordSpans(record, TOUCH_MIN_RAW_SPAN);
}

}  // namespace driver

#endif
