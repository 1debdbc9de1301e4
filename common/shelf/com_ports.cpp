// Probing and listing the serial ports in one place, so the applet and
// Setup offer the same ports under the same names.
#include "com_ports.h"

#include "port_names.h"

namespace shelf {

// Probes a port through its default configuration, which never opens it.
static bool NamedPortPresent(const char *name) {
    COMMCONFIG config;
    ZeroMemory(&config, sizeof(config));
    config.dwSize = sizeof(config);
    DWORD size = sizeof(config);
    return GetDefaultCommConfigA(name, &config, &size) != FALSE;
}

static void AddPortIfPresent(HWND list, DWORD number, DWORD selected) {
    char name[16];
    if (!ports::PortName(name, sizeof(name), number) || !NamedPortPresent(name)) return;
    LRESULT index = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    if (index < 0) return;  // CB_ERR or CB_ERRSPACE
    SendMessageA(list, CB_SETITEMDATA, index, number);
    if (number == selected) SendMessageA(list, CB_SETCURSEL, index, 0);
}

bool PortPresent(DWORD number) {
    char name[16];
    return ports::PortName(name, sizeof(name), number) && NamedPortPresent(name);
}

void FillPortList(HWND list, DWORD selected) {
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    for (DWORD n = ports::FirstPort(); n <= ports::LastPort(); ++n)
        AddPortIfPresent(list, n, selected);
}

}  // namespace shelf
