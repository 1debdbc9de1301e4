// The Setup flow tests' fixture; see setup_fixture.h.
#include "setup_fixture.h"

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <fstream>

#include <gtest/gtest.h>

const char kInstallCaption[] = "Orvantix touchscreen Install";
const char kUninstallCaption[] = "Orvantix touchscreen Uninstall";
const char kPortCaption[] = "Touchscreen port setting";
const char kCompleteCaption[] = "Installation Complete!";
const char kBoxCaption[] = "Setup";
const char kRunOnceKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kSetupUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Setup";
const char kOwnUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Orvantix Touchscreen";
const char kParameterKey[] = "System\\CurrentControlSet\\Services\\Zelvanis\\Parameters";

const std::vector<std::string> kMediumFiles = {"Setup.exe",    "Durmasel.exe", "Fennock.exe",
                                               "Brokasta.exe", "Pemrosko.CPL", "ZELVANIS.VxD",
                                               "Pemrosko.inf"};

static const char kMouseSettingsKey[] = "Control Panel\\Mouse";
static const char kWineAppKey[] = "Software\\Wine\\AppDefaults\\Setup.exe";
static const char *const kIniSections[] = {"boot", "boot.description"};

std::string ProgramFolder() { return WindowsFolder() + "Zelvanis\\"; }

