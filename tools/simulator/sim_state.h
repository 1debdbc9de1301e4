// State of the simulated touchscreen driver, shared by every process that
// opens the device and by the test harness: a small "key=value" file under a
// [driver] heading in the simulator's own folder, and a request log beside
// it. A StateFile holds the named mutex for its whole life, so reading,
// changing and writing the state is one step for every other process.
#ifndef ZELVANIS_SIM_STATE_H
#define ZELVANIS_SIM_STATE_H

#include <windows.h>

#include <stdint.h>
#include <string>
#include <utility>
#include <vector>

namespace simstate {

extern const char kMutexName[];
extern const char kStateFileName[];
extern const char kLogFileName[];

// The cross-process lock. Waits at most a few seconds: a crashed holder
// abandons the mutex, which counts as taken.
class Lock {
public:
    Lock();
    ~Lock();
    Lock(const Lock &) = delete;
    Lock &operator=(const Lock &) = delete;
    bool Held() const { return m_held; }

private:
    HANDLE m_mutex;
    bool m_held;
};

typedef std::vector<std::pair<std::string, std::string>> Entries;

class StateFile {
public:
    // Takes the lock and reads the file; a missing file is an empty state.
    explicit StateFile(const std::string &path);
    // Writes the state back when it was changed, then releases the lock.
    ~StateFile();
    StateFile(const StateFile &) = delete;
    StateFile &operator=(const StateFile &) = delete;

    bool Has(const std::string &key) const;
    std::string Get(const std::string &key, const std::string &fallback = "") const;
    // Decimal (or 0x-prefixed hex) unsigned number; fallback when absent or not a number.
    uint32_t GetNumber(const std::string &key, uint32_t fallback) const;
    void Set(const std::string &key, const std::string &value);
    void SetNumber(const std::string &key, uint32_t value);
    const Entries &All() const { return m_entries; }

private:
    void Read();
    bool Write() const;

    Lock m_lock;
    std::string m_path;
    Entries m_entries;
    bool m_changed;
};

// Parses an unsigned number; false when text is not one.
bool ParseNumber(const std::string &text, uint32_t *value);

// Appends text and a line break to a file; call while holding the lock.
bool AppendLine(const std::string &path, const std::string &text);

// The folder part of a path, with its trailing backslash.
std::string FolderOf(const std::string &path);

}  // namespace simstate

#endif
