// CSetupApp: Setup's whole run, from the command line to the restart; see
// setup_app.h. The decisions are in portable/flow.cpp, the file and
// registry work in the touchscreen installer.
#include "setup_app.h"

#include <shlobj.h>

#include "dialogs.h"
#include "package_files.h"
#include "files.h"
#include "journal.h"
#include "portable/flow.h"
#include "portable/rules.h"
#include "registry.h"
#include "resource.h"
#include "runtime.h"
#include "shared_texts.h"
#include "undo.h"

// Below HKEY_LOCAL_MACHINE; Windows runs each value once at its next start.
#define RUN_ONCE_KEY "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce\\"
#define PROGRAM_FOLDER PACKAGE_PROGRAM_FOLDER
#define GROUP_NAME PRODUCT_NAME
#define CALIBRATION_PROGRAM PACKAGE_CALIBRATION_FILE

// Copied into the program folder, in this order.
static const char *const kProgramFolderFiles[] = {PACKAGE_SWITCH_FILE, PACKAGE_DRAWTEST_FILE,
                                                   PACKAGE_SETUP_FILE};

// The package's files in the system folder that a removal deletes again.
static const char *const kSystemFolderFiles[] = {PACKAGE_CALIBRATION_FILE, PACKAGE_APPLET_FILE,
                                                  PACKAGE_DRIVER_FILE};

// The Start-menu group's links, in the order they are made.
struct LinkSpec {
    const char *linkFile;
    const char *targetFile;
    bool inSystemFolder;  // else in the program folder
    const char *arguments;
};
static const LinkSpec kLinks[] = {
    {"Button Switch.lnk", PACKAGE_SWITCH_FILE, false, NULL},
    {"Brokasta Test.lnk", PACKAGE_DRAWTEST_FILE, false, NULL},
    {"Touchscreen setup.lnk", PACKAGE_APPLET_FILE, true, NULL},
    {"Uninstall Touchscreen.lnk", PACKAGE_SETUP_FILE, false, "-U"},
};

#define COUNT_OF(a) (sizeof(a) / sizeof((a)[0]))

// The running program's path; zero-filled so that a name which filled the
// buffer still ends (Windows 95 does not terminate it then).
static void ModulePath(char *path) {
    memset(path, 0, MAX_PATH);
    GetModuleFileNameA(NULL, path, MAX_PATH - 1);
}

// The short form of a file that is there. Doubled backslashes (the
// finishing run's command has one) are made single first: the systems
// differ in what they make of them. A network path keeps its leading two.
static BOOL ShortForm(const char *path, char *out) {
    char single[MAX_PATH];
    int used = 0;
    for (int i = 0; path[i]; ++i) {
        if (i > 1 && path[i] == '\\' && path[i - 1] == '\\') continue;
        if (used == MAX_PATH - 1) return FALSE;  // cut short, it would name another file
        single[used++] = path[i];
    }
    single[used] = '\0';
    DWORD length = GetShortPathNameA(single, out, MAX_PATH);
    return length > 0 && length < MAX_PATH;
}

// The system's rule: letter case aside, and a short form names the same
// file as its long one (both forms are asked for while the file is there).
static bool SameFile(const char *a, const char *b) {
    if (lstrcmpiA(a, b) == 0) return true;
    char shortA[MAX_PATH], shortB[MAX_PATH];
    return ShortForm(a, shortA) && ShortForm(b, shortB) && lstrcmpiA(shortA, shortB) == 0;
}

// Where the finishing run's copy of Setup goes (MAX_PATH bytes): the
// temporary folder, which ends in a backslash already; Windows takes the
// doubled one. FALSE with the reason as the last error.
static BOOL FinishingCopyPath(char *copy) {
    char temp[MAX_PATH], title[MAX_PATH];
    DWORD length = GetTempPathA(sizeof(temp), temp);
    if (length == 0) return FALSE;
    ProgramTitle(title, sizeof(title));
    if (length < sizeof(temp) && rt::Join(copy, MAX_PATH, temp, "\\", title, ".exe"))
        return TRUE;
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return FALSE;
}

