// Paths, processes, system texts and bounded waiting.
#include <stdlib.h>

#include "harness.h"

namespace harness {

static std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

std::string WindowsPathOf(const std::string &unixPath) {
    if (unixPath.empty() || unixPath[0] != '/') return unixPath;
    std::string path = "Z:" + unixPath;
    for (char &c : path) {
        if (c == '/') c = '\\';
    }
    return WithoutTrailingSlash(path);
}

std::string Join(const std::string &folder, const std::string &name) {
    if (folder.empty() || folder.back() == '\\') return folder + name;
    return folder + "\\" + name;
}

static std::string FromEnvironment(const char *name) {
    const char *value = getenv(name);
    return value ? WindowsPathOf(value) : std::string();
}

std::string PackageDir() { return FromEnvironment("ORVANTIX_PACKAGE"); }

std::string SimulatorPath() { return FromEnvironment("ORVANTIX_SIMULATOR"); }

std::string SystemDir() {
    char path[MAX_PATH] = "";
    GetSystemDirectoryA(path, sizeof(path));
    return WithoutTrailingSlash(path);
}

std::string WindowsDir() {
    char path[MAX_PATH] = "";
    GetWindowsDirectoryA(path, sizeof(path));
    return WithoutTrailingSlash(path);
}

std::string TempDir() {
    char path[MAX_PATH] = "";
    GetTempPathA(sizeof(path), path);
    return WithoutTrailingSlash(path);
}

std::string TestDir() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

Process::Process(Process &&other) noexcept : handle(other.handle), pid(other.pid) {
    other.handle = NULL;
    other.pid = 0;
}

Process &Process::operator=(Process &&other) noexcept {
    if (this != &other) {
        if (handle) CloseHandle(handle);
        handle = other.handle;
        pid = other.pid;
        other.handle = NULL;
        other.pid = 0;
    }
    return *this;
}

Process::~Process() {
    if (handle) CloseHandle(handle);
}

Process Start(const std::string &exe, const std::string &args, const std::string &cwd, int showCmd) {
    std::string command = "\"" + exe + "\"";
    if (!args.empty()) command += " " + args;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showCmd);
    PROCESS_INFORMATION info = {};
    Process process;
    if (!CreateProcessA(exe.c_str(), &command[0], NULL, NULL, FALSE, 0, NULL,
                        cwd.empty() ? NULL : cwd.c_str(), &startup, &info))
        return process;
    CloseHandle(info.hThread);
    process.handle = info.hProcess;
    process.pid = info.dwProcessId;
    return process;
}

std::string SystemText(DWORD error) {
    char text[1024] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), text, sizeof(text), NULL);
    return text;
}

const char kControlPanelClass[] = "OrvantixCplHost";  // as cplhost.cpp registers it

Process StartControlPanel(int doubleClicks, const std::string &cwd) {
    std::string applet = Join(PackageDir(), "Pemrosko.Cpl");
    return Start(Join(TestDir(), "cplhost.exe"), "\"" + applet + "\" " + std::to_string(doubleClicks), cwd);
}

bool WaitExit(Process &process, DWORD ms, DWORD *code) {
    if (!process.handle) return false;
    if (WaitForSingleObject(process.handle, ms) != WAIT_OBJECT_0) return false;
    DWORD exitCode = 0;
    GetExitCodeProcess(process.handle, &exitCode);
    if (code) *code = exitCode;
    return true;
}

void Kill(Process &process) {
    if (!process.handle) return;
    TerminateProcess(process.handle, 0xDEAD);
    WaitForSingleObject(process.handle, 5000);
}

bool WaitUntil(const std::function<bool()> &condition, DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (GetTickCount() - start >= ms) return false;
        Sleep(50);
    }
}

void Pause(DWORD ms) { Sleep(ms); }

}  // namespace harness
