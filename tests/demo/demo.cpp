// The package end to end, for a person to watch or for a script to run:
// Setup installs from a demo copy of the installation medium (whose
// ZELVANIS.VxD is the simulated driver), a calibration with simulated
// touches is confirmed, the Control Panel sheet opens and saves, Fennock
// switches once, Brokasta draws a stroke. Prints the parameter store and the driver's request log
// and saves a BMP of every screen it passes.
//
// Environment: ORVANTIX_MEDIUM (the demo medium, a Unix path),
// ORVANTIX_SCREENS (where the screenshots go, a Unix path).
// Options: --panel [--swap] [--flip-x] [--flip-y] leaves the simulator in
// panel mode afterwards, so mouse clicks become raw touches; --sheet only
// opens the installed applet's sheet, as a double-click in the Control Panel.
// Exit code: 0 when every step worked, else the number of the failed step.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <cpl.h>

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

#include "driver_interface.h"
#include "harness.h"
#include "parameter_store.h"
#include "sim_state.h"

namespace sim = harness::sim;

namespace {

const DWORD kStepMs = 20000;
const char kInstallCaption[] = "Orvantix touchscreen Install";
const char kPortCaption[] = "Touchscreen port setting";
const char kCompleteCaption[] = "Installation Complete!";
const char kCheckCaption[] = "Checking calibration results";
const char kSheetTitle[] = "Orvantix Touchscreen Properties";
const int kQuestionYes = 6;
const int kPortList = 1000;
const int kFennockButton = 1003;

// Raw touches at the three targets, of a panel a little narrower than the
// stored defaults, so the saved calibration visibly changes.
const DWORD kTouches[3][2] = {{1100, 1000}, {3000, 2900}, {3000, 1000}};

std::string g_screens;
int g_shot = 0;

std::string FromEnv(const char *name) {
    const char *value = getenv(name);
    return value ? value : "";
}

// Lets the screen settle, then saves it as NN-name.bmp.
void Shot(const char *name) {
    harness::Pause(400);
    char file[64];
    snprintf(file, sizeof(file), "%02d-%s.bmp", ++g_shot, name);
    bool saved = harness::SaveScreenshot(harness::Join(g_screens, file));
    printf("    screen %s%s\n", file, saved ? "" : " (not saved)");
}

BOOL CALLBACK PrintWindow(HWND window, LPARAM) {
    if (!IsWindowVisible(window)) return TRUE;
    std::string text = harness::Text(window);
    if (harness::ClassName(window) == "#32770") {
        std::string message = harness::MessageBoxText(window);
        if (!message.empty()) text += ": " + message;
    }
    printf("    window [%s] \"%s\"\n", harness::ClassName(window).c_str(), text.c_str());
    return TRUE;
}

// What was on the screen when a step failed, to see why.
bool Fail(const char *what) {
    printf("    FAILED: %s\n", what);
    EnumWindows(PrintWindow, 0);
    Shot("failure");
    return false;
}

HWND WaitSetupWindow(harness::Process &setup, const char *caption) {
    return harness::WaitProcessWindow(setup.pid, caption, kStepMs);
}

// Picks COM1 when the system has it, else the first port the list shows.
std::string PickPort(HWND dialog) {
    HWND list = harness::Child(dialog, kPortList);
    LRESULT index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>("COM1"));
    if (index < 0) index = 0;
    SendMessageA(list, CB_SETCURSEL, index, 0);
    // Wine hands the ANSI text to another process in UTF-16.
    WCHAR wide[32] = L"";
    char text[32] = "";
    if (SendMessageW(list, CB_GETLBTEXTLEN, index, 0) < 32)
        SendMessageW(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(wide));
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof(text), NULL, NULL);
    return text;
}

