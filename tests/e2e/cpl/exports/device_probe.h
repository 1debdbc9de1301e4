// Direct requests to the (simulated) driver from the test process, and the
// applet's exports loaded from the built package.
#ifndef EXPORTS_DEVICE_PROBE_H
#define EXPORTS_DEVICE_PROBE_H

#include <windows.h>

#include "harness.h"

#include <string>
#include <vector>

#include "driver_interface.h"

struct Reply {
    BOOL ok = FALSE;
    DWORD error = 0;     // GetLastError after a failure
    DWORD returned = 0;  // bytes returned
    std::vector<DWORD> out;
};

// Opens "\\.\ZELVANIS", sends code with the input words and an output area
// of outWords words (preset to 4141), closes the device.
Reply Request(DWORD code, const std::vector<DWORD> &in = {}, DWORD outWords = 0);

// The applet's exports.
struct Exports {
    HMODULE module = NULL;
    BOOL(WINAPI *SetMouseMode)(DWORD) = nullptr;
    BOOL(WINAPI *GetMouseMode)(DWORD *) = nullptr;
    BOOL(WINAPI *GetBeep)(BeepRecord *) = nullptr;
    BOOL(WINAPI *SetBeep)(DWORD, DWORD, DWORD) = nullptr;
    BOOL(WINAPI *EnableTouchscreen)(BOOL) = nullptr;
    bool Complete() const;
};

// Loads Pemrosko.Cpl from the package folder (once per process).
const Exports &Applet();

using harness::StoreSnapshot;

#endif
