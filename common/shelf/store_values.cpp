// The store read without repairs, for whoever shows what the driver takes
// from it (see store_values.h).
#include "store_values.h"

namespace shelf {

static bool ReadOne(HKEY key, store::ValueId id, uint32_t *value) {
    unsigned char data[8];
    DWORD size = sizeof(data);
    if (RegQueryValueExA(key, store::Rule(id).name, NULL, NULL, data, &size) != ERROR_SUCCESS)
        return false;
    return store::DecodeStoredBytes(data, size, value);
}

void ReadStoreValues(const store::ValueId *ids, int count, uint32_t *values, bool *found) {
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        key = NULL;
    for (int i = 0; i < count; ++i) {
        values[i] = 0;
        found[i] = key && ReadOne(key, ids[i], &values[i]);
        if (!found[i]) values[i] = 0;
    }
    if (key) RegCloseKey(key);
}

bool LoadCalibration(CalibrationRecord *record) {
    uint32_t values[store::kRecordFieldCount];
    bool found[store::kRecordFieldCount];
    ReadStoreValues(store::kRecordOrder, store::kRecordFieldCount, values, found);
    for (bool one : found) {
        if (!one) return false;
    }
    for (int i = 0; i < store::kRecordFieldCount; ++i)
        store::SetRecordField(record, store::kRecordOrder[i], values[i]);
    return true;
}

}  // namespace shelf
