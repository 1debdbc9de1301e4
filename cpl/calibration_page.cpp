// The sheet's first page: "&Calibrate" starts the calibration program from
// the system folder and returns at once; the controller facts beside it are
// fixed texts of the dialog.
#include <windows.h>

#include "applet.h"
#include "package_files.h"
#include "resource.h"
#include "runtime.h"

static const char kCalibrationProgram[] = PACKAGE_CALIBRATION_FILE;

// Full path of the calibration program; false when there is no system
// folder or the path does not fit.
static bool CalibrationProgramPath(char *path, UINT size) {
    UINT length = GetSystemDirectoryA(path, size);
    if (length == 0 || length >= size) return false;
    return rt::AppendBackslash(path, size) && rt::Append(path, size, kCalibrationProgram);
}

BOOL LaunchCalibration() {
    char path[MAX_PATH];
    if (!CalibrationProgramPath(path, sizeof(path))) return FALSE;
    STARTUPINFOA startup;
    memset(&startup, 0, sizeof(startup));
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMAXIMIZED;
    PROCESS_INFORMATION process;
    memset(&process, 0, sizeof(process));
    BOOL started = CreateProcessA(path, NULL, NULL, NULL, FALSE, NORMAL_PRIORITY_CLASS, NULL,
                                  NULL, &startup, &process);
    if (started) {
        // Nobody waits for the calibration or looks at its result.
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return started;
}

static void OnCalibrate(HWND page) {
    if (!LaunchCalibration()) {
        MessageBoxA(page, "Launching calibration program error,Run Durmasel.exe directly!",
                    "Sorry,launching program error!", MB_OK | MB_ICONWARNING);
    }
}

// Any notification from the button starts the program, as a click does.
INT_PTR CALLBACK CalibrationPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NOTIFY:
        return HandlePageNotify(page, lParam);
    case WM_COMMAND:
        if (LOWORD(wParam) != IDC_CALIBRATE_BUTTON) return FALSE;
        OnCalibrate(page);
        return TRUE;
    default:
        return FALSE;
    }
}
