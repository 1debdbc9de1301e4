// The tests' stand-in Control Panel. It loads the applet library, shows a
// window of its own to own the sheet, and sends what a Control Panel sends:
// CPL_INIT, CPL_GETCOUNT, CPL_INQUIRE, CPL_DBLCLK (as many times as asked,
// one after the other), CPL_STOP and CPL_EXIT. Each opening needs its own
// process: the applet's single-instance mutex lasts as long as the process.
// Usage: cplhost.exe <applet library> [double-clicks]
// Exit code: 0 when every answer was the protocol's, else the first fault.
#include <windows.h>
#include <cpl.h>
#include <stdlib.h>

typedef LONG(WINAPI *AppletProc)(HWND, UINT, LPARAM, LPARAM);

enum Fault { kOk, kNoLibrary, kNoEntry, kBadInit, kBadCount, kBadInquire, kBadDoubleClick };

static HWND MakeOwnerWindow(HINSTANCE instance) {
    WNDCLASSA cls = {};
    cls.lpfnWndProc = DefWindowProcA;
    cls.hInstance = instance;
    cls.lpszClassName = "OrvantixCplHost";
    RegisterClassA(&cls);
    HWND window = CreateWindowA("OrvantixCplHost", "Applet host", WS_OVERLAPPEDWINDOW, 700, 500,
                                200, 120, NULL, NULL, instance, NULL);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    return window;
}

static Fault RunProtocol(AppletProc applet, HWND owner, int doubleClicks) {
    if (applet(owner, CPL_INIT, 0, 0) != 1) return kBadInit;
    if (applet(owner, CPL_GETCOUNT, 0, 0) != 1) return kBadCount;
    CPLINFO info = {};
    if (applet(owner, CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info)) != 0) return kBadInquire;
    Fault fault = kOk;
    for (int i = 0; i < doubleClicks; ++i) {
        if (applet(owner, CPL_DBLCLK, 0, info.lData) != 0) fault = kBadDoubleClick;
    }
    applet(owner, CPL_STOP, 0, info.lData);
    applet(owner, CPL_EXIT, 0, 0);
    return fault;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (__argc < 2) return kNoLibrary;
    int doubleClicks = __argc > 2 ? atoi(__argv[2]) : 1;
    HMODULE library = LoadLibraryA(__argv[1]);
    if (!library) return kNoLibrary;
    AppletProc applet = reinterpret_cast<AppletProc>(
        reinterpret_cast<void *>(GetProcAddress(library, "CPlApplet")));
    if (!applet) return kNoEntry;
    HWND owner = MakeOwnerWindow(instance);
    Fault fault = RunProtocol(applet, owner, doubleClicks);
    DestroyWindow(owner);
    FreeLibrary(library);
    return fault;
}
