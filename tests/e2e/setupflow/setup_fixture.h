// What the Setup flow tests share: the folders Setup works in, a guard
// that leaves the machine without the package before a test and puts the
// saved state back after it, an installation medium built from the
// package, one run of Setup with its dialogs and its restart request, and
// a reader of the shell links Setup makes.
#ifndef SETUPFLOW_FIXTURE_H
#define SETUPFLOW_FIXTURE_H

#include <windows.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "harness.h"
#include "inject.h"
#include "machine_state.h"

// Whole-file and registry-text helpers of these tests; ReadFileBytes gives
// false for a missing file (an empty file reads as true).
bool ReadFileBytes(const std::string &path, std::string *bytes);
void WriteFileBytes(const std::string &path, const std::string &bytes);
void SetText(HKEY root, const std::string &path, const char *name, const std::string &text);
using harness::DeleteKeyTree;
using harness::FileExists;

// Captions and texts of Setup's windows.
extern const char kInstallCaption[];
extern const char kUninstallCaption[];
extern const char kPortCaption[];
extern const char kCompleteCaption[];
extern const char kBoxCaption[];  // Setup's message boxes: "Setup"

std::string ProgramFolder();   // Windows folder + "Zelvanis\"
std::string ProgramsFolder();  // the Start menu's Programs, with trailing backslash
std::string GroupFolder();     // ProgramsFolder() + "Orvantix Touchscreen\"
extern const char kRunOnceKey[];
extern const char kSetupUninstallKey[];
// The package's entry when another program's holds the usual name.
extern const char kOwnUninstallKey[];
extern const char kParameterKey[];

// The files an installation copies, by the name Setup looks for.
extern const std::vector<std::string> kMediumFiles;

// System.ini's [boot] and [boot.description] mouse.drv entries; empty
// when absent.
std::string SystemIniEntry(const char *section);
// A registry text value, or "(none)" when it can't be read.
std::string ReadText(HKEY root, const std::string &key, const char *name);
bool FolderExists(const std::string &path);

// Saves what the tests change, then clears every trace of the package;
// the destructor deletes what the tests made and restores the saved state.
class MachineGuard {
public:
    MachineGuard();
    ~MachineGuard();

private:
    std::vector<std::pair<HKEY, std::string>> m_keyNames;
    std::vector<KeyTree> m_keys;
    std::map<std::string, std::pair<bool, std::string>> m_files;
    std::vector<std::pair<bool, std::string>> m_ini;
    int m_clickWidth, m_clickHeight;
    UINT m_clickTime;
};

// A folder in the temporary folder holding the package's files side by
// side, as the installation medium does. Files the build does not make
// (the driver and its INF, a program not built yet) are stand-ins.
class InstallationMedium {
public:
    InstallationMedium();
    ~InstallationMedium();
    const std::string &Folder() const { return m_folder; }
    std::string Bytes(const std::string &name) const;

private:
    std::string m_folder;
};

// One run of a Setup.exe from folder with args, the folder as current
// folder. Killed by the destructor if it still runs.
class SetupRun {
public:
    SetupRun(const std::string &folder, const std::string &args,
             const std::string &exe = "Setup.exe");
    ~SetupRun();

    // A visible top-level window of this process with that exact caption.
    HWND WaitWindow(const char *caption, DWORD ms = 15000);
    // True when the process ended within ms; *code gets its exit code.
    bool WaitEnd(DWORD *code, DWORD ms = 30000);
    // True while the process has a visible window of its own.
    bool ShowsAnyWindow();
    // Loads the test hook into Setup: its ExitWindowsEx calls are recorded
    // (RestartRequests) and do nothing. Only then may a test press a
    // restart button.
    bool HookRestart();

    harness::Process m_process;
};

// "flags reserved" per ExitWindowsEx call Setup made while hooked.
std::vector<std::string> RestartRequests();
void ClearRestartRequests();

// Entries of a combo box, in their order.
std::vector<std::string> ComboItems(HWND combo);
// COM1 to COM16 as the system reports them, sorted as a sorted list shows them.
std::vector<std::string> KnownPortsSorted();

struct LinkInfo {
    bool loaded = false;
    std::string target, workingFolder, arguments;
};
LinkInfo ReadLink(const std::string &path);

// Everything a completed installation leaves in the registry and the
// folders, for before/after comparisons.
struct InstalledState {
    std::vector<KeyTree> keys;
    std::map<std::string, std::string> files;
    bool operator==(const InstalledState &o) const { return keys == o.keys && files == o.files; }
};
InstalledState ReadInstalledState();

// Answers the install question with "Yes,go next"; the port dialog or null.
HWND OpenPortDialog(SetupRun &run);
// Hooks the restart, presses button in dialog and expects Setup to end
// with exit code 0 having asked for exactly these restarts.
void PressAndExpectEnd(SetupRun &run, HWND dialog, int button,
                       const std::vector<std::string> &restarts);
// Picks port in the port dialog's list as a user does.
void SelectPort(HWND portDialog, const char *port);
// A whole installation from medium with COM3, ended with "No".
void InstallPackage(const InstallationMedium &medium);

#endif
