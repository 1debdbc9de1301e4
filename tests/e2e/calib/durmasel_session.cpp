// Driving Durmasel.exe against the simulator; see durmasel_session.h.
#include "durmasel_session.h"

#include "driver_interface.h"
#include "parameter_store.h"

namespace durmasel_test {

const char kServiceKey[] = TOUCH_SERVICE_KEY;
const char kParamKey[] = TOUCH_PARAM_KEY;

std::map<std::string, DWORD> StoreValues() {
    std::map<std::string, DWORD> values;
    for (const std::string &name : harness::ValueNames(HKEY_LOCAL_MACHINE, kParamKey)) {
        DWORD number = 0xFFFFFFFF;
        harness::ReadDword(HKEY_LOCAL_MACHINE, kParamKey, name.c_str(), &number);
        values[name] = number;
    }
    return values;
}

void Durmasel::Stop() {
    if (process_.Started() && !harness::WaitExit(process_, 0)) harness::Kill(process_);
}

bool Durmasel::Launch() {
    process_ = harness::Start(harness::Join(harness::PackageDir(), "Durmasel.exe"));
    return process_.Started();
}

bool Durmasel::Start() {
    if (!Launch()) return false;
    window_ = harness::WaitWindow("Durmasel", nullptr, kStepMs);
    return window_ != NULL;
}

bool Durmasel::WaitForCapture(int n) {
    return harness::sim::WaitForLogCount(IOCTL_TOUCH_START_RAW_CAPTURE, n, kStepMs);
}

bool Durmasel::Touch(const RawTouch &touch) {
    const int asked = harness::sim::Count(IOCTL_TOUCH_GET_RAW_POINT);
    harness::sim::QueueRawPoint(touch.x, touch.y);
    PostMessageA(window_, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    return harness::sim::WaitForLogCount(IOCTL_TOUCH_GET_RAW_POINT, asked + 1, kStepMs);
}

bool Durmasel::TouchAll(const RawTouch touches[3], int captureBase) {
    for (int i = 0; i < 3; ++i) {
        if (!WaitForCapture(captureBase + i + 1)) return false;
        if (!Touch(touches[i])) return false;
    }
    return true;
}

bool Durmasel::Answer(int button) {
    HWND box = harness::WaitMessageBox("Checking calibration results", kStepMs);
    if (!box) return false;
    harness::PostClick(box, button);
    return harness::WaitGone(box, kStepMs);
}

bool Durmasel::WaitExit(DWORD *code) { return harness::WaitExit(process_, kStepMs, code); }

std::vector<harness::sim::LogEntry> LogOf(DWORD code) {
    std::vector<harness::sim::LogEntry> entries;
    for (const harness::sim::LogEntry &entry : harness::sim::Log())
        if (entry.code == code) entries.push_back(entry);
    return entries;
}

bool IsTargetColour(COLORREF colour) { return colour == RGB(255, 0, 0); }
bool IsBackgroundColour(COLORREF colour) { return colour == RGB(200, 200, 200); }

}  // namespace durmasel_test
