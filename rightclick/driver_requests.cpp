// Fennock's three dealings with the touchscreen driver. Each opens the
// device for the one request and closes it again, so the driver is never
// held open while the program sits idle.
#include "driver_interface.h"
#include "fennock.h"

static HANDLE OpenDriver() {
    return CreateFileA(ZELVANIS_DEVICE_PATH, GENERIC_READ | GENERIC_WRITE, 0, NULL,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
}

BOOL IsDriverLoaded() {
    HANDLE device = OpenDriver();
    if (device == INVALID_HANDLE_VALUE) return FALSE;
    CloseHandle(device);
    return TRUE;
}

BOOL StartRightButtonSwitch() {
    HANDLE device = OpenDriver();
    if (device == INVALID_HANDLE_VALUE) return FALSE;
    // A request without an overlapped record must be given a byte count.
    DWORD returned = 0;
    BOOL started = DeviceIoControl(device, IOCTL_TOUCH_RIGHT_BUTTON_ONCE, NULL, 0, NULL, 0,
                                   &returned, NULL);
    CloseHandle(device);
    return started;
}

// A driver that cannot be opened counts as "over", so the button pops up
// when the driver goes away in the middle of a switch.
BOOL RightButtonSwitchIsOver() {
    HANDLE device = OpenDriver();
    if (device == INVALID_HANDLE_VALUE) return TRUE;
    uint32_t answer = 0;
    DWORD returned = 0;
    BOOL answered = DeviceIoControl(device, IOCTL_TOUCH_QUERY_RIGHT_BUTTON, NULL, 0, &answer,
                                    sizeof(answer), &returned, NULL);
    CloseHandle(device);
    return fennock::QueryMeansOver(answered != FALSE, returned, answer);
}