std::string ProgramsFolder() {
    char path[MAX_PATH] = "";
    SHGetSpecialFolderPathA(NULL, path, CSIDL_PROGRAMS, FALSE);
    std::string folder = path;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

std::string GroupFolder() { return ProgramsFolder() + "Orvantix Touchscreen\\"; }

std::string SystemIniEntry(const char *section) {
    char value[256] = "";
    GetPrivateProfileStringA(section, "mouse.drv", "", value, sizeof(value), "System.ini");
    return value;
}

std::string ReadText(HKEY root, const std::string &key, const char *name) {
    return harness::ReadString(root, key, name, "(none)");
}

std::string Hklm(const std::string &key, const char *name) {
    return ReadText(HKEY_LOCAL_MACHINE, key, name);
}

std::string RunOnce(const char *name) { return Hklm(kRunOnceKey, name); }

DWORD Parameter(const char *name) {
    DWORD value = 0xDEAD;
    harness::ReadDword(HKEY_LOCAL_MACHINE, kParameterKey, name, &value);
    return value;
}

bool FolderExists(const std::string &path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The name list ends in two NULs.
void DeleteFolderTree(std::string folder) {
    while (!folder.empty() && folder.back() == '\\') folder.pop_back();
    if (!FolderExists(folder)) return;
    folder.push_back('\0');
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = folder.c_str();
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    SHFileOperationA(&operation);
}

// ---- machine guard ---------------------------------------------------------

std::vector<harness::KeyPath> GuardedKeys() {
    return {{HKEY_LOCAL_MACHINE, kDeviceKey},        {HKEY_LOCAL_MACHINE, kClassKey},
            {HKEY_LOCAL_MACHINE, kServiceKey},       {HKEY_LOCAL_MACHINE, kSetupUninstallKey},
            {HKEY_LOCAL_MACHINE, kRunOnceKey},       {HKEY_CURRENT_USER, kMouseSettingsKey},
            {HKEY_CURRENT_USER, kWineAppKey},       {HKEY_LOCAL_MACHINE, kOwnUninstallKey}};
}

std::vector<std::string> GuardedFiles() {
    std::vector<std::string> files = harness::PackageFiles();
    files.push_back(TempFolder() + "Setup.exe");
    return files;
}

// A machine that never had the package; the System.ini entries too.
void ClearPackage() {
    for (const char *key :
         {kDeviceKey, kClassKey, kServiceKey, kSetupUninstallKey, kOwnUninstallKey})
        DeleteKeyTree(HKEY_LOCAL_MACHINE, key);
    DeleteKeyTree(HKEY_CURRENT_USER, kWineAppKey);
    for (const char *name : {"Durmasel", "Orvantix"})
        harness::DeleteValue(HKEY_LOCAL_MACHINE, kRunOnceKey, name);
    for (const std::string &file : GuardedFiles()) DeleteFileA(file.c_str());
    DeleteFolderTree(ProgramFolder());
    DeleteFolderTree(GroupFolder());
    for (const char *section : kIniSections)
        WritePrivateProfileStringA(section, "mouse.drv", NULL, "System.ini");
}

// ---- installation medium ---------------------------------------------------

InstallationMedium::InstallationMedium() : m_folder(TempFolder() + "setupflow_medium\\") {
    DeleteFolderTree(m_folder);
    CreateDirectoryA(m_folder.c_str(), NULL);
    std::string package = harness::PackageDir() + "\\";
    for (const std::string &name : kMediumFiles) {
        std::string bytes;
        if (!ReadFileBytes(package + name, &bytes)) bytes = "stand-in for " + name + "\r\n";
        harness::WriteTextFile(m_folder + name, bytes);
    }
}

InstallationMedium::~InstallationMedium() { DeleteFolderTree(m_folder); }

std::string InstallationMedium::Bytes(const std::string &name) const {
    std::string bytes;
    ReadFileBytes(m_folder + name, &bytes);
    return bytes;
}

// ---- one run of Setup ----------------------------------------------------------

SetupRun::SetupRun(const std::string &folder, const std::string &args, const std::string &exe)
    : m_process(harness::Start(folder + exe, args, folder)) {}

SetupRun::SetupRun(const std::string &folder, const std::string &args, const std::string &exe,
                   const std::string &currentFolder)
    : m_process(harness::Start(folder + exe, args, currentFolder)) {}

SetupRun::SetupRun(const std::string &folder, const std::string &args, Hooked,
                   const char *alsoLoad) {
    std::string command = "\"" + folder + "Setup.exe\" " + args;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(NULL, &command[0], NULL, NULL, FALSE, CREATE_SUSPENDED, NULL,
                        folder.c_str(), &startup, &info))
        return;
    m_process.handle = info.hProcess;
    m_process.pid = info.dwProcessId;
    EXPECT_TRUE(HookRestart()) << "the restart hook did not load";
    if (alsoLoad) {
        std::string dll = harness::Join(harness::TestDir(), alsoLoad);
        EXPECT_TRUE(InjectLibrary(m_process.handle, m_process.pid, dll.c_str()))
            << alsoLoad << " did not load";
    }
    ResumeThread(info.hThread);
    CloseHandle(info.hThread);
}

static std::string FolderOf(const std::string &command) {
    return command.substr(0, command.find_last_of('\\', command.rfind(' ')) + 1);
}

SetupRun::SetupRun(const std::string &command)
    : m_process(harness::Start(command.substr(0, command.rfind(' ')),
                               command.substr(command.rfind(' ') + 1), FolderOf(command))) {}

SetupRun::~SetupRun() {
    DWORD code;
    if (!WaitEnd(&code, 0)) harness::Kill(m_process);
}

HWND SetupRun::WaitWindow(const char *caption, DWORD ms) {
    return harness::WaitProcessWindow(m_process.pid, caption, ms);
}

bool SetupRun::WaitEnd(DWORD *code, DWORD ms) { return harness::WaitExit(m_process, ms, code); }

DWORD SetupRun::EndCode(DWORD ms) {
    DWORD code = STILL_ACTIVE;
    WaitEnd(&code, ms);
    return code;
}

DWORD SetupRun::QuietEndCode(DWORD ms) {
    DWORD code = STILL_ACTIVE;
    bool seen = false;
    harness::WaitUntil([&] {
        seen = seen || ShowsAnyWindow();
        return WaitEnd(&code, 0);
    }, ms);
    EXPECT_FALSE(seen) << "a window showed where none may";
    return code;
}

bool SetupRun::ShowsAnyWindow() { return harness::FindProcessWindow(m_process.pid, NULL) != NULL; }

static std::string RestartLog() { return harness::Join(harness::TestDir(), "exitwindows.log"); }

bool SetupRun::HookRestart() {
    std::string hook = harness::Join(harness::TestDir(), "exithook.dll");
    return InjectLibrary(m_process.handle, m_process.pid, hook.c_str());
}

std::vector<std::string> RestartRequests() {
    std::vector<std::string> requests;
    std::ifstream log(RestartLog());
    for (std::string line; std::getline(log, line);) requests.push_back(line);
    return requests;
}

void ClearRestartRequests() { DeleteFileA(RestartLog().c_str()); }

static std::string ShellLog() { return harness::Join(harness::TestDir(), "shellops.log"); }

std::vector<std::pair<unsigned, unsigned>> ShellOperations() {
    std::vector<std::pair<unsigned, unsigned>> operations;
    std::ifstream log(ShellLog());
    for (unsigned operation, flags; log >> operation >> flags;)
        operations.push_back({operation, flags});
    return operations;
}

void ClearShellOperations() { DeleteFileA(ShellLog().c_str()); }

// ---- links ------------------------------------------------------------------------

static LinkInfo LoadLink(IShellLinkA *link, const std::string &path) {
    LinkInfo info;
    IPersistFile *file = NULL;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))))
        return info;
    WCHAR wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(file->Load(wide, STGM_READ))) {
        char target[MAX_PATH] = "", folder[MAX_PATH] = "", arguments[MAX_PATH] = "";
        link->GetPath(target, sizeof(target), NULL, SLGP_RAWPATH);
        link->GetWorkingDirectory(folder, sizeof(folder));
        link->GetArguments(arguments, sizeof(arguments));
        info = {true, target, folder, arguments};
    }
    file->Release();
    return info;
}

LinkInfo ReadLink(const std::string &path) {
    CoInitialize(NULL);
    LinkInfo info;
    IShellLinkA *link = NULL;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, NULL, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void **>(&link)))) {
        info = LoadLink(link, path);
        link->Release();
    }
    CoUninitialize();
    return info;
}

// ---- installed state ----------------------------------------------------------------

static void ReadFolderFiles(const std::string &folder, std::map<std::string, std::string> *files) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        ReadFileBytes(folder + found.cFileName, &(*files)[folder + found.cFileName]);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

