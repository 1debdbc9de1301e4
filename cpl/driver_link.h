// One request to the touchscreen driver: open the device, send one control
// code, close the device. Used by the exported functions and the sheet.
#ifndef PEMROSKO_DRIVER_LINK_H
#define PEMROSKO_DRIVER_LINK_H

#include <windows.h>

// True when "\\.\ZELVANIS" can be opened (it is closed again at once).
BOOL IsDriverLoaded();

// Opens the device, sends code with the given buffers and closes it. When
// the open fails, returns FALSE and leaves the open's error in place.
BOOL SendDriverRequest(DWORD code, void *input, DWORD inputSize, void *output, DWORD outputSize);

#endif
