// Counts the calls this program makes to one imported system function by
// pointing its import slot at a counting stand-in for the counter's life.
// The engine is linked into the test program, so its calls are counted.
#ifndef SETUPENGINE_IMPORT_COUNTER_H
#define SETUPENGINE_IMPORT_COUNTER_H

#include <windows.h>

// Counts RegCreateKeyExA: the engine opens or creates every key it writes
// through it.
class CreateKeyCounter {
public:
    CreateKeyCounter();
    ~CreateKeyCounter();
    bool Hooked() const { return m_slot != nullptr; }
    int Count() const;

private:
    void **m_slot;
};

#endif
