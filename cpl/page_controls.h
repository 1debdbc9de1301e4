// Small window helpers the Settings and Sound pages share: setting up a
// trackbar from its scale and reading the position of a page's trackbar.
#ifndef PEMROSKO_PAGE_CONTROLS_H
#define PEMROSKO_PAGE_CONTROLS_H

#include <windows.h>
#include <commctrl.h>

#include "page_rules.h"

// Range, tick marks and position, in that order, each redrawn at once.
// Line and page sizes keep the trackbar's defaults.
inline void SetUpTrackbar(HWND page, int id, const pages::Scale &scale, DWORD position) {
    HWND trackbar = GetDlgItem(page, id);
    SendMessageA(trackbar, TBM_SETRANGE, TRUE, MAKELPARAM(scale.low, scale.high));
    SendMessageA(trackbar, TBM_SETTICFREQ, scale.tickFrequency, scale.tickArgument);
    SendMessageA(trackbar, TBM_SETPOS, TRUE, position);
}

// The scroll message came from the page's control id (compared by handle).
inline bool IsFromControl(HWND page, int id, LPARAM scrollSource) {
    return scrollSource != 0 && reinterpret_cast<HWND>(scrollSource) == GetDlgItem(page, id);
}

inline DWORD TrackbarPosition(HWND page, int id) {
    return static_cast<DWORD>(SendDlgItemMessageA(page, id, TBM_GETPOS, 0, 0));
}

#endif
