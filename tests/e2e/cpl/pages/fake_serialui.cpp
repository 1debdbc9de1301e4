// Test stand-in for the system's serial-port configuration library. The
// Settings page learns which ports exist from GetDefaultCommConfigA, which
// asks this library; Wine's own answers "present" for COM1 to COM9 and
// nothing else, whatever ports the machine has. Loaded in its place (Wine
// DLL override "serialui" = native, this file next to the program), it
// reports exactly the port numbers listed in "serialui_ports.txt" beside
// it, separated by blanks, so tests choose the machine's ports.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

static HMODULE g_self;

// True when number is among the listed ports.
static bool IsListed(unsigned long number) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(g_self, path, sizeof(path));
    char *slash = length ? std::strrchr(path, '\\') : nullptr;
    if (!slash || static_cast<size_t>(slash - path) + 20 >= sizeof(path)) return false;
    std::strcpy(slash + 1, "serialui_ports.txt");
    FILE *file = std::fopen(path, "r");
    if (!file) return false;
    unsigned long listed = 0;
    bool found = false;
    while (!found && std::fscanf(file, "%lu", &listed) == 1) found = listed == number;
    std::fclose(file);
    return found;
}

// "COM<n>", any case, n without leading zeros; 0 when it is not one.
static unsigned long PortNumber(const wchar_t *name) {
    if (!name || _wcsnicmp(name, L"COM", 3) != 0 || name[3] < L'1' || name[3] > L'9') return 0;
    wchar_t *end = nullptr;
    unsigned long number = std::wcstoul(name + 3, &end, 10);
    return *end == L'\0' ? number : 0;
}

extern "C" __declspec(dllexport) DWORD WINAPI drvGetDefaultCommConfigW(
    const wchar_t *name, COMMCONFIG *config, DWORD *size) {
    if (!name || !config || !size) return ERROR_INVALID_PARAMETER;
    if (*size < sizeof(COMMCONFIG)) {
        *size = sizeof(COMMCONFIG);
        return ERROR_INSUFFICIENT_BUFFER;
    }
    unsigned long number = PortNumber(name);
    if (number == 0 || !IsListed(number)) return ERROR_BADKEY;
    std::memset(config, 0, sizeof(COMMCONFIG));
    config->dwSize = sizeof(COMMCONFIG);
    config->wVersion = 1;
    config->dwProviderSubType = PST_RS232;
    config->dcb.DCBlength = sizeof(DCB);
    config->dcb.BaudRate = CBR_9600;
    config->dcb.ByteSize = 8;
    *size = sizeof(COMMCONFIG);
    return ERROR_SUCCESS;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_self = instance;
    return TRUE;
}
