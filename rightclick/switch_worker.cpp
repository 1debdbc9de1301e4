// Fennock's watch loop: the worker's half of the lock-free hand-over with
// the dialog (see switch_worker.h).
#include "switch_worker.h"

namespace fennock {

// Marks the switch over. The dialog may have written SWITCH_QUIT while the
// query ran (the window was closed); an exchange instead of a plain store
// keeps that order from being lost. Returns false when it was QUIT.
static bool MarkIdle(volatile uint32_t *command) {
    uint32_t before = __atomic_exchange_n(command, uint32_t(SWITCH_IDLE), __ATOMIC_SEQ_CST);
    if (before != SWITCH_QUIT) return true;
    *command = SWITCH_QUIT;
    return false;
}

uint32_t RunSwitchWorker(volatile uint32_t *command, const WorkerOps &ops) {
    for (;;) {
        uint32_t order = *command;
        if (order == SWITCH_QUIT) return kWorkerExitCode;
        if (order != SWITCH_WATCH) continue;  // idle: the dialog suspends us shortly
        if (ops.switchIsOver(ops.context)) {
            if (!MarkIdle(command)) return kWorkerExitCode;
            ops.reportDone(ops.context);
        }
        ops.pause(ops.context);
    }
}

bool QueryMeansOver(bool requestSucceeded, uint32_t bytesReturned, uint32_t answer) {
    if (!requestSucceeded || bytesReturned < sizeof(answer)) return true;
    return answer == 1;
}

}  // namespace fennock
