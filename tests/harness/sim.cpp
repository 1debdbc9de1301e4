// Driving and observing the simulated driver: its state file and request
// log in the system folder, changed under the simulator's own lock.
#include <stdio.h>

#include <sstream>

#include "harness.h"
#include "sim_state.h"

#ifdef _WIN64
// 64-bit Wine loads no .vxd for the device: the simulator goes into the
// test program itself at its start and from there into every program the
// test starts (tools/simulator/follow.h). The linker is told to keep this.
extern "C" const HMODULE orvantix_simulator_in_process =
    LoadLibraryA(harness::SimulatorPath().c_str());
#endif

namespace harness {
namespace sim {

static const char kDllName[] = "zelvanis.vxd";

std::string Folder() { return SystemDir(); }

static std::string StatePath() { return Join(Folder(), simstate::kStateFileName); }

static std::string LogPath() { return Join(Folder(), simstate::kLogFileName); }

// A process that has opened the device keeps the DLL loaded, and a loaded
// DLL cannot be overwritten: an identical copy already in place is enough.
bool Install() {
    std::string target = Join(Folder(), kDllName);
    std::string built = ReadTextFile(SimulatorPath());
    if (built.empty()) return false;
    return CopyFileTo(SimulatorPath(), target) || ReadTextFile(target) == built;
}

void Uninstall() { DeleteFileIfAny(Join(Folder(), kDllName)); }

void Reset() {
    simstate::Lock lock;
    DeleteFileIfAny(StatePath());
    DeleteFileIfAny(LogPath());
}

void QueueRawPoint(DWORD x, DWORD y) {
    simstate::StateFile state(StatePath());
    std::string queue = state.Get("RawQueue");
    if (!queue.empty()) queue += " ";
    state.Set("RawQueue", queue + std::to_string(x) + "," + std::to_string(y));
}

void EndRightButton() { SetNumber("RightButton", 0); }

static std::string Hex(DWORD code) {
    char text[16];
    snprintf(text, sizeof(text), "0x%08lX", static_cast<unsigned long>(code));
    return text;
}

void Refuse(DWORD code) {
    simstate::StateFile state(StatePath());
    std::string list = state.Get("Refuse");
    state.Set("Refuse", list.empty() ? Hex(code) : list + " " + Hex(code));
}

void RefuseNone() { Set("Refuse", ""); }

void SetPanel(bool on, bool swapXY, bool flipX, bool flipY) {
    simstate::StateFile state(StatePath());
    state.SetNumber("Panel", on);
    state.SetNumber("PanelSwap", swapXY);
    state.SetNumber("PanelFlipX", flipX);
    state.SetNumber("PanelFlipY", flipY);
}

std::map<std::string, std::string> State() {
    simstate::StateFile state(StatePath());
    std::map<std::string, std::string> all;
    for (const auto &entry : state.All()) all[entry.first] = entry.second;
    return all;
}

std::string Get(const std::string &key) {
    simstate::StateFile state(StatePath());
    return state.Get(key);
}

DWORD GetNumber(const std::string &key, DWORD fallback) {
    simstate::StateFile state(StatePath());
    return state.GetNumber(key, fallback);
}

void Set(const std::string &key, const std::string &value) {
    simstate::StateFile state(StatePath());
    state.Set(key, value);
}

void SetNumber(const std::string &key, DWORD value) { Set(key, std::to_string(value)); }

static std::vector<DWORD> ParseWords(const std::string &text) {
    std::vector<DWORD> words;
    std::stringstream list(text);
    std::string word;
    while (std::getline(list, word, ',')) {
        uint32_t value = 0;
        if (simstate::ParseNumber(word, &value)) words.push_back(value);
    }
    return words;
}

// "pid=12 code=0x000F203C name=IOCTL_TOUCH_SET_BEEP ok=1 in=1,1000,32 out="
bool ParseLogLine(const std::string &line, LogEntry *entry) {
    std::istringstream fields(line);
    std::string field;
    int seen = 0;
    while (fields >> field) {
        size_t equals = field.find('=');
        if (equals == std::string::npos) return false;
        std::string key = field.substr(0, equals), value = field.substr(equals + 1);
        uint32_t number = 0;
        if (key == "pid" && simstate::ParseNumber(value, &number)) entry->pid = number, ++seen;
        else if (key == "code" && simstate::ParseNumber(value, &number)) entry->code = number, ++seen;
        else if (key == "name") entry->name = value, ++seen;
        else if (key == "ok") entry->ok = value == "1", ++seen;
        else if (key == "in") entry->in = ParseWords(value), ++seen;
        else if (key == "out") entry->out = ParseWords(value), ++seen;
    }
    return seen == 6;
}

std::vector<LogEntry> Log() {
    std::string text;
    {
        simstate::Lock lock;
        text = ReadTextFile(LogPath());
    }
    std::vector<LogEntry> entries;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        LogEntry entry;
        if (ParseLogLine(line, &entry)) entries.push_back(entry);
    }
    return entries;
}

int Count(DWORD code) {
    int count = 0;
    for (const LogEntry &entry : Log()) count += entry.code == code;
    return count;
}

bool WaitForLogCount(DWORD code, int count, DWORD ms) {
    return WaitUntil([&] { return Count(code) >= count; }, ms);
}

}  // namespace sim
}  // namespace harness
