// Which Windows the applet runs on, from the three numbers GetVersionExA
// reports. Portable: no windows.h, so the table is unit-tested natively.
#ifndef PEMROSKO_OS_CLASS_H
#define PEMROSKO_OS_CLASS_H

#include <stdint.h>

namespace osclass {

enum : int {
    kWin32s = 0,
    kWindows95 = 1,        // Windows 95 family, minor version 0
    kWindows95Minor1 = 2,  // Windows 95 family, minor version 1
    kWindows98Me = 3,      // Windows 95 family, minor version above 1
    kNt4 = 4,
    kWindows2000 = 5,
    kWindowsXpFamily = 6,  // NT 5.x with x above 0
    kUnknown = -1,
};

// Platform ids as GetVersionExA reports them.
enum : uint32_t {
    kPlatformWin32s = 0,
    kPlatformWindows = 1,
    kPlatformNt = 2,
};

int Classify(uint32_t platformId, uint32_t major, uint32_t minor);

// The applet runs only on the Windows 95 family (classes 1 to 3).
bool IsAccepted(int osClass);

}  // namespace osclass

#endif
