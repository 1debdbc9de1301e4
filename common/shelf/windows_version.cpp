// GetVersionExA in one place, so every program treats a system that cannot
// say what it is alike: as an unknown platform.
#include "windows_version.h"

#include <windows.h>

#include "os_class.h"

namespace shelf {

WindowsVersion RunningWindows() {
    OSVERSIONINFOA info;
    ZeroMemory(&info, sizeof(info));
    info.dwOSVersionInfoSize = sizeof(info);
    WindowsVersion version = {osclass::kPlatformUnknown, 0, 0};
    if (!GetVersionExA(&info)) return version;
    version.platformId = info.dwPlatformId;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    return version;
}

}  // namespace shelf
