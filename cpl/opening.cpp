// What a double-click on the applet does before the sheet opens: one sheet
// per process lifetime and across processes, Windows 95 family only, a
// warning when the driver is absent, and the settings loaded from the store.
#include <windows.h>

#include "applet.h"
#include "driver_device.h"
#include "os_class.h"
#include "single_instance.h"

static const char kSingleInstanceMutex[] = "Sarvelin";

static void Warn(const char *text, const char *caption, UINT icon) {
    MessageBoxA(NULL, text, caption, MB_OK | icon);
}

void OpenApplet(HWND parent) {
    // One sheet per process lifetime: the first holder keeps the mutex.
    if (shelf::AnotherInstanceHolds(kSingleInstanceMutex)) return;
    if (!osclass::IsAccepted(OsClass)) {
        Warn("Warning:This application needs Windows 95/98/Me!", "Warning:Bad OS found!",
             MB_ICONERROR);
        return;
    }
    if (!shelf::DriverPresent()) {
        // The sheet still opens: settings can be stored without the driver.
        Warn("Fatal Error:Touchscreen driver not loaded!", "Warning!", MB_ICONWARNING);
    }
    if (!GetProfileSetting()) {
        Warn("Touchscreen setting corrupt,Reinstall it!", "Setting corrupt", MB_ICONWARNING);
        return;
    }
    ShowPropertySheet(parent);
}
