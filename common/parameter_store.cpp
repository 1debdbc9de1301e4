// Value table and repair rules of the parameter store.
#include "parameter_store.h"

#include "driver_interface.h"

namespace store {

static const ValueRule kRules[kValueCount] = {
    {"Port", 1, 16, 1, 1, true},
    {"XLow", 0, TOUCH_RAW_MAX, 0, 0, false},
    {"XHigh", 0, TOUCH_RAW_MAX, TOUCH_RAW_MAX, TOUCH_RAW_MAX, false},
    {"YLow", 0, TOUCH_RAW_MAX, 0, 0, false},
    {"YHigh", 0, TOUCH_RAW_MAX, TOUCH_RAW_MAX, TOUCH_RAW_MAX, false},
    {"SwapXY", 0, 1, 0, 0, false},
    {"BeepMode", 0, 2, 2, 2, true},
    {"BeepFreq", 1000, 5000, 1000, 1000, true},
    {"BeepTime", 10, 200, 32, 32, true},
    {"DblClickRegion", 25, 100, 25, 25, true},
    {"DragDelay", 0, 1500, 0, 0, true},
    {"MouseMode", MOUSE_MODE_CLICK_ON_TOUCH, MOUSE_MODE_DOUBLE_CLICK_DRAG,
     MOUSE_MODE_DOUBLE_CLICK_DRAG, MOUSE_MODE_DOUBLE_CLICK_DRAG, true},
};

const ValueId kInstallOrder[kValueCount] = {
    kPort,     kXLow,     kXHigh,    kYLow,           kYHigh,    kSwapXY,
    kBeepMode, kBeepFreq, kBeepTime, kDblClickRegion, kDragDelay, kMouseMode,
};

const ValueId kAppletReadOrder[7] = {
    kBeepMode, kBeepFreq, kBeepTime, kMouseMode, kDragDelay, kDblClickRegion, kPort,
};

const ValueId kAppletSaveOrder[7] = {
    kBeepMode, kBeepFreq, kBeepTime, kMouseMode, kDragDelay, kPort, kDblClickRegion,
};

const ValueRule &Rule(ValueId id) { return kRules[id]; }

static bool SameName(const char *a, const char *b) {
    while (*a && *a == *b) ++a, ++b;
    return *a == *b;
}

ValueId FindValue(const char *name) {
    for (int i = 0; i < kValueCount; ++i) {
        if (SameName(kRules[i].name, name)) return static_cast<ValueId>(i);
    }
    return kValueCount;
}

uint32_t RepairValue(ValueId id, bool found, uint32_t stored) {
    const ValueRule &rule = kRules[id];
    if (!found) return rule.fallback;
    if (id == kPort) return stored;  // a stored port is used as it stands
    if (stored < rule.low || stored > rule.high) return rule.fallback;
    return stored;
}

bool DecodeStoredBytes(const unsigned char *data, size_t size, uint32_t *value) {
    if (size > 4) return false;
    uint32_t v = 0;
    for (size_t i = 0; i < size; ++i) v |= static_cast<uint32_t>(data[i]) << (8 * i);
    *value = v;
    return true;
}

DoubleClickMetrics MetricsFor(uint32_t dblClickRegion, uint32_t mouseMode) {
    DoubleClickMetrics m;
    m.width = dblClickRegion;
    m.height = dblClickRegion;
    m.timeMs = mouseMode == MOUSE_MODE_DOUBLE_CLICK_DRAG ? 900 : 400;
    return m;
}

}  // namespace store
