// The Diagnostics page of the applet's sheet: whether the driver is there,
// the mouse mode and beep it holds beside the stored ones, the stored
// calibration in numbers and words, and, while "Show touches" is on, each
// raw touch the controller reports with the screen point the stored
// calibration makes of it. The watch asks the driver every 50 ms and only
// while it is on; it is switched off whenever the page is left or the sheet
// closes, and is off whenever the page is shown anew. Unlike the applet's
// other requests, the watch holds the device open while it is on, as the
// calibration program does: an open and close every 50 ms cost a busy
// system far more than the questions themselves.
#include <windows.h>
#include <prsht.h>

#include "applet.h"
#include "diagnostics_page.h"
#include "driver_device.h"
#include "resource.h"
#include "runtime.h"
#include "store_values.h"

namespace {

const UINT_PTR kWatchTimer = 1;
const UINT kWatchPeriodMs = 50;
const int kTextSize = 96;

DiagnosticsState *StateOf(HWND page) {
    return reinterpret_cast<DiagnosticsState *>(GetWindowLongPtrA(page, DWLP_USER));
}

void SetText(HWND page, int id, const char *text) { SetDlgItemTextA(page, id, text); }

// ---- the driver's values beside the store's ----

const store::ValueId kStoredKeys[4] = {store::kMouseMode, store::kBeepMode, store::kBeepFreq,
                                       store::kBeepTime};

void ShowModeRow(HWND page, bool known, DWORD now, bool stored, uint32_t storedMode,
                 bool *differs) {
    char text[kTextSize];
    bool differ = known && (!stored || storedMode != now);
    *differs = *differs || differ;
    if (known) diag::FormatMouseMode(text, sizeof(text), now, differ);
    SetText(page, IDC_DIAG_MODE_NOW, known ? text : "unknown");
    if (stored) diag::FormatMouseMode(text, sizeof(text), storedMode, false);
    SetText(page, IDC_DIAG_MODE_STORED, stored ? text : "missing");
}

void ShowBeepRow(HWND page, bool known, const BeepRecord &now, bool stored,
                 const BeepRecord &storedBeep, bool *differs) {
    char text[kTextSize];
    bool differ = known && (!stored || diag::BeepsDiffer(now, storedBeep));
    *differs = *differs || differ;
    if (known) diag::FormatBeep(text, sizeof(text), now, differ);
    SetText(page, IDC_DIAG_BEEP_NOW, known ? text : "unknown");
    if (stored) diag::FormatBeep(text, sizeof(text), storedBeep, false);
    SetText(page, IDC_DIAG_BEEP_STORED, stored ? text : "missing");
}

// Without the driver nothing is asked of it; the store is still shown.
void ShowInForce(HWND page, bool driverLoaded) {
    uint32_t stored[4];
    bool found[4];
    shelf::ReadStoreValues(kStoredKeys, 4, stored, found);
    DWORD mode = 0;
    BeepRecord beep = {0, 0, 0};
    bool modeKnown = driverLoaded && GetMouseMode(&mode);
    bool beepKnown = driverLoaded && GetBeep(&beep);
    const BeepRecord storedBeep = {stored[1], stored[2], stored[3]};
    bool differs = false;
    ShowModeRow(page, modeKnown, mode, found[0], stored[0], &differs);
    ShowBeepRow(page, beepKnown, beep, found[1] && found[2] && found[3], storedBeep, &differs);
    const char *summary = !driverLoaded ? ""
                          : differs     ? "* The driver holds values the store does not."
                                        : "The driver holds the stored values.";
    SetText(page, IDC_DIAG_DIFFERS, summary);
}

// ---- the stored calibration ----

void ShowCalibration(HWND page, DiagnosticsState *state) {
    state->calibrationStored = shelf::LoadCalibration(&state->calibration);
    const CalibrationRecord &record = state->calibration;
    char x[kTextSize] = "No calibration is stored.", y[kTextSize] = "", swap[kTextSize] = "",
         words[kTextSize] = "";
    if (state->calibrationStored) {
        diag::FormatEdges(x, sizeof(x), 'X', record.XLow, record.XHigh);
        diag::FormatEdges(y, sizeof(y), 'Y', record.YLow, record.YHigh);
        diag::FormatSwap(swap, sizeof(swap), record);
        diag::FormatDirections(words, sizeof(words), record);
    }
    SetText(page, IDC_DIAG_CAL_X, x);
    SetText(page, IDC_DIAG_CAL_Y, y);
    SetText(page, IDC_DIAG_CAL_SWAP, swap);
    SetText(page, IDC_DIAG_CAL_WORDS, words);
}

// ---- the watch on raw touches ----

void ShowNoTouch(HWND page, DiagnosticsState *state) {
    diag::ClearHistory(&state->history);
    rt::Copy(state->agoShown, sizeof(state->agoShown), "Last touch: none yet");
    SetText(page, IDC_DIAG_RAW, "Raw: -");
    SetText(page, IDC_DIAG_SCREEN, "Screen: -");
    SetText(page, IDC_DIAG_COUNT, "Touches: 0");
    SetText(page, IDC_DIAG_AGO, state->agoShown);
    InvalidateRect(GetDlgItem(page, IDC_DIAG_PANEL), NULL, TRUE);
}

void ShowTouch(HWND page, DiagnosticsState *state, const RawPointReply &reply) {
    const diag::RawTouch touch = {reply.rawX, reply.rawY};
    diag::AddTouch(&state->history, touch, GetTickCount());
    calmodel::ScreenPoint point = {0, 0};
    bool mapped = state->calibrationStored &&
                  calmodel::MapRawPoint(state->calibration, touch.x, touch.y,
                                        GetSystemMetrics(SM_CXSCREEN),
                                        GetSystemMetrics(SM_CYSCREEN), &point);
    char text[kTextSize];
    diag::FormatRaw(text, sizeof(text), touch);
    SetText(page, IDC_DIAG_RAW, text);
    diag::FormatScreen(text, sizeof(text), mapped ? &point : NULL);
    SetText(page, IDC_DIAG_SCREEN, text);
    diag::FormatCount(text, sizeof(text), state->history.total);
    SetText(page, IDC_DIAG_COUNT, text);
    InvalidateRect(GetDlgItem(page, IDC_DIAG_PANEL), NULL, TRUE);
}

// Rewritten only when the words change: once a second, not every tick.
void ShowAge(HWND page, DiagnosticsState *state) {
    if (state->history.total == 0) return;
    char text[sizeof(state->agoShown)];
    diag::FormatAgo(text, sizeof(text), GetTickCount(), state->history.lastMs);
    if (lstrcmpA(text, state->agoShown) == 0) return;
    rt::Copy(state->agoShown, sizeof(state->agoShown), text);
    SetText(page, IDC_DIAG_AGO, text);
}

bool Request(DiagnosticsState *state, DWORD code, void *output, DWORD outputSize) {
    return shelf::RequestOn(state->device, code, NULL, 0, output, outputSize).outcome ==
           shelf::kDone;
}

void StartCapture(DiagnosticsState *state) {
    diag::CaptureStarted(&state->watch, Request(state, IOCTL_TOUCH_START_RAW_CAPTURE, NULL, 0));
}

// One request per tick; a delivered touch arms the next capture at once,
// so no touch goes by between two ticks unasked.
void OnWatchTick(HWND page, DiagnosticsState *state) {
    switch (diag::NextStep(state->watch)) {
    case diag::kStartCapture:
        StartCapture(state);
        break;
    case diag::kAskRawPoint: {
        RawPointReply reply = diag::PresetReply();
        bool answered = Request(state, IOCTL_TOUCH_GET_RAW_POINT, &reply, sizeof(reply));
        if (diag::TouchDelivered(&state->watch, answered, reply)) {
            ShowTouch(page, state, reply);
            StartCapture(state);
        }
        break;
    }
    case diag::kNothing:
        return;
    }
    ShowAge(page, state);
}

void StopWatching(HWND page, DiagnosticsState *state) {
    KillTimer(page, kWatchTimer);
    diag::SwitchOff(&state->watch);
    if (state->device) CloseHandle(state->device);
    state->device = NULL;
    CheckDlgButton(page, IDC_DIAG_SHOW, BST_UNCHECKED);
}

// A driver gone since the page was shown leaves the box off.
void StartWatching(HWND page, DiagnosticsState *state) {
    HANDLE device = shelf::OpenDriverDevice();
    if (device == INVALID_HANDLE_VALUE) {
        StopWatching(page, state);
        return;
    }
    state->device = device;
    ShowNoTouch(page, state);
    diag::SwitchOn(&state->watch);
    StartCapture(state);
    SetTimer(page, kWatchTimer, kWatchPeriodMs, NULL);
}

// The box is offered only while the page saw the driver: without it the
// page sends nothing, even when the box is made to notify.
void OnShowTouchesClicked(HWND page, DiagnosticsState *state) {
    bool wanted = IsDlgButtonChecked(page, IDC_DIAG_SHOW) == BST_CHECKED;
    if (wanted && state->driverLoaded && !state->watch.on) StartWatching(page, state);
    else if (!wanted || !state->driverLoaded) StopWatching(page, state);
}

// ---- the page ----

// Each showing starts afresh: the watch off, everything read anew.
void OnDiagnosticsShown(HWND page, DiagnosticsState *state) {
    StopWatching(page, state);
    state->driverLoaded = shelf::DriverPresent();
    SetText(page, IDC_DIAG_DRIVER, state->driverLoaded
                                       ? "Driver: loaded"
                                       : "Driver: not loaded, so nothing is asked of it.");
    EnableWindow(GetDlgItem(page, IDC_DIAG_SHOW), state->driverLoaded);
    ShowInForce(page, state->driverLoaded);
    ShowCalibration(page, state);
    ShowNoTouch(page, state);
}

INT_PTR OnDiagnosticsNotify(HWND page, DiagnosticsState *state, LPARAM lParam) {
    switch (reinterpret_cast<const NMHDR *>(lParam)->code) {
    case PSN_SETACTIVE:
        OnDiagnosticsShown(page, state);
        break;
    case PSN_KILLACTIVE:
    case PSN_APPLY:
    case PSN_QUERYCANCEL:
    case PSN_RESET:
        StopWatching(page, state);
        break;
    }
    return HandlePageNotify(page, lParam);
}

// Without its state the page stays as its template shows it, offering nothing.
void OnDiagnosticsInit(HWND page) {
    void *memory = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(DiagnosticsState));
    SetWindowLongPtrA(page, DWLP_USER, reinterpret_cast<LONG_PTR>(memory));
    if (!memory) EnableWindow(GetDlgItem(page, IDC_DIAG_SHOW), FALSE);
}

