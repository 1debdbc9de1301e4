// Which Windows a program runs on, from the platform id and version the
// system reports, in the two views the applet and Setup take of a system neither
// knows. Portable: no windows.h, so both tables are unit-tested natively.
#ifndef COMMON_OS_CLASS_H
#define COMMON_OS_CLASS_H

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

// Platform ids as the system reports them; kPlatformUnknown stands for
// a system that would not say.
enum : uint32_t {
    kPlatformWin32s = 0,
    kPlatformWindows = 1,
    kPlatformNt = 2,
    kPlatformUnknown = 0xFFFFFFFFu,
};

// The applet's view: an NT it does not know, or an unknown platform, is
// kUnknown.
int Classify(uint32_t platformId, uint32_t major, uint32_t minor);

// The applet runs only on the Windows 95 family (classes 1 to 3).
bool IsAccepted(int osClass);

// Setup's view: the NT family by major version alone (4 -> 4, 5 -> 5,
// any other -> 6), and an unknown platform refused like an NT (6).
int ClassifyForSetup(uint32_t platformId, uint32_t major, uint32_t minor);

// Setup refuses every NT code, 4 to 6.
bool RefusedBySetup(int code);

}  // namespace osclass

#endif
