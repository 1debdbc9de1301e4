// The serial ports the package offers and how they are named, shared by
// the applet's Settings page and Setup's port dialog. Portable (no
// windows.h) so the names are unit-tested natively.
#ifndef COMMON_PORT_NAMES_H
#define COMMON_PORT_NAMES_H

#include <stddef.h>
#include <stdint.h>

#include "bounded_text.h"
#include "parameter_store.h"

namespace ports {

// The range of the store's Port value: COM1 to COM16.
inline uint32_t FirstPort() { return store::Rule(store::kPort).low; }
inline uint32_t LastPort() { return store::Rule(store::kPort).high; }

// Writes "COM<n>" into name (size bytes, always terminated when size > 0).
// False, with an empty or cut name, when it does not fit.
inline bool PortName(char *name, size_t size, uint32_t number) {
    rt::Writer writer(name, size);
    writer.Put("COM");
    writer.PutUnsigned(number);
    return writer.Whole();
}

}  // namespace ports

#endif
