// Setup's command-line rules, outcome table and run-once values; see flow.h.
#include "flow.h"

#include <string.h>

#include "ascii.h"

namespace flow {

Switches ReadSwitches(const char *commandLine) {
    Switches switches = {true, false, false};
    if (!commandLine || commandLine[0] != '-') return switches;
    char letter = AsciiUpper(commandLine[1]);
    if (letter == 'U') switches.install = false;
    if (letter == 'L') switches.finishRemoval = true;
    return switches;
}

// The outcome by command line and detected state. "-L" ignores the state.
struct Outcome {
    bool install;
    bool installed;
    Action action;
};
static const Outcome kOutcomes[] = {
    {true, false, kInstallPackage},
    {true, true, kAlreadyInstalled},
    {false, true, kRemovePackage},
    {false, false, kNotInstalled},
};

Action ChooseAction(const Switches &switches, bool installed) {
    if (switches.finishRemoval) return kFinishRemoval;
    for (size_t i = 0; i < sizeof(kOutcomes) / sizeof(kOutcomes[0]); ++i) {
        if (kOutcomes[i].install == switches.install && kOutcomes[i].installed == installed)
            return kOutcomes[i].action;
    }
    return kNotInstalled;  // unreachable: the table covers every pair
}

const RunOnceValue kCalibrationRunOnce = {"Durmasel", 0};
const RunOnceValue kFinishRunOnce = {"Orvantix", "-L"};

bool IsOwnRunOnce(const RunOnceValue &value, const char *command, const char *program,
                  SamePath samePath) {
    if (!command || !program || !samePath) return false;
    size_t length = strlen(command);
    if (value.arguments) {
        // " -L" exactly at the end; what comes before it is the path.
        size_t tail = strlen(value.arguments) + 1;
        if (length <= tail || command[length - tail] != ' ' ||
            memcmp(command + length - tail + 1, value.arguments, tail - 1) != 0)
            return false;
        length -= tail;
    }
    char path[520];
    if (length == 0 || length >= sizeof(path)) return false;
    memcpy(path, command, length);
    path[length] = '\0';
    return samePath(path, program);
}

}  // namespace flow
