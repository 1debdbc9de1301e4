// Detection and list building of the device installer; see device_plan.h.
#include "device_plan.h"

#include "package_files.h"

#include <string.h>

#include "rules.h"

// Instance numbers stay in the 32-bit range of the fields holding them.
static const long kLastInstance = 2147483647L;

// Path of prefix + name + "\" + instance number.
static bool InstanceKey(Text *out, const char *prefix, const char *name, long number) {
    return out->Assign(prefix) && out->Append(name) && AppendInstance(out, number);
}

static bool Joined(Text *out, const char *a, const char *b, const char *c = 0) {
    return out->Assign(a) && out->Append(b) && out->Append(c);
}

// Looks at one instance key; true when it holds the device.
static bool InstanceHoldsDevice(RegistryView *view, const DeviceInfo &device, long n,
                                Detection *found) {
    Text desc;
    if (!view->Read("DeviceDesc", &desc) || !view->SameText(desc.c_str(), device.deviceDesc))
        return false;
    found->rootInstance = n;
    Text driver;
    if (view->Read("Driver", &driver)) {
        ClassInstanceFromDriver(driver.c_str(), device.className, &found->classInstance);
    }
    return true;
}

static bool ValueIs(RegistryView *view, const char *name, const char *expected) {
    Text value;
    return view->Read(name, &value) && view->SameText(value.c_str(), expected);
}

// The class key is this device's when it describes this device's driver,
// or when an installation cut short left it so: our driver without a
// description yet, or neither. A damaged Driver value could name another
// device's key, and that key describes the other device.
static bool ClassKeyIsOurs(RegistryView *view, const DeviceInfo &device, long number) {
    Text path, vxd, desc;
    if (!InstanceKey(&path, CLASS_PREFIX, device.className, number) || !view->Open(path.c_str()))
        return false;
    bool hasVxd = view->Read("StaticVxD", &vxd), hasDesc = view->Read("DriverDesc", &desc);
    bool ours = hasVxd ? view->SameText(vxd.c_str(), device.staticVxD) &&
                             (!hasDesc || view->SameText(desc.c_str(), device.deviceDesc))
                       : !hasDesc;
    view->Close();
    return ours;
}

static void ScanRootInstances(RegistryView *view, const DeviceInfo &device, Detection *found) {
    Text path;
    for (long n = 0; n < kLastInstance; ++n) {
        if (!InstanceKey(&path, ENUM_ROOT_PREFIX, device.rootId, n) || !view->Open(path.c_str()))
            return;
        bool holds = InstanceHoldsDevice(view, device, n, found);
        found->nextRootInstance = n + 1;
        view->Close();
        if (holds) return;
    }
}

static long FirstFreeClassInstance(RegistryView *view, const char *className) {
    Text path;
    long n = 0;
    for (; n < kLastInstance; ++n) {
        if (!InstanceKey(&path, CLASS_PREFIX, className, n) || !view->Open(path.c_str())) break;
        view->Close();
    }
    return n;
}

void DetectDevice(RegistryView *view, const DeviceInfo &device, Detection *found) {
    found->rootInstance = -1;
    found->classInstance = -1;
    ScanRootInstances(view, device, found);
    if (found->rootInstance < 0) {
        found->classInstance = FirstFreeClassInstance(view, device.className);
    } else if (found->classInstance >= 0 &&
               !ClassKeyIsOurs(view, device, found->classInstance)) {
        found->classInstance = -1;
    }
}

// Names tried for the uninstall entry: the title, the description, then
// the description followed by " 2" to " 9".
static const long kUninstallNames = 10;

static bool UninstallName(const DeviceInfo &device, const char *programTitle, long index,
                          Text *name) {
    if (index == 0) return name->Assign(programTitle);
    if (!name->Assign(device.deviceDesc)) return false;
    char suffix[3] = {' ', static_cast<char>('0' + index), '\0'};
    return index == 1 || name->Append(suffix);
}

enum EntryOwner { kEntryMissing, kEntryOurs, kEntryOthers };

static EntryOwner OwnerOf(RegistryView *view, const DeviceInfo &device, const Text &name) {
    Text path;
    if (name.Empty() || !Joined(&path, UNINSTALL_PREFIX, name.c_str()) ||
        !view->Open(path.c_str()))
        return kEntryMissing;
    bool ours = ValueIs(view, "DisplayName", device.deviceDesc);
    view->Close();
    return ours ? kEntryOurs : kEntryOthers;
}

bool FindUninstallEntry(RegistryView *view, const DeviceInfo &device, const char *programTitle,
                        bool installed, Text *name) {
    for (long index = 0; index < kUninstallNames; ++index) {
        if (!UninstallName(device, programTitle, index, name)) break;
        EntryOwner owner = OwnerOf(view, device, *name);
        if (owner == kEntryOurs || (!installed && owner == kEntryMissing && !name->Empty()))
            return true;
    }
    name->Clear();
    return false;
}

