// The driver's device, written once: the only place that names its path,
// so every program opens it the same way and reports a request alike.
#include "driver_device.h"

#include "driver_interface.h"

namespace shelf {

HANDLE OpenDriverDevice() {
    return CreateFileA(ZELVANIS_DEVICE_PATH, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, NULL);
}

bool DriverPresent() {
    HANDLE device = OpenDriverDevice();
    if (device == INVALID_HANDLE_VALUE) return false;
    CloseHandle(device);
    return true;
}

// A request without an overlapped record must be given a byte count.
DriverReply RequestOn(HANDLE device, DWORD code, void *input, DWORD inputSize, void *output,
                      DWORD outputSize) {
    DriverReply reply = {kRefused, 0, ERROR_SUCCESS};
    if (DeviceIoControl(device, code, input, inputSize, output, outputSize, &reply.returned,
                        NULL))
        reply.outcome = kDone;
    reply.error = GetLastError();
    return reply;
}

DriverReply RequestOnce(DWORD code, void *input, DWORD inputSize, void *output,
                        DWORD outputSize) {
    HANDLE device = OpenDriverDevice();
    if (device == INVALID_HANDLE_VALUE) {
        DriverReply none = {kNoDriver, 0, GetLastError()};
        return none;
    }
    DriverReply reply = RequestOn(device, code, input, inputSize, output, outputSize);
    CloseHandle(device);
    // Closing must not hide the request's own error from the caller.
    SetLastError(reply.error);
    return reply;
}

}  // namespace shelf
