// A stand-in calibration program: records how it was started (its path,
// its command line, the show state it was given) in durprobe.txt in the
// temporary folder, stays a few seconds so a test can see that nobody
// waited for it, notes that it ended, and exits with 0.
#include <windows.h>
#include <stdio.h>

static void Record(FILE *out) {
    char module[MAX_PATH] = "";
    GetModuleFileNameA(NULL, module, sizeof(module));
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    GetStartupInfoA(&startup);
    fprintf(out, "module=%s\ncmdline=%s\nflags=%lu\nshow=%u\n", module, GetCommandLineA(),
            static_cast<unsigned long>(startup.dwFlags), startup.wShowWindow);
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = "";
    GetTempPathA(sizeof(path), path);
    lstrcatA(path, "durprobe.txt");
    FILE *out = fopen(path, "w");
    if (!out) return 1;
    Record(out);
    fflush(out);
    Sleep(3000);
    fprintf(out, "ended\n");
    fclose(out);
    return 0;
}
