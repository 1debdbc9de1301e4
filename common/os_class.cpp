// Classification of the running Windows for the applet's and Setup's
// system checks; see os_class.h.
#include "os_class.h"

namespace osclass {

// The Windows 95 family is told apart by its minor version alone: 95 is
// 4.0, 98 is 4.10 and Me 4.90; the major version is not looked at.
static int ClassifyWindows9x(uint32_t minor) {
    if (minor == 0) return kWindows95;
    if (minor == 1) return kWindows95Minor1;
    return kWindows98Me;
}

static int ClassifyNt(uint32_t major, uint32_t minor) {
    if (major == 4) return kNt4;
    if (major == 5) return minor == 0 ? kWindows2000 : kWindowsXpFamily;
    return kUnknown;
}

int Classify(uint32_t platformId, uint32_t major, uint32_t minor) {
    switch (platformId) {
    case kPlatformWin32s:
        return kWin32s;
    case kPlatformWindows:
        return ClassifyWindows9x(minor);
    case kPlatformNt:
        return ClassifyNt(major, minor);
    default:
        return kUnknown;
    }
}

bool IsAccepted(int osClass) { return osClass >= kWindows95 && osClass <= kWindows98Me; }

int ClassifyForSetup(uint32_t platformId, uint32_t major, uint32_t minor) {
    switch (platformId) {
    case kPlatformWin32s:
    case kPlatformWindows:
        return Classify(platformId, major, minor);
    case kPlatformNt:
        return major == 4 ? kNt4 : (major == 5 ? kWindows2000 : kWindowsXpFamily);
    default:
        // An unknown platform is no Windows 95 family system: refuse it too.
        return kWindowsXpFamily;
    }
}

bool RefusedBySetup(int code) { return code >= kNt4 && code <= kWindowsXpFamily; }

}  // namespace osclass