BOOL OnDiagnosticsCommand(HWND page, DiagnosticsState *state, WPARAM wParam) {
    if (LOWORD(wParam) != IDC_DIAG_SHOW || HIWORD(wParam) != BN_CLICKED) return FALSE;
    OnShowTouchesClicked(page, state);
    return TRUE;
}

BOOL OnDiagnosticsDrawItem(DiagnosticsState *state, WPARAM id, LPARAM item) {
    if (id != IDC_DIAG_PANEL) return FALSE;
    PaintPanel(reinterpret_cast<const DRAWITEMSTRUCT *>(item), state->history);
    return TRUE;
}

void OnDiagnosticsDestroy(HWND page, DiagnosticsState *state) {
    StopWatching(page, state);
    SetWindowLongPtrA(page, DWLP_USER, 0);
    HeapFree(GetProcessHeap(), 0, state);
}

}  // namespace

INT_PTR CALLBACK DiagnosticsPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
    DiagnosticsState *state = StateOf(page);
    if (msg == WM_INITDIALOG) {
        OnDiagnosticsInit(page);
        return FALSE;
    }
    if (!state) return msg == WM_NOTIFY ? HandlePageNotify(page, lParam) : FALSE;
    switch (msg) {
    case WM_NOTIFY:
        return OnDiagnosticsNotify(page, state, lParam);
    case WM_COMMAND:
        return OnDiagnosticsCommand(page, state, wParam);
    case WM_TIMER:
        if (wParam == kWatchTimer) OnWatchTick(page, state);
        return TRUE;
    case WM_DRAWITEM:
        return OnDiagnosticsDrawItem(state, wParam, lParam);
    case WM_DESTROY:
        OnDiagnosticsDestroy(page, state);
        return FALSE;
    }
    return FALSE;
}
