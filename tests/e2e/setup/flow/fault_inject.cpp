// faultinject.dll, for the tests only: loaded into a Setup started
// suspended, it points Setup's own imports of every call that changes the
// machine (files copied, moved, deleted or made, folders made and removed,
// registry keys and values made, written and deleted, System.ini written,
// shell links saved) at stand-ins that number the calls, note each in
// faults.log beside this DLL, and fail the Nth, or every one from the Nth
// on, with a chosen system error, or end Setup there as a power cut would.
// Setup's environment says what, in ORVANTIX_FAULT: "count", "once N code",
// "always N code" or "kill N"; ORVANTIX_FAULT_SPARE names a file (Setup's
// log) whose opening is not a change of the machine.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <stdio.h>
#include <string.h>

#include "import_patch.h"

namespace {

enum Mode { kCount, kOnce, kAlways, kKill };

// The exit code of a Setup ended at its Nth change.
const UINT kKilledCode = 0xDEAD;

Mode g_mode = kCount;
long g_at = 0;
DWORD g_error = 0;
long g_calls = 0;  // Setup makes its changes on one thread
char g_record[MAX_PATH];
char g_spare[MAX_PATH];

void Record(long n, const char *function, const char *a, const char *b, const char *what) {
    FILE *record = fopen(g_record, "a");
    if (!record) return;
    fprintf(record, "%ld %s %s %s%s\n", n, function, a ? a : "", b ? b : "", what);
    fclose(record);
}

// Called before each change is passed on: true when it is to fail, with
// the chosen error as the last error.
bool Fails(const char *function, const char *a, const char *b = "") {
    long n = ++g_calls;
    bool fail = (g_mode == kOnce && n == g_at) || (g_mode == kAlways && n >= g_at);
    bool kill = g_mode == kKill && n == g_at;
    Record(n, function, a, b, fail ? " FAILED" : kill ? " KILLED" : "");
    if (kill) TerminateProcess(GetCurrentProcess(), kKilledCode);
    if (fail) SetLastError(g_error);
    return fail;
}

// ---- kernel32 ---------------------------------------------------------------

BOOL WINAPI FaultCopyFile(LPCSTR from, LPCSTR to, BOOL failIfExists) {
    return Fails("CopyFileA", from, to) ? FALSE : CopyFileA(from, to, failIfExists);
}

BOOL WINAPI FaultMoveFile(LPCSTR from, LPCSTR to) {
    return Fails("MoveFileA", from, to) ? FALSE : MoveFileA(from, to);
}

BOOL WINAPI FaultMoveFileEx(LPCSTR from, LPCSTR to, DWORD flags) {
    return Fails("MoveFileExA", from, to) ? FALSE : MoveFileExA(from, to, flags);
}

BOOL WINAPI FaultDeleteFile(LPCSTR path) {
    return Fails("DeleteFileA", path) ? FALSE : DeleteFileA(path);
}

BOOL WINAPI FaultCreateDirectory(LPCSTR path, LPSECURITY_ATTRIBUTES security) {
    return Fails("CreateDirectoryA", path) ? FALSE : CreateDirectoryA(path, security);
}

BOOL WINAPI FaultRemoveDirectory(LPCSTR path) {
    return Fails("RemoveDirectoryA", path) ? FALSE : RemoveDirectoryA(path);
}

BOOL WINAPI FaultSetFileAttributes(LPCSTR path, DWORD attributes) {
    return Fails("SetFileAttributesA", path) ? FALSE : SetFileAttributesA(path, attributes);
}

BOOL WINAPI FaultWriteProfileString(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR file) {
    return Fails("WritePrivateProfileStringA", file, section)
               ? FALSE
               : WritePrivateProfileStringA(section, key, value, file);
}

// Only an opening that may make or empty a file is a change.
HANDLE WINAPI FaultCreateFile(LPCSTR path, DWORD access, DWORD share,
                              LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                              HANDLE model) {
    bool change = disposition != OPEN_EXISTING && lstrcmpiA(path, g_spare) != 0;
    if (change && Fails("CreateFileA", path)) return INVALID_HANDLE_VALUE;
    return CreateFileA(path, access, share, security, disposition, flags, model);
}

// ---- advapi32 ---------------------------------------------------------------

LONG WINAPI FaultRegCreateKeyEx(HKEY root, LPCSTR path, DWORD reserved, LPSTR cls, DWORD options,
                                REGSAM access, LPSECURITY_ATTRIBUTES security, PHKEY key,
                                LPDWORD disposition) {
    if (Fails("RegCreateKeyExA", path)) return static_cast<LONG>(g_error);
    return RegCreateKeyExA(root, path, reserved, cls, options, access, security, key,
                           disposition);
}

LONG WINAPI FaultRegCreateKey(HKEY root, LPCSTR path, PHKEY key) {
    return Fails("RegCreateKeyA", path) ? static_cast<LONG>(g_error)
                                        : RegCreateKeyA(root, path, key);
}

LONG WINAPI FaultRegSetValueEx(HKEY key, LPCSTR name, DWORD reserved, DWORD type,
                               const BYTE *data, DWORD size) {
    return Fails("RegSetValueExA", name) ? static_cast<LONG>(g_error)
                                         : RegSetValueExA(key, name, reserved, type, data, size);
}

LONG WINAPI FaultRegSetValue(HKEY key, LPCSTR path, DWORD type, LPCSTR data, DWORD size) {
    return Fails("RegSetValueA", path) ? static_cast<LONG>(g_error)
                                       : RegSetValueA(key, path, type, data, size);
}

LONG WINAPI FaultRegDeleteKey(HKEY root, LPCSTR path) {
    return Fails("RegDeleteKeyA", path) ? static_cast<LONG>(g_error) : RegDeleteKeyA(root, path);
}

LONG WINAPI FaultRegDeleteValue(HKEY key, LPCSTR name) {
    return Fails("RegDeleteValueA", name) ? static_cast<LONG>(g_error)
                                          : RegDeleteValueA(key, name);
}

// ---- shell32 and the shell link ----------------------------------------------

int WINAPI FaultFileOperation(LPSHFILEOPSTRUCTA operation) {
    static const char *const kNames[] = {"?", "move", "copy", "delete", "rename"};
    UINT op = operation->wFunc < 5 ? operation->wFunc : 0;
    char what[MAX_PATH + 8];
    _snprintf(what, sizeof(what), "%s %s", kNames[op], operation->pFrom);
    what[sizeof(what) - 1] = '\0';
    if (Fails("SHFileOperationA", what, operation->pTo)) return static_cast<int>(g_error);
    return SHFileOperationA(operation);
}

typedef HRESULT(STDMETHODCALLTYPE *SaveFn)(IPersistFile *, LPCOLESTR, BOOL);
SaveFn g_realSave = nullptr;

HRESULT STDMETHODCALLTYPE FaultSave(IPersistFile *self, LPCOLESTR name, BOOL remember) {
    char path[MAX_PATH] = "";
    if (name) WideCharToMultiByte(CP_ACP, 0, name, -1, path, sizeof(path), NULL, NULL);
    if (Fails("IPersistFile::Save", path)) return HRESULT_FROM_WIN32(g_error);
    return g_realSave(self, name, remember);
}

// The shell link's IPersistFile::Save, in the table its objects share:
// IUnknown's three, GetClassID, IsDirty, Load, then Save.
void HookSave(IUnknown *link) {
    IPersistFile *file = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))) || !file)
        return;
    void **slot = *reinterpret_cast<void ***>(file) + 6;
    DWORD old = 0;
    if (VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &old)) {
        g_realSave = reinterpret_cast<SaveFn>(*slot);
        *slot = reinterpret_cast<void *>(&FaultSave);
        VirtualProtect(slot, sizeof(*slot), old, &old);
    }
    file->Release();
}

