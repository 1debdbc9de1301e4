// The serial ports the package offers and how they are named, shared by
// the applet's Settings page and Setup's port dialog. Portable (no
// windows.h) so the names are unit-tested natively.
#ifndef COMMON_PORT_NAMES_H
#define COMMON_PORT_NAMES_H

#include <stddef.h>
#include <stdint.h>

#include "parameter_store.h"

namespace ports {

// The range of the store's Port value: COM1 to COM16.
inline uint32_t FirstPort() { return store::Rule(store::kPort).low; }
inline uint32_t LastPort() { return store::Rule(store::kPort).high; }

// Writes "COM<n>" into name (size bytes, always terminated when size > 0).
// False, with an empty or cut name, when it does not fit.
inline bool PortName(char *name, size_t size, uint32_t number) {
    if (size == 0) return false;
    char digits[10];  // a 32-bit number has at most ten
    size_t count = 0;
    do {
        digits[count++] = static_cast<char>('0' + number % 10);
        number /= 10;
    } while (number != 0);
    const char prefix[] = "COM";
    size_t used = 0;
    for (size_t i = 0; i < 3 && used + 1 < size; ++i) name[used++] = prefix[i];
    while (count > 0 && used + 1 < size) name[used++] = digits[--count];
    name[used] = '\0';
    return used >= 3 && count == 0;
}

}  // namespace ports

#endif
