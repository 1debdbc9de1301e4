// Import table patching. Wine hands requests whose code has a device type
// (high word not zero) straight to the file system instead of to a VxD, so
// the simulator sits between the programs and DeviceIoControl by rewriting
// their import slots. Slots are found through the import name table
// (OriginalFirstThunk); modules without one are left alone.
#include "import_patch.h"

#include <tlhelp32.h>

namespace {

const IMAGE_NT_HEADERS *NtHeaders(const BYTE *base) {
    const IMAGE_DOS_HEADER *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE) return nullptr;
    const IMAGE_NT_HEADERS *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    return nt->Signature == IMAGE_NT_SIGNATURE ? nt : nullptr;
}

bool WriteSlot(void **slot, void *value) {
    DWORD old = 0;
    if (!VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &old)) return false;
    *slot = value;
    VirtualProtect(slot, sizeof(*slot), old, &old);
    return true;
}

void *ReplacementFor(const char *function, const ImportHook *hooks, int count) {
    for (int i = 0; i < count; ++i) {
        if (lstrcmpA(function, hooks[i].function) == 0) return hooks[i].replacement;
    }
    return nullptr;
}

int PatchDescriptor(BYTE *base, const IMAGE_IMPORT_DESCRIPTOR &import, const ImportHook *hooks,
                    int count) {
    if (!import.OriginalFirstThunk) return 0;
    const IMAGE_THUNK_DATA *names =
        reinterpret_cast<const IMAGE_THUNK_DATA *>(base + import.OriginalFirstThunk);
    void **slots = reinterpret_cast<void **>(base + import.FirstThunk);
    int patched = 0;
    for (int i = 0; names[i].u1.AddressOfData; ++i) {
        if (IMAGE_SNAP_BY_ORDINAL(names[i].u1.Ordinal)) continue;
        const IMAGE_IMPORT_BY_NAME *byName =
            reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + names[i].u1.AddressOfData);
        void *replacement = ReplacementFor(reinterpret_cast<const char *>(byName->Name), hooks, count);
        if (replacement && slots[i] != replacement && WriteSlot(&slots[i], replacement)) ++patched;
    }
    return patched;
}

int PatchModule(BYTE *base, const char *dll, const ImportHook *hooks, int count) {
    const IMAGE_NT_HEADERS *nt = NtHeaders(base);
    if (!nt) return 0;
    const IMAGE_DATA_DIRECTORY &dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!dir.VirtualAddress) return 0;
    const IMAGE_IMPORT_DESCRIPTOR *import =
        reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + dir.VirtualAddress);
    int patched = 0;
    for (; import->Name; ++import) {
        if (lstrcmpiA(reinterpret_cast<const char *>(base + import->Name), dll) != 0) continue;
        patched += PatchDescriptor(base, *import, hooks, count);
    }
    return patched;
}

}  // namespace

int PatchModuleImports(HMODULE module, const char *dll, const ImportHook *hooks, int count) {
    return PatchModule(reinterpret_cast<BYTE *>(module), dll, hooks, count);
}

int PatchImports(HMODULE self, const char *dll, const ImportHook *hooks, int count) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return 0;
    MODULEENTRY32 module;
    module.dwSize = sizeof(module);
    int patched = 0;
    for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module)) {
        if (module.hModule == self) continue;
        patched += PatchModule(module.modBaseAddr, dll, hooks, count);
    }
    CloseHandle(snapshot);
    return patched;
}
