// What the device installer decides without touching the system: finding
// an existing registration of a root-enumerated legacy device through a
// read-only view of the registry, and the action lists of a fresh
// installation, a removal and an update. Portable; the Win32 installer
// hands in the registry view and the folders.
#ifndef SETUP_DEVICE_PLAN_H
#define SETUP_DEVICE_PLAN_H

#include "action_lists.h"
#include "text.h"

// Fixed key prefixes below HKEY_LOCAL_MACHINE.
#define ENUM_ROOT_PREFIX "Enum\\Root\\"
#define CLASS_PREFIX "System\\CurrentControlSet\\Services\\Class\\"
#define UNINSTALL_PREFIX "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"

// The description of a device, as texts owned elsewhere.
struct DeviceInfo {
    const char *className;    // "Mouse"
    const char *deviceDesc;   // DeviceDesc, DriverDesc, DisplayName
    const char *rootId;       // key name under Enum\Root
    const char *mfg;          // Mfg, ProviderName
    const char *staticVxD;    // StaticVxD
    const char *driverFile;   // copied into the system folder
    const char *infFile;      // copied into Inf\ of the Windows folder
    const char *infSection;   // InfSection
};

// The folders the lists are built from. Both folders end in a backslash,
// or are empty when the system could not name them (paths then become
// relative). programTitle is the running program's file name without
// folder and extension ("Setup").
struct SetupFolders {
    const char *windows;
    const char *system;
    const char *programTitle;
};

// The registry as detection sees it: keys opened for reading one at a
// time, values read as text.
class RegistryView {
public:
    // Opens a key below HKEY_LOCAL_MACHINE; false when it can't be opened
    // (missing or refused: both count as missing).
    virtual bool Open(const char *keyPath) = 0;
    // Reads a value of the open key as text; false when it can't be read.
    virtual bool Read(const char *valueName, Text *out) = 0;
    virtual void Close() = 0;
    // Case-insensitive comparison in the system's code page.
    virtual bool SameText(const char *a, const char *b) = 0;

protected:
    ~RegistryView() {}
};

// What detection found. rootInstance < 0: not installed.
struct Detection {
    long rootInstance;      // instance key of the existing device, or -1
    long classInstance;     // driver key under the class key, or -1 (none of ours)
    long nextRootInstance;  // instance keys examined; a new install uses it
    const char *uninstallName;  // the entry under Uninstall; null or empty: none of ours
};

// Scans Enum\Root\<rootId>\0000, 0001, ... up to the first missing key
// for one whose DeviceDesc matches; when none does, probes the class key
// for its first free number. nextRootInstance keeps its value when 0000
// is missing. For an installed device the class instance is kept only when
// the Driver value names it in Setup's own form and the key there holds
// this device's driver (StaticVxD) with no other description (DriverDesc
// ours or not yet written), or is still empty: it may be another device's.
void DetectDevice(RegistryView *view, const DeviceInfo &device, Detection *found);

// The package's entry in the list of removable programs. Its name is the
// running program's title ("Setup"), a name many installers use, so an
// entry is the package's only when its DisplayName is the device
// description. A new installation takes the first name that is free or
// already ours: the title, then the device description, then the
// description with a number. A removal takes the first name that is ours.
// False, with *name empty, when there is none.
bool FindUninstallEntry(RegistryView *view, const DeviceInfo &device, const char *programTitle,
                        bool installed, Text *name);

// Appends the fourteen registration values and the driver and INF copies
// of a fresh installation. False when memory ran out.
bool BuildInstallActions(const DeviceInfo &device, const Detection &found,
                         const SetupFolders &folders, FileList *files, RegList *keys);

// Appends the key removals (device or instance key, the class key when
// it is ours, the uninstall entry when there is one of ours) and the file
// removals of an existing installation; a file whose folder the system
// could not name is left out, since its relative name would be taken in
// the current folder (the installation medium or the program folder).
bool BuildRemovalActions(const DeviceInfo &device, const Detection &found,
                         const SetupFolders &folders, FileList *files, RegList *keys);

// What an installation or a removal cut short may have left of the device,
// whether or not detection counts it as installed: appends the removal of
// the whole device key, of the class keys that its instances name (ours
// by the rule of DetectDevice, which takes a key begun for it too) or that
// describe this device, of the uninstall entries of ours or begun under a
// name of the description's, and of the driver and INF files. True when
// any of those keys exists; the files are for the caller to look for.
bool AppendLeftoverRemovals(RegistryView *view, const DeviceInfo &device,
                            const SetupFolders &folders, FileList *files, RegList *keys);

// Replaces both lists by the update of an existing installation: the
// driver file is copied again, no value is written.
bool BuildUpdateActions(const DeviceInfo &device, const char *systemFolder, FileList *files,
                        RegList *keys);

#endif
