// Helpers for driving Durmasel.exe against the simulated driver: keep and
// give back the parameter store, start the program, touch its targets the
// way the driver reports raw touches, and answer its check question.
#ifndef DURMASEL_SESSION_H
#define DURMASEL_SESSION_H

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "harness.h"

namespace durmasel_test {

extern const char kServiceKey[];
extern const char kParamKey[];

// How long any one step of the program may take under Wine.
const DWORD kStepMs = 15000;

struct RawTouch {
    DWORD x;
    DWORD y;
};

using harness::StoreSnapshot;

// All values of the Parameters key as name=number.
std::map<std::string, DWORD> StoreValues();

// One running Durmasel; killed on destruction if a test left it running.
class Durmasel {
public:
    Durmasel() = default;
    ~Durmasel() { Stop(); }
    // Starts the program; false when it could not be started.
    bool Launch();
    // Starts the program; false when no main window appeared.
    bool Start();
    HWND Window() const { return window_; }
    harness::Process &Process() { return process_; }

    // Waits for the n-th raw capture start (1-based, counted over the log).
    bool WaitForCapture(int n);
    // Queues the raw point and releases the button, then waits until the
    // program asked the driver for it.
    bool Touch(const RawTouch &touch);
    // The three touches of one run; captureBase is the number of raw
    // capture starts sent before this run.
    bool TouchAll(const RawTouch touches[3], int captureBase);
    // Waits for the check question and answers it (IDYES or IDNO).
    bool Answer(int button);
    bool WaitExit(DWORD *code);
    // Ends the program if a failed test left it running.
    void Stop();

private:
    harness::Process process_;
    HWND window_ = NULL;
};

// Requests of one control code in the simulator's log.
std::vector<harness::sim::LogEntry> LogOf(DWORD code);

bool IsTargetColour(COLORREF colour);
bool IsBackgroundColour(COLORREF colour);

}  // namespace durmasel_test

#endif
