// The watch loop of Fennock's worker thread, kept free of windows.h so the
// same code runs in the native unit tests. The dialog and the worker share
// the command word without a lock; the loop reads it afresh on every pass.
#ifndef FENNOCK_SWITCH_WORKER_H
#define FENNOCK_SWITCH_WORKER_H

#include <stdint.h>

namespace fennock {

// What the dialog asks of the worker. Odd values on purpose: a stray word
// never reads as an order.
enum SwitchCommand : uint32_t {
    SWITCH_IDLE = 8634,   // nothing to do; the dialog keeps the worker suspended
    SWITCH_WATCH = 3421,  // poll the driver until the right-button touch is over
    SWITCH_QUIT = 7843,   // end the thread
};

const uint32_t kPollIntervalMs = 50;
const uint32_t kWorkerExitCode = 1;

// The worker's dealings with the outside world, given as plain functions so
// the Win32 side and the tests each plug in their own.
struct WorkerOps {
    void *context;
    bool (*switchIsOver)(void *context);  // one query of the driver
    void (*reportDone)(void *context);    // tell the dialog the switch is over
    void (*pause)(void *context);         // wait one poll interval
};

// Runs until the command word reads SWITCH_QUIT; returns the thread's exit
// code. While the word reads SWITCH_WATCH it polls, pausing after every
// query; on "over" it sets SWITCH_IDLE before it reports, so the dialog
// never sees the report while the word still says WATCH.
uint32_t RunSwitchWorker(volatile uint32_t *command, const WorkerOps &ops);

// Whether one answer of the driver's right-button query means the switch
// is over. A request that failed or delivered less than a full word counts
// as over: the program cannot learn the state, and a button stuck down
// with endless polling helps nobody.
bool QueryMeansOver(bool requestSucceeded, uint32_t bytesReturned, uint32_t answer);

}  // namespace fennock

#endif
