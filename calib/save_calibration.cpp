// The end of a calibration run: the record computed from the three raw
// touches goes to the driver at once, and after the user's Yes into the
// parameter store. Only the five calibration values are ever written.
#include "durmasel.h"

#include "parameter_store.h"

void ReportSystemError(DWORD error, const char *caption) {
    char *text = NULL;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, NULL, error,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text),
                   0, NULL);
    MessageBoxA(NULL, text ? text : "", caption, MB_ICONINFORMATION);
    if (text) LocalFree(text);
}

BOOL ComputeAndTransfer(void) {
    g_state.record = calib::ComputeRecord(g_state.rawPoints);
    if (SetTouchCalibration(g_state.device, &g_state.record)) return TRUE;
    // The run's window is still topmost and covers the screen: a box of
    // no owner would open beneath it, out of the user's sight. An owned
    // window always stays above its owner.
    MessageBoxA(g_state.mainWindow, "Could not transfer calibration parameters to device driver!",
                GENERAL_CAPTION, MB_OK);
    return FALSE;
}

// RegCreateKeyExA that opens an existing key or makes an empty one.
static LONG CreateWritableKey(HKEY parent, const char *name, HKEY *key) {
    DWORD disposition = 0;
    return RegCreateKeyExA(parent, name, 0, NULL, REG_OPTION_NON_VOLATILE, KEY_WRITE, NULL,
                           key, &disposition);
}

static DWORD FieldOf(const CalibrationRecord &record, store::ValueId id) {
    switch (id) {
    case store::kXLow: return record.XLow;
    case store::kXHigh: return record.XHigh;
    case store::kYLow: return record.YLow;
    case store::kYHigh: return record.YHigh;
    default: return record.SwapXY;
    }
}

// Writes all five values even when one fails; returns how many failed.
static int WriteCalibrationValues(HKEY params, const CalibrationRecord &record) {
    int failures = 0;
    for (store::ValueId id : store::kCalibrationSaveOrder) {
        const char *name = store::Rule(id).name;
        DWORD value = FieldOf(record, id);
        if (RegSetValueExA(params, name, 0, REG_DWORD, reinterpret_cast<const BYTE *>(&value),
                           sizeof(value)) != ERROR_SUCCESS)
            ++failures;
    }
    return failures;
}

// Closes both keys, Parameters first; the service key is closed even when
// the first close fails, so no handle is left behind.
static BOOL CloseKeys(HKEY params, HKEY service) {
    LONG paramResult = RegCloseKey(params);
    if (paramResult != ERROR_SUCCESS) {
        ReportSystemError(paramResult, "SaveProfileSetting_CloseParamKey");
        RegCloseKey(service);
        SetLastError(paramResult);
        return FALSE;
    }
    LONG serviceResult = RegCloseKey(service);
    if (serviceResult == ERROR_SUCCESS) return TRUE;
    ReportSystemError(serviceResult, "SaveProfileSetting_CloseTouchKey");
    SetLastError(serviceResult);
    return FALSE;
}

static BOOL Fail(LONG error, const char *caption) {
    ReportSystemError(error, caption);
    SetLastError(error);
    return FALSE;
}

BOOL SaveCalibration(DWORD xLow, DWORD yLow, DWORD xHigh, DWORD yHigh, DWORD swapXY) {
    const CalibrationRecord record = {xLow, yLow, xHigh, yHigh, swapXY};
    if (!calib::EdgesStorable(record)) {
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
    if (WriteCalibrationValues(params, record) > 0)
        MessageBoxA(NULL, "Cannot update touchscreen parameters to registry!", GENERAL_CAPTION,
                    MB_ICONINFORMATION);
    return CloseKeys(params, service);
}
