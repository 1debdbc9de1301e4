// zelvanis.vxd: a stand-in for the touchscreen driver, for tests and demos
// only. Wine in Windows 98 mode opens "\\.\ZELVANIS" by loading this DLL
// from the DLL search path and handing out a handle to the DLL's own file.
// On load the simulator redirects the process's DeviceIoControl imports to
// itself (and its LoadLibrary imports, to do the same for modules loaded
// later), serves the requests made on such handles from the shared state
// (sim_state.h), logs each one, and passes every other handle on. Where
// Wine loads no .vxd (64-bit), the simulator is put into each program and
// opens the device itself (follow.h).
#include <windows.h>

#include <stdio.h>

#include <string>

#include "device.h"
#include "driver_interface.h"
#include "follow.h"
#include "import_patch.h"
#include "sim_state.h"

namespace {

typedef BOOL(WINAPI *DeviceIoControlFn)(HANDLE, DWORD, LPVOID, DWORD, LPVOID, DWORD, LPDWORD,
                                        LPOVERLAPPED);

HMODULE g_self;
DeviceIoControlFn g_realDeviceIoControl;
std::string g_folder;

// The device files whose handles are the device's: the DLL's own file
// where Wine loads it for the device; each file the simulator opened for
// it otherwise (a test may put a new copy in place while a program runs).
struct FileIdentity {
    DWORD volume, indexHigh, indexLow;
};
const LONG kMaxDeviceFiles = 8;
FileIdentity g_deviceFiles[kMaxDeviceFiles];
volatile LONG g_deviceFileCount;
CRITICAL_SECTION g_deviceFileLock;

bool IdentityOf(HANDLE file, FileIdentity *identity) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info)) return false;
    *identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return true;
}

bool IsKnownFile(const FileIdentity &identity) {
    for (LONG i = 0; i < g_deviceFileCount; ++i) {
        const FileIdentity &known = g_deviceFiles[i];
        if (known.volume == identity.volume && known.indexHigh == identity.indexHigh &&
            known.indexLow == identity.indexLow)
            return true;
    }
    return false;
}

// Entries are written before the count grows, so readers need no lock.
void RememberDeviceFile(HANDLE file) {
    FileIdentity identity;
    if (!IdentityOf(file, &identity)) return;
    EnterCriticalSection(&g_deviceFileLock);
    if (!IsKnownFile(identity) && g_deviceFileCount < kMaxDeviceFiles) {
        g_deviceFiles[g_deviceFileCount] = identity;
        InterlockedIncrement(&g_deviceFileCount);
    }
    LeaveCriticalSection(&g_deviceFileLock);
}

#ifndef _WIN64
// Identity of the DLL's own file, to recognise the handles Wine gives out.
void RememberOwnFile(const char *path) {
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    RememberDeviceFile(file);
    CloseHandle(file);
}
#endif

bool IsOwnDevice(HANDLE handle) {
    FileIdentity identity;
    return g_deviceFileCount && IdentityOf(handle, &identity) && IsKnownFile(identity);
}

// "1,1000,32": the whole 32-bit words of a buffer, at most 16.
std::string Words(const DWORD *words, DWORD bytes) {
    std::string text;
    if (!words) return text;
    DWORD count = bytes / sizeof(DWORD);
    if (count > 16) count = 16;
    for (DWORD i = 0; i < count; ++i) {
        if (i) text += ',';
        text += std::to_string(words[i]);
    }
    return text;
}

void LogRequest(const device::Request &request, bool ok, bool buffersReadable) {
    const char *name = driver::ControlCodeName(request.code);
    char head[160];
    snprintf(head, sizeof(head), "pid=%lu code=0x%08lX name=%s ok=%d in=",
             (unsigned long)GetCurrentProcessId(), (unsigned long)request.code,
             name ? name : "UNKNOWN", ok ? 1 : 0);
    std::string line = head;
    if (buffersReadable) line += Words(request.in, request.inSize);
    line += " out=";
    if (buffersReadable) line += Words(request.out, request.outSize);
    simstate::AppendLine(g_folder + simstate::kLogFileName, line);
}

bool BuffersAccessible(const device::Request &request) {
    if (request.in && request.inSize && IsBadReadPtr(request.in, request.inSize)) return false;
    if (request.out && request.outSize && IsBadWritePtr(request.out, request.outSize)) return false;
    return true;
}

// One request on the simulated device, under the state lock.
DWORD ServeAndLog(const device::Request &request, DWORD *returned) {
    simstate::StateFile state(g_folder + simstate::kStateFileName);
    device::EnsureLoaded(state);
    bool accessible = BuffersAccessible(request);
    DWORD error = accessible ? device::Serve(state, request, returned) : ERROR_NOACCESS;
    LogRequest(request, error == 0, accessible);
    return error;
}