// TRUE when one of Setup's run-once values is there with exactly the
// command Setup writes for program: the name may be another program's too.
static BOOL OwnRunOnceThere(HKEY key, const flow::RunOnceValue &value, const char *program) {
    Text command;
    return ReadValue(key, value.name, &command) &&
           flow::IsOwnRunOnce(value, command.c_str(), program, SameFile);
}

// Deletes one of Setup's run-once values, but only when it is Setup's own;
// TRUE when it was there.
static BOOL DeleteOwnRunOnce(const flow::RunOnceValue &value, const char *program) {
    HKEY key = OpenKey(RUN_ONCE_KEY, FALSE, HKEY_LOCAL_MACHINE);
    if (!key) return FALSE;
    BOOL own = OwnRunOnceThere(key, value, program);
    if (own) {
        undo::BeforeValue(HKEY_LOCAL_MACHINE, RUN_ONCE_KEY, value.name);
        LONG result = RegDeleteValueA(key, value.name);
        if (result == ERROR_SUCCESS)
            journal::NoteValue("Deleted", RUN_ONCE_KEY, value.name);
        else
            journal::Failure(static_cast<DWORD>(result), "Could not delete run-once value ",
                             value.name);
    }
    RegCloseKey(key);
    return own;
}

// The finishing run's value, and with removeCopy its copy of Setup too:
// the copy a value of Setup's own names is Setup's.
static void DeleteOwnFinishingRun(BOOL removeCopy = FALSE) {
    char copy[MAX_PATH];
    if (!FinishingCopyPath(copy) || !DeleteOwnRunOnce(flow::kFinishRunOnce, copy) ||
        !removeCopy)
        return;
    int result = CDeviceInstaller::DeleteOneFile(copy);
    if (result == kFileDone) journal::Note("Deleted ", copy);
    if (result == kFileFailed) journal::Failure(GetLastError(), "Could not delete ", copy);
}

// The first-start calibration program's path (MAX_PATH bytes).
static BOOL CalibrationProgram(char *program) {
    Text system = GetSystemFolder();
    return !system.Empty() &&
           rt::Join(program, MAX_PATH, system.c_str(), CALIBRATION_PROGRAM);
}

static void DeleteOwnFirstCalibration() {
    char program[MAX_PATH];
    if (CalibrationProgram(program)) DeleteOwnRunOnce(flow::kCalibrationRunOnce, program);
}

// Either of Setup's run-once values, as Setup writes them.
static BOOL AnyOwnRunOnce() {
    char program[MAX_PATH], copy[MAX_PATH];
    HKEY key = OpenKey(RUN_ONCE_KEY, FALSE, HKEY_LOCAL_MACHINE);
    if (!key) return FALSE;
    BOOL any = (CalibrationProgram(program) &&
                OwnRunOnceThere(key, flow::kCalibrationRunOnce, program)) ||
               (FinishingCopyPath(copy) && OwnRunOnceThere(key, flow::kFinishRunOnce, copy));
    RegCloseKey(key);
    return any;
}

// The folder of the copies an unattended installation keeps while it runs
// (MAX_PATH bytes), without its closing backslash.
static BOOL UndoCopiesFolder(char *folder) {
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof(temp), temp);
    return length > 0 && length < sizeof(temp) &&
           rt::Join(folder, MAX_PATH, temp, UNDO_COPIES_FOLDER);
}

// The dialogs' answers: the question, the port dialog and the completion
// dialog; the dialogs' installation takes no calibration.
class CDialogQuestions : public CSetupQuestions {
public:
    // Only "Yes,go next" goes on; "Quit", Escape and the close box end Setup.
    virtual BOOL Confirm(BOOL install) {
        CQuestionDialog question(install);
        return question.DoModal() == IDYES;
    }
    virtual BOOL ChoosePort(int *port) {
        CPortDialog portDialog;
        if (portDialog.DoModal() != IDOK) return FALSE;
        *port = portDialog.m_nPort;
        return TRUE;
    }
    virtual const unsigned long *Calibration() { return NULL; }
    virtual BOOL RestartAfterInstall() {
        CCompleteDialog complete;
        return complete.DoModal() == IDOK;
    }
};

IMPLEMENT_RUNTIME_CLASS(CSetupApp, CApplication)

