// The touchscreen package's actions; see touch_plan.h.
#include "touch_plan.h"

#include "calibration_record.h"
#include "parameter_store.h"

const DeviceInfo kTouchDevice = {
    "Mouse",
    PRODUCT_NAME,
    "Orvantix",
    "Orvantix Technology Co, Ltd.",
    PACKAGE_DRIVER_FILE,
    PACKAGE_DRIVER_FILE,
    "Pemrosko.inf",
    "Pemrosko",
};

static bool InSystemFolder(Text *path, const char *systemFolder, const char *name) {
    return path->Assign(systemFolder) && path->Append(name);
}

bool AppendPackageCopies(FileList *files, const char *systemFolder) {
    Text calibration, applet;
    return InSystemFolder(&calibration, systemFolder, CALIBRATION_FILE) &&
           InSystemFolder(&applet, systemFolder, APPLET_FILE) &&
           AppendFile(files, CALIBRATION_FILE, calibration.c_str()) &&
           AppendFile(files, APPLET_FILE, applet.c_str());
}

bool AppendPackageRemovals(FileList *files, const char *systemFolder) {
    // Without the system folder the bare names would be taken in the
    // current folder: the installation medium's own files.
    if (!systemFolder || !*systemFolder) return true;
    Text calibration, applet;
    return InSystemFolder(&calibration, systemFolder, CALIBRATION_FILE) &&
           InSystemFolder(&applet, systemFolder, APPLET_FILE) &&
           AppendFile(files, calibration.c_str(), 0) && AppendFile(files, applet.c_str(), 0);
}

bool AppendServiceKeyRemoval(RegList *keys) { return AppendRegKeyRemoval(keys, TOUCH_SERVICE_KEY); }

void EncodeDword(unsigned long value, unsigned char (&bytes)[4]) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

// A calibration given stores its five values in place of their defaults.
static unsigned long InstallValue(store::ValueId id, long port,
                                  const store::RecordValue *calibration) {
    if (id == store::kPort) return static_cast<unsigned long>(port);
    for (int i = 0; calibration && i < store::kRecordFieldCount; ++i) {
        if (calibration[i].id == id) return calibration[i].value;
    }
    return store::Rule(id).installDefault;
}

bool AppendDefaultParameterValues(RegList *keys, long port, const unsigned long *calibration) {
    store::RecordValue given[store::kRecordFieldCount];
    if (calibration && !store::WriteRecord(store::RecordFromValues(calibration), given))
        return false;
    for (int i = 0; i < store::kValueCount; ++i) {
        store::ValueId id = store::kInstallOrder[i];
        const store::ValueRule &rule = store::Rule(id);
        unsigned long value = InstallValue(id, port, calibration ? given : 0);
        unsigned char bytes[4];
        EncodeDword(value, bytes);
        if (!AppendRegValue(keys, TOUCH_PARAM_KEY, rule.name, bytes, 4, kRegDword,
                            kRootLocalMachine))
            return false;
    }
    return true;
}
