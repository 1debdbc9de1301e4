// simprobe <hex code> [decimal input words...]
// Sends one request to "\\.\ZELVANIS" from a process of its own and answers
// with its exit code: the first output word on success (0 without output),
// 0x80000000 | error on failure. Used to see the driver's state from a
// second process. "simprobe via <hex code> ..." has a second simprobe, which
// it starts itself, send the request, and answers with that one's code.
#include <windows.h>

#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "driver_interface.h"

static int RunViaChild(int argc, char **argv) {
    char self[MAX_PATH] = "";
    GetModuleFileNameA(NULL, self, sizeof(self));
    std::string command = "\"" + std::string(self) + "\"";
    for (int i = 2; i < argc; ++i) command += std::string(" ") + argv[i];
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child = {};
    if (!CreateProcessA(self, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &child))
        return 0x80000000 | GetLastError();
    DWORD code = 0x80000000 | WAIT_TIMEOUT;
    if (WaitForSingleObject(child.hProcess, 15000) == WAIT_OBJECT_0)
        GetExitCodeProcess(child.hProcess, &code);
    CloseHandle(child.hThread);
    CloseHandle(child.hProcess);
    return static_cast<int>(code);
}

int main(int argc, char **argv) {
    if (argc < 2) return 0x80000000 | ERROR_BAD_ARGUMENTS;
    if (strcmp(argv[1], "via") == 0) return RunViaChild(argc, argv);
    DWORD code = strtoul(argv[1], NULL, 16);
    std::vector<DWORD> in;
    for (int i = 2; i < argc; ++i) in.push_back(strtoul(argv[i], NULL, 10));
    std::vector<DWORD> out(driver::OutputSize(code) / 4 + 1, RAW_POINT_MARKER_NONE);
    HANDLE device = CreateFileA(ZELVANIS_DEVICE_PATH, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (device == INVALID_HANDLE_VALUE) return 0x80000000 | GetLastError();
    DWORD returned = 0;
    BOOL ok = DeviceIoControl(device, code, in.empty() ? NULL : in.data(), (DWORD)(in.size() * 4), out.data(),
                              driver::OutputSize(code), &returned, NULL);
    DWORD error = GetLastError();
    CloseHandle(device);
    if (!ok) return 0x80000000 | error;
    return driver::OutputSize(code) ? (int)out[0] : 0;
}