// The key paths R (instance), K (class driver key) and U (uninstall entry).
struct DeviceKeys {
    Text instance;
    Text classKey;
    Text uninstall;
};

static bool MakeKeys(const DeviceInfo &device, long rootInstance, long classInstance,
                     const char *uninstallName, DeviceKeys *keys) {
    return InstanceKey(&keys->instance, ENUM_ROOT_PREFIX, device.rootId, rootInstance) &&
           InstanceKey(&keys->classKey, CLASS_PREFIX, device.className, classInstance) &&
           Joined(&keys->uninstall, UNINSTALL_PREFIX, uninstallName);
}

static bool HasName(const char *name) { return name && *name; }

static bool AppendText(RegList *keys, const Text &key, const char *name, const char *text) {
    return AppendRegValue(keys, key.c_str(), name, text, -1, kRegSz, kRootLocalMachine);
}

static bool AppendBinary4(RegList *keys, const Text &key, const char *name,
                          const unsigned char (&bytes)[4]) {
    return AppendRegValue(keys, key.c_str(), name, bytes, 4, kRegBinary, kRootLocalMachine);
}

static bool AppendInstanceValues(const DeviceInfo &device, long classInstance, const Text &key,
                                 RegList *keys) {
    static const unsigned char kCapabilities[4] = {0x14, 0, 0, 0};
    static const unsigned char kConfigFlags[4] = {0, 0, 0, 0};
    Text driver;
    return driver.Assign(device.className) && AppendInstance(&driver, classInstance) &&
           AppendText(keys, key, "Class", device.className) &&
           AppendText(keys, key, "DeviceDesc", device.deviceDesc) &&
           AppendText(keys, key, "Mfg", device.mfg) &&
           AppendText(keys, key, "Driver", driver.c_str()) &&
           AppendBinary4(keys, key, "Capabilities", kCapabilities) &&
           AppendBinary4(keys, key, "ConfigFlags", kConfigFlags);
}

static bool AppendClassValues(const DeviceInfo &device, const Text &key, RegList *keys) {
    Text driverValue;
    return Joined(&driverValue, device.className, "Driver") &&
           AppendText(keys, key, "StaticVxD", device.staticVxD) &&
           AppendText(keys, key, "DriverDesc", device.deviceDesc) &&
           AppendText(keys, key, "InfPath", device.infFile) &&
           AppendText(keys, key, "InfSection", device.infSection) &&
           AppendText(keys, key, driverValue.c_str(), device.driverFile) &&
           AppendText(keys, key, "ProviderName", device.mfg);
}

// Without a name of its own the package makes no entry rather than
// overwrite another program's.
static bool AppendUninstallValues(const DeviceInfo &device, const SetupFolders &folders,
                                  const char *name, const Text &key, RegList *keys) {
    if (!HasName(name)) return true;
    Text command;
    return Joined(&command, folders.windows, PACKAGE_PROGRAM_FOLDER "\\", folders.programTitle) &&
           command.Append(".exe -u") &&
           AppendText(keys, key, "DisplayName", device.deviceDesc) &&
           AppendText(keys, key, "UninstallString", command.c_str());
}

// The driver file in the system folder, the INF file in Inf\ of Windows.
static bool DriverTargets(const DeviceInfo &device, const SetupFolders &folders, Text *driver,
                          Text *inf) {
    return Joined(driver, folders.system, device.driverFile) &&
           Joined(inf, folders.windows, "Inf\\", device.infFile);
}

bool BuildInstallActions(const DeviceInfo &device, const Detection &found,
                         const SetupFolders &folders, FileList *files, RegList *keys) {
    DeviceKeys paths;
    Text driver, inf;
    return MakeKeys(device, found.nextRootInstance, found.classInstance, found.uninstallName,
                    &paths) &&
           AppendInstanceValues(device, found.classInstance, paths.instance, keys) &&
           AppendClassValues(device, paths.classKey, keys) &&
           AppendUninstallValues(device, folders, found.uninstallName, paths.uninstall, keys) &&
           DriverTargets(device, folders, &driver, &inf) &&
           AppendFile(files, device.driverFile, driver.c_str()) &&
           AppendFile(files, device.infFile, inf.c_str());
}

// A removal entry unless the file's folder is unknown (empty).
static bool AppendRemovalIn(FileList *files, const char *folder, const Text &path) {
    return !HasName(folder) || AppendFile(files, path.c_str(), 0);
}

bool BuildRemovalActions(const DeviceInfo &device, const Detection &found,
                         const SetupFolders &folders, FileList *files, RegList *keys) {
    DeviceKeys paths;
    Text deviceKey, driver, inf;
    // Found at 0000: the whole device key goes, with every instance below.
    bool whole = found.rootInstance == 0;
    return MakeKeys(device, found.rootInstance, found.classInstance, found.uninstallName,
                    &paths) &&
           (whole ? Joined(&deviceKey, ENUM_ROOT_PREFIX, device.rootId)
                  : deviceKey.Assign(paths.instance.c_str())) &&
           AppendRegKeyRemoval(keys, deviceKey.c_str()) &&
           (found.classInstance < 0 || AppendRegKeyRemoval(keys, paths.classKey.c_str())) &&
           (!HasName(found.uninstallName) || AppendRegKeyRemoval(keys, paths.uninstall.c_str())) &&
           DriverTargets(device, folders, &driver, &inf) &&
           AppendRemovalIn(files, folders.system, driver) &&
           AppendRemovalIn(files, folders.windows, inf);
}