bool RunSetup(const std::string &medium) {
    printf("1. Setup installs from %s\n", medium.c_str());
    harness::Process setup = harness::Start(harness::Join(medium, "Setup.exe"), "", medium);
    HWND question = WaitSetupWindow(setup, kInstallCaption);
    if (!question) return Fail("no install question");
    Shot("setup-question");
    harness::PostClick(question, kQuestionYes);
    HWND port = WaitSetupWindow(setup, kPortCaption);
    if (!port) return Fail("no port dialog");
    printf("    port %s\n", PickPort(port).c_str());
    Shot("setup-port");
    harness::PostClick(port, IDOK);
    HWND complete = WaitSetupWindow(setup, kCompleteCaption);
    if (!complete) return Fail("no completion dialog");
    Shot("setup-complete");
    harness::PostClick(complete, IDCANCEL);  // "No": no restart now
    DWORD code = 1;
    if (!harness::WaitExit(setup, kStepMs, &code) || code != 0)
        return Fail("Setup did not end with 0");
    if (!harness::FileExists(harness::Join(harness::SystemDir(), "ZELVANIS.VxD")))
        return Fail("the driver is not in the system folder");
    return true;
}

// One target: wait until it is armed, show it, touch it.
bool TouchTarget(HWND window, int index) {
    if (!sim::WaitForLogCount(IOCTL_TOUCH_START_RAW_CAPTURE, index + 1, kStepMs))
        return Fail("no raw capture started");
    // The target is drawn after the capture is armed: wait for its red centre.
    const int x = GetSystemMetrics(SM_CXSCREEN), y = GetSystemMetrics(SM_CYSCREEN);
    const int cx = index == 0 ? x / 5 : x * 4 / 5, cy = index == 1 ? y * 4 / 5 : y / 5;
    harness::WaitUntil([&] { return harness::PixelAt(cx, cy) == RGB(255, 0, 0); }, 3000);
    char name[32];
    snprintf(name, sizeof(name), "calibration-target%d", index + 1);
    Shot(name);
    const int asked = sim::Count(IOCTL_TOUCH_GET_RAW_POINT);
    sim::QueueRawPoint(kTouches[index][0], kTouches[index][1]);
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    if (!sim::WaitForLogCount(IOCTL_TOUCH_GET_RAW_POINT, asked + 1, kStepMs))
        return Fail("the touch was not read");
    printf("    target %d touched at raw %lu,%lu\n", index + 1,
           static_cast<unsigned long>(kTouches[index][0]),
           static_cast<unsigned long>(kTouches[index][1]));
    return true;
}

bool RunCalibration() {
    printf("2. Durmasel calibrates with three simulated touches\n");
    harness::Process durmasel = harness::Start(harness::Join(harness::SystemDir(), "Durmasel.exe"));
    HWND window = harness::WaitWindow("Durmasel", nullptr, kStepMs);
    if (!window) return Fail("no calibration window");
    for (int i = 0; i < 3; ++i)
        if (!TouchTarget(window, i)) return false;
    HWND box = harness::WaitMessageBox(kCheckCaption, kStepMs);
    if (!box) return Fail("no check question");
    Shot("calibration-check");
    harness::PostClick(box, IDYES);
    DWORD code = 1;
    if (!harness::WaitExit(durmasel, kStepMs, &code)) return Fail("Durmasel did not end");
    printf("    answered Yes; Durmasel ended with %lu\n", static_cast<unsigned long>(code));
    return true;
}

// Wine's own control.exe does not open "\\.\ZELVANIS" the Windows 98 way, so
// this program stands in for the Control Panel: "--control <applet>" loads
// the applet and sends what a Control Panel sends on a double-click.
typedef LONG(WINAPI *AppletProc)(HWND, UINT, LPARAM, LPARAM);

int RunAppletHost(const char *path) {
    HMODULE library = LoadLibraryA(path);
    if (!library) return 1;
    AppletProc applet = reinterpret_cast<AppletProc>(
        reinterpret_cast<void *>(GetProcAddress(library, "CPlApplet")));
    if (!applet || applet(NULL, CPL_INIT, 0, 0) == 0) return 2;
    CPLINFO info = {};
    applet(NULL, CPL_INQUIRE, 0, reinterpret_cast<LPARAM>(&info));
    LONG result = applet(NULL, CPL_DBLCLK, 0, info.lData);
    applet(NULL, CPL_STOP, 0, info.lData);
    applet(NULL, CPL_EXIT, 0, 0);
    FreeLibrary(library);
    return result == 0 ? 0 : 3;
}

std::string OwnPath() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    return path;
}

