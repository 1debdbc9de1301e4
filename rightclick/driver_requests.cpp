// Fennock's two dealings with the touchscreen driver. Each opens the device
// for the one request and closes it again, so the driver is never held
// open while the program sits idle.
#include "driver_device.h"
#include "driver_interface.h"
#include "fennock.h"

BOOL StartRightButtonSwitch() {
    return shelf::RequestOnce(IOCTL_TOUCH_RIGHT_BUTTON_ONCE, NULL, 0, NULL, 0).outcome ==
           shelf::kDone;
}

// A driver that cannot be opened counts as "over", so the button pops up
// when the driver goes away in the middle of a switch.
BOOL RightButtonSwitchIsOver() {
    uint32_t answer = 0;
    shelf::DriverReply reply =
        shelf::RequestOnce(IOCTL_TOUCH_QUERY_RIGHT_BUTTON, NULL, 0, &answer, sizeof(answer));
    if (reply.outcome == shelf::kNoDriver) return TRUE;
    return fennock::QueryMeansOver(reply.outcome == shelf::kDone, reply.returned, answer);
}
