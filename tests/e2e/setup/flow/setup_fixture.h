// What the Setup flow tests share: the folders Setup works in, what the
// machine guard saves and how it clears the package away before a test,
// an installation medium built from the
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
#include "setup_names.h"

using harness::DeleteKeyTree;
using harness::FileExists;
using harness::ReadFileBytes;

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
std::string Hklm(const std::string &key, const char *name);  // ReadText of HKEY_LOCAL_MACHINE
std::string RunOnce(const char *name);                       // Hklm of kRunOnceKey
bool FolderExists(const std::string &path);
// Deletes a folder with its contents, if it is there.
void DeleteFolderTree(std::string folder);
// A number of the parameter store; 0xDEAD when it is not a DWORD there.
DWORD Parameter(const char *name);

// What the tests change, for harness::MachineGuard, and a machine without
// any trace of the package (the guard clears it before a test and again
// before it puts the saved state back):
//     harness::MachineGuard m_guard{GuardedKeys(), GuardedFiles(), ClearPackage};
std::vector<harness::KeyPath> GuardedKeys();
std::vector<std::string> GuardedFiles();
void ClearPackage();

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
    // The same with another folder as the current folder.
    SetupRun(const std::string &folder, const std::string &args, const std::string &exe,
             const std::string &currentFolder);
    // Started suspended, the restart hook (see HookRestart) and the DLL
    // beside the test named by alsoLoad (if any) loaded, then let run: for
    // runs that may restart before a test could hook them.
    enum Hooked { kHooked };
    SetupRun(const std::string &folder, const std::string &args, Hooked,
             const char *alsoLoad = nullptr);
    // A command as the run-once key holds it: the program's path, a blank,
    // the arguments; the program's folder is the current folder.
    explicit SetupRun(const std::string &command);
    ~SetupRun();

    // A visible top-level window of this process with that exact caption.
    HWND WaitWindow(const char *caption, DWORD ms = 15000);
    // True when the process ended within ms; *code gets its exit code.
    bool WaitEnd(DWORD *code, DWORD ms = 30000);
    // The exit code when the process ended within ms, else STILL_ACTIVE.
    DWORD EndCode(DWORD ms = 30000);
    // The same for a run that must never show a window: one is looked for
    // every 50 ms until the end, and a window seen fails the test.
    DWORD QuietEndCode(DWORD ms = 60000);
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
// {operation, flags} per shell file operation Setup made while hooked.
std::vector<std::pair<unsigned, unsigned>> ShellOperations();
void ClearShellOperations();

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

// The machine as a registry export and a file list of the folders Setup
// works in (Windows, Programs, temporary): all of HKLM and HKCU, or only
// the keys below which Setup writes (Enum, the services with the device
// classes, the uninstall entries, the run-once values, HKCU), a tenth of
// the time. Setup's System.ini entries and the double-click metrics are
// changes it keeps on purpose, and Wine's own keys of the session are left
// out.
enum SnapshotScope { kWholeMachine, kWhereSetupWrites };
harness::SnapshotLines MachineSnapshot(SnapshotScope scope = kWholeMachine);

// Answers the install question with "Yes,go next"; the port dialog or null.
HWND OpenPortDialog(SetupRun &run);
// The text of the message box the run shows, answered with OK; "(no box)"
// when none showed.
std::string AnswerBox(SetupRun &run);
// Answers the removal question with "Yes,go next"; box 8 (the restart
// question) or null.
HWND AnswerRemovalQuestion(SetupRun &run);
// Hooks the restart, presses button in dialog and expects Setup to end
// with exit code 0 having asked for exactly these restarts.
void PressAndExpectEnd(SetupRun &run, HWND dialog, int button,
                       const std::vector<std::string> &restarts);
// Picks port in the port dialog's list as a user does.
void SelectPort(HWND portDialog, const char *port);
// A whole installation through the dialogs from folder with port, ended
// with "No" (the current folder another one when given); the medium's
// form takes COM3.
void InstallPackage(const std::string &folder, const char *port,
                    const std::string &currentFolder = "");
inline void InstallPackage(const InstallationMedium &medium) {
    InstallPackage(medium.Folder(), "COM3");
}

// Nothing of the package is left: its keys, its device class entry, its
// files, its group, its first-start calibration, and with programFolder
// the program folder as well.
void ExpectPackageGone(bool programFolder);

#endif