CSetupApp::CSetupApp() : m_bInstall(TRUE), m_bFinishRemoval(FALSE), m_nExitCode(0) {
    rt::Copy(m_strProgramFolder, sizeof(m_strProgramFolder), PROGRAM_FOLDER "\\");
    rt::Copy(m_strGroup, sizeof(m_strGroup), GROUP_NAME "\\");
}

BOOL CSetupApp::InitInstance() {
    RunSetup();
    return TRUE;
}

int CSetupApp::ExitInstance() { return m_nExitCode; }

void CSetupApp::ReadCommandLine() {
    flow::Switches switches = flow::ReadSwitches(m_lpCmdLine);
    if (!switches.install) m_bInstall = FALSE;
    if (switches.finishRemoval) m_bFinishRemoval = TRUE;
}

// The dialogs' run ends with 0 whatever happened.
void CSetupApp::RunSetup() {
    Enable3dControls();
    if (RunIfUnattended()) return;
    ReadCommandLine();
    if (!SystemSupported()) return;
    flow::Switches switches = {m_bInstall != FALSE, m_bFinishRemoval != FALSE, false};
    CDialogQuestions dialogs;
    RunAction(switches, dialogs);
}

BOOL CSetupApp::SystemSupported() {
    if (!IsRefusedOS(m_installer.m_nOSVersion)) return TRUE;
    ShowBox(IDS_WRONG_SYSTEM, MB_OK | MB_ICONHAND);
    return FALSE;
}

int CSetupApp::RunAction(const flow::Switches &switches, CSetupQuestions &questions) {
    // Detection fixes the installed state for the whole run. On a machine
    // without the package the dialogs' run writes System.ini now; an
    // unattended one only when it installs, so that a refusal leaves it be.
    m_installer.Prepare(!journal::Unattended());
    switch (flow::ChooseAction(switches, PackageFound(switches))) {
    case flow::kFinishRemoval:
        RemoveInstalledFolder();
        break;
    case flow::kAlreadyInstalled:
        return Refuse(IDS_ALREADY_INSTALLED);
    case flow::kNotInstalled:
        return Refuse(IDS_NOT_INSTALLED);
    case flow::kInstallPackage:
        return InstallPackage(questions);
    case flow::kRemovePackage:
        return RemovePackage(switches, questions);
    }
    return unattended::kDone;
}

// The installed state detection found. A removal that takes leftovers
// takes whatever of the package it finds, also what a run cut short left,
// which detection does not count as installed; it queues their removal.
BOOL CSetupApp::PackageFound(const flow::Switches &switches) {
    BOOL installed = m_installer.m_nRootInstance >= 0;
    if (switches.install || !switches.takeLeftovers) return installed;
    BOOL leftovers = m_installer.QueueLeftovers();
    return installed || leftovers || PackageLeftOnDisk();
}

int CSetupApp::Refuse(UINT textId) {
    ShowBox(textId, MB_OK | MB_ICONHAND);
    return unattended::kRefused;
}

int CSetupApp::ShowBox(UINT textId, UINT style, int unattendedAnswer) {
    Text text;
    LoadResourceText(textId, &text);
    char caption[MAX_PATH];
    ProgramTitle(caption, sizeof(caption));
    return journal::Box(text.c_str(), caption, style, unattendedAnswer);
}

void CSetupApp::Restart() { ExitWindowsEx(EWX_REBOOT, 0); }

// ---- installation ------------------------------------------------------------

// An unattended installation is whole or nothing: a failure on the way
// takes back all that the run did, last first. The dialogs' run keeps what
// was done; its failures have shown their boxes.
static int KeepOrTakeBack(BOOL complete) {
    if (complete && journal::AnyFailure()) {
        undo::RollBack();
        return unattended::kNotWritten;
    }
    undo::Finish();
    if (!complete) {
        journal::Note("Nothing was installed: the package is incomplete");
        return unattended::kNotWritten;
    }
    return unattended::kDoneRestart;
}

int CSetupApp::InstallPackage(CSetupQuestions &questions) {
    int port;
    if (!questions.Confirm(TRUE) || !questions.ChoosePort(&port)) return unattended::kDone;
    const BOOL wholeOrNothing = journal::Unattended();
    if (wholeOrNothing) undo::Start();
    BOOL complete = InstallFiles(port, questions.Calibration());
    int code = wholeOrNothing ? KeepOrTakeBack(complete) : unattended::kDoneRestart;
    if (code == unattended::kDoneRestart && questions.RestartAfterInstall()) Restart();
    return code;
}

