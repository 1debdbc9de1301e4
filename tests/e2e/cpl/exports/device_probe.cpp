// Helpers shared by the exports and simulator tests.
#include "device_probe.h"

#include "harness.h"
#include "parameter_store.h"

Reply Request(DWORD code, const std::vector<DWORD> &in, DWORD outWords) {
    Reply reply;
    reply.out.assign(outWords, RAW_POINT_MARKER_NONE);
    HANDLE device = CreateFileA(ZELVANIS_DEVICE_PATH, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, NULL);
    if (device == INVALID_HANDLE_VALUE) {
        reply.error = GetLastError();
        return reply;
    }
    std::vector<DWORD> input(in);
    reply.ok = DeviceIoControl(device, code, input.empty() ? NULL : input.data(),
                               static_cast<DWORD>(input.size() * 4), outWords ? reply.out.data() : NULL,
                               outWords * 4, &reply.returned, NULL);
    reply.error = reply.ok ? 0 : GetLastError();
    CloseHandle(device);
    return reply;
}

bool Exports::Complete() const {
    return module && SetMouseMode && GetMouseMode && GetBeep && SetBeep && EnableTouchscreen;
}

template <typename Fn>
static void Bind(HMODULE module, const char *name, Fn *fn) {
    *fn = reinterpret_cast<Fn>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

const Exports &Applet() {
    static Exports exports;
    if (exports.module) return exports;
    exports.module = LoadLibraryA(harness::Join(harness::PackageDir(), "Pemrosko.Cpl").c_str());
    if (!exports.module) return exports;
    Bind(exports.module, "SetMouseMode", &exports.SetMouseMode);
    Bind(exports.module, "GetMouseMode", &exports.GetMouseMode);
    Bind(exports.module, "GetBeep", &exports.GetBeep);
    Bind(exports.module, "SetBeep", &exports.SetBeep);
    Bind(exports.module, "EnableTouchscreen", &exports.EnableTouchscreen);
    return exports;
}
