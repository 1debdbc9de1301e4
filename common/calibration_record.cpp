// The calibration record's one codec; see calibration_record.h.
#include "calibration_record.h"

namespace store {

const ValueId kRecordOrder[kRecordFieldCount] = {kXLow, kYLow, kXHigh, kYHigh, kSwapXY};
static uint32_t CalibrationRecord::*const kRecordMembers[kRecordFieldCount] = {
    &CalibrationRecord::XLow, &CalibrationRecord::YLow, &CalibrationRecord::XHigh,
    &CalibrationRecord::YHigh, &CalibrationRecord::SwapXY};

const ValueId kCalibrationSaveOrder[kRecordFieldCount] = {kXLow, kXHigh, kYLow, kYHigh,
                                                          kSwapXY};

// The member for a calibration value; SwapXY for any other id, which no
// caller passes.
static uint32_t CalibrationRecord::*RecordMember(ValueId id) {
    for (int i = 0; i < kRecordFieldCount; ++i) {
        if (kRecordOrder[i] == id) return kRecordMembers[i];
    }
    return &CalibrationRecord::SwapXY;
}

uint32_t RecordField(const CalibrationRecord &record, ValueId id) {
    return record.*RecordMember(id);
}

void SetRecordField(CalibrationRecord *record, ValueId id, uint32_t value) {
    record->*RecordMember(id) = value;
}

CalibrationRecord RecordFromValues(const unsigned long *values) {
    CalibrationRecord record;
    for (int i = 0; i < kRecordFieldCount; ++i)
        record.*kRecordMembers[i] = static_cast<uint32_t>(values[i]);
    return record;
}

static bool FieldInRange(const CalibrationRecord &record, int field) {
    const ValueRule &rule = Rule(kRecordOrder[field]);
    const uint32_t value = record.*kRecordMembers[field];
    return value >= rule.low && value <= rule.high;
}

bool EdgesStorable(const CalibrationRecord &record) {
    for (int i = 0; i < kRecordFieldCount; ++i) {
        if (kRecordOrder[i] != kSwapXY && !FieldInRange(record, i)) return false;
    }
    return true;
}

bool RecordInRange(const CalibrationRecord &record) {
    for (int i = 0; i < kRecordFieldCount; ++i) {
        if (!FieldInRange(record, i)) return false;
    }
    return true;
}

bool RecordSpans(const CalibrationRecord &record, uint32_t minSpan) {
    return RecordInRange(record) && RawSpan(record.XLow, record.XHigh) >= minSpan &&
           RawSpan(record.YLow, record.YHigh) >= minSpan;
}

bool ReadRecord(const StoredBytes (&values)[kRecordFieldCount], CalibrationRecord *record) {
    uint32_t numbers[kRecordFieldCount];
    for (int i = 0; i < kRecordFieldCount; ++i) {
        if (!values[i].found || !DecodeStoredBytes(values[i].data, values[i].size, &numbers[i]))
            return false;
    }
    for (int i = 0; i < kRecordFieldCount; ++i) record->*kRecordMembers[i] = numbers[i];
    return true;
}

bool WriteRecord(const CalibrationRecord &record, RecordValue (&values)[kRecordFieldCount]) {
    if (!EdgesStorable(record)) return false;
    for (int i = 0; i < kRecordFieldCount; ++i) {
        values[i].id = kCalibrationSaveOrder[i];
        values[i].value = RecordField(record, kCalibrationSaveOrder[i]);
    }
    return true;
}

}  // namespace store