// The Diagnostics page with "Show touches" on and a few raw touches of the
// simulated panel, one per capture the page arms.
bool ShowTouches(HWND sheet) {
    const int kDiagnosticsPage = 4, kShowTouches = 1110;
    const DWORD kPanelTouches[][2] = {{600, 700}, {3500, 900}, {1900, 2300}, {2900, 3300}};
    harness::SheetSelectPage(sheet, kDiagnosticsPage);
    harness::Click(harness::SheetPage(sheet), kShowTouches);
    for (const auto &touch : kPanelTouches) {
        int captures = sim::Count(IOCTL_TOUCH_START_RAW_CAPTURE);
        sim::QueueRawPoint(touch[0], touch[1]);
        if (!sim::WaitForLogCount(IOCTL_TOUCH_START_RAW_CAPTURE, captures + 1, kStepMs))
            return false;
    }
    Shot("sheet-diagnostics");
    harness::Click(harness::SheetPage(sheet), kShowTouches);
    printf("    the Diagnostics page showed %d raw touches\n",
           static_cast<int>(sizeof(kPanelTouches) / sizeof(kPanelTouches[0])));
    return true;
}

bool RunControlPanel() {
    printf("3. The Control Panel opens the installed Pemrosko.Cpl\n");
    std::string applet = harness::Join(harness::SystemDir(), "Pemrosko.Cpl");
    harness::Process control = harness::Start(OwnPath(), "--control " + applet);
    HWND sheet = harness::WaitWindow("#32770", kSheetTitle, kStepMs);
    if (!sheet) return Fail("no property sheet");
    const char *pages[] = {"sheet-calibration", "sheet-settings", "sheet-sound", "sheet-about"};
    for (int i = 0; i < 4; ++i) {
        harness::SheetSelectPage(sheet, i);
        Shot(pages[i]);
    }
    if (!ShowTouches(sheet)) return Fail("the Diagnostics page showed no touches");
    harness::SheetSelectPage(sheet, 0);
    const int reloads = sim::Count(IOCTL_TOUCH_RELOAD_PARAMETERS);
    harness::PostSheetPress(sheet, PSBTN_OK);
    if (!harness::WaitGone(sheet, kStepMs)) return Fail("OK did not close the sheet");
    DWORD code = 1;
    if (!harness::WaitExit(control, kStepMs, &code) || code != 0) return Fail("the applet failed");
    if (!sim::WaitForLogCount(IOCTL_TOUCH_RELOAD_PARAMETERS, reloads + 1, kStepMs))
        return Fail("OK did not make the driver reload the settings");
    printf("    OK saved the settings and the driver reloaded them\n");
    return true;
}

// Setup puts Fennock into the Zelvanis folder of the Windows folder.
std::string FennockPath() {
    return harness::Join(harness::Join(harness::WindowsDir(), "Zelvanis"), "Fennock.exe");
}

bool RunFennock() {
    printf("4. Fennock switches the next touch to the right button once\n");
    harness::Process fennock = harness::Start(FennockPath());
    HWND window = harness::WaitProcessWindow(fennock.pid, "Fennock", kStepMs);
    HWND button = window ? harness::Child(window, kFennockButton) : NULL;
    if (!button) return Fail("no switch window");
    Shot("fennock-idle");
    SendMessageA(button, BM_CLICK, 0, 0);
    if (!sim::WaitForLogCount(IOCTL_TOUCH_RIGHT_BUTTON_ONCE, 1, kStepMs))
        return Fail("no right-button request");
    Shot("fennock-pending");
    sim::EndRightButton();
    if (!harness::WaitUntil([&] { return !harness::IsChecked(button); }, kStepMs))
        return Fail("the button did not pop up");
    printf("    pressed, the right-button touch ended, the button popped up\n");
    PostMessageA(window, WM_CLOSE, 0, 0);
    if (!harness::WaitExit(fennock, kStepMs)) harness::Kill(fennock);
    return true;
}