BOOL WINAPI HookedDeviceIoControl(HANDLE device, DWORD code, LPVOID in, DWORD inSize, LPVOID out,
                                  DWORD outSize, LPDWORD returned, LPOVERLAPPED overlapped) {
    if (!IsOwnDevice(device))
        return g_realDeviceIoControl(device, code, in, inSize, out, outSize, returned, overlapped);
    device::Request request = {code, static_cast<const DWORD *>(in), inSize,
                               static_cast<DWORD *>(out), outSize};
    DWORD written = 0;
    DWORD error = ServeAndLog(request, &written);
    if (returned) *returned = written;
    SetLastError(error);
    return error == 0;
}

#ifdef _WIN64
// The state and log live beside the device file first opened, as they do
// beside the DLL Wine loads for the device.
HANDLE WINAPI HookedCreateFileA(LPCSTR name, DWORD access, DWORD share,
                                LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                                HANDLE templateFile) {
    if (!follow::IsDeviceName(name))
        return CreateFileA(name, access, share, security, disposition, flags, templateFile);
    std::string path = follow::FindDeviceFile();
    HANDLE device = follow::OpenDeviceFile(path);
    if (device == INVALID_HANDLE_VALUE) return device;
    EnterCriticalSection(&g_deviceFileLock);
    if (g_folder.empty()) g_folder = simstate::FolderOf(path);
    LeaveCriticalSection(&g_deviceFileLock);
    RememberDeviceFile(device);
    SetLastError(ERROR_SUCCESS);
    return device;
}

BOOL WINAPI HookedCreateProcessA(LPCSTR application, LPSTR command,
                                 LPSECURITY_ATTRIBUTES processAttributes,
                                 LPSECURITY_ATTRIBUTES threadAttributes, BOOL inherit,
                                 DWORD flags, LPVOID environment, LPCSTR folder,
                                 LPSTARTUPINFOA startup, LPPROCESS_INFORMATION info) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(g_self, self, sizeof(self));
    return follow::StartFollowed(self, application, command, processAttributes,
                                 threadAttributes, inherit, flags, environment, folder, startup,
                                 info);
}
#endif

void PatchLoadedModules();

// A module loaded after the simulator is patched as soon as it is in.
HMODULE AfterLoad(HMODULE module) {
    DWORD error = GetLastError();
    if (module) PatchLoadedModules();
    SetLastError(error);
    return module;
}

HMODULE WINAPI HookedLoadLibraryA(LPCSTR name) { return AfterLoad(LoadLibraryA(name)); }

HMODULE WINAPI HookedLoadLibraryW(LPCWSTR name) { return AfterLoad(LoadLibraryW(name)); }

HMODULE WINAPI HookedLoadLibraryExA(LPCSTR name, HANDLE file, DWORD flags) {
    return AfterLoad(LoadLibraryExA(name, file, flags));
}

HMODULE WINAPI HookedLoadLibraryExW(LPCWSTR name, HANDLE file, DWORD flags) {
    return AfterLoad(LoadLibraryExW(name, file, flags));
}

void PatchLoadedModules() {
    const ImportHook hooks[] = {
        {"DeviceIoControl", reinterpret_cast<void *>(HookedDeviceIoControl)},
        {"LoadLibraryA", reinterpret_cast<void *>(HookedLoadLibraryA)},
        {"LoadLibraryW", reinterpret_cast<void *>(HookedLoadLibraryW)},
        {"LoadLibraryExA", reinterpret_cast<void *>(HookedLoadLibraryExA)},
        {"LoadLibraryExW", reinterpret_cast<void *>(HookedLoadLibraryExW)},
#ifdef _WIN64
        {"CreateFileA", reinterpret_cast<void *>(HookedCreateFileA)},
        {"CreateProcessA", reinterpret_cast<void *>(HookedCreateProcessA)},
#endif
    };
    PatchImports(g_self, "kernel32.dll", hooks, sizeof(hooks) / sizeof(hooks[0]));
}

void Attach(HMODULE self) {
    g_self = self;
    InitializeCriticalSection(&g_deviceFileLock);
#ifndef _WIN64
    char path[MAX_PATH] = "";
    GetModuleFileNameA(self, path, sizeof(path));
    g_folder = simstate::FolderOf(path);
    RememberOwnFile(path);
#endif
    g_realDeviceIoControl = reinterpret_cast<DeviceIoControlFn>(reinterpret_cast<void *>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "DeviceIoControl")));
    PatchLoadedModules();
}

}  // namespace

// scripts/make-media.sh refuses any ZELVANIS.VxD holding this text, so the
// simulator never reaches an installation medium. Exported, so no linker
// or strip step can drop it.
extern "C" __declspec(dllexport) const char OrvantixSimulatorMark[] =
    "Orvantix touchscreen simulator: tests and demos only, never on a medium";

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        DisableThreadLibraryCalls(module);
        Attach(module);
    }
    return TRUE;
}
