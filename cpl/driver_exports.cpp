// The five functions the applet library exports for any program that wants
// to change the driver's mouse mode or beep, or switch touches off and on.
// Each checks its arguments before it opens the device: a refused argument
// sets ERROR_INVALID_PARAMETER and sends nothing.
#include <windows.h>

#include "driver_interface.h"
#include "driver_device.h"

// Open, one request, close: the applet never keeps the device open. A
// failed open leaves its own error for the caller.
static BOOL SendDriverRequest(DWORD code, void *input, DWORD inputSize, void *output,
                              DWORD outputSize) {
    return shelf::RequestOnce(code, input, inputSize, output, outputSize).outcome == shelf::kDone;
}

static BOOL Refuse() {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

extern "C" BOOL WINAPI SetMouseMode(DWORD mode) {
    if (!driver::IsValidMouseMode(mode)) return Refuse();
    return SendDriverRequest(IOCTL_TOUCH_SET_MOUSE_MODE, &mode, sizeof(mode), NULL, 0);
}

extern "C" BOOL WINAPI GetMouseMode(DWORD *mode) {
    if (IsBadWritePtr(mode, sizeof(DWORD))) return Refuse();
    DWORD answer = 0;
    if (!SendDriverRequest(IOCTL_TOUCH_GET_MOUSE_MODE, NULL, 0, &answer, sizeof(answer))) return FALSE;
    *mode = answer;
    return TRUE;
}

extern "C" BOOL WINAPI GetBeep(BeepRecord *beep) {
    if (IsBadWritePtr(beep, sizeof(BeepRecord))) return Refuse();
    return SendDriverRequest(IOCTL_TOUCH_GET_BEEP, NULL, 0, beep, sizeof(BeepRecord));
}

extern "C" BOOL WINAPI SetBeep(DWORD mode, DWORD frequency, DWORD duration) {
    if (!driver::IsValidBeep(mode, frequency, duration)) return Refuse();
    BeepRecord beep = {mode, frequency, duration};
    return SendDriverRequest(IOCTL_TOUCH_SET_BEEP, &beep, sizeof(beep), NULL, 0);
}

extern "C" BOOL WINAPI EnableTouchscreen(BOOL enable) {
    DWORD code = enable ? IOCTL_TOUCH_ENABLE : IOCTL_TOUCH_DISABLE;
    return SendDriverRequest(code, NULL, 0, NULL, 0);
}