// A wave drawn as one stroke: button down, moves, button up.
void DrawWave(HWND board) {
    const int left = 200, middle = 420;
    PostMessageA(board, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(left, middle));
    for (int i = 1; i <= 60; ++i) {
        int x = left + i * 10, y = middle + static_cast<int>(120 * sin(i / 6.0));
        PostMessageA(board, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
    }
    const int endY = middle + static_cast<int>(120 * sin(10.0));
    PostMessageA(board, WM_LBUTTONUP, 0, MAKELPARAM(left + 600, endY));
}

bool RunBrokasta() {
    printf("5. Brokasta, the drawing test of the Start menu, draws a stroke\n");
    std::string folder = harness::Join(harness::WindowsDir(), "Zelvanis");
    harness::Process brokasta = harness::Start(harness::Join(folder, "Brokasta.exe"));
    HWND board = harness::WaitWindow("Brokasta", nullptr, kStepMs);
    if (!board) return Fail("no drawing board");
    harness::Pause(500);
    DrawWave(board);
    Shot("brokasta-stroke");
    harness::SendKey(board, VK_ESCAPE);
    DWORD code = 1;
    if (!harness::WaitExit(brokasta, kStepMs, &code) || code != 0)
        return Fail("Escape did not end Brokasta with 0");
    printf("    drawn, and Escape ended it\n");
    return true;
}

void PrintStore() {
    printf("\nParameter store HKLM\\%s:\n", TOUCH_PARAM_KEY);
    for (const std::string &name : harness::ValueNames(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY)) {
        std::vector<unsigned char> data;
        DWORD type = 0, number = 0;
        harness::ReadBinary(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, name.c_str(), &data, &type);
        if (type == REG_DWORD && data.size() == sizeof(number)) {
            memcpy(&number, data.data(), sizeof(number));
            printf("    %-24s %lu\n", name.c_str(), static_cast<unsigned long>(number));
        } else if (type == REG_SZ) {
            std::string text(data.begin(), data.end());
            printf("    %-24s \"%s\"\n", name.c_str(), text.c_str());
        } else {
            printf("    %-24s (type %lu, %u bytes)\n", name.c_str(),
                   static_cast<unsigned long>(type), static_cast<unsigned>(data.size()));
        }
    }
}

void PrintLog() {
    printf("\nDriver requests:\n");
    for (const sim::LogEntry &entry : sim::Log()) {
        std::string in, out;
        for (DWORD word : entry.in) in += (in.empty() ? "" : ",") + std::to_string(word);
        for (DWORD word : entry.out) out += (out.empty() ? "" : ",") + std::to_string(word);
        printf("    pid %-5lu %-34s %s in=%s out=%s\n", static_cast<unsigned long>(entry.pid),
               entry.name.c_str(), entry.ok ? "ok    " : "failed", in.c_str(), out.c_str());
    }
}

bool HasOption(int argc, char **argv, const char *option) {
    for (int i = 1; i < argc; ++i)
        if (lstrcmpiA(argv[i], option) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc == 3 && lstrcmpiA(argv[1], "--control") == 0) return RunAppletHost(argv[2]);
    if (argc == 2 && lstrcmpiA(argv[1], "--sheet") == 0)
        return RunAppletHost(harness::Join(harness::SystemDir(), "Pemrosko.Cpl").c_str());
    setvbuf(stdout, NULL, _IONBF, 0);
    std::string medium = harness::WindowsPathOf(FromEnv("ORVANTIX_MEDIUM"));
    g_screens = harness::WindowsPathOf(FromEnv("ORVANTIX_SCREENS"));
    CreateDirectoryA(g_screens.c_str(), NULL);
    int failed = 0;
    if (!RunSetup(medium)) failed = 1;
    // The state comes fresh from the store Setup wrote.
    if (!failed) sim::Reset();
    if (!failed && !RunCalibration()) failed = 2;
    if (!failed && !RunControlPanel()) failed = 3;
    if (!failed && !RunFennock()) failed = 4;
    if (!failed && !RunBrokasta()) failed = 5;
    PrintStore();
    PrintLog();
    if (HasOption(argc, argv, "--panel")) {
        bool swap = HasOption(argc, argv, "--swap"), flipX = HasOption(argc, argv, "--flip-x"),
             flipY = HasOption(argc, argv, "--flip-y");
        sim::SetPanel(true, swap, flipX, flipY);
        printf("\nPanel mode on (swap %d, flip x %d, flip y %d): clicks are raw touches.\n", swap,
               flipX, flipY);
    }
    printf("\n%s\n", failed ? "The demo stopped at a failed step." : "Every step worked.");
    return failed;
}
