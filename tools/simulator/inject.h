// Loads a DLL into another running process of the same Wine session, so
// that a test can watch what that process asks of the system, or the
// simulated driver can serve it (the 64-bit build).
#ifndef ZELVANIS_SIM_INJECT_H
#define ZELVANIS_SIM_INJECT_H

#include <windows.h>

// True when dllPath was loaded into process (pid) within timeoutMs and its
// DllMain accepted; the DLL stays loaded until the process ends.
bool InjectLibrary(HANDLE process, DWORD pid, const char *dllPath, DWORD timeoutMs = 5000);

#endif
