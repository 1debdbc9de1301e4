// Opening the device and following started programs, for the 64-bit build
// (see follow.h). The 32-bit build leaves both to Wine's .vxd loading.
#include "follow.h"

#include "driver_interface.h"
#include "inject.h"

namespace follow {

namespace {

const char kDeviceFile[] = "zelvanis.vxd";

std::string FolderOfModule(HMODULE module) {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, sizeof(path));
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\'));
}

std::string SystemFolder() {
    char path[MAX_PATH] = "";
    GetSystemDirectoryA(path, sizeof(path));
    return path;
}

std::string WindowsFolder() {
    char path[MAX_PATH] = "";
    GetWindowsDirectoryA(path, sizeof(path));
    return path;
}

std::string CurrentFolder() {
    char path[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof(path), path);
    return path;
}

bool IsFile(const std::string &path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

bool IsDeviceName(const char *name) {
    return name && lstrcmpiA(name, ZELVANIS_DEVICE_PATH) == 0;
}

std::string FindDeviceFile() {
    const std::string folders[] = {FolderOfModule(NULL), SystemFolder(), WindowsFolder(),
                                   CurrentFolder()};
    for (const std::string &folder : folders) {
        if (folder.empty()) continue;
        std::string path = folder + (folder.back() == '\\' ? "" : "\\") + kDeviceFile;
        if (IsFile(path)) return path;
    }
    return "";
}

// No access asked and every sharing allowed, as the 32-bit loader does:
// the handle only names the file, so it keeps nobody from replacing it.
HANDLE OpenDeviceFile(const std::string &path) {
    if (path.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
}

BOOL StartFollowed(const char *selfPath, LPCSTR application, LPSTR command,
                   LPSECURITY_ATTRIBUTES processAttributes,
                   LPSECURITY_ATTRIBUTES threadAttributes, BOOL inherit, DWORD flags,
                   LPVOID environment, LPCSTR folder, LPSTARTUPINFOA startup,
                   LPPROCESS_INFORMATION info) {
    if (!CreateProcessA(application, command, processAttributes, threadAttributes, inherit,
                        flags | CREATE_SUSPENDED, environment, folder, startup, info))
        return FALSE;
    // A program the simulator could not follow would find no device: it
    // still runs, as on a machine whose driver did not load.
    InjectLibrary(info->hProcess, info->dwProcessId, selfPath);
    if (!(flags & CREATE_SUSPENDED)) ResumeThread(info->hThread);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

}  // namespace follow
