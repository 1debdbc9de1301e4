// The twelve requests of the touchscreen driver, served from the shared
// state. Requests a test told the driver to refuse fail with
// ERROR_GEN_FAILURE; buffers smaller than the code's record fail with
// ERROR_INVALID_PARAMETER; unknown codes with ERROR_INVALID_FUNCTION.
#include "device.h"

#include <sstream>

#include "driver_interface.h"
#include "parameter_store.h"

namespace device {

namespace {

// Record order of IOCTL_TOUCH_SET_CALIBRATION.
const char *const kCalibrationKeys[5] = {"XLow", "YLow", "XHigh", "YHigh", "SwapXY"};
// Record order of the beep requests.
const char *const kBeepKeys[3] = {"BeepMode", "BeepFreq", "BeepTime"};

bool ReadStoreValue(HKEY key, const char *name, uint32_t *value) {
    unsigned char data[16];
    DWORD size = sizeof(data);
    if (RegQueryValueExA(key, name, NULL, NULL, data, &size) != ERROR_SUCCESS) return false;
    return store::DecodeStoredBytes(data, size, value);
}

// Takes every value of the parameter store; a missing one gets its install default.
void LoadStore(simstate::StateFile &state) {
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        key = NULL;
    for (int i = 0; i < store::kValueCount; ++i) {
        const store::ValueRule &rule = store::Rule(static_cast<store::ValueId>(i));
        uint32_t value = rule.installDefault;
        if (!key || !ReadStoreValue(key, rule.name, &value)) value = rule.installDefault;
        state.SetNumber(rule.name, value);
    }
    if (key) RegCloseKey(key);
}

// Pops the oldest "x,y" of the raw queue.
bool PopQueuedPoint(simstate::StateFile &state, uint32_t *x, uint32_t *y) {
    std::istringstream queue(state.Get("RawQueue"));
    std::string first, rest, word;
    if (!(queue >> first)) return false;
    while (queue >> word) rest += (rest.empty() ? "" : " ") + word;
    state.Set("RawQueue", rest);
    size_t comma = first.find(',');
    if (comma == std::string::npos) return false;
    return simstate::ParseNumber(first.substr(0, comma), x) &&
           simstate::ParseNumber(first.substr(comma + 1), y);
}

uint32_t ScaleToRaw(LONG position, int extent) {
    if (extent <= 1 || position <= 0) return 0;
    if (position >= extent - 1) return TOUCH_RAW_MAX;
    return (uint32_t)MulDiv(position, TOUCH_RAW_MAX, extent - 1);
}

// The panel mode: the cursor position as a panel mounted with the given
// orientation would report it.
void PanelPoint(const simstate::StateFile &state, uint32_t *x, uint32_t *y) {
    POINT cursor = {0, 0};
    GetCursorPos(&cursor);
    uint32_t alongX = ScaleToRaw(cursor.x, GetSystemMetrics(SM_CXSCREEN));
    uint32_t alongY = ScaleToRaw(cursor.y, GetSystemMetrics(SM_CYSCREEN));
    bool swap = state.GetNumber("PanelSwap", 0) != 0;
    *x = swap ? alongY : alongX;
    *y = swap ? alongX : alongY;
    if (state.GetNumber("PanelFlipX", 0)) *x = TOUCH_RAW_MAX - *x;
    if (state.GetNumber("PanelFlipY", 0)) *y = TOUCH_RAW_MAX - *y;
}

typedef void (*Handler)(simstate::StateFile &state, const Request &request);

void SetCalibration(simstate::StateFile &state, const Request &request) {
    for (int i = 0; i < 5; ++i) state.SetNumber(kCalibrationKeys[i], request.in[i]);
}

void GetRawPoint(simstate::StateFile &state, const Request &request) {
    if (state.GetNumber("RawCapture", 0) == 0) return;
    uint32_t x = 0, y = 0;
    bool touched = PopQueuedPoint(state, &x, &y);
    if (!touched && state.GetNumber("Panel", 0) != 0) {
        PanelPoint(state, &x, &y);
        touched = true;
    }
    if (!touched) return;  // no touch yet: the caller's marker stays
    request.out[0] = 0;
    request.out[1] = x;
    request.out[2] = y;
    state.SetNumber("RawCapture", 0);
}

void StartRawCapture(simstate::StateFile &state, const Request &) {
    state.SetNumber("RawCapture", 1);
    state.Set("RawQueue", "");
}

void SetMouseMode(simstate::StateFile &state, const Request &request) {
    state.SetNumber("MouseMode", request.in[0]);
}

void GetMouseMode(simstate::StateFile &state, const Request &request) {
    request.out[0] = state.GetNumber("MouseMode", 0);
}

void SetBeep(simstate::StateFile &state, const Request &request) {
    for (int i = 0; i < 3; ++i) state.SetNumber(kBeepKeys[i], request.in[i]);
}

void GetBeep(simstate::StateFile &state, const Request &request) {
    for (int i = 0; i < 3; ++i) request.out[i] = state.GetNumber(kBeepKeys[i], 0);
}

void Enable(simstate::StateFile &state, const Request &) { state.SetNumber("Enabled", 1); }

void Disable(simstate::StateFile &state, const Request &) { state.SetNumber("Enabled", 0); }

void RightButtonOnce(simstate::StateFile &state, const Request &) {
    state.SetNumber("RightButton", 1);
}

void ReloadParameters(simstate::StateFile &state, const Request &) { LoadStore(state); }

void QueryRightButton(simstate::StateFile &state, const Request &request) {
    request.out[0] = state.GetNumber("RightButton", 0) == 0 ? 1 : 0;
}

struct Entry {
    DWORD code;
    Handler handler;
};

const Entry kHandlers[] = {
    {IOCTL_TOUCH_SET_CALIBRATION, SetCalibration},
    {IOCTL_TOUCH_GET_RAW_POINT, GetRawPoint},
    {IOCTL_TOUCH_START_RAW_CAPTURE, StartRawCapture},
    {IOCTL_TOUCH_SET_MOUSE_MODE, SetMouseMode},
    {IOCTL_TOUCH_GET_MOUSE_MODE, GetMouseMode},
    {IOCTL_TOUCH_SET_BEEP, SetBeep},
    {IOCTL_TOUCH_GET_BEEP, GetBeep},
    {IOCTL_TOUCH_ENABLE, Enable},
    {IOCTL_TOUCH_DISABLE, Disable},
    {IOCTL_TOUCH_RIGHT_BUTTON_ONCE, RightButtonOnce},
    {IOCTL_TOUCH_RELOAD_PARAMETERS, ReloadParameters},
    {IOCTL_TOUCH_QUERY_RIGHT_BUTTON, QueryRightButton},
};

Handler FindHandler(DWORD code) {
    for (const Entry &entry : kHandlers) {
        if (entry.code == code) return entry.handler;
    }
    return nullptr;
}

// The codes a test told the driver to refuse, as "0x000F2040 0x000F204C".
bool IsRefused(const simstate::StateFile &state, DWORD code) {
    std::istringstream list(state.Get("Refuse"));
    std::string word;
    while (list >> word) {
        uint32_t refused = 0;
        if (word.compare(0, 2, "0x") != 0 && word.compare(0, 2, "0X") != 0) word = "0x" + word;
        if (simstate::ParseNumber(word, &refused) && refused == code) return true;
    }
    return false;
}

bool BuffersFit(const Request &request) {
    DWORD inNeeded = driver::InputSize(request.code);
    DWORD outNeeded = driver::OutputSize(request.code);
    if (inNeeded && (!request.in || request.inSize < inNeeded)) return false;
    if (outNeeded && (!request.out || request.outSize < outNeeded)) return false;
    return true;
}

}  // namespace

void EnsureLoaded(simstate::StateFile &state) {
    if (state.Get("Loaded") == "1") return;
    LoadStore(state);
    state.SetNumber("Enabled", 1);
    state.SetNumber("RawCapture", 0);
    state.Set("RawQueue", "");
    state.SetNumber("RightButton", 0);
    state.SetNumber("Loaded", 1);
}

DWORD Serve(simstate::StateFile &state, const Request &request, DWORD *returned) {
    *returned = 0;
    Handler handler = FindHandler(request.code);
    if (!handler) return ERROR_INVALID_FUNCTION;
    if (!BuffersFit(request)) return ERROR_INVALID_PARAMETER;
    if (IsRefused(state, request.code)) return ERROR_GEN_FAILURE;
    handler(state, request);
    *returned = driver::OutputSize(request.code);
    return 0;
}

}  // namespace device
