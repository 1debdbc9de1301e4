// Open, one request, close: the applet never keeps the device open.
#include "driver_link.h"

#include "driver_interface.h"

static HANDLE OpenDriver() {
    return CreateFileA(ZELVANIS_DEVICE_PATH, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, NULL);
}

BOOL IsDriverLoaded() {
    HANDLE device = OpenDriver();
    if (device == INVALID_HANDLE_VALUE) return FALSE;
    CloseHandle(device);
    return TRUE;
}

BOOL SendDriverRequest(DWORD code, void *input, DWORD inputSize, void *output, DWORD outputSize) {
    HANDLE device = OpenDriver();
    if (device == INVALID_HANDLE_VALUE) return FALSE;
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(device, code, input, inputSize, output, outputSize, &returned, NULL);
    // Closing must not hide the request's own error from the caller.
    DWORD error = GetLastError();
    CloseHandle(device);
    SetLastError(error);
    return ok;
}
