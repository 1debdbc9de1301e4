// The unattended command line of Setup; see unattended.h.
#include "unattended.h"

#include <string.h>

#include "ascii.h"
#include "calibration_record.h"
#include "parameter_store.h"

namespace unattended {

// True when word starts with name (name in upper case); *rest is what follows.
static bool Named(const char *word, const char *name, const char **rest) {
    for (; *name; ++word, ++name) {
        if (AsciiUpper(*word) != *name) return false;
    }
    *rest = word;
    return true;
}

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Takes the next blank-separated word of *line (which starts at no blank)
// into word, without the double quotes that may hold blanks in it. False
// when it does not fit (word then holds its beginning) or when a quote is
// left open: it would swallow every switch behind it.
static bool NextWord(const char **line, char *word, size_t size) {
    const char *p = *line;
    size_t used = 0;
    bool quoted = false, fits = true;
    for (; *p && (quoted || !IsBlank(*p)); ++p) {
        if (*p == '"') {
            quoted = !quoted;
        } else if (used + 1 < size) {
            word[used++] = *p;
        } else {
            fits = false;
        }
    }
    word[used] = '\0';
    *line = p;
    return fits && !quoted;
}

// A decimal of 1 to 5 digits and nothing else, within low..high.
static bool ReadNumber(const char *text, size_t length, unsigned long low, unsigned long high,
                       unsigned long *value) {
    if (length == 0 || length > 5) return false;
    unsigned long n = 0;
    for (size_t i = 0; i < length; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        n = n * 10 + static_cast<unsigned long>(text[i] - '0');
    }
    *value = n;
    return n >= low && n <= high;
}

static bool InRange(const char *text, size_t length, store::ValueId id, unsigned long *value) {
    const store::ValueRule &rule = store::Rule(id);
    return ReadNumber(text, length, rule.low, rule.high, value);
}

static_assert(kCalibrationWords == store::kRecordFieldCount, "one word per record field");

// Five numbers separated by commas, in the record's order, making a record
// a calibration would stand behind: each field within its store range and
// room between the edges of either axis. A record with too little span
// would leave a kiosk without a usable pointer and without a first
// calibration.
static bool ReadCalibration(const char *text, unsigned long *words) {
    for (int i = 0; i < kCalibrationWords; ++i) {
        const char *end = text;
        while (*end && *end != ',') ++end;
        // Any five digits here: the record's ranges judge the values below.
        if (!ReadNumber(text, static_cast<size_t>(end - text), 0, 99999, &words[i])) return false;
        if (i + 1 < kCalibrationWords && *end != ',') return false;
        text = end + 1;
        if (i + 1 == kCalibrationWords && *end) return false;
    }
    return driver::RecordUsable(store::RecordFromValues(words));
}

static bool TakeRemove(const char *value, Options *o) {
    o->remove = true;
    return !*value;
}

static bool TakeReboot(const char *value, Options *o) {
    o->reboot = true;
    return !*value;
}

static bool TakePort(const char *value, Options *o) {
    return InRange(value, strlen(value), store::kPort, &o->port);
}

static bool TakeCalibration(const char *value, Options *o) {
    o->calibrated = ReadCalibration(value, o->calibration);
    return o->calibrated;
}

static bool TakeLog(const char *value, Options *o) {
    size_t length = strlen(value);
    if (length == 0 || length >= sizeof(o->log)) return false;
    memcpy(o->log, value, length + 1);
    return true;
}

// The switches after "/S", each with its own bit in seen, so a repeat is
// refused and the rules between switches can ask which ones came.
enum SeenBit : unsigned {
    kSeenRemove = 1u << 0,
    kSeenReboot = 1u << 1,
    kSeenPort = 1u << 2,
    kSeenCalibration = 1u << 3,
    kSeenLog = 1u << 4,
};
struct Switch {
    const char *name;
    SeenBit bit;
    bool (*take)(const char *value, Options *o);
};
static const Switch kSwitches[] = {
    {"/U", kSeenRemove, TakeRemove},
    {"/REBOOT", kSeenReboot, TakeReboot},
    {"/PORT=", kSeenPort, TakePort},
    {"/CAL=", kSeenCalibration, TakeCalibration},
    {"/LOG=", kSeenLog, TakeLog},
};

// One switch after "/S"; false when it is unknown, repeated or bad.
static bool ReadSwitch(const char *word, Options *o, unsigned *seen) {
    const char *value;
    for (unsigned i = 0; i < sizeof(kSwitches) / sizeof(kSwitches[0]); ++i) {
        if (!Named(word, kSwitches[i].name, &value)) continue;
        if (*seen & kSwitches[i].bit) return false;
        *seen |= kSwitches[i].bit;
        return kSwitches[i].take(value, o);
    }
    return false;
}

static void Name(char *bad, size_t badSize, const char *word) {
    if (!bad || badSize == 0) return;
    size_t length = strlen(word);
    if (length >= badSize) length = badSize - 1;
    memcpy(bad, word, length);
    bad[length] = '\0';
}

Parse ReadCommandLine(const char *line, Options *options, char *bad, size_t badSize) {
    memset(options, 0, sizeof(*options));
    Name(bad, badSize, "");
    const char *rest;
    if (!line || !Named(line, "/S", &rest) || (*rest && !IsBlank(*rest))) return kInteractive;
    char word[300];
    unsigned seen = 0;
    bool refused = false;
    // Read on past a refused word: a log named after it still tells why.
    for (;;) {
        while (IsBlank(*rest)) ++rest;
        if (!*rest) break;
        if ((!NextWord(&rest, word, sizeof(word)) || !ReadSwitch(word, options, &seen)) &&
            !refused) {
            Name(bad, badSize, word);
            refused = true;
        }
    }
    if (refused) return kBad;
    // A removal takes no port and no calibration.
    if (options->remove && (seen & (kSeenPort | kSeenCalibration))) {
        Name(bad, badSize, (seen & kSeenPort) ? "/PORT" : "/CAL");
        return kBad;
    }
    return kParsed;
}

static bool Done(int code) { return code == kDone || code == kDoneRestart; }

int FinalCode(int outcome, bool anyFailure) {
    return anyFailure && Done(outcome) ? kNotWritten : outcome;
}

bool RestartsAfter(int finalCode, const Options &options) {
    return options.reboot && Done(finalCode);
}

flow::Switches SwitchesOf(const Options &options) {
    flow::Switches switches = {!options.remove, false, options.remove};
    return switches;
}

}  // namespace unattended
