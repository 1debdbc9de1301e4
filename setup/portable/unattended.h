// Setup's unattended mode for technicians: the "/S" command line, its
// switches and the exit codes a script can test. Portable (no windows.h),
// so the parsing rules are unit-tested natively.
#ifndef SETUP_UNATTENDED_H
#define SETUP_UNATTENDED_H

#include <stddef.h>

#include "flow.h"

namespace unattended {

// Exit codes, the Windows Installer's where it has one.
enum ExitCode {
    kDone = 0,
    kRefused = 1,       // installed already (install) or not installed (removal)
    kBadSwitches = 2,   // nothing written
    kUnsupportedWindows = 3,  // nothing written
    kNotWritten = 4,    // something could not be written; the log says what
    kDoneRestart = 3010,  // done; Windows must restart for the driver to load
};

// The calibration record's five words in their order: XLow, YLow, XHigh,
// YHigh, SwapXY.
const int kCalibrationWords = 5;

struct Options {
    bool remove;        // "/U"
    unsigned long port; // "/PORT=n", 1 to 16; 0: the first port present
    bool calibrated;    // "/CAL=..." given
    unsigned long calibration[kCalibrationWords];
    char log[260];      // "/LOG=path"; empty: no log
    bool reboot;        // "/REBOOT"
};

enum Parse {
    kInteractive,  // not "/S": the ordinary command-line rules apply
    kParsed,
    kBad,          // *bad names the switch refused
};

// A command line is unattended when its first word is "/S" (any case, no
// blank before it). The switches after it, in any order and case, each at
// most once: "/U", "/PORT=n", "/CAL=XLow,YLow,XHigh,YHigh,SwapXY",
// "/LOG=path" (a value may be put in double quotes to hold blanks) and
// "/REBOOT"; a removal takes no port and no calibration. Anything else is
// bad, and bad (badSize bytes) receives the word that was refused.
Parse ReadCommandLine(const char *line, Options *options, char *bad, size_t badSize);

// The options as the switches the dialogs' command line gives, so that both
// runs come to the same decision (flow::ChooseAction): "/U" removes, taking
// what runs cut short left too; no unattended run is the finishing run.
flow::Switches SwitchesOf(const Options &options);

// The exit code a run ends with, from its action's outcome: a run that was
// done but met a failure on the way did not write everything.
int FinalCode(int outcome, bool anyFailure);
// Windows restarts, once the log is closed, only after a run that was done
// and only when "/REBOOT" asks.
bool RestartsAfter(int finalCode, const Options &options);

}  // namespace unattended

#endif
