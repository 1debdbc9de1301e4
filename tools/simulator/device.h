// What the simulated driver does with each control code: the same checks
// and answers the real driver gives, kept in the shared state file.
#ifndef ZELVANIS_SIM_DEVICE_H
#define ZELVANIS_SIM_DEVICE_H

#include <windows.h>

#include "sim_state.h"

namespace device {

struct Request {
    DWORD code;
    const DWORD *in;   // null when the caller gave no input buffer
    DWORD inSize;      // bytes
    DWORD *out;        // null when the caller gave no output buffer
    DWORD outSize;     // bytes
};

// Loads the state from the parameter store the first time a device is
// opened after the state was reset, as the driver does when Windows starts.
void EnsureLoaded(simstate::StateFile &state);

// Serves one request. Returns 0 on success or the error the caller gets;
// *returned receives the number of output bytes written.
DWORD Serve(simstate::StateFile &state, const Request &request, DWORD *returned);

}  // namespace device

#endif
