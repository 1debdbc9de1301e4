// exithook.dll, for the tests only: once loaded into a running program it
// points the program's ExitWindowsEx imports (through the simulator's
// import patching) at a recorder, which appends "flags reserved" to
// exitwindows.log next to this DLL and reports success without ending
// anything. The tests load it into Setup to see its restart request, since
// Wine's real ExitWindowsEx closes every windowed program of the session.
// It also appends "operation flags" of each of the program's shell file
// operations to shellops.log and lets the operation run: Wine's shell
// never shows the error box Windows 9x shows without FOF_NOERRORUI, so
// the flags are what a test can see.
#include <windows.h>
#include <shellapi.h>

#include <stdio.h>
#include <string.h>

#include "import_patch.h"

typedef int(WINAPI *ShellOperation)(LPSHFILEOPSTRUCTA);

static char g_folder[MAX_PATH];
static ShellOperation g_shellOperation;

static void AppendLine(const char *logName, unsigned a, unsigned long b) {
    char path[MAX_PATH];
    snprintf(path, sizeof(path), "%s%s", g_folder, logName);
    FILE *log = fopen(path, "a");
    if (log) {
        fprintf(log, "%u %lu\n", a, b);
        fclose(log);
    }
}

static BOOL WINAPI RecordExitWindows(UINT flags, DWORD reserved) {
    AppendLine("exitwindows.log", flags, reserved);
    return TRUE;
}

static int WINAPI RecordShellOperation(LPSHFILEOPSTRUCTA request) {
    AppendLine("shellops.log", request->wFunc, request->fFlags);
    return g_shellOperation(request);
}

static void SetFolder(HMODULE self) {
    GetModuleFileNameA(self, g_folder, sizeof(g_folder));
    char *slash = strrchr(g_folder, '\\');
    if (slash) slash[1] = '\0';
}

// Loading fails (and the injector sees it) when the program has no import
// to replace: better no hook than a real restart.
extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    SetFolder(self);
    HMODULE shell = GetModuleHandleA("shell32.dll");
    FARPROC real = shell ? GetProcAddress(shell, "SHFileOperationA") : NULL;
    g_shellOperation = reinterpret_cast<ShellOperation>(reinterpret_cast<void *>(real));
    if (g_shellOperation) {
        const ImportHook shellHook = {"SHFileOperationA",
                                      reinterpret_cast<void *>(&RecordShellOperation)};
        PatchImports(self, "shell32.dll", &shellHook, 1);
    }
    const ImportHook hook = {"ExitWindowsEx", reinterpret_cast<void *>(&RecordExitWindows)};
    return PatchImports(self, "user32.dll", &hook, 1) > 0 ? TRUE : FALSE;
}
