// Requests to the touchscreen driver on the handle Durmasel holds for its
// whole run. Arguments are checked before any request is made; a refused
// argument fails with ERROR_INVALID_PARAMETER.
#include "durmasel.h"

#include "driver_device.h"

static BOOL HandleUsable(HANDLE device) {
    return device != INVALID_HANDLE_VALUE && device != NULL;
}

static BOOL Refuse(void) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

static BOOL Request(HANDLE device, DWORD code, void *in, DWORD inSize, void *out,
                    DWORD outSize) {
    return shelf::RequestOn(device, code, in, inSize, out, outSize).outcome == shelf::kDone;
}

BOOL GetTouchMouseMode(HANDLE device, DWORD *mode) {
    if (!HandleUsable(device) || IsBadWritePtr(mode, sizeof(DWORD))) return Refuse();
    DWORD answer = 0;
    if (!Request(device, IOCTL_TOUCH_GET_MOUSE_MODE, NULL, 0, &answer, sizeof(answer)))
        return FALSE;
    *mode = answer;
    return TRUE;
}

BOOL SetTouchMouseMode(HANDLE device, DWORD mode) {
    if (!HandleUsable(device) || !driver::IsValidMouseMode(mode)) return Refuse();
    return Request(device, IOCTL_TOUCH_SET_MOUSE_MODE, &mode, sizeof(mode), NULL, 0);
}

BOOL SetTouchCalibration(HANDLE device, const CalibrationRecord *record) {
    if (!HandleUsable(device) || IsBadReadPtr(record, sizeof(CalibrationRecord)))
        return Refuse();
    CalibrationRecord copy = *record;
    return Request(device, IOCTL_TOUCH_SET_CALIBRATION, &copy, sizeof(copy), NULL, 0);
}

void StartRawCapture(HANDLE device) {
    Request(device, IOCTL_TOUCH_START_RAW_CAPTURE, NULL, 0, NULL, 0);
}

// The driver overwrites the preset marker only when it hands over a touch;
// the caller looks at the marker, not at the result.
void RequestRawPoint(HANDLE device, RawPointReply *reply) {
    Request(device, IOCTL_TOUCH_GET_RAW_POINT, NULL, 0, reply, sizeof(*reply));
}
