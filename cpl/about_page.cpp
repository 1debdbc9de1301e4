// The sheet's last page: product name, version, maker and logo, all fixed
// in the dialog. It takes part in OK and Cancel like every page.
#include <windows.h>

#include "applet.h"

INT_PTR CALLBACK AboutPageProc(HWND page, UINT msg, WPARAM, LPARAM lParam) {
    switch (msg) {
    case WM_NOTIFY:
        return HandlePageNotify(page, lParam);
    default:
        return FALSE;
    }
}
