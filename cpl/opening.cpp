// What a double-click on the applet does before the sheet opens: one sheet
// per process lifetime and across processes, Windows 95 family only, a
// warning when the driver is absent, and the settings loaded from the store.
#include <windows.h>

#include "applet.h"
#include "driver_link.h"
#include "os_class.h"

static const char kSingleInstanceMutex[] = "Sarvelin";

// True when another sheet owns (or owned) the mutex in a living process.
// The first holder's handle is kept open on purpose until the process ends.
static bool AnotherSheetExists() {
    SetLastError(ERROR_SUCCESS);
    HANDLE mutex = CreateMutexA(NULL, TRUE, kSingleInstanceMutex);
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
    // This extra handle adds nothing to the holder's; don't leak one per click.
    if (mutex) CloseHandle(mutex);
    return true;
}

static void Warn(const char *text, const char *caption, UINT icon) {
    MessageBoxA(NULL, text, caption, MB_OK | icon);
}

void OpenApplet(HWND parent) {
    if (AnotherSheetExists()) return;
    if (!osclass::IsAccepted(OsClass)) {
        Warn("Warning:This application needs Windows 95/98/Me!", "Warning:Bad OS found!",
             MB_ICONERROR);
        return;
    }
    if (!IsDriverLoaded()) {
        // The sheet still opens: settings can be stored without the driver.
        Warn("Fatal Error:Touchscreen driver not loaded!", "Warning!", MB_ICONWARNING);
    }
    if (!GetProfileSetting()) {
        Warn("Touchscreen setting corrupt,Reinstall it!", "Setting corrupt", MB_ICONWARNING);
        return;
    }
    ShowPropertySheet(parent);
}
