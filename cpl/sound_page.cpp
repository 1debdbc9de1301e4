// Sound page: placeholder until the page itself lands.
#include <windows.h>

#include "applet.h"

INT_PTR CALLBACK SoundPageProc(HWND page, UINT msg, WPARAM, LPARAM lParam) {
    if (msg == WM_NOTIFY) return HandlePageNotify(page, lParam);
    return FALSE;
}
