// The Sound page of the applet's sheet: when the driver beeps, the tone
// and the duration. Unlike the other pages it hands every change to the
// driver at once, through the library's own SetBeep, so the user can touch
// the screen and hear the result before pressing OK; Cancel's reload
// request makes the driver drop these live changes again.
#include <windows.h>
#include <commctrl.h>

#include "applet.h"
#include "page_controls.h"
#include "page_rules.h"
#include "resource.h"

// Without the driver SetBeep fails; the page says nothing and keeps the
// user's choice, which OK still saves.
static void SendBeepSettings() {
    SetBeep(ProfileSettings.BeepMode, ProfileSettings.BeepFreq, ProfileSettings.BeepTime);
}

static void FillBeepModeList(HWND page) {
    HWND list = GetDlgItem(page, IDC_BEEP_MODE);
    SendMessageA(list, CB_RESETCONTENT, 0, 0);
    // In beep-mode order: the index of an entry is the mode it stands for.
    for (uint32_t mode = 0; pages::BeepModeName(mode); ++mode)
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pages::BeepModeName(mode)));
    SendMessageA(list, CB_SETCURSEL, ProfileSettings.BeepMode, 0);
}

// Nothing reaches the driver while the page is set up.
static void InitSoundPage(HWND page) {
    SetUpTrackbar(page, IDC_BEEP_TONE, pages::ToneScale(), ProfileSettings.BeepFreq);
    SetUpTrackbar(page, IDC_BEEP_DURATION, pages::DurationScale(), ProfileSettings.BeepTime);
    FillBeepModeList(page);
}

static BOOL OnSoundCommand(HWND page, WPARAM wParam) {
    if (LOWORD(wParam) != IDC_BEEP_MODE || HIWORD(wParam) != CBN_SELENDOK) return FALSE;
    LRESULT index = SendDlgItemMessageA(page, IDC_BEEP_MODE, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return TRUE;  // no entry chosen: keep the mode
    ProfileSettings.BeepMode = static_cast<DWORD>(index);
    SendBeepSettings();
    return TRUE;
}

// Comes for every scroll code, thumb tracking included, so a drag sends
// one request for each movement the trackbar reports.
static void OnSoundHScroll(HWND page, LPARAM source) {
    if (IsFromControl(page, IDC_BEEP_TONE, source)) {
        ProfileSettings.BeepFreq = TrackbarPosition(page, IDC_BEEP_TONE);
    } else if (IsFromControl(page, IDC_BEEP_DURATION, source)) {
        ProfileSettings.BeepTime = TrackbarPosition(page, IDC_BEEP_DURATION);
    } else {
        return;
    }
    SendBeepSettings();
}

INT_PTR CALLBACK SoundPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_INITDIALOG:
        InitSoundPage(page);
        return FALSE;
    case WM_COMMAND:
        return OnSoundCommand(page, wParam);
    case WM_HSCROLL:
        OnSoundHScroll(page, lParam);
        return TRUE;
    case WM_NOTIFY:
        return HandlePageNotify(page, lParam);
    }
    return FALSE;
}
