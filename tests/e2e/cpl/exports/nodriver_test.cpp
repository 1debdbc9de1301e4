// Without the driver every export of the applet fails with the error of the
// failed open and shows nothing. Its own program: once the simulator has
// been loaded into a process it stays there.
#include <gtest/gtest.h>

#include "driver_interface.h"
#include "harness.h"

namespace {

typedef BOOL(WINAPI *OneWord)(DWORD);
typedef BOOL(WINAPI *Pointer)(void *);
typedef BOOL(WINAPI *Beep)(DWORD, DWORD, DWORD);

template <typename Fn>
Fn As(FARPROC function) {
    return reinterpret_cast<Fn>(reinterpret_cast<void *>(function));
}

struct Call {
    const char *name;
    std::function<BOOL(FARPROC)> invoke;
};

// Runs one export on a thread of its own, so a message box it might show
// cannot hang the test; reports whether it ended within the time.
bool RunBounded(const std::function<void()> &work, DWORD ms) {
    struct Job {
        std::function<void()> work;
        static DWORD WINAPI Run(LPVOID self) {
            static_cast<Job *>(self)->work();
            return 0;
        }
    } *job = new Job{work};
    HANDLE thread = CreateThread(NULL, 0, Job::Run, job, 0, NULL);
    bool ended = WaitForSingleObject(thread, ms) == WAIT_OBJECT_0;
    CloseHandle(thread);
    if (ended) delete job;  // a hung job is left to the process's end
    return ended;
}

TEST(NoDriverTest, EveryExportFailsWithTheOpensErrorAndShowsNothing) {
    harness::sim::Uninstall();
    ASSERT_FALSE(harness::FileExists(harness::Join(harness::SystemDir(), "zelvanis.vxd")));
    HMODULE cpl = LoadLibraryA(harness::Join(harness::PackageDir(), "Pemrosko.Cpl").c_str());
    ASSERT_NE(nullptr, cpl);

    HANDLE probe = CreateFileA(ZELVANIS_DEVICE_PATH, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, NULL);
    ASSERT_EQ(INVALID_HANDLE_VALUE, probe);
    const DWORD openError = GetLastError();
    ASSERT_NE(0u, openError);

    DWORD mode = 55;
    BeepRecord beep = {9, 9, 9};
    const Call calls[] = {
        {"SetMouseMode", [](FARPROC f) { return As<OneWord>(f)(1); }},
        {"GetMouseMode", [&](FARPROC f) { return As<Pointer>(f)(&mode); }},
        {"GetBeep", [&](FARPROC f) { return As<Pointer>(f)(&beep); }},
        {"SetBeep", [](FARPROC f) { return As<Beep>(f)(1, 1000, 32); }},
        {"EnableTouchscreen", [](FARPROC f) { return As<OneWord>(f)(0); }},
        {"EnableTouchscreen", [](FARPROC f) { return As<OneWord>(f)(1); }},
    };
    for (const Call &call : calls) {
        FARPROC function = GetProcAddress(cpl, call.name);
        ASSERT_NE(nullptr, function) << call.name;
        BOOL result = TRUE;
        DWORD error = 0;
        ASSERT_TRUE(RunBounded(
            [&] {
                SetLastError(0);
                result = call.invoke(function);
                error = GetLastError();
            },
            10000))
            << call.name << " did not return";
        EXPECT_FALSE(result) << call.name;
        EXPECT_EQ(openError, error) << call.name;
    }
    EXPECT_EQ(55u, mode);
    EXPECT_EQ(9u, beep.mode);
    EXPECT_EQ(nullptr, harness::FindProcessWindow(GetCurrentProcessId(), nullptr));
}

}  // namespace
