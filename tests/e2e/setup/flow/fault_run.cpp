// Setup under faultinject.dll; see fault_run.h.
#include "fault_run.h"

#include <fstream>

#include "setup_fixture.h"

const DWORD kKilledCode = 0xDEAD;

std::string FaultPlan::Name() const {
    static const char *const kKinds[] = {"count", "once", "always", "kill"};
    return std::string(kKinds[kind]) + " " + std::to_string(at) + " " + std::to_string(error);
}

bool FaultedRun::Hit() const {
    for (const std::string &line : changes)
        if (line.find(" FAILED") != std::string::npos || line.find(" KILLED") != std::string::npos)
            return true;
    return false;
}

static std::string RecordPath() { return harness::Join(harness::TestDir(), "faults.log"); }

static std::vector<std::string> ReadRecord() {
    std::vector<std::string> lines;
    std::ifstream record(RecordPath());
    for (std::string line; std::getline(record, line);) lines.push_back(line);
    return lines;
}

// Answers the window Setup shows, as a user who goes on would; false when
// it shows none.
static bool AnswerWindow(DWORD pid) {
    HWND window = harness::FindProcessWindow(pid, NULL);
    if (!window) return false;
    std::string caption = harness::Text(window);
    int button = IDOK;
    if (caption == kInstallCaption || caption == kUninstallCaption)
        button = 6;  // "Yes,go next"
    else if (caption == kCompleteCaption)
        button = IDCANCEL;  // "No" restart
    else if (GetDlgItem(window, IDNO))
        button = IDNO;
    harness::PostClick(window, button);
    harness::WaitGone(window, 5000);
    return true;
}

// Every wait is bounded: a run that has not ended by then hangs.
static const DWORD kRunBound = 60000;

static void WaitInteractive(SetupRun &run, FaultedRun *result) {
    harness::WaitUntil([&] {
        AnswerWindow(run.m_process.pid);
        return run.WaitEnd(&result->code, 0);
    }, kRunBound);
    result->ended = result->code != STILL_ACTIVE;
}

static void WaitUnattended(SetupRun &run, FaultedRun *result) {
    harness::WaitUntil([&] {
        result->windowShown = result->windowShown || run.ShowsAnyWindow();
        return run.WaitEnd(&result->code, 0);
    }, kRunBound);
    result->ended = result->code != STILL_ACTIVE;
}

FaultedRun RunWithFault(const std::string &folder, const std::string &args, bool interactive,
                        const FaultPlan &plan, const std::string &log) {
    DeleteFileA(RecordPath().c_str());
    SetEnvironmentVariableA("ORVANTIX_FAULT", plan.Name().c_str());
    SetEnvironmentVariableA("ORVANTIX_FAULT_SPARE", log.c_str());
    FaultedRun result;
    {
        SetupRun run(folder, args, SetupRun::kHooked, "faultinject.dll");
        if (interactive)
            WaitInteractive(run, &result);
        else
            WaitUnattended(run, &result);
    }  // a run that hangs is ended here
    SetEnvironmentVariableA("ORVANTIX_FAULT", NULL);
    result.changes = ReadRecord();
    return result;
}