bool BuildUpdateActions(const DeviceInfo &device, const char *systemFolder, FileList *files,
                        RegList *keys) {
    files->Clear();
    keys->Clear();
    Text driver;
    return Joined(&driver, systemFolder, device.driverFile) &&
           AppendFile(files, device.driverFile, driver.c_str());
}

// ---- what a run cut short leaves ---------------------------------------------

// Appends the removal of the key once: a key may be found more than one
// way. A value to write (an installation's entry) is no removal.
static bool AppendRemovalOnce(RegList *keys, const char *path) {
    size_t length = strlen(path);
    for (const RegEntry *e = keys->First(); e; e = e->next)
        if (e->valueName.Empty() && e->data.Empty() && e->keyPath.Length() == length &&
            memcmp(e->keyPath.c_str(), path, length) == 0)
            return true;
    return AppendRegKeyRemoval(keys, path);
}

static bool RemoveIfThere(RegistryView *view, const Text &path, RegList *keys) {
    if (!view->Open(path.c_str())) return false;
    view->Close();
    return AppendRemovalOnce(keys, path.c_str());
}

// The class number an instance's Driver value names in Setup's form, or -1.
static long NamedClassInstance(RegistryView *view, const DeviceInfo &device) {
    Text driver;
    long number = -1;
    if (view->Read("Driver", &driver))
        ClassInstanceFromDriver(driver.c_str(), device.className, &number);
    return number;
}

// Class keys that an instance of the device names and that are ours.
static bool NamedClassKeys(RegistryView *view, const DeviceInfo &device, RegList *keys) {
    bool found = false;
    Text path;
    for (long n = 0; n < kLastInstance; ++n) {
        if (!InstanceKey(&path, ENUM_ROOT_PREFIX, device.rootId, n) || !view->Open(path.c_str()))
            break;
        long number = NamedClassInstance(view, device);
        view->Close();
        if (number >= 0 && ClassKeyIsOurs(view, device, number) &&
            InstanceKey(&path, CLASS_PREFIX, device.className, number))
            found = AppendRemovalOnce(keys, path.c_str()) || found;
    }
    return found;
}

// Class keys that describe the device whole, named by no instance any
// more: a removal cut short deletes the device key first.
static bool DescribingClassKeys(RegistryView *view, const DeviceInfo &device, RegList *keys) {
    bool found = false;
    Text path;
    for (long n = 0; n < kLastInstance; ++n) {
        if (!InstanceKey(&path, CLASS_PREFIX, device.className, n) || !view->Open(path.c_str()))
            break;
        bool ours = ValueIs(view, "DriverDesc", device.deviceDesc) &&
                    ValueIs(view, "StaticVxD", device.staticVxD);
        view->Close();
        if (ours) found = AppendRemovalOnce(keys, path.c_str()) || found;
    }
    return found;
}

// Uninstall entries of ours, and the ones begun under a name of the
// description's (neither a DisplayName nor an UninstallString yet). The
// program's title is a name many installers use: there only a whole entry
// of ours counts.
static bool OwnUninstallEntries(RegistryView *view, const DeviceInfo &device,
                                const char *programTitle, RegList *keys) {
    bool found = false;
    for (long index = 0; index < kUninstallNames; ++index) {
        Text name, path, text;
        if (!UninstallName(device, programTitle, index, &name) || name.Empty() ||
            !Joined(&path, UNINSTALL_PREFIX, name.c_str()) || !view->Open(path.c_str()))
            continue;
        bool ours = ValueIs(view, "DisplayName", device.deviceDesc) ||
                    (index > 0 && !view->Read("DisplayName", &text) &&
                     !view->Read("UninstallString", &text));
        view->Close();
        if (ours) found = AppendRemovalOnce(keys, path.c_str()) || found;
    }
    return found;
}

bool AppendLeftoverRemovals(RegistryView *view, const DeviceInfo &device,
                            const SetupFolders &folders, FileList *files, RegList *keys) {
    Text deviceKey, driver, inf;
    bool found = Joined(&deviceKey, ENUM_ROOT_PREFIX, device.rootId) &&
                 RemoveIfThere(view, deviceKey, keys);
    found = NamedClassKeys(view, device, keys) || found;
    found = DescribingClassKeys(view, device, keys) || found;
    found = OwnUninstallEntries(view, device, folders.programTitle, keys) || found;
    if (DriverTargets(device, folders, &driver, &inf)) {
        AppendRemovalIn(files, folders.system, driver);
        AppendRemovalIn(files, folders.windows, inf);
    }
    return found;
}
