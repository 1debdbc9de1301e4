// Fennock's tool window: one push-like check box that shows the idle
// picture while armed and the pending picture, pressed, while the driver
// waits for the touch it will deliver as a right-button click.
#include "fennock.h"
#include "resource.h"

// Orders the worker. The dialog writes both words before it resumes the
// worker and after it suspends it, so the worker never sees half an order.
static void OrderWorker(HWND dialog, uint32_t command) {
    g_fennock.control.dialogWindow = dialog;
    g_fennock.control.command = command;
}

static void ShowSwitchState(HWND dialog, BOOL pending) {
    HBITMAP picture = pending ? g_fennock.pendingPicture : g_fennock.idlePicture;
    SendDlgItemMessageA(dialog, IDC_SWITCH_BUTTON, BM_SETIMAGE, IMAGE_BITMAP,
                        reinterpret_cast<LPARAM>(picture));
    CheckDlgButton(dialog, IDC_SWITCH_BUTTON, pending ? BST_CHECKED : BST_UNCHECKED);
}

static void OnInitDialog(HWND dialog) {
    g_fennock.armed = TRUE;
    ShowSwitchState(dialog, FALSE);
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

static void OnSwitchClicked(HWND dialog) {
    if (!g_fennock.armed || !StartRightButtonSwitch()) {
        // The automatic check box has toggled itself; keep it showing the
        // switch as it really is (down only while one is pending).
        CheckDlgButton(dialog, IDC_SWITCH_BUTTON, g_fennock.armed ? BST_UNCHECKED : BST_CHECKED);
        return;
    }
    g_fennock.armed = FALSE;
    ShowSwitchState(dialog, TRUE);
    if (!g_fennock.worker) return;
    OrderWorker(dialog, fennock::SWITCH_WATCH);
    ResumeThread(g_fennock.worker);
}

static void OnSwitchDone(HWND dialog) {
    ShowSwitchState(dialog, FALSE);
    g_fennock.armed = TRUE;
    if (!g_fennock.worker) return;
    SuspendThread(g_fennock.worker);
    OrderWorker(dialog, fennock::SWITCH_IDLE);
}

// Closing never cancels a pending switch in the driver: the next touch
// still becomes a right-button click, as the user asked.
static void OnClose(HWND dialog) {
    OrderWorker(dialog, fennock::SWITCH_QUIT);
    if (g_fennock.worker) ResumeThread(g_fennock.worker);
    EndDialog(dialog, 1);
}

INT_PTR CALLBACK SwitchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog(dialog);
        break;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_SWITCH_BUTTON && HIWORD(wParam) == BN_CLICKED)
            OnSwitchClicked(dialog);
        break;
    case WM_SWITCH_DONE:
        OnSwitchDone(dialog);
        break;
    case WM_CLOSE:
        OnClose(dialog);
        break;
    }
    return 0;
}
