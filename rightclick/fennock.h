// Fennock's module-wide state and the pieces its files share: the record
// handed to the worker thread, the driver requests and the dialog.
#ifndef FENNOCK_FENNOCK_H
#define FENNOCK_FENNOCK_H

#include <windows.h>

#include "switch_worker.h"

// Posted by the worker when the driver reports the right-button touch over.
#define WM_SWITCH_DONE (WM_USER + 100)

// Shared by the dialog and the worker without a lock: each field is one
// aligned word written whole by one side and read whole by the other.
// volatile makes every pass of either side read the word from memory.
struct SwitchControl {
    HWND volatile dialogWindow;
    volatile uint32_t command;
};

struct FennockState {
    SwitchControl control;
    HANDLE worker;          // created suspended; null when it could not be made
    HBITMAP idlePicture;
    HBITMAP pendingPicture;
    BOOL armed;             // true while no switch is pending
};

extern FennockState g_fennock;

// Driver requests; each opens the device, makes one request and closes.
BOOL StartRightButtonSwitch();
BOOL RightButtonSwitchIsOver();

// The worker thread's entry; its parameter is the SwitchControl.
DWORD WINAPI SwitchWorkerThread(LPVOID parameter);

INT_PTR CALLBACK SwitchDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

#endif
