// Library entry of the applet.
#include <windows.h>

HINSTANCE g_module;

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) g_module = module;
    return TRUE;
}

// The Control Panel entry arrives with the property sheet; until then the
// applet offers nothing to the Control Panel.
extern "C" LONG WINAPI CPlApplet(HWND, UINT, LPARAM, LPARAM) { return 0; }
