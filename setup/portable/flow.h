// Setup's decisions that need no system call: what the command line asks
// for, what a run does for a mode and an installed state, and which
// run-once values are Setup's own. Portable (no windows.h), so the rules
// are unit-tested natively.
#ifndef SETUP_FLOW_H
#define SETUP_FLOW_H

#include <stddef.h>

namespace flow {

// The switches of Setup's command line. Only the first two characters
// count: "-U"/"-u" (so "-Uninstall" too) selects removal, "-L"/"-l" the
// finishing run; anything else, leading blanks and "/U" included, installs.
// The unattended command line gives the same switches (unattended.h).
struct Switches {
    bool install;
    bool finishRemoval;
    // A removal takes what runs cut short left too, and counts it as
    // installed; only the unattended removal does.
    bool takeLeftovers;
};
Switches ReadSwitches(const char *commandLine);

// What one run of Setup does, once the installed state is known.
enum Action {
    kFinishRemoval,     // "-L": remove what is left, silently
    kAlreadyInstalled,  // box 6
    kNotInstalled,      // box 7
    kInstallPackage,    // question, port, install, completion dialog
    kRemovePackage,     // question, removal, box 8
};
Action ChooseAction(const Switches &switches, bool installed);

// Setup's run-once values: the value's name and the arguments its command
// carries after the program's path.
struct RunOnceValue {
    const char *name;
    const char *arguments;  // NULL: the program's path alone
};
extern const RunOnceValue kCalibrationRunOnce;  // "Durmasel": <system>\Durmasel.exe
extern const RunOnceValue kFinishRunOnce;       // "Orvantix": <temp>\\Setup.exe -L

// Answers whether two paths name the same file: the system's rule, which
// ignores letter case and takes short and long forms alike.
typedef bool (*SamePath)(const char *a, const char *b);

// Another program may use the same value name, so a value is Setup's own
// only when its command is exactly the one Setup writes: program, then,
// when the value has arguments, a blank and those arguments. The path is
// compared by samePath, the arguments as they are.
bool IsOwnRunOnce(const RunOnceValue &value, const char *command, const char *program,
                  SamePath samePath);

}  // namespace flow

#endif
