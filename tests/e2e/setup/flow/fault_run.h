// One run of Setup under faultinject.dll (see fault_inject.cpp): what the
// run was told to meet, the changes it made or tried, and how it ended. An
// interactive run's windows are answered as a user who goes on would.
#ifndef SETUPFLOW_FAULT_RUN_H
#define SETUPFLOW_FAULT_RUN_H

#include <windows.h>

#include <string>
#include <vector>

struct FaultPlan {
    enum Kind { kCount, kOnce, kAlways, kKill };
    Kind kind;
    long at;      // the change point, from 1
    DWORD error;  // the system error the failed calls give
    std::string Name() const;  // "once 7 error 5"
};

// Setup's exit code when faultinject.dll ended it at a change.
extern const DWORD kKilledCode;

struct FaultedRun {
    bool ended = false;  // on its own, within the bound
    DWORD code = STILL_ACTIVE;
    bool windowShown = false;  // unattended runs only
    // "n function arguments" per change point met, with " FAILED" or
    // " KILLED" behind the one the plan hit.
    std::vector<std::string> changes;
    bool Hit() const;  // the plan met its change point
};

// Runs Setup.exe of folder with args under plan; log is Setup's /LOG file
// (its opening is no change of the machine). Interactive runs answer the
// dialogs: "Yes,go next", the port dialog's OK, "No" to a restart and OK
// to each box.
FaultedRun RunWithFault(const std::string &folder, const std::string &args, bool interactive,
                        const FaultPlan &plan, const std::string &log);

#endif
