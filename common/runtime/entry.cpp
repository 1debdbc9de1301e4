// Process entry for the shipped programs: runs static constructors, calls
// WinMain with the command line after the program's own name, and ends the
// process with WinMain's result. No C runtime start-up code is linked.
#include <windows.h>

extern "C" int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int);

typedef void (*StaticInit)(void);
// The linker script of the PE target frames the constructor table with
// these: a -1 (or count) word first, a zero word last.
extern "C" StaticInit __CTOR_LIST__[];

static void RunStaticConstructors() {
    StaticInit *p = __CTOR_LIST__ + 1;
    while (*p) ++p;
    while (--p > __CTOR_LIST__) (*p)();
}

// Skips the program name (quoted or not) and the blanks after it.
static LPSTR ArgumentsOf(LPSTR line) {
    if (*line == '"') {
        ++line;
        while (*line && *line != '"') ++line;
        if (*line == '"') ++line;
    } else {
        while (*line && *line != ' ' && *line != '\t') ++line;
    }
    while (*line == ' ' || *line == '\t') ++line;
    return line;
}

extern "C" void WinMainCRTStartup(void) {
    RunStaticConstructors();
    STARTUPINFOA startup;
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
    int code = WinMain(GetModuleHandleA(NULL), NULL, ArgumentsOf(GetCommandLineA()), show);
    ExitProcess(static_cast<UINT>(code));
}
