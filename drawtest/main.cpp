// Brokasta.exe: the full-screen touch drawing test. Strokes, a crosshair
// and a nine-cross check show by hand whether the calibration holds and
// which mouse events each touch produces. One instance at a time.
#include "brokasta.h"
#include "resource.h"
#include "runtime.h"
#include "single_instance.h"

Board g_board;

const char kBoardClassName[] = "Brokasta";
static const char kBoardTitle[] = "Touch Screen Drawing Test";
static const char kMutexName[] = "BrokastaDrawingTest";

// A second tap on the shortcut brings the running test back to the front
// instead of leaving the user looking at nothing.
static void RaiseRunningInstance() {
    HWND running = FindWindowA(kBoardClassName, NULL);
    if (!running) return;
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
}

static bool RegisterBoardClass(HINSTANCE instance) {
    WNDCLASSEXA wc;
    memset(&wc, 0, sizeof(wc));
    wc.cbSize = sizeof(wc);
    // Double-clicks are among the events the test marks.
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = BoardWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_BROKASTA));
    wc.hIconSm = static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_BROKASTA), IMAGE_ICON, 16, 16, 0));
    wc.hCursor = LoadCursorA(NULL, IDC_CROSS);
    wc.lpszClassName = kBoardClassName;
    return RegisterClassExA(&wc) != 0;
}

// A borderless pop-up at (0,0) the size of the screen, so its client
// coordinates are screen coordinates.
static HWND CreateBoardWindow(HINSTANCE instance) {
    g_board.width = GetSystemMetrics(SM_CXSCREEN);
    g_board.height = GetSystemMetrics(SM_CYSCREEN);
    return CreateWindowExA(0, kBoardClassName, kBoardTitle, WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                           g_board.width, g_board.height, NULL, NULL, instance, NULL);
}

// Escape ends the test whichever button holds the keyboard focus.
static int RunMessageLoop() {
    MSG msg;
    BOOL got;
    while ((got = GetMessageA(&msg, NULL, 0, 0)) != 0) {
        if (got == -1) return 1;
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            DestroyWindow(g_board.window);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

extern "C" int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (shelf::AnotherInstanceHolds(kMutexName)) {
        RaiseRunningInstance();
        return 0;
    }
    if (!RegisterBoardClass(instance)) return 1;
    // WM_CREATE has told the user why when the window cannot be made.
    if (!CreateBoardWindow(instance)) return 1;
    ShowWindow(g_board.window, SW_SHOW);
    UpdateWindow(g_board.window);
    SetForegroundWindow(g_board.window);
    return RunMessageLoop();
}
