// Import-slot counting of RegCreateKeyExA; see import_counter.h.
#include "import_counter.h"

typedef LONG(WINAPI *CreateKeyFn)(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM,
                                  LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD);

static CreateKeyFn g_real = nullptr;
static volatile LONG g_calls = 0;

static LONG WINAPI CountingCreateKey(HKEY root, LPCSTR path, DWORD reserved, LPSTR cls,
                                     DWORD options, REGSAM access, LPSECURITY_ATTRIBUTES security,
                                     PHKEY key, LPDWORD disposition) {
    InterlockedIncrement(&g_calls);
    return g_real(root, path, reserved, cls, options, access, security, key, disposition);
}

// The import address slot of advapi32's RegCreateKeyExA in this program.
static void **FindSlot() {
    BYTE *base = reinterpret_cast<BYTE *>(GetModuleHandleA(NULL));
    IMAGE_NT_HEADERS *nt = reinterpret_cast<IMAGE_NT_HEADERS *>(
        base + reinterpret_cast<IMAGE_DOS_HEADER *>(base)->e_lfanew);
    IMAGE_DATA_DIRECTORY dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto *imports = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + dir.VirtualAddress);
    for (; imports->Name; ++imports) {
        if (lstrcmpiA(reinterpret_cast<char *>(base + imports->Name), "advapi32.dll") != 0) continue;
        auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + imports->OriginalFirstThunk);
        auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + imports->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto *byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData);
            if (lstrcmpA(reinterpret_cast<char *>(byName->Name), "RegCreateKeyExA") == 0)
                return reinterpret_cast<void **>(&slots->u1.Function);
        }
    }
    return nullptr;
}

static void WriteSlot(void **slot, void *value) {
    DWORD old;
    VirtualProtect(slot, sizeof(*slot), PAGE_READWRITE, &old);
    *slot = value;
    VirtualProtect(slot, sizeof(*slot), old, &old);
}

CreateKeyCounter::CreateKeyCounter() : m_slot(FindSlot()) {
    g_calls = 0;
    if (!m_slot) return;
    g_real = reinterpret_cast<CreateKeyFn>(*m_slot);
    WriteSlot(m_slot, reinterpret_cast<void *>(&CountingCreateKey));
}

CreateKeyCounter::~CreateKeyCounter() {
    if (m_slot) WriteSlot(m_slot, reinterpret_cast<void *>(g_real));
}

int CreateKeyCounter::Count() const { return g_calls; }