// Without a calibration given, the calibration program runs at the next
// start of Windows. FALSE, with nothing written, when an unattended run
// lacks a file of the package.
BOOL CSetupApp::InstallFiles(int port, const unsigned long *calibration) {
    const BOOL unattended = journal::Unattended();
    QueueProgramFiles();
    char folder[MAX_PATH];
    GetModuleFolder(folder);
    // The dialogs' run takes the files from the current folder first; an
    // unattended run always from Setup.exe's own, and only when all are
    // there: a package without its driver is no installation.
    m_installer.TakeSourcesFrom(folder, unattended);
    if (unattended && !m_installer.SourcesPresent()) return FALSE;
    // Only now, so that a refused unattended run leaves System.ini alone;
    // the dialogs' run wrote it when it looked for the package.
    if (unattended) m_installer.WriteSystemIni();
    m_installer.AddDefaultParameters(port, calibration);
    if (!calibration) QueueFirstCalibration();
    MakeProgramFolder();
    // A finishing run still pending from an earlier removal would remove
    // this installation at the next start of Windows.
    DeleteOwnFinishingRun();
    // Failures have shown their boxes; what was done stays, and the group
    // and the completion dialog follow all the same.
    m_installer.Install();
    CreateShortcuts();
    return TRUE;
}

// An existing folder is fine, and the copies make a missing one; one that
// could not be made is a failure all the same.
void CSetupApp::MakeProgramFolder() {
    if (CreateDirectoryA(m_strProgramFolder, NULL))
        undo::MadeFolder(m_strProgramFolder);
    else if (GetLastError() != ERROR_ALREADY_EXISTS)
        journal::Failure(GetLastError(), "Could not make ", m_strProgramFolder);
}

void CSetupApp::QueueCopy(const char *name, const char *folder) {
    char target[MAX_PATH];
    if (rt::Join(target, sizeof(target), folder, name)) m_installer.AddFile(name, target);
}

void CSetupApp::QueueProgramFiles() {
    // Without a usable Windows folder the program folder stays relative,
    // like every other path built from it.
    Text windows = GetWindowsFolder();
    char folder[MAX_PATH];
    if (rt::Join(folder, sizeof(folder), windows.c_str(), PROGRAM_FOLDER "\\"))
        rt::Copy(m_strProgramFolder, sizeof(m_strProgramFolder), folder);
    for (size_t i = 0; i < COUNT_OF(kProgramFolderFiles); ++i)
        QueueCopy(kProgramFolderFiles[i], m_strProgramFolder);
    Text system = GetSystemFolder();
    QueueCopy(CALIBRATION_PROGRAM, system.c_str());
}

void CSetupApp::QueueFirstCalibration() {
    Text system = GetSystemFolder();
    char calibration[MAX_PATH];
    if (rt::Join(calibration, sizeof(calibration), system.c_str(), CALIBRATION_PROGRAM))
        m_installer.AddRegValue(RUN_ONCE_KEY, flow::kCalibrationRunOnce.name, calibration, -1,
                                REG_SZ, HKEY_LOCAL_MACHINE);
}

void CSetupApp::CreateShortcuts() {
    // An existing group makes this fail with the path filled in all the
    // same: the links then replace their namesakes in it.
    if (m_shortcuts.CreateGroup(CSIDL_PROGRAMS, m_strGroup))
        journal::Note("Created ", m_strGroup);
    else if (m_strGroup[0] && GetLastError() != ERROR_ALREADY_EXISTS)
        journal::Failure(GetLastError(), "Could not make ", m_strGroup);
    if (m_strGroup[0] == '\0') return;  // no Programs folder to put them in
    Text system = GetSystemFolder();
    for (size_t i = 0; i < COUNT_OF(kLinks); ++i) {
        const LinkSpec &entry = kLinks[i];
        const char *folder = entry.inSystemFolder ? system.c_str() : m_strProgramFolder;
        char link[MAX_PATH], target[MAX_PATH];
        if (!rt::Join(link, sizeof(link), m_strGroup, entry.linkFile) ||
            !rt::Join(target, sizeof(target), folder, entry.targetFile))
            continue;
        // A link of an earlier installation may stand there: only the
        // save's own result tells whether this one was made.
        if (m_shortcuts.CreateShortcut(link, target, 0, folder, NULL, 0, NULL, entry.arguments,
                                       0))
            journal::Note("Created ", link);
        else
            journal::Failure(GetLastError(), "Could not create ", link);
    }
}

