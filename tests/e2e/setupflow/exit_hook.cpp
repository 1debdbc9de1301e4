// exithook.dll, for the tests only: once loaded into a running program it
// points the program's ExitWindowsEx import at a recorder, which appends
// "flags reserved" to exitwindows.log next to this DLL and reports success
// without ending anything. The tests load it into Setup to see its restart
// request, since Wine's real ExitWindowsEx closes every windowed program
// of the session.
#include <windows.h>

#include <stdio.h>
#include <string.h>

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

// Replaces the import slot of USER32!ExitWindowsEx in module; false when
// the module does not import it by name.
static bool PatchImport(HMODULE module) {
    BYTE *base = reinterpret_cast<BYTE *>(module);
    IMAGE_NT_HEADERS *nt = reinterpret_cast<IMAGE_NT_HEADERS *>(
        base + reinterpret_cast<IMAGE_DOS_HEADER *>(base)->e_lfanew);
    IMAGE_DATA_DIRECTORY dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return false;
    auto *desc = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + dir.VirtualAddress);
    for (; desc->Name; ++desc) {
        if (_stricmp(reinterpret_cast<char *>(base + desc->Name), "user32.dll") != 0) continue;
        auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + desc->OriginalFirstThunk);
        auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + desc->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto *byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (strcmp(reinterpret_cast<char *>(byName->Name), "ExitWindowsEx") != 0) continue;
            DWORD old;
            VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), PAGE_READWRITE, &old);
            slots->u1.Function = reinterpret_cast<ULONG_PTR>(&RecordExitWindows);
            VirtualProtect(&slots->u1.Function, sizeof(slots->u1.Function), old, &old);
            return true;
        }
    }
    return false;
}

// Loading fails (and the injector sees it) when the program has no import
// to replace: better no hook than a real restart.
extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    SetLogPath(self);
    return PatchImport(GetModuleHandleA(NULL)) ? TRUE : FALSE;
}
