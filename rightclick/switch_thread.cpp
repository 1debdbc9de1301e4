// The Win32 side of Fennock's worker thread: it plugs the driver query,
// the post to the dialog and the 50 ms sleep into the portable watch loop.
#include "fennock.h"

static bool PollDriver(void *) { return RightButtonSwitchIsOver() != FALSE; }

static void PostSwitchDone(void *context) {
    SwitchControl *control = static_cast<SwitchControl *>(context);
    PostMessageA(control->dialogWindow, WM_SWITCH_DONE, 0, 0);
}

static void SleepOneInterval(void *) { Sleep(fennock::kPollIntervalMs); }

DWORD WINAPI SwitchWorkerThread(LPVOID parameter) {
    // Polling must never slow down whatever the user touches next.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_BELOW_NORMAL);
    SwitchControl *control = static_cast<SwitchControl *>(parameter);
    const fennock::WorkerOps ops = {control, PollDriver, PostSwitchDone, SleepOneInterval};
    return fennock::RunSwitchWorker(&control->command, ops);
}
