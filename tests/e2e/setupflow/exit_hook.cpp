// exithook.dll, for the tests only: once loaded into a running program it
// points the program's ExitWindowsEx imports (through the simulator's
// import patching) at a recorder, which appends "flags reserved" to
// exitwindows.log next to this DLL and reports success without ending
// anything. The tests load it into Setup to see its restart request, since
// Wine's real ExitWindowsEx closes every windowed program of the session.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include "import_patch.h"

static char g_logPath[MAX_PATH];

static BOOL WINAPI RecordExitWindows(UINT flags, DWORD reserved) {
    FILE *log = fopen(g_logPath, "a");
    if (log) {
        fprintf(log, "%u %lu\n", flags, static_cast<unsigned long>(reserved));
        fclose(log);
    }
    return TRUE;
}

static void SetLogPath(HMODULE self) {
    GetModuleFileNameA(self, g_logPath, sizeof(g_logPath));
    char *slash = strrchr(g_logPath, '\\');
    if (slash) slash[1] = '\0';
    strncat(g_logPath, "exitwindows.log", sizeof(g_logPath) - strlen(g_logPath) - 1);
}

// Loading fails (and the injector sees it) when the program has no import
// to replace: better no hook than a real restart.
extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    SetLogPath(self);
    const ImportHook hook = {"ExitWindowsEx", reinterpret_cast<void *>(&RecordExitWindows)};
    return PatchImports(self, "user32.dll", &hook, 1) > 0 ? TRUE : FALSE;
}
