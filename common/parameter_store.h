// The touchscreen parameter store: where it lives in the registry, its
// twelve REG_DWORD values with ranges and install defaults, how the applet
// repairs missing or bad values, and the mouse settings that follow from it.
// Portable: no windows.h needed, so the rules are unit-tested natively.
#ifndef ORVANTIX_PARAMETER_STORE_H
#define ORVANTIX_PARAMETER_STORE_H

#include <stddef.h>
#include <stdint.h>

#include "driver_interface.h"

// Under HKEY_LOCAL_MACHINE.
#define TOUCH_SERVICE_KEY "System\\CurrentControlSet\\Services\\Zelvanis"
#define TOUCH_PARAM_SUBKEY "Parameters"
#define TOUCH_PARAM_KEY TOUCH_SERVICE_KEY "\\" TOUCH_PARAM_SUBKEY

namespace store {

enum ValueId {
    kPort,
    kXLow,
    kXHigh,
    kYLow,
    kYHigh,
    kSwapXY,
    kBeepMode,
    kBeepFreq,
    kBeepTime,
    kDblClickRegion,
    kDragDelay,
    kMouseMode,
    kValueCount
};

struct ValueRule {
    const char *name;
    uint32_t low;          // valid range, inclusive, compared unsigned
    uint32_t high;
    uint32_t installDefault;
    uint32_t fallback;     // what the applet uses for a missing or bad value
    bool appletReads;      // one of the applet's seven settings
};

// The rule of one value; the table is in install order.
const ValueRule &Rule(ValueId id);

// Looks a value up by its registry name (exact case); kValueCount if unknown.
ValueId FindValue(const char *name);

// Install writes all twelve in this order (same as ValueId order).
extern const ValueId kInstallOrder[kValueCount];

// The applet reads its seven settings in this order...
extern const ValueId kAppletReadOrder[7];
// ...and writes them back in this one.
extern const ValueId kAppletSaveOrder[7];

// The calibration record's five values, their order, ranges, reading and
// writing: calibration_record.h.

// Applet reading rule: a failed query gives the fallback, a value outside
// its range gives the fallback too (not the nearest bound). "Port" is never
// range-checked. 'found' is false when the query failed.
uint32_t RepairValue(ValueId id, bool found, uint32_t stored);

// Turns what RegQueryValueEx delivered into the 32-bit number the applet
// uses: data of at most four bytes (whatever its type) is a little-endian
// number of its bytes; longer data counts as missing.
bool DecodeStoredBytes(const unsigned char *data, size_t size, uint32_t *value);

// The system mouse settings that follow from the store.
struct DoubleClickMetrics {
    uint32_t width;
    uint32_t height;
    uint32_t timeMs;
};
DoubleClickMetrics MetricsFor(uint32_t dblClickRegion, uint32_t mouseMode);

// SystemParametersInfo actions and flag used with the metrics above.
enum : uint32_t {
    kSpiSetDoubleClkWidth = 29,
    kSpiSetDoubleClkHeight = 30,
    kSpiSetDoubleClickTime = 32,
    kSpifUpdateIniFile = 1,
};

}  // namespace store

#endif
