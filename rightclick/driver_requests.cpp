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

// Outcome of one request: the device could not be opened, the driver
// refused, or the driver did it.
enum RequestOutcome { kNoDriver, kRefused, kDone };

// A request without an overlapped record must be given a byte count.
static RequestOutcome Request(DWORD code, void *out, DWORD outSize, DWORD *returned) {
    HANDLE device = OpenDriver();
    if (device == INVALID_HANDLE_VALUE) return kNoDriver;
    *returned = 0;
    BOOL done = DeviceIoControl(device, code, NULL, 0, out, outSize, returned, NULL);
    CloseHandle(device);
    return done ? kDone : kRefused;
}

BOOL StartRightButtonSwitch() {
    DWORD returned;
    return Request(IOCTL_TOUCH_RIGHT_BUTTON_ONCE, NULL, 0, &returned) == kDone;
}

// A driver that cannot be opened counts as "over", so the button pops up
// when the driver goes away in the middle of a switch.
BOOL RightButtonSwitchIsOver() {
    uint32_t answer = 0;
    DWORD returned;
    RequestOutcome outcome =
        Request(IOCTL_TOUCH_QUERY_RIGHT_BUTTON, &answer, sizeof(answer), &returned);
    if (outcome == kNoDriver) return TRUE;
    return fennock::QueryMeansOver(outcome == kDone, returned, answer);
}
