// A small program for the harness's own tests:
//   harness_fixture box    - an OK/Cancel message box; exits with the answer
//   harness_fixture sheet  - a two-page property sheet; OK saves page one's
//                            check box and trackbar under HKCU\FIXTURE_KEY
#include <windows.h>
#include <commctrl.h>

#include <string.h>

#include "fixture.h"

namespace {

HINSTANCE g_instance;

void SavePageOne(HWND page) {
    HKEY key = NULL;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, FIXTURE_KEY, 0, NULL, 0, KEY_SET_VALUE, NULL, &key, NULL)) return;
    DWORD track = (DWORD)SendDlgItemMessageA(page, IDC_FIXTURE_TRACK, TBM_GETPOS, 0, 0);
    DWORD check = IsDlgButtonChecked(page, IDC_FIXTURE_CHECK) == BST_CHECKED;
    RegSetValueExA(key, "Track", 0, REG_DWORD, (const BYTE *)&track, sizeof(track));
    RegSetValueExA(key, "Check", 0, REG_DWORD, (const BYTE *)&check, sizeof(check));
    RegCloseKey(key);
}

void ShowPosition(HWND page) {
    LRESULT position = SendDlgItemMessageA(page, IDC_FIXTURE_TRACK, TBM_GETPOS, 0, 0);
    SetDlgItemInt(page, IDC_FIXTURE_POSITION, (UINT)position, FALSE);
}

INT_PTR CALLBACK PageOneProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(page, IDC_FIXTURE_TRACK, TBM_SETRANGE, TRUE, MAKELONG(0, 10));
        return TRUE;
    case WM_HSCROLL:
        ShowPosition(page);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_FIXTURE_INNER)
            MessageBoxA(page, "Inner box", FIXTURE_INNER_CAPTION, MB_OK);
        return TRUE;
    case WM_NOTIFY:
        if (((NMHDR *)lParam)->code == PSN_APPLY) SavePageOne(page);
        return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK PageTwoProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

int RunSheet() {
    InitCommonControls();
    PROPSHEETPAGEA pages[2];
    memset(pages, 0, sizeof(pages));
    const int templates[2] = {IDD_FIXTURE_ONE, IDD_FIXTURE_TWO};
    const DLGPROC procs[2] = {PageOneProc, PageTwoProc};
    for (int i = 0; i < 2; ++i) {
        pages[i].dwSize = sizeof(pages[i]);
        pages[i].hInstance = g_instance;
        pages[i].pszTemplate = MAKEINTRESOURCEA(templates[i]);
        pages[i].pfnDlgProc = procs[i];
    }
    PROPSHEETHEADERA header;
    memset(&header, 0, sizeof(header));
    header.dwSize = sizeof(header);
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW;
    header.hInstance = g_instance;
    header.pszCaption = FIXTURE_SHEET_CAPTION;
    header.nPages = 2;
    header.ppsp = pages;
    return (int)PropertySheetA(&header);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    g_instance = instance;
    if (strstr(commandLine, "sheet")) return RunSheet() > 0 ? 1 : 0;
    return MessageBoxA(NULL, FIXTURE_BOX_TEXT, FIXTURE_BOX_CAPTION, MB_OKCANCEL);
}