// ---- removal -----------------------------------------------------------------

// From the program folder the running Setup.exe stays until the finishing
// run after the restart.
int CSetupApp::RemovePackage(const flow::Switches &switches, CSetupQuestions &questions) {
    if (!questions.Confirm(FALSE)) return unattended::kDone;
    if (switches.takeLeftovers) RemoveRunLeftovers();
    // An unattended removal that could not be finished ends there; the
    // dialogs' run, whose flow does not look at it, offers the restart.
    if (!FinishRemoval() && journal::Unattended()) return unattended::kNotWritten;
    // Unattended, the box is a line of the log, answered No: the restart
    // waits for the log to close (/REBOOT).
    if (ShowBox(IDS_REMOVAL_COMPLETE, MB_YESNO | MB_ICONINFORMATION, IDNO) == IDYES) Restart();
    return m_installer.m_bRemoveFailed ? unattended::kDoneRestart : unattended::kDone;
}

// Removes the package; FALSE when a file stayed and no finishing run could
// be arranged for it.
BOOL CSetupApp::FinishRemoval() {
    RemoveInstalledFolder();
    // Typically the running Setup.exe of the program folder stayed behind.
    return !m_installer.m_bRemoveFailed || ScheduleRemovalAfterRestart();
}

// The program folder without trailing backslash and followed by NULs, as
// the shell's deletion takes it.
void CSetupApp::RemoveInstalledFolder() {
    char windows[MAX_PATH];
    UINT length = GetWindowsDirectoryA(windows, sizeof(windows));
    char folder[MAX_PATH];
    memset(folder, 0, sizeof(folder));
    // No Windows folder: an empty folder name, whose files are left alone.
    if (length > 0 && length < sizeof(windows))
        rt::Join(folder, sizeof(folder), windows, "\\", PROGRAM_FOLDER);
    RemoveProgramFolder(folder);
}

BOOL CSetupApp::RemoveProgramFolder(const char *folder) {
    // An empty name would make the listing that of the drive's root.
    if (folder[0]) QueueFolderFiles(folder);
    QueueSystemFileRemovals();
    m_installer.Remove();
    // The calibration of the first start would run a deleted program.
    DeleteOwnFirstCalibration();
    if (folder[0]) DeleteFolderIfThere(folder);
    rt::Copy(m_strGroup, sizeof(m_strGroup), GROUP_NAME);
    RemoveStartMenuGroup();
    return TRUE;
}

// Anything of the package besides its keys: its files in the system and
// Inf folders, the program folder, the Start-menu group, its run-once
// values, the copies an installation cut short kept.
BOOL CSetupApp::PackageLeftOnDisk() {
    Text system = GetSystemFolder(), windows = GetWindowsFolder();
    char path[MAX_PATH];
    for (size_t i = 0; i < COUNT_OF(kSystemFolderFiles); ++i)
        if (!system.Empty() && rt::Join(path, sizeof(path), system.c_str(), kSystemFolderFiles[i]) &&
            PathExists(path))
            return TRUE;
    const char *const inWindows[] = {"Inf\\", PROGRAM_FOLDER};
    const char *const names[] = {m_installer.m_strInfFile.c_str(), ""};
    for (size_t i = 0; i < COUNT_OF(inWindows); ++i)
        if (!windows.Empty() &&
            rt::Join(path, sizeof(path), windows.c_str(), inWindows[i], names[i]) &&
            PathExists(path))
            return TRUE;
    rt::Copy(m_strGroup, sizeof(m_strGroup), GROUP_NAME);
    return m_shortcuts.GroupExists(CSIDL_PROGRAMS, m_strGroup) || AnyOwnRunOnce() ||
           (UndoCopiesFolder(path) && PathExists(path));
}

