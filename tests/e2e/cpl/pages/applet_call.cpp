// applet_call <Pemrosko.Cpl> <mouse mode> <beep mode> <frequency> <duration>
// Changes the driver's mouse mode and beep through the applet's exports
// SetMouseMode and SetBeep, from a process of its own (a process that has
// opened the simulated driver keeps it loaded, and the tests must be able to
// remove it). Exit code 0 when both calls succeeded.
#include <windows.h>

#include <stdlib.h>

typedef BOOL(WINAPI *SetMouseModeFn)(DWORD);
typedef BOOL(WINAPI *SetBeepFn)(DWORD, DWORD, DWORD);

template <typename Fn>
Fn Export(HMODULE module, const char *name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

int main(int argc, char **argv) {
    if (argc != 6) return 2;
    HMODULE cpl = LoadLibraryA(argv[1]);
    if (!cpl) return 3;
    SetMouseModeFn setMode = Export<SetMouseModeFn>(cpl, "SetMouseMode");
    SetBeepFn setBeep = Export<SetBeepFn>(cpl, "SetBeep");
    DWORD words[4];
    for (int i = 0; i < 4; ++i) words[i] = strtoul(argv[2 + i], NULL, 10);
    bool done = setMode && setBeep && setMode(words[0]) && setBeep(words[1], words[2], words[3]);
    FreeLibrary(cpl);
    return done ? 0 : 1;
}
