// InjectLibrary: a remote thread runs LoadLibraryA in the target process.
#include "inject.h"

#include <tlhelp32.h>

#include <string.h>

// The target's own address of LoadLibraryA: its KERNEL32 base plus the
// function's offset in ours (both load the same KERNEL32 file).
static LPTHREAD_START_ROUTINE RemoteLoadLibrary(DWORD pid) {
    HMODULE local = GetModuleHandleA("kernel32.dll");
    BYTE *function = reinterpret_cast<BYTE *>(GetProcAddress(local, "LoadLibraryA"));
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, pid);
    BYTE *remoteBase = reinterpret_cast<BYTE *>(local);
    if (snapshot != INVALID_HANDLE_VALUE) {
        MODULEENTRY32 entry;
        entry.dwSize = sizeof(entry);
        for (BOOL more = Module32First(snapshot, &entry); more;
             more = Module32Next(snapshot, &entry)) {
            if (_stricmp(entry.szModule, "kernel32.dll") == 0) remoteBase = entry.modBaseAddr;
        }
        CloseHandle(snapshot);
    }
    BYTE *remote = remoteBase + (function - reinterpret_cast<BYTE *>(local));
    return reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<ULONG_PTR>(remote));
}

bool InjectLibrary(HANDLE process, DWORD pid, const char *dllPath, DWORD timeoutMs) {
    SIZE_T size = strlen(dllPath) + 1;
    void *remotePath = VirtualAllocEx(process, NULL, size, MEM_COMMIT, PAGE_READWRITE);
    if (!remotePath) return false;
    bool loaded = false;
    if (WriteProcessMemory(process, remotePath, dllPath, size, NULL)) {
        HANDLE thread =
            CreateRemoteThread(process, NULL, 0, RemoteLoadLibrary(pid), remotePath, 0, NULL);
        if (thread) {
            DWORD module = 0;
            loaded = WaitForSingleObject(thread, timeoutMs) == WAIT_OBJECT_0 &&
                     GetExitCodeThread(thread, &module) && module != 0;
            CloseHandle(thread);
        }
    }
    VirtualFreeEx(process, remotePath, 0, MEM_RELEASE);
    return loaded;
}
