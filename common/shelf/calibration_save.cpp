// The calibration save, kept on the shelf because more than one program
// calibrates and all must leave the store alike.
#include "calibration_save.h"

#include "error_box.h"
#include "calibration_record.h"
#include "shared_texts.h"

namespace shelf {

static const char kSaveCaption[] = PRODUCT_NAME;

// RegCreateKeyExA that opens an existing key or makes an empty one.
static LONG CreateWritableKey(HKEY parent, const char *name, HKEY *key) {
    DWORD disposition = 0;
    return RegCreateKeyExA(parent, name, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL,
                           key, &disposition);
}

// Writes all five values even when one fails; returns how many failed.
static int WriteCalibrationValues(HKEY params,
                                  const store::RecordValue (&values)[store::kRecordFieldCount]) {
    int failures = 0;
    for (const store::RecordValue &one : values) {
        const DWORD value = one.value;
        if (RegSetValueExA(params, store::Rule(one.id).name, 0, REG_DWORD,
                           reinterpret_cast<const BYTE *>(&value), sizeof(value)) != ERROR_SUCCESS)
            ++failures;
    }
    return failures;
}

static BOOL Fail(LONG error, const char *caption) {
    ShowSystemError(static_cast<DWORD>(error), caption, MB_ICONINFORMATION);
    SetLastError(static_cast<DWORD>(error));
    return FALSE;
}

// Closes both keys, Parameters first; the service key is closed even when
// the first close fails, so no handle is left behind.
static BOOL CloseKeys(HKEY params, HKEY service) {
    LONG paramResult = RegCloseKey(params);
    if (paramResult != ERROR_SUCCESS) {
        RegCloseKey(service);
        return Fail(paramResult, "SaveProfileSetting_CloseParamKey");
    }
    LONG serviceResult = RegCloseKey(service);
    if (serviceResult == ERROR_SUCCESS) return TRUE;
    return Fail(serviceResult, "SaveProfileSetting_CloseTouchKey");
}

BOOL SaveCalibration(const CalibrationRecord &record, BOOL *allWritten) {
    if (allWritten) *allWritten = FALSE;
    store::RecordValue values[store::kRecordFieldCount];
    if (!store::WriteRecord(record, values)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HKEY service = NULL, params = NULL;
    LONG result = CreateWritableKey(HKEY_LOCAL_MACHINE, TOUCH_SERVICE_KEY, &service);
    if (result != ERROR_SUCCESS) return Fail(result, "SaveCalibration_CreateTouchKeyEx");
    result = CreateWritableKey(service, TOUCH_PARAM_SUBKEY, &params);
    if (result != ERROR_SUCCESS) {
        RegCloseKey(service);
        return Fail(result, "SaveCalibration_CreateParamKeyEx");
    }
    const int failures = WriteCalibrationValues(params, values);
    if (failures > 0)
        MessageBoxA(NULL, "Cannot update touchscreen parameters to registry!", kSaveCaption,
                    MB_ICONINFORMATION);
    if (!CloseKeys(params, service)) return FALSE;
    if (allWritten) *allWritten = failures == 0;
    return TRUE;
}

}  // namespace shelf
