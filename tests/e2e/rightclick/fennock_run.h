// A running Fennock.exe with its window and button, and the simulated
// driver's log read per process, for Fennock's end-to-end tests.
#ifndef FENNOCK_E2E_RUN_H
#define FENNOCK_E2E_RUN_H

#include <windows.h>

#include <string>

#include "harness.h"

const int kSwitchButtonId = 1003;

std::string FennockPath();

// Starts Fennock and waits for its window; the destructor closes it as a
// user does and, should it hang, ends it and fails the test.
class FennockRun {
public:
    FennockRun();
    ~FennockRun();
    FennockRun(const FennockRun &) = delete;
    FennockRun &operator=(const FennockRun &) = delete;

    bool Up() const { return window_ != NULL && button_ != NULL; }
    HWND Window() const { return window_; }
    HWND Button() const { return button_; }
    DWORD Pid() const { return process_.pid; }
    HANDLE Handle() const { return process_.handle; }

    void Touch() const;  // the button pressed and released, handled on return
    bool Pressed() const;
    HBITMAP Picture() const;
    // Polls the button every millisecond; true once it shows "up".
    bool WaitPoppedUp(DWORD ms) const;
    // Closes the window; true when the program ended within ms.
    bool Close(DWORD ms, DWORD *exitCode);

private:
    harness::Process process_;
    HWND window_ = NULL;
    HWND button_ = NULL;
};

// Requests the given process made, in all or of one control code.
int RequestsOf(DWORD pid);
int RequestsOf(DWORD pid, DWORD code);

// Kernel handles the process holds, from the system's handle list (Wine
// answers GetProcessHandleCount for other processes with 0); -1 on failure.
int HandleCountOf(DWORD pid);

// Milliseconds elapsed since a QueryPerformanceCounter reading.
double MillisecondsSince(const LARGE_INTEGER &start);
LARGE_INTEGER Now();

#endif