HRESULT WINAPI FaultCoCreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                                     LPVOID *object) {
    HRESULT result = CoCreateInstance(clsid, outer, context, iid, object);
    if (SUCCEEDED(result) && *object && !g_realSave && IsEqualCLSID(clsid, CLSID_ShellLink))
        HookSave(static_cast<IUnknown *>(*object));
    return result;
}

// ---- setting up ---------------------------------------------------------------

#define HOOK(name, stand_in) {name, reinterpret_cast<void *>(&stand_in)}

const ImportHook kKernelHooks[] = {
    HOOK("CopyFileA", FaultCopyFile),
    HOOK("MoveFileA", FaultMoveFile),
    HOOK("MoveFileExA", FaultMoveFileEx),
    HOOK("DeleteFileA", FaultDeleteFile),
    HOOK("CreateDirectoryA", FaultCreateDirectory),
    HOOK("RemoveDirectoryA", FaultRemoveDirectory),
    HOOK("SetFileAttributesA", FaultSetFileAttributes),
    HOOK("WritePrivateProfileStringA", FaultWriteProfileString),
    HOOK("CreateFileA", FaultCreateFile),
};
const ImportHook kRegistryHooks[] = {
    HOOK("RegCreateKeyExA", FaultRegCreateKeyEx), HOOK("RegCreateKeyA", FaultRegCreateKey),
    HOOK("RegSetValueExA", FaultRegSetValueEx),   HOOK("RegSetValueA", FaultRegSetValue),
    HOOK("RegDeleteKeyA", FaultRegDeleteKey),     HOOK("RegDeleteValueA", FaultRegDeleteValue),
};
const ImportHook kShellHooks[] = {HOOK("SHFileOperationA", FaultFileOperation)};
const ImportHook kComHooks[] = {HOOK("CoCreateInstance", FaultCoCreateInstance)};

struct HookedLibrary {
    const char *dll;
    const ImportHook *hooks;
    int count;
};
#define LIBRARY(dll, hooks) {dll, hooks, static_cast<int>(sizeof(hooks) / sizeof(hooks[0]))}
const HookedLibrary kLibraries[] = {
    LIBRARY("kernel32.dll", kKernelHooks),
    LIBRARY("advapi32.dll", kRegistryHooks),
    LIBRARY("shell32.dll", kShellHooks),
    LIBRARY("ole32.dll", kComHooks),
};

void ReadSettings(HMODULE self) {
    GetModuleFileNameA(self, g_record, sizeof(g_record));
    char *slash = strrchr(g_record, '\\');
    if (slash) slash[1] = '\0';
    strncat(g_record, "faults.log", sizeof(g_record) - strlen(g_record) - 1);
    GetEnvironmentVariableA("ORVANTIX_FAULT_SPARE", g_spare, sizeof(g_spare));
    char setting[64] = "", mode[16] = "";
    GetEnvironmentVariableA("ORVANTIX_FAULT", setting, sizeof(setting));
    sscanf(setting, "%15s %ld %lu", mode, &g_at, &g_error);
    const char *const kModes[] = {"count", "once", "always", "kill"};
    for (int m = 0; m < 4; ++m)
        if (strcmp(mode, kModes[m]) == 0) g_mode = static_cast<Mode>(m);
}

}  // namespace

// Loading fails (and the injector sees it) when Setup has no import to
// replace: a sweep that counts nothing would prove nothing.
extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    ReadSettings(self);
    HMODULE setup = GetModuleHandleA(NULL);
    int patched = 0;
    for (const HookedLibrary &library : kLibraries)
        patched += PatchModuleImports(setup, library.dll, library.hooks, library.count);
    return patched > 0 ? TRUE : FALSE;
}
