// Argument checks and the code table of the driver contract.
#include "driver_interface.h"

#include "parameter_store.h"

namespace driver {

namespace {
struct CodeInfo {
    uint32_t code;
    const char *name;
    uint32_t inputSize;
    uint32_t outputSize;
};

const CodeInfo kCodes[] = {
    {IOCTL_TOUCH_SET_CALIBRATION, "IOCTL_TOUCH_SET_CALIBRATION", 20, 0},
    {IOCTL_TOUCH_GET_RAW_POINT, "IOCTL_TOUCH_GET_RAW_POINT", 0, 12},
    {IOCTL_TOUCH_START_RAW_CAPTURE, "IOCTL_TOUCH_START_RAW_CAPTURE", 0, 0},
    {IOCTL_TOUCH_SET_MOUSE_MODE, "IOCTL_TOUCH_SET_MOUSE_MODE", 4, 0},
    {IOCTL_TOUCH_GET_MOUSE_MODE, "IOCTL_TOUCH_GET_MOUSE_MODE", 0, 4},
    {IOCTL_TOUCH_SET_BEEP, "IOCTL_TOUCH_SET_BEEP", 12, 0},
    {IOCTL_TOUCH_GET_BEEP, "IOCTL_TOUCH_GET_BEEP", 0, 12},
    {IOCTL_TOUCH_ENABLE, "IOCTL_TOUCH_ENABLE", 0, 0},
    {IOCTL_TOUCH_DISABLE, "IOCTL_TOUCH_DISABLE", 0, 0},
    {IOCTL_TOUCH_RIGHT_BUTTON_ONCE, "IOCTL_TOUCH_RIGHT_BUTTON_ONCE", 0, 0},
    {IOCTL_TOUCH_RELOAD_PARAMETERS, "IOCTL_TOUCH_RELOAD_PARAMETERS", 0, 0},
    {IOCTL_TOUCH_QUERY_RIGHT_BUTTON, "IOCTL_TOUCH_QUERY_RIGHT_BUTTON", 0, 4},
};

const CodeInfo *Find(uint32_t code) {
    for (const CodeInfo &info : kCodes) {
        if (info.code == code) return &info;
    }
    return nullptr;
}
}  // namespace

static bool InRange(store::ValueId id, uint32_t value) {
    const store::ValueRule &rule = store::Rule(id);
    return value >= rule.low && value <= rule.high;
}

bool IsValidBeep(uint32_t mode, uint32_t frequency, uint32_t duration) {
    return InRange(store::kBeepMode, mode) && InRange(store::kBeepFreq, frequency) &&
           InRange(store::kBeepTime, duration);
}

const char *ControlCodeName(uint32_t code) {
    const CodeInfo *info = Find(code);
    return info ? info->name : nullptr;
}

uint32_t InputSize(uint32_t code) {
    const CodeInfo *info = Find(code);
    return info ? info->inputSize : 0;
}

uint32_t OutputSize(uint32_t code) {
    const CodeInfo *info = Find(code);
    return info ? info->outputSize : 0;
}

}  // namespace driver
