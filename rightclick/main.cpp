// Fennock.exe: a small always-on-top window with one picture button that
// makes the touchscreen driver deliver the next touch as a right-button
// click. One instance at a time; without the driver it refuses to start.
#include "fennock.h"
#include "resource.h"
#include "driver_device.h"
#include "error_box.h"
#include "single_instance.h"

FennockState g_fennock;

static const char kMutexName[] = "XJQFennock";
// Long enough for the worker to finish one poll and its sleep.
static const DWORD kWorkerEndTimeoutMs = 1000;

// A failing system call, captioned with routine and step.
static void ReportSystemError(const char *caption) {
    shelf::ShowSystemError(GetLastError(), caption, MB_ICONINFORMATION);
}

static BOOL StartWorker() {
    g_fennock.control.command = fennock::SWITCH_IDLE;
    // Windows 95 fails CreateThread when it has nowhere to put the id.
    DWORD threadId = 0;
    g_fennock.worker = CreateThread(NULL, 0, SwitchWorkerThread, &g_fennock.control,
                                    CREATE_SUSPENDED, &threadId);
    return g_fennock.worker != NULL;
}

// The dialog has usually ordered the worker to quit already; ordering it
// again covers a dialog that never came up.
static void StopWorker() {
    g_fennock.control.command = fennock::SWITCH_QUIT;
    ResumeThread(g_fennock.worker);
    WaitForSingleObject(g_fennock.worker, kWorkerEndTimeoutMs);
    CloseHandle(g_fennock.worker);
}

static void FreePictures() {
    if (g_fennock.idlePicture) DeleteObject(g_fennock.idlePicture);
    if (g_fennock.pendingPicture) DeleteObject(g_fennock.pendingPicture);
}

extern "C" int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (shelf::AnotherInstanceHolds(kMutexName)) return 0;
    if (!shelf::DriverPresent()) {
        MessageBoxA(NULL, "Fatal Error:ZELVANIS Touchscreen driver not loaded!", "Fatal Error!",
                    MB_ICONWARNING);
        return 1;
    }
    g_fennock.idlePicture = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_SWITCH_IDLE));
    g_fennock.pendingPicture = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_SWITCH_PENDING));
    if (!StartWorker()) {
        ReportSystemError("Orvantix_CreateThread");
        FreePictures();
        return 0;
    }
    if (DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_FENNOCK), NULL, SwitchDialogProc, 0) == -1)
        ReportSystemError("Orvantix_DialogBoxParam");
    StopWorker();
    FreePictures();
    return 0;
}