InstalledState ReadInstalledState() {
    InstalledState state;
    for (const char *key : {kDeviceKey, kClassKey, kServiceKey, kSetupUninstallKey, kRunOnceKey})
        state.keys.push_back(ReadKeyTree(HKEY_LOCAL_MACHINE, key));
    for (const std::string &file : harness::PackageFiles())
        ReadFileBytes(file, &state.files[file]);
    ReadFolderFiles(ProgramFolder(), &state.files);
    ReadFolderFiles(GroupFolder(), &state.files);
    return state;
}

// ---- the whole machine ------------------------------------------------------------

static std::vector<harness::SnapshotKey> SnapshotKeys(SnapshotScope scope) {
    if (scope == kWholeMachine)
        return {{HKEY_LOCAL_MACHINE, "", "HKLM"}, {HKEY_CURRENT_USER, "", "HKCU"}};
    const std::string version = "Software\\Microsoft\\Windows\\CurrentVersion\\";
    const std::string services = "System\\CurrentControlSet\\Services";
    std::vector<harness::SnapshotKey> keys = {{HKEY_LOCAL_MACHINE, "Enum", "HKLM\\Enum"},
                                              {HKEY_LOCAL_MACHINE, services, "HKLM\\" + services},
                                              {HKEY_CURRENT_USER, "", "HKCU"}};
    for (const char *key : {"Uninstall", "RunOnce", "Run"})
        keys.push_back({HKEY_LOCAL_MACHINE, version + key, "HKLM\\" + version + key});
    return keys;
}

harness::SnapshotLines MachineSnapshot(SnapshotScope scope) {
    // The rest of the drive is the host's home folder under Wine.
    const std::vector<std::string> folders = {WindowsFolder(), ProgramsFolder(), TempFolder()};
    const std::vector<std::string> kept = {
        "HKCU\\Control Panel\\Mouse\\", "HKCU\\Control Panel\\Desktop\\[DoubleClick",
        WindowsFolder() + "system.ini ",
        // Wine's own: its display driver registers the screen and keeps
        // settings of the session whenever the first window of it opens.
        "HKLM\\Hardware\\", "HKLM\\System\\CurrentControlSet\\Control\\",
        "HKLM\\System\\CurrentControlSet\\Hardware Profiles\\",
        "HKCU\\Software\\Wine\\Temporary System Parameters\\"};
    return harness::TakeSnapshot(SnapshotKeys(scope), folders, kept);
}

// ---- shared steps ----------------------------------------------------------------------

void SelectPort(HWND portDialog, const char *port) {
    HWND list = harness::Child(portDialog, 1000);
    ASSERT_GE(SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                           reinterpret_cast<LPARAM>(port)),
              0)
        << port << " is not in the list";
}

HWND OpenPortDialog(SetupRun &run) {
    HWND question = run.WaitWindow(kInstallCaption);
    if (!question) return NULL;
    harness::PostClick(question, 6);
    return run.WaitWindow(kPortCaption);
}

std::string AnswerBox(SetupRun &run) {
    HWND box = run.WaitWindow(kBoxCaption);
    if (!box) return "(no box)";
    std::string text = harness::MessageBoxText(box);
    harness::PostClick(box, IDOK);
    return text;
}

HWND AnswerRemovalQuestion(SetupRun &run) {
    HWND question = run.WaitWindow(kUninstallCaption);
    if (!question) return NULL;
    harness::PostClick(question, 6);
    return run.WaitWindow(kBoxCaption);
}

void PressAndExpectEnd(SetupRun &run, HWND dialog, int button,
                       const std::vector<std::string> &restarts) {
    // Without the hook Wine would close every windowed program of the session.
    ASSERT_TRUE(run.HookRestart());
    harness::PostClick(dialog, button);
    EXPECT_EQ(0u, run.EndCode());
    EXPECT_EQ(restarts, RestartRequests()) << "\"2 0\" is EWX_REBOOT with reserved 0";
}

void InstallPackage(const std::string &folder, const char *portName,
                    const std::string &currentFolder) {
    SetupRun run(folder, "", "Setup.exe", currentFolder.empty() ? folder : currentFolder);
    HWND port = OpenPortDialog(run);
    ASSERT_TRUE(port);
    SelectPort(port, portName);
    harness::PostClick(port, IDOK);
    HWND complete = run.WaitWindow(kCompleteCaption);
    ASSERT_TRUE(complete);
    harness::PostClick(complete, IDCANCEL);
    ASSERT_EQ(0u, run.EndCode());
}

void ExpectPackageGone(bool programFolder) {
    for (const char *key : {kDeviceKey, kServiceKey, kSetupUninstallKey})
        EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, key).exists) << key;
    EXPECT_EQ(0u, ReadKeyTree(HKEY_LOCAL_MACHINE, kClassKey).subkeys.count("0000"));
    for (const std::string &file : harness::PackageFiles()) EXPECT_FALSE(FileExists(file)) << file;
    EXPECT_FALSE(FolderExists(GroupFolder()));
    EXPECT_FALSE(programFolder && FolderExists(ProgramFolder()));
    EXPECT_EQ("(none)", RunOnce("Durmasel")) << "no first-start calibration of a deleted program";
}
