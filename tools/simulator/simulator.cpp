// zelvanis.vxd: a stand-in for the touchscreen driver, for tests and demos
// only. Wine in Windows 98 mode opens "\\.\ZELVANIS" by loading this DLL
// from the DLL search path and handing out a handle to the DLL's own file.
// On load the simulator redirects the process's DeviceIoControl imports to
// itself (and its LoadLibrary imports, to do the same for modules loaded
// later), serves the requests made on such handles from the shared state
// (sim_state.h), logs each one, and passes every other handle on.
#include <windows.h>

#include <stdio.h>

#include <string>

#include "device.h"
#include "driver_interface.h"
#include "import_patch.h"
#include "sim_state.h"

namespace {

typedef BOOL(WINAPI *DeviceIoControlFn)(HANDLE, DWORD, LPVOID, DWORD, LPVOID, DWORD, LPDWORD,
                                        LPOVERLAPPED);

HMODULE g_self;
DeviceIoControlFn g_realDeviceIoControl;
std::string g_folder;
BY_HANDLE_FILE_INFORMATION g_ownFile;
bool g_ownFileKnown;

// Identity of the DLL's own file, to recognise the handles Wine gives out.
bool ReadOwnFileIdentity(const char *path) {
    HANDLE file = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = GetFileInformationByHandle(file, &g_ownFile) != FALSE;
    CloseHandle(file);
    return ok;
}

bool IsOwnDevice(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!g_ownFileKnown || !GetFileInformationByHandle(handle, &info)) return false;
    return info.dwVolumeSerialNumber == g_ownFile.dwVolumeSerialNumber &&
           info.nFileIndexHigh == g_ownFile.nFileIndexHigh &&
           info.nFileIndexLow == g_ownFile.nFileIndexLow;
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
    };
    PatchImports(g_self, "kernel32.dll", hooks, sizeof(hooks) / sizeof(hooks[0]));
}

void Attach(HMODULE self) {
    g_self = self;
    char path[MAX_PATH] = "";
    GetModuleFileNameA(self, path, sizeof(path));
    g_folder = simstate::FolderOf(path);
    g_ownFileKnown = ReadOwnFileIdentity(path);
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
