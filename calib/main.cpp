// Durmasel.exe: the full-screen three-point calibration of the touchscreen.
// One instance at a time; no arguments; the exit code is always 0.
#include "durmasel.h"
#include "resource.h"
#include "single_instance.h"

ProgramState g_state;

static BOOL RegisterMainClass(const char *className) {
    WNDCLASSEXA wc;
    memset(&wc, 0, sizeof(wc));
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = g_state.instance;
    wc.hIcon = LoadIconA(g_state.instance, MAKEINTRESOURCEA(IDI_DURMASEL));
    wc.hIconSm = static_cast<HICON>(LoadImageA(g_state.instance, MAKEINTRESOURCEA(IDI_DURMASEL),
                                               IMAGE_ICON, 16, 16, 0));
    wc.hCursor = g_state.blankCursor;
    wc.hbrBackground = CreateSolidBrush(BACKGROUND_COLOUR);
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) != 0;
}

static BOOL CreateWindows(const char *className) {
    g_state.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    g_state.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    // A pop-up given CW_USEDEFAULT is placed at 0,0.
    HWND main = CreateWindowExA(0, className, NULL, WS_POPUP | WS_DLGFRAME, CW_USEDEFAULT, 0,
                                g_state.screenWidth, g_state.screenHeight, NULL, NULL,
                                g_state.instance, NULL);
    if (!main) return FALSE;
    const calib::ScreenPoint box = calib::PromptOrigin(g_state.screenWidth, g_state.screenHeight);
    g_state.promptBox = CreateWindowExA(0, "BUTTON", "", WS_CHILD | BS_GROUPBOX, box.x, box.y,
                                        calib::kPromptWidth, calib::kPromptHeight, main, NULL,
                                        g_state.instance, NULL);
    ShowWindow(g_state.promptBox, SW_SHOWNORMAL);
    UpdateWindow(g_state.promptBox);
    return TRUE;
}

extern "C" int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    if (shelf::AnotherInstanceHolds("VadUveru")) return 0;
    g_state.instance = instance;
    g_state.device = INVALID_HANDLE_VALUE;
    g_state.shownTarget = -1;
    char className[101];
    if (!LoadStringA(instance, IDS_CLASS_NAME, className, sizeof(className))) return 0;
    g_state.blankCursor = LoadCursorA(instance, MAKEINTRESOURCEA(IDC_BLANK));
    g_state.arrowCursor = LoadCursorA(NULL, IDC_ARROW);
    RegisterMainClass(className);
    if (!CreateWindows(className)) return 0;
    MSG msg;
    msg.wParam = 0;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
