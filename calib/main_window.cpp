// The full-screen main window: it opens the driver when it is made, draws
// the prompt, and runs the calibration runs until the user accepts a
// result, presses Escape, lets the time limit pass or another program
// closes the window.
#include "durmasel.h"

#include "driver_device.h"

static LRESULT OnCreate(HWND window) {
    g_state.mainWindow = window;
    g_state.device = shelf::OpenDriverDevice();
    if (g_state.device == INVALID_HANDLE_VALUE) {
        MessageBoxA(window, "Fatal Error:Touchscreen device driver not loaded!",
                    "Orvantix-Durmasel", MB_ICONWARNING);
        PostQuitMessage(0);
        return 0;
    }
    ShowWindow(window, SW_SHOWMAXIMIZED);
    UpdateWindow(window);
    g_state.savedModeValid = GetTouchMouseMode(g_state.device, &g_state.savedMouseMode);
    SetTouchMouseMode(g_state.device, MOUSE_MODE_DOUBLE_CLICK_DRAG);
    PostMessageA(window, WM_CALIB_START, 0, 0);
    return 0;
}

// Nothing is drawn here: the targets are drawn by the run itself and the
// prompt by its own message, so that a repaint never disturbs a target.
static LRESULT OnPaint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
    PostMessageA(window, WM_CALIB_PROMPT, 0, 0);
    return 0;
}

static LRESULT OnPrompt(void) {
    // Without its box the prompt would land on the desktop's context.
    if (!g_state.promptBox) return 0;
    RECT area;
    GetClientRect(g_state.promptBox, &area);
    HDC dc = GetDC(g_state.promptBox);
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc,
              g_state.touchesMissed ? "\nA touch missed its target. Please try again."
                                    : "\nTouch screen targets from a position of normal use.",
              -1, &area, DT_CENTER | DT_VCENTER);
    DrawTextA(dc, "\n\n\nPress <ESC> key to quit.", -1, &area, DT_CENTER);
    ReleaseDC(g_state.promptBox, dc);
    return 0;
}

// Switches the prompt's first line. The window is repainted at once, so
// its paint queues the new prompt ahead of anything posted afterwards.
static void ShowTouchesMissed(HWND window, BOOL missed) {
    if (g_state.touchesMissed == missed) return;
    g_state.touchesMissed = missed;
    RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

static void StartRunTimer(HWND window) {
    g_state.ticks = 0;
    g_state.aborted = FALSE;
    g_state.timerId = SetTimer(window, CALIB_TIMER_ID, CALIB_TIMER_PERIOD_MS, NULL);
    if (!g_state.timerId)
        MessageBoxA(NULL, "Could not create a timer!", GENERAL_CAPTION, MB_ICONWARNING);
}

static void SetTopmost(HWND window, BOOL topmost) {
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

// The window goes first so its WM_DESTROY posts the quit message. A
// calibration nobody confirmed must not outlive the program: the driver
// reads its stored parameters again, and since they hold a mouse mode too,
// that comes before the driver's own mode is given back (only when it
// could be read).
static void EndProgram(HWND window) {
    DestroyWindow(window);
    if (g_state.device != INVALID_HANDLE_VALUE) {
        if (g_state.unconfirmed) ReloadTouchParameters(g_state.device);
        g_state.unconfirmed = FALSE;
        if (g_state.savedModeValid) SetTouchMouseMode(g_state.device, g_state.savedMouseMode);
        CloseHandle(g_state.device);
        g_state.device = INVALID_HANDLE_VALUE;
    }
}

enum RunOutcome { kRunEnded, kRunRefused, kRunTransferred };

// The targets, and the transfer of a run that can be trusted. A run whose
// touches do not fit the targets is never handed to the driver.
static RunOutcome RunTargets(HWND window) {
    StartRunTimer(window);
    SetCursor(g_state.blankCursor);
    SetTopmost(window, TRUE);
    RunOutcome outcome = kRunEnded;
    if (RunTargetSequence()) {
        if (!calib::RunIsSound(g_state.rawPoints))
            outcome = kRunRefused;
        else if (ComputeAndTransfer())
            outcome = kRunTransferred;
    }
    SetTopmost(window, FALSE);
    SetCursor(g_state.arrowCursor);
    return outcome;
}

// TRUE when the answer was No, given by the user or by the time limit.
static BOOL RejectedByUser(HWND window) {
    g_state.unconfirmed = TRUE;
    const int answer = AskCheckQuestion(window);
    if (answer == IDNO) return TRUE;
    // Only a real Yes is saved: a question that could not be shown must
    // not store a calibration nobody has checked.
    if (answer == IDYES) {
        g_state.unconfirmed = FALSE;
        SaveAcceptedRecord();
    }
    return FALSE;
}

// A refused run and the answer No start a fresh run with the same window
// and the same open device; everything else ends the program.
static LRESULT OnCalibStart(HWND window) {
    g_state.runActive = TRUE;
    const RunOutcome outcome = RunTargets(window);
    ShowTouchesMissed(window, outcome == kRunRefused);
    BOOL again = outcome == kRunRefused;
    if (outcome == kRunTransferred) again = RejectedByUser(window);
    g_state.runActive = FALSE;
    if (again && !g_state.closeRequested)
        PostMessageA(window, WM_CALIB_START, 0, 0);
    else
        EndProgram(window);
    return 0;
}

// Another program may close the window at any time. A run ends as Escape
// ends it and an open question is answered No, so the run's own ending
// gives the driver back; outside a run the program ends here.
static LRESULT OnClose(HWND window) {
    g_state.closeRequested = TRUE;
    g_state.aborted = TRUE;
    AnswerQuestionNo();
    if (!g_state.runActive) EndProgram(window);
    return 0;
}

static LRESULT OnEraseBackground(HWND window, WPARAM wParam, LPARAM lParam) {
    const LRESULT erased = DefWindowProcA(window, WM_ERASEBKGND, wParam, lParam);
    RedrawCurrentTarget(reinterpret_cast<HDC>(wParam));
    // The prompt message would be dropped while a touch is awaited.
    if (g_state.shownTarget >= 0) OnPrompt();
    return erased;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_CLOSE: return OnClose(window);
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_PAINT: return OnPaint(window);
    case WM_ERASEBKGND: return OnEraseBackground(window, wParam, lParam);
    case WM_CALIB_PROMPT: return OnPrompt();
    case WM_CALIB_START: return OnCalibStart(window);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
