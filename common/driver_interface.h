// The contract with the touchscreen driver: its device name, the twelve
// control codes and the buffers they carry. Every buffer is made of
// little-endian unsigned 32-bit words. Portable: no windows.h needed.
#ifndef ORVANTIX_DRIVER_INTERFACE_H
#define ORVANTIX_DRIVER_INTERFACE_H

#include <stdint.h>

#define ZELVANIS_DEVICE_PATH "\\\\.\\ZELVANIS"

// CTL_CODE(FILE_DEVICE_MOUSE, function, METHOD_BUFFERED, FILE_ANY_ACCESS)
#define TOUCH_CTL_CODE(function) ((0x000Fu << 16) | ((function) << 2))

#define IOCTL_TOUCH_SET_CALIBRATION    0x000F2004u
#define IOCTL_TOUCH_GET_RAW_POINT      0x000F2014u
#define IOCTL_TOUCH_START_RAW_CAPTURE  0x000F201Cu
#define IOCTL_TOUCH_SET_MOUSE_MODE     0x000F202Cu
#define IOCTL_TOUCH_GET_MOUSE_MODE     0x000F2034u
#define IOCTL_TOUCH_SET_BEEP           0x000F203Cu
#define IOCTL_TOUCH_GET_BEEP           0x000F2040u
#define IOCTL_TOUCH_ENABLE             0x000F204Cu
#define IOCTL_TOUCH_DISABLE            0x000F2050u
#define IOCTL_TOUCH_RIGHT_BUTTON_ONCE  0x000F2054u
#define IOCTL_TOUCH_RELOAD_PARAMETERS  0x000F205Cu
#define IOCTL_TOUCH_QUERY_RIGHT_BUTTON 0x000F2064u

static_assert(TOUCH_CTL_CODE(0x801) == IOCTL_TOUCH_SET_CALIBRATION, "function bits");
static_assert(TOUCH_CTL_CODE(0x819) == IOCTL_TOUCH_QUERY_RIGHT_BUTTON, "function bits");

// The calibration as the driver takes it; also the five calibration values
// of the parameter store under the same names.
struct CalibrationRecord {
    uint32_t XLow;
    uint32_t YLow;
    uint32_t XHigh;
    uint32_t YHigh;
    uint32_t SwapXY;
};
static_assert(sizeof(CalibrationRecord) == 20, "SET_CALIBRATION input is 20 bytes");

// Reply of IOCTL_TOUCH_GET_RAW_POINT. The caller presets the marker; the
// driver overwrites it only when it hands over a touch.
#define RAW_POINT_MARKER_NONE 4141u
struct RawPointReply {
    uint32_t marker;
    uint32_t rawX;
    uint32_t rawY;
};
static_assert(sizeof(RawPointReply) == 12, "GET_RAW_POINT output is 12 bytes");

// Input of IOCTL_TOUCH_SET_BEEP and output of IOCTL_TOUCH_GET_BEEP.
struct BeepRecord {
    uint32_t mode;
    uint32_t frequency;
    uint32_t duration;
};
static_assert(sizeof(BeepRecord) == 12, "beep record is 12 bytes");

// Raw controller coordinates run from 0 to this value.
#define TOUCH_RAW_MAX 4096u

// Mouse modes, as the driver numbers them.
enum MouseModeValue : uint32_t {
    MOUSE_MODE_CLICK_ON_TOUCH = 0,
    MOUSE_MODE_CLICK_ON_RELEASE = 1,
    MOUSE_MODE_DRAG = 2,
    MOUSE_MODE_DOUBLE_CLICK_DRAG = 3,
};

// Beep modes, as the driver numbers them.
enum BeepModeValue : uint32_t {
    BEEP_MODE_DISABLED = 0,
    BEEP_MODE_TOUCH = 1,
    BEEP_MODE_RELEASE = 2,
};

namespace driver {

// Argument checks every caller makes before it opens the device.
inline bool IsValidMouseMode(uint32_t mode) { return mode <= MOUSE_MODE_DOUBLE_CLICK_DRAG; }
bool IsValidBeep(uint32_t mode, uint32_t frequency, uint32_t duration);

// Two touches of a calibration run closer than this on either raw axis
// cannot come from targets three fifths of the screen apart; a record
// whose edges lie closer than this on either axis maps the whole screen
// onto a sliver of the panel, so no calibration ever makes one
// (driver::RecordUsable, in calibration_record.h).
#define TOUCH_MIN_RAW_SPAN (TOUCH_RAW_MAX / 16)

// Name of a control code ("IOCTL_TOUCH_SET_BEEP"), or nullptr when unknown.
const char *ControlCodeName(uint32_t code);

// Input and output sizes of a control code (0 when it carries none).
uint32_t InputSize(uint32_t code);
uint32_t OutputSize(uint32_t code);

}  // namespace driver

#endif
