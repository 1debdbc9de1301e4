// The touchscreen driver's device as every program reaches it: open it,
// test whether it is there, and make one request on it.
#ifndef SHELF_DRIVER_DEVICE_H
#define SHELF_DRIVER_DEVICE_H

#include <windows.h>

namespace shelf {

// INVALID_HANDLE_VALUE, with the open's error, when the driver is absent.
HANDLE OpenDriverDevice();

// True when the device can be opened (it is closed again at once).
bool DriverPresent();

// What one request came to. error is the last error the request (or the
// failed open) left; returned is the byte count the driver handed back.
enum RequestOutcome { kNoDriver, kRefused, kDone };
struct DriverReply {
    RequestOutcome outcome;
    DWORD returned;
    DWORD error;
};

// One request on a device the caller holds open.
DriverReply RequestOn(HANDLE device, DWORD code, void *input, DWORD inputSize, void *output,
                      DWORD outputSize);

// Opens the device, makes one request and closes it again. The last error
// on return is the request's (or the open's), never the close's.
DriverReply RequestOnce(DWORD code, void *input, DWORD inputSize, void *output,
                        DWORD outputSize);

}  // namespace shelf

#endif