// What runs cut short left besides the package itself: a finishing run
// still pending with its copy of Setup, and the copies of an unattended
// installation.
void CSetupApp::RemoveRunLeftovers() {
    DeleteOwnFinishingRun(TRUE);
    char folder[MAX_PATH + 1];
    memset(folder, 0, sizeof(folder));  // the shell's list ends in a second NUL
    if (UndoCopiesFolder(folder)) DeleteFolderIfThere(folder);
}

void CSetupApp::RemoveStartMenuGroup() {
    BOOL found = FALSE;
    if (!m_shortcuts.RemoveGroup(CSIDL_PROGRAMS, m_strGroup, &found))
        journal::Failure(GetLastError(), "Could not remove the Start-menu group ", m_strGroup);
    else if (found)
        journal::Note("Removed the Start-menu group ", m_strGroup);
}

// Every file directly in folder; sub-folders go with the folder itself.
void CSetupApp::QueueFolderFiles(const char *folder) {
    char pattern[MAX_PATH];
    if (!rt::Join(pattern, sizeof(pattern), folder, "\\*.*")) return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        char path[MAX_PATH];
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            rt::Join(path, sizeof(path), folder, "\\", found.cFileName))
            m_installer.AddFile(path, NULL);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void CSetupApp::QueueSystemFileRemovals() {
    Text system = GetSystemFolder();
    // Without it the names would be taken in the current folder, which is
    // the installation medium's.
    if (system.Empty()) return;
    for (size_t i = 0; i < COUNT_OF(kSystemFolderFiles); ++i) {
        char path[MAX_PATH];
        if (rt::Join(path, sizeof(path), system.c_str(), kSystemFolderFiles[i]))
            m_installer.AddFile(path, NULL);
    }
}

void CSetupApp::DeleteFolderIfThere(const char *folder) {
    if (!PathExists(folder)) return;
    // A file that stayed (the running Setup.exe) keeps its folder; the
    // finishing run deletes both.
    if (m_shortcuts.DeleteWithShell(folder))
        journal::Note("Deleted ", folder);
    else if (m_installer.m_bRemoveFailed)
        journal::NoteError(GetLastError(), "Could not delete ", folder);
    else
        journal::Failure(GetLastError(), "Could not delete ", folder);
    // The notice goes out whether or not the deletion succeeded.
    char notice[MAX_PATH];
    rt::Copy(notice, sizeof(notice), folder);
    m_shortcuts.NotifyShell(SHCNE_RMDIR | SHCNE_INTERRUPT, notice);
}

// The copy in the temporary folder runs with "-L" at the next start of
// Windows, when nothing of the package is in use any more.
BOOL CSetupApp::ScheduleRemovalAfterRestart() {
    char title[MAX_PATH], folder[MAX_PATH], copy[MAX_PATH], running[MAX_PATH];
    ProgramTitle(title, sizeof(title));
    GetModuleFolder(folder);
    if (!FinishingCopyPath(copy)) {
        journal::Failure(GetLastError(), "No place in the temporary folder for the finishing run");
        return FALSE;
    }
    if (!rt::Join(running, sizeof(running), folder, title, ".exe")) {
        journal::Failure(ERROR_FILENAME_EXCED_RANGE, "No path to the running ", title);
        return FALSE;
    }
    // Without its copy the value would run a missing or a stranger's
    // program at the next start.
    if (CDeviceInstaller::CopyOneFile(running, copy) != kFileDone) {
        journal::Failure(GetLastError(), "Could not copy ", running, " for the finishing run");
        return FALSE;
    }
    // OpenKey and WriteValue report their own failures.
    HKEY key = OpenKey(RUN_ONCE_KEY, TRUE, HKEY_LOCAL_MACHINE);
    if (!key) return FALSE;
    Text command(copy);
    command.Append(" ");
    command.Append(flow::kFinishRunOnce.arguments);
    BOOL written = WriteValue(key, flow::kFinishRunOnce.name, command, REG_SZ);
    if (written) journal::NoteValue("Wrote", RUN_ONCE_KEY, flow::kFinishRunOnce.name);
    RegCloseKey(key);
    return written;
}

BOOL CSetupApp::GetModuleFolder(char *out) {
    char path[MAX_PATH];
    ModulePath(path);
    rt::FolderOf(path, out, MAX_PATH);
    return TRUE;
}
