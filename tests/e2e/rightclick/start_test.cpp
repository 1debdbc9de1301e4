// Fennock's start and its window: one instance at a time, the fatal box
// without the driver, a topmost tool window without a taskbar button, the
// product's pictures and version, and how little it costs while idle.
#include <gtest/gtest.h>

#include <cstdio>

#include "fennock_run.h"

namespace sim = harness::sim;

namespace {

class StartTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(sim::Install()) << harness::SimulatorPath(); }
    void SetUp() override { sim::Reset(); }
    void TearDown() override {
        sim::Install();
        sim::Reset();
    }
};

TEST_F(StartTest, SecondStartEndsAtOnceWithCodeZero) {
    FennockRun first;
    ASSERT_TRUE(first.Up());
    harness::Process second = harness::Start(FennockPath());
    ASSERT_TRUE(second.Started());
    DWORD code = 0xFFFF;
    ASSERT_TRUE(harness::WaitExit(second, 3000, &code));
    EXPECT_EQ(0u, code);
    EXPECT_EQ(nullptr, harness::FindProcessWindow(second.pid, nullptr));
    EXPECT_TRUE(IsWindow(first.Window()));
}

TEST_F(StartTest, WithoutTheDriverShowsTheFatalBoxAndEndsWithCodeOne) {
    sim::Uninstall();
    harness::Process fennock = harness::Start(FennockPath());
    ASSERT_TRUE(fennock.Started());
    HWND box = harness::WaitMessageBox("Fatal Error!", 10000);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ("Fatal Error:ZELVANIS Touchscreen driver not loaded!", harness::MessageBoxText(box));
    EXPECT_EQ(nullptr, harness::FindProcessWindow(fennock.pid, "Fennock"));
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    DWORD code = 0xFFFF;
    bool ended = harness::WaitExit(fennock, 5000, &code);
    if (!ended) harness::Kill(fennock);
    ASSERT_TRUE(ended);
    EXPECT_EQ(1u, code);
}

TEST_F(StartTest, WindowIsATopmostToolWindowWithoutOwner) {
    FennockRun fennock;
    ASSERT_TRUE(fennock.Up());
    const LONG exStyle = GetWindowLongA(fennock.Window(), GWL_EXSTYLE);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW) << "a tool window has no taskbar button";
    EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
    EXPECT_EQ(nullptr, GetWindow(fennock.Window(), GW_OWNER));
    EXPECT_EQ("Button", harness::ClassName(fennock.Button()));
    const LONG buttonStyle = GetWindowLongA(fennock.Button(), GWL_STYLE);
    EXPECT_EQ(BS_AUTOCHECKBOX, buttonStyle & 0x0F);
    EXPECT_TRUE(buttonStyle & BS_PUSHLIKE);
    EXPECT_TRUE(buttonStyle & BS_BITMAP);
    RECT client, button;
    GetClientRect(fennock.Window(), &client);
    GetClientRect(fennock.Button(), &button);
    EXPECT_EQ(client.right, button.right) << "the button fills the window";
    EXPECT_EQ(client.bottom, button.bottom);
}

// A window of the test's own, brought to the front, must stay below.
TEST_F(StartTest, WindowStaysAboveAWindowActivatedLater) {
    FennockRun fennock;
    ASSERT_TRUE(fennock.Up());
    HWND other = CreateWindowExA(0, "STATIC", "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                 300, 200, NULL, NULL, GetModuleHandleA(NULL), NULL);
    ASSERT_NE(nullptr, other);
    SetForegroundWindow(other);
    SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    bool fennockFirst = false;
    for (HWND w = GetTopWindow(NULL); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == fennock.Window()) fennockFirst = true;
        if (w == fennock.Window() || w == other) break;
    }
    DestroyWindow(other);
    EXPECT_TRUE(fennockFirst);
}

TEST_F(StartTest, IdleProgramUsesAlmostNoProcessorTime) {
    FennockRun fennock;
    ASSERT_TRUE(fennock.Up());
    harness::Pause(500);
    FILETIME created, ended, kernelBefore, userBefore, kernelAfter, userAfter;
    ASSERT_TRUE(GetProcessTimes(fennock.Handle(), &created, &ended, &kernelBefore, &userBefore));
    harness::Pause(10000);
    ASSERT_TRUE(GetProcessTimes(fennock.Handle(), &created, &ended, &kernelAfter, &userAfter));
    auto ticks = [](const FILETIME &t) {
        return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    ULONGLONG used = ticks(kernelAfter) - ticks(kernelBefore) + ticks(userAfter) - ticks(userBefore);
    double milliseconds = static_cast<double>(used) / 10000.0;
    double sinceStart = static_cast<double>(ticks(kernelAfter) + ticks(userAfter)) / 10000.0;
    printf("processor time used while idle for 10 s: %.1f ms (%.1f ms since start)\n",
           milliseconds, sinceStart);
    // A reading of nothing at all would mean the times are not kept.
    EXPECT_GT(sinceStart, 0.0);
    RecordProperty("idle_cpu_ms_per_10s", static_cast<int>(milliseconds));
    EXPECT_LT(milliseconds, 100.0);
    EXPECT_EQ(0, RequestsOf(fennock.Pid()));
}

}  // namespace
