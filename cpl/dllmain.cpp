// Library entry of the applet and its Control Panel protocol: one applet,
// described by icon 105 and strings 101/102, opened on a double-click.
#include <windows.h>
#include <cpl.h>

#include "applet.h"
#include "os_class.h"
#include "resource.h"
#include "windows_version.h"

HINSTANCE g_module;
int OsClass = osclass::kUnknown;

// A system that cannot say what it is counts as unknown.
static int ClassifyRunningWindows() {
    shelf::WindowsVersion version = shelf::RunningWindows();
    return osclass::Classify(version.platformId, version.major, version.minor);
}

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        g_module = module;
        OsClass = ClassifyRunningWindows();
    }
    return TRUE;
}

static void DescribeApplet(LPARAM infoAddress) {
    CPLINFO *info = reinterpret_cast<CPLINFO *>(infoAddress);
    // A caller that passes no record gets nothing rather than a fault.
    if (!info) return;
    info->idIcon = IDI_APPLET;
    info->idName = IDS_APPLET_NAME;
    info->idInfo = IDS_APPLET_INFO;
    info->lData = 0;
}

// Everything the Control Panel may send besides these four (CPL_SELECT,
// CPL_STOP, CPL_EXIT, CPL_NEWINQUIRE...) is answered with 0 and ignored.
extern "C" LONG WINAPI CPlApplet(HWND hwndCPl, UINT msg, LPARAM, LPARAM lParam2) {
    switch (msg) {
    case CPL_INIT:
    case CPL_GETCOUNT:
        return 1;
    case CPL_INQUIRE:
        DescribeApplet(lParam2);
        return 0;
    case CPL_DBLCLK:
        OpenApplet(hwndCPl);
        return 0;
    default:
        return 0;
    }
}
