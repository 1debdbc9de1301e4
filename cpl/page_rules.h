// Rules of the Settings and Sound pages that need no window: the scales of
// the trackbars and the up-down control, which controls each mouse mode
// enables, and the serial ports the Settings page probes.
// Portable (no windows.h) so the rules are unit-tested natively.
#ifndef PEMROSKO_PAGE_RULES_H
#define PEMROSKO_PAGE_RULES_H

#include <stddef.h>
#include <stdint.h>

#include "driver_interface.h"
#include "parameter_store.h"
#include "port_names.h"

namespace pages {

// A bounded control: its range (that of the setting it edits) and, for a
// trackbar, the distance between tick marks and the second argument the
// tick-frequency message is given.
struct Scale {
    uint32_t low;
    uint32_t high;
    uint32_t tickFrequency;
    uint32_t tickArgument;
};

// The range of the store value a control edits, with the page's ticks.
inline Scale ScaleFor(store::ValueId id, uint32_t tickFrequency, uint32_t tickArgument) {
    const store::ValueRule &rule = store::Rule(id);
    return Scale{rule.low, rule.high, tickFrequency, tickArgument};
}

inline Scale DragDelayScale() { return ScaleFor(store::kDragDelay, 150, 0); }
inline Scale ToneScale() { return ScaleFor(store::kBeepFreq, 400, 1000); }
inline Scale DurationScale() { return ScaleFor(store::kBeepTime, 19, 10); }
inline Scale DoubleClickScale() { return ScaleFor(store::kDblClickRegion, 1, 0); }

// Tick marks a trackbar with automatic ticks shows, both ends included.
inline uint32_t TickCount(const Scale &scale) {
    if (scale.tickFrequency == 0 || scale.high < scale.low) return 0;
    return (scale.high - scale.low) / scale.tickFrequency + 1;
}

// Which groups of the Settings page a mouse mode leaves usable.
struct ModeControls {
    bool doubleClickRange;  // label, edit and up-down of the range
    bool dragDelay;         // group box, trackbar and its two end labels
};

// Any mode above "Drag" counts as "Double click,drag".
inline uint32_t NormalisedMouseMode(uint32_t mode) {
    return mode > MOUSE_MODE_DRAG ? uint32_t{MOUSE_MODE_DOUBLE_CLICK_DRAG} : mode;
}

inline ModeControls ControlsForMode(uint32_t mode) {
    uint32_t m = NormalisedMouseMode(mode);
    return ModeControls{m == MOUSE_MODE_DOUBLE_CLICK_DRAG, m >= MOUSE_MODE_DRAG};
}

// The driver's modes by name, as the pages show them; nullptr for a number
// the driver does not know.
inline const char *MouseModeName(uint32_t mode) {
    static const char *const kNames[] = {"Click on touch", "Click on release", "Drag",
                                         "Double click,drag"};
    return mode < 4 ? kNames[mode] : nullptr;
}

inline const char *BeepModeName(uint32_t mode) {
    static const char *const kNames[] = {"Disabled", "Touch", "Release"};
    return mode < 3 ? kNames[mode] : nullptr;
}

// Serial ports the Settings page offers, named as everywhere in the package.
using ports::FirstPort;
using ports::LastPort;
using ports::PortName;

}  // namespace pages

#endif
