// The store read without repairs, for whoever shows what the driver takes
// from it (see store_values.h).
#include "store_values.h"

namespace shelf {

store::StoredBytes QueryStoredBytes(HKEY key, store::ValueId id, unsigned char (&data)[4]) {
    DWORD size = sizeof(data);
    const bool found =
        RegQueryValueExA(key, store::Rule(id).name, NULL, NULL, data, &size) == ERROR_SUCCESS;
    return store::StoredBytes{found, data, found ? size : 0};
}

bool QueryStoredValue(HKEY key, store::ValueId id, uint32_t *value) {
    unsigned char data[4] = {0, 0, 0, 0};
    const store::StoredBytes stored = QueryStoredBytes(key, id, data);
    return stored.found && store::DecodeStoredBytes(stored.data, stored.size, value);
}

static HKEY OpenForReading() {
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return NULL;
    return key;
}

void ReadStoreValues(const store::ValueId *ids, int count, uint32_t *values, bool *found) {
    HKEY key = OpenForReading();
    for (int i = 0; i < count; ++i) {
        values[i] = 0;
        found[i] = key && QueryStoredValue(key, ids[i], &values[i]);
        if (!found[i]) values[i] = 0;
    }
    if (key) RegCloseKey(key);
}

bool LoadCalibration(CalibrationRecord *record) {
    HKEY key = OpenForReading();
    if (!key) return false;
    unsigned char data[store::kRecordFieldCount][4];
    store::StoredBytes values[store::kRecordFieldCount];
    for (int i = 0; i < store::kRecordFieldCount; ++i)
        values[i] = QueryStoredBytes(key, store::kRecordOrder[i], data[i]);
    RegCloseKey(key);
    return store::ReadRecord(values, record);
}

}  // namespace shelf
