// The running Windows's three version numbers, read in one place for the
// shared classification in os_class.h.
#ifndef SHELF_WINDOWS_VERSION_H
#define SHELF_WINDOWS_VERSION_H

#include <stdint.h>

namespace shelf {

struct WindowsVersion {
    uint32_t platformId;  // osclass::kPlatformUnknown when the system won't say
    uint32_t major;
    uint32_t minor;
};

WindowsVersion RunningWindows();

}  // namespace shelf

#endif
