// Test helper: opens the applet's property sheet the way the Control Panel
// does (CPL_INIT, then CPL_DBLCLK) and ends when the sheet closes. Each
// opening needs its own process, because the applet's single-instance
// mutex lives as long as the process that opened the sheet.
// Usage: pages_open_sheet <path of Pemrosko.Cpl>
#include <windows.h>
#include <cpl.h>

// The path may come quoted; the quotes are not part of it.
static void Unquote(char *text) {
    int length = lstrlenA(text);
    if (length >= 2 && text[0] == '"' && text[length - 1] == '"') {
        MoveMemory(text, text + 1, length - 2);
        text[length - 2] = '\0';
    }
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    Unquote(commandLine);
    HMODULE applet = LoadLibraryA(commandLine);
    if (!applet) return 2;
    APPLET_PROC entry = reinterpret_cast<APPLET_PROC>(GetProcAddress(applet, "CPlApplet"));
    if (!entry) return 3;
    entry(NULL, CPL_INIT, 0, 0);
    entry(NULL, CPL_DBLCLK, 0, 0);
    entry(NULL, CPL_EXIT, 0, 0);
    FreeLibrary(applet);
    return 0;
}
