// Serving the device where no loader opens it for the simulator: 64-bit
// Wine hands "\\.\NAME" of a Windows 9x device to no .vxd, so there the
// simulator is put into each program (see inject.h), opens the device
// itself and goes along into every program that program starts.
#ifndef ZELVANIS_SIM_FOLLOW_H
#define ZELVANIS_SIM_FOLLOW_H

#include <windows.h>

#include <string>

namespace follow {

// True for the device's name as programs open it ("\\.\ZELVANIS", any case).
bool IsDeviceName(const char *name);

// The file zelvanis.vxd where a loader would find it for this program (its
// own folder, the system folder, the Windows folder, the current folder);
// "" when there is none.
std::string FindDeviceFile();

// A handle to that file, as the 32-bit loader gives out for the device:
// INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND when there is none.
HANDLE OpenDeviceFile(const std::string &path);

// CreateProcessA that loads the DLL at selfPath into the new program
// before its first instruction runs; the program stays suspended when the
// caller asked for that.
BOOL StartFollowed(const char *selfPath, LPCSTR application, LPSTR command,
                   LPSECURITY_ATTRIBUTES processAttributes,
                   LPSECURITY_ATTRIBUTES threadAttributes, BOOL inherit, DWORD flags,
                   LPVOID environment, LPCSTR folder, LPSTARTUPINFOA startup,
                   LPPROCESS_INFORMATION info);

}  // namespace follow

#endif
