// The touchscreen package's installer on top of CDeviceInstaller; its
// constant texts and lists are in portable/touch_plan.cpp.
#include "touch_installer.h"

#include "double_click.h"
#include "files.h"
#include "journal.h"
#include "parameter_store.h"
#include "portable/touch_plan.h"
#include "undo.h"

IMPLEMENT_RUNTIME_CLASS(CTouchInstaller, CDeviceInstaller)

CTouchInstaller::CTouchInstaller() {}

CTouchInstaller::~CTouchInstaller() {}

BOOL CTouchInstaller::PrepareUpdate() {
    if (!CDeviceInstaller::PrepareUpdate()) return FALSE;
    Text system = GetSystemFolder();
    AppendPackageCopies(&m_fileList, system.c_str());
    return TRUE;
}

BOOL CTouchInstaller::Prepare(BOOL writeSystemIni) {
    const DeviceInfo &d = kTouchDevice;
    if (!SetDeviceInfo(d.className, d.deviceDesc, d.rootId, d.mfg, d.staticVxD, d.driverFile,
                       d.infFile, d.infSection))
        return FALSE;
    DetectInstallation();
    Text system = GetSystemFolder();
    if (m_nRootInstance < 0) {
        AppendPackageCopies(&m_fileList, system.c_str());
        // System.ini is written now, whatever the user answers later.
        if (writeSystemIni) WriteSystemIni();
    } else {
        // The service key goes with its Parameters key.
        AppendServiceKeyRemoval(&m_regList);
        AppendPackageRemovals(&m_fileList, system.c_str());
    }
    return TRUE;
}

// An installed device's service key is queued already (Prepare).
BOOL CTouchInstaller::QueueLeftovers() {
    BOOL found = CDeviceInstaller::QueueLeftovers();
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, TOUCH_SERVICE_KEY, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return found;
    RegCloseKey(key);
    if (m_nRootInstance < 0) AppendServiceKeyRemoval(&m_regList);
    return TRUE;
}

void CTouchInstaller::AddDefaultParameters(int port, const unsigned long *calibration) {
    if (m_nRootInstance >= 0) return;
    AppendDefaultParameterValues(&m_regList, port, calibration);
    // The metrics of the defaults take effect now, stored in the user
    // profile without a broadcast; the values reach the registry only when
    // Install runs.
    if (shelf::ApplyDoubleClickMetrics(store::Rule(store::kDblClickRegion).installDefault,
                                       store::Rule(store::kMouseMode).installDefault))
        journal::Note("Set the double-click width, height and time");
    else
        journal::Failure(GetLastError(), "Could not set the double-click width, height and time");
}

// Each entry's own result: a line says only what was written.
static BOOL WriteIniEntry(const char *section, const char *value) {
    undo::BeforeProfile(section, SYSTEM_INI_MOUSE_KEY, SYSTEM_INI_FILE);
    if (WritePrivateProfileStringA(section, SYSTEM_INI_MOUSE_KEY, value, SYSTEM_INI_FILE)) {
        journal::Note("Wrote System.ini [", section, "] " SYSTEM_INI_MOUSE_KEY "=", value);
        return TRUE;
    }
    journal::Failure(GetLastError(), "Could not write System.ini [", section,
                     "] " SYSTEM_INI_MOUSE_KEY);
    return FALSE;
}

BOOL CTouchInstaller::WriteSystemIni() {
    BOOL boot = WriteIniEntry(SYSTEM_INI_BOOT, SYSTEM_INI_MOUSE_DRIVER);
    BOOL description = WriteIniEntry(SYSTEM_INI_DESCRIPTION, SYSTEM_INI_MOUSE_NAME);
    return boot && description;
}
