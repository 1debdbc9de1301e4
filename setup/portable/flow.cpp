// Setup's command-line rules, outcome table and path texts; see flow.h.
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

bool Join(char *out, size_t outSize, const char *a, const char *b, const char *c,
          const char *d) {
    if (!out || outSize == 0) return false;
    const char *parts[] = {a, b, c, d};
    size_t used = 0;
    for (size_t i = 0; i < 4; ++i) {
        size_t add = parts[i] ? strlen(parts[i]) : 0;
        if (add >= outSize - used) {
            out[0] = '\0';
            return false;
        }
        if (add) memcpy(out + used, parts[i], add);
        used += add;
    }
    out[used] = '\0';
    return true;
}

// Index just behind the last backslash of path, 0 when there is none.
static size_t AfterLastBackslash(const char *path) {
    size_t after = 0;
    for (size_t i = 0; path[i]; ++i) {
        if (path[i] == '\\') after = i + 1;
    }
    return after;
}

bool FolderOf(const char *path, char *out, size_t outSize) {
    if (!out || outSize == 0) return false;
    size_t keep = path ? AfterLastBackslash(path) : 0;
    if (keep >= outSize) {
        out[0] = '\0';
        return false;
    }
    if (keep) memcpy(out, path, keep);
    out[keep] = '\0';
    return true;
}

void CutAtLastBackslash(char *path) {
    if (!path) return;
    size_t after = AfterLastBackslash(path);
    if (after) path[after - 1] = '\0';
}

}  // namespace flow
