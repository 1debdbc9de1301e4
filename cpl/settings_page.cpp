// The Settings page of the applet's sheet: mouse mode, double-click range,
// drag delay and serial port. Every change goes into ProfileSettings only;
// the sheet saves on OK and the driver takes the values on the reload that
// follows, so nothing here talks to the driver.
#include <windows.h>
#include <commctrl.h>

#include "applet.h"
#include "com_ports.h"
#include "page_controls.h"
#include "page_rules.h"
#include "resource.h"

// Switched in this order; the first three belong to the double-click
// range, the rest to the drag delay.
static const int kDoubleClickControls[] = {IDC_DBLCLICK_LABEL, IDC_DBLCLICK_EDIT, IDC_DBLCLICK_UPDOWN};
static const int kDragDelayControls[] = {IDC_DRAG_GROUP, IDC_DRAG_DELAY, IDC_DRAG_SHORT, IDC_DRAG_LONG};

static void EnableControls(HWND page, const int *ids, int count, bool enable) {
    for (int i = 0; i < count; ++i) EnableWindow(GetDlgItem(page, ids[i]), enable ? TRUE : FALSE);
}

static void UpdateModeControls(HWND page, DWORD mode) {
    pages::ModeControls usable = pages::ControlsForMode(mode);
    EnableControls(page, kDoubleClickControls, ARRAYSIZE(kDoubleClickControls), usable.doubleClickRange);
    EnableControls(page, kDragDelayControls, ARRAYSIZE(kDragDelayControls), usable.dragDelay);
}

// A stored port that is not present leaves the list without a selection
// and the setting as it was loaded.
static void FillPortList(HWND page) {
    shelf::FillPortList(GetDlgItem(page, IDC_PORT_LIST), ProfileSettings.Port);
}

static void InitDoubleClickRange(HWND page) {
    pages::Scale scale = pages::DoubleClickScale();
    HWND updown = GetDlgItem(page, IDC_DBLCLICK_UPDOWN);
    SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(page, IDC_DBLCLICK_EDIT)), 0);
    // Upper limit in the low word, so the up arrow makes the number larger.
    SendMessageA(updown, UDM_SETRANGE, 0, MAKELPARAM(scale.high, scale.low));
    SendMessageA(updown, UDM_SETPOS, 0, MAKELPARAM(ProfileSettings.DblClickRegion, 0));
}

static void InitSettingsPage(HWND page) {
    InitDoubleClickRange(page);
    SetUpTrackbar(page, IDC_DRAG_DELAY, pages::DragDelayScale(), ProfileSettings.DragDelay);
    DWORD mode = pages::NormalisedMouseMode(ProfileSettings.MouseMode);
    CheckRadioButton(page, IDC_MODE_CLICK_ON_TOUCH, IDC_MODE_DOUBLE_CLICK_DRAG,
                     IDC_MODE_CLICK_ON_TOUCH + static_cast<int>(mode));
    UpdateModeControls(page, mode);
    FillPortList(page);
}

static void OnModeClicked(HWND page, int id) {
    CheckRadioButton(page, IDC_MODE_CLICK_ON_TOUCH, IDC_MODE_DOUBLE_CLICK_DRAG, id);
    ProfileSettings.MouseMode = static_cast<DWORD>(id - IDC_MODE_CLICK_ON_TOUCH);
    UpdateModeControls(page, ProfileSettings.MouseMode);
}

static void OnPortChosen(HWND page) {
    LRESULT index = SendDlgItemMessageA(page, IDC_PORT_LIST, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return;  // nothing chosen: keep the loaded port
    ProfileSettings.Port = static_cast<DWORD>(SendDlgItemMessageA(page, IDC_PORT_LIST, CB_GETITEMDATA, index, 0));
}

static BOOL OnSettingsCommand(HWND page, WPARAM wParam) {
    int id = LOWORD(wParam);
    UINT code = HIWORD(wParam);
    if (code == BN_CLICKED && id >= IDC_MODE_CLICK_ON_TOUCH && id <= IDC_MODE_DOUBLE_CLICK_DRAG) {
        OnModeClicked(page, id);
        return TRUE;
    }
    if (code == CBN_SELENDOK && id == IDC_PORT_LIST) {
        OnPortChosen(page);
        return TRUE;
    }
    return FALSE;
}

// Every scroll code counts, thumb tracking included.
static void OnSettingsHScroll(HWND page, LPARAM source) {
    if (IsFromControl(page, IDC_DRAG_DELAY, source))
        ProfileSettings.DragDelay = TrackbarPosition(page, IDC_DRAG_DELAY);
}

static void OnSettingsVScroll(HWND page, LPARAM source) {
    if (!IsFromControl(page, IDC_DBLCLICK_UPDOWN, source)) return;
    LRESULT position = SendDlgItemMessageA(page, IDC_DBLCLICK_UPDOWN, UDM_GETPOS, 0, 0);
    if (HIWORD(position) == 0) ProfileSettings.DblClickRegion = LOWORD(position);
}

INT_PTR CALLBACK SettingsPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        InitSettingsPage(page);
        return FALSE;
    case WM_COMMAND:
        return OnSettingsCommand(page, wParam);
    case WM_HSCROLL:
        OnSettingsHScroll(page, lParam);
        return TRUE;
    case WM_VSCROLL:
        OnSettingsVScroll(page, lParam);
        return TRUE;
    case WM_NOTIFY:
        return HandlePageNotify(page, lParam);
    }
    return FALSE;
}
