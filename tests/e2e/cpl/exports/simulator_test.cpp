// The simulated driver itself: state shared between processes, loading and
// reloading from the parameter store, buffer checks, refusals, raw touches,
// the right-button switch and the panel mode.
#include <gtest/gtest.h>

#include "device_probe.h"
#include "harness.h"
#include "parameter_store.h"

namespace sim = harness::sim;

namespace {

class SimulatorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(sim::Install()); }
    void SetUp() override { sim::Reset(); }
    void TearDown() override { sim::Reset(); }

    // Runs simprobe (beside this test program) and returns its exit code.
    static DWORD Probe(const std::string &args) {
        harness::Process probe = harness::Start(harness::Join(harness::TestDir(), "simprobe.exe"), args);
        DWORD code = 0xFFFFFFFF;
        EXPECT_TRUE(harness::WaitExit(probe, 20000, &code)) << args;
        return code;
    }
};

std::string Hex(DWORD code) {
    char text[16];
    wsprintfA(text, "%08lX", code);
    return text;
}

TEST_F(SimulatorTest, StateIsSharedBetweenProcesses) {
    ASSERT_TRUE(Request(IOCTL_TOUCH_SET_MOUSE_MODE, {1}).ok);
    EXPECT_EQ(1u, Probe(Hex(IOCTL_TOUCH_GET_MOUSE_MODE)));
    EXPECT_EQ(0u, Probe(Hex(IOCTL_TOUCH_SET_MOUSE_MODE) + " 2"));
    Reply reply = Request(IOCTL_TOUCH_GET_MOUSE_MODE, {}, 1);
    ASSERT_TRUE(reply.ok);
    EXPECT_EQ(2u, reply.out[0]);
    std::vector<sim::LogEntry> log = sim::Log();
    ASSERT_EQ(4u, log.size());
    const DWORD self = GetCurrentProcessId();
    EXPECT_EQ(self, log[0].pid);
    EXPECT_NE(self, log[1].pid);
    EXPECT_NE(self, log[2].pid);
    EXPECT_EQ(self, log[3].pid);
}

// As the applet starts the calibration program: a program started by a
// program the test started reaches the same device.
TEST_F(SimulatorTest, ProgramsThatProgramsStartReachTheDevice) {
    ASSERT_TRUE(Request(IOCTL_TOUCH_SET_MOUSE_MODE, {2}).ok);
    EXPECT_EQ(2u, Probe("via " + Hex(IOCTL_TOUCH_GET_MOUSE_MODE)));
    std::vector<sim::LogEntry> log = sim::Log();
    ASSERT_EQ(2u, log.size());
    EXPECT_EQ(IOCTL_TOUCH_GET_MOUSE_MODE, log[1].code);
    EXPECT_NE(GetCurrentProcessId(), log[1].pid);
}

TEST_F(SimulatorTest, FirstOpenAfterResetLoadsTheStoreWithInstallDefaults) {
    StoreSnapshot keep;
    harness::DeleteKeyTree(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY);
    ASSERT_TRUE(harness::WriteDword(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, "BeepFreq", 3000));
    ASSERT_TRUE(harness::WriteDword(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, "XLow", 4000));
    Reply beep = Request(IOCTL_TOUCH_GET_BEEP, {}, 3);
    ASSERT_TRUE(beep.ok);
    EXPECT_EQ((std::vector<DWORD>{2, 3000, 32}), beep.out);
    EXPECT_EQ(4000u, sim::GetNumber("XLow"));
    EXPECT_EQ(4096u, sim::GetNumber("XHigh"));
    EXPECT_EQ(3u, sim::GetNumber("MouseMode"));
    EXPECT_EQ(1u, sim::GetNumber("Enabled"));
}

TEST_F(SimulatorTest, ReloadTakesEveryValueAnewFromTheStore) {
    StoreSnapshot keep;
    ASSERT_TRUE(Request(IOCTL_TOUCH_SET_BEEP, {0, 4000, 150}).ok);
    ASSERT_TRUE(Request(IOCTL_TOUCH_SET_CALIBRATION, {10, 20, 4000, 4010, 1}).ok);
    harness::DeleteKeyTree(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY);
    harness::WriteDword(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, "BeepMode", 1);
    harness::WriteDword(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, "YHigh", 3900);
    // A short string counts as the number made of its bytes, as for the applet.
    harness::WriteBinary(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, "MouseMode", REG_SZ, {'\1', 0});
    ASSERT_TRUE(Request(IOCTL_TOUCH_RELOAD_PARAMETERS).ok);
    EXPECT_EQ((std::vector<DWORD>{1, 1000, 32}), Request(IOCTL_TOUCH_GET_BEEP, {}, 3).out);
    EXPECT_EQ(1u, Request(IOCTL_TOUCH_GET_MOUSE_MODE, {}, 1).out[0]);
    EXPECT_EQ(0u, sim::GetNumber("XLow"));
    EXPECT_EQ(3900u, sim::GetNumber("YHigh"));
    EXPECT_EQ(0u, sim::GetNumber("SwapXY"));
}

TEST_F(SimulatorTest, CalibrationIsStoredInRecordOrder) {
    ASSERT_TRUE(Request(IOCTL_TOUCH_SET_CALIBRATION, {11, 22, 33, 44, 1}).ok);
    EXPECT_EQ(11u, sim::GetNumber("XLow"));
    EXPECT_EQ(22u, sim::GetNumber("YLow"));
    EXPECT_EQ(33u, sim::GetNumber("XHigh"));
    EXPECT_EQ(44u, sim::GetNumber("YHigh"));
    EXPECT_EQ(1u, sim::GetNumber("SwapXY"));
}

TEST_F(SimulatorTest, ShortBuffersAndUnknownCodesFail) {
    Reply shortOut = Request(IOCTL_TOUCH_GET_BEEP, {}, 2);
    EXPECT_FALSE(shortOut.ok);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), shortOut.error);
    EXPECT_EQ((std::vector<DWORD>{RAW_POINT_MARKER_NONE, RAW_POINT_MARKER_NONE}), shortOut.out);
    Reply shortIn = Request(IOCTL_TOUCH_SET_CALIBRATION, {1, 2, 3, 4});
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), shortIn.error);
    Reply unknown = Request(TOUCH_CTL_CODE(0x802));
    EXPECT_FALSE(unknown.ok);
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_FUNCTION), unknown.error);
    std::vector<sim::LogEntry> log = sim::Log();
    ASSERT_EQ(3u, log.size());
    EXPECT_EQ("UNKNOWN", log[2].name);
    for (const sim::LogEntry &entry : log) EXPECT_FALSE(entry.ok);
}

TEST_F(SimulatorTest, RefusedCodesFailUntilCleared) {
    sim::Refuse(IOCTL_TOUCH_RELOAD_PARAMETERS);
    Reply refused = Request(IOCTL_TOUCH_RELOAD_PARAMETERS);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(static_cast<DWORD>(ERROR_GEN_FAILURE), refused.error);
    EXPECT_TRUE(Request(IOCTL_TOUCH_ENABLE).ok);
    sim::RefuseNone();
    EXPECT_TRUE(Request(IOCTL_TOUCH_RELOAD_PARAMETERS).ok);
    EXPECT_EQ(1, sim::Count(IOCTL_TOUCH_ENABLE));
    EXPECT_EQ(2, sim::Count(IOCTL_TOUCH_RELOAD_PARAMETERS));
}

TEST_F(SimulatorTest, RawPointsAreDeliveredOncePerCapture) {
    sim::QueueRawPoint(1, 2);  // before the capture: dropped by it
    ASSERT_TRUE(Request(IOCTL_TOUCH_START_RAW_CAPTURE).ok);
    Reply none = Request(IOCTL_TOUCH_GET_RAW_POINT, {}, 3);
    ASSERT_TRUE(none.ok);
    EXPECT_EQ(RAW_POINT_MARKER_NONE, none.out[0]);
    sim::QueueRawPoint(100, 4000);
    sim::QueueRawPoint(300, 400);
    EXPECT_EQ((std::vector<DWORD>{0, 100, 4000}), Request(IOCTL_TOUCH_GET_RAW_POINT, {}, 3).out);
    // Disarmed: the second queued touch waits for the next capture... which drops it.
    EXPECT_EQ(RAW_POINT_MARKER_NONE, Request(IOCTL_TOUCH_GET_RAW_POINT, {}, 3).out[0]);
    EXPECT_EQ("300,400", sim::Get("RawQueue"));
    std::vector<sim::LogEntry> log = sim::Log();
    ASSERT_EQ(4u, log.size());
    EXPECT_EQ((std::vector<DWORD>{0, 100, 4000}), log[2].out);
}

TEST_F(SimulatorTest, RightButtonQueryAnswersOnceTheTouchIsOver) {
    EXPECT_EQ(1u, Request(IOCTL_TOUCH_QUERY_RIGHT_BUTTON, {}, 1).out[0]);
    ASSERT_TRUE(Request(IOCTL_TOUCH_RIGHT_BUTTON_ONCE).ok);
    EXPECT_EQ(0u, Request(IOCTL_TOUCH_QUERY_RIGHT_BUTTON, {}, 1).out[0]);
    sim::EndRightButton();
    EXPECT_EQ(1u, Request(IOCTL_TOUCH_QUERY_RIGHT_BUTTON, {}, 1).out[0]);
}

TEST_F(SimulatorTest, PanelModeReportsTheCursorAsTheMountedPanelWould) {
    int right = GetSystemMetrics(SM_CXSCREEN) - 1;
    ASSERT_TRUE(SetCursorPos(right, 0));
    struct Case {
        bool swap, flipX, flipY;
        std::vector<DWORD> raw;
    } cases[] = {
        {false, false, false, {0, 4096, 0}},
        {true, false, false, {0, 0, 4096}},
        {false, true, true, {0, 0, 4096}},
    };
    for (const Case &c : cases) {
        sim::SetPanel(true, c.swap, c.flipX, c.flipY);
        ASSERT_TRUE(Request(IOCTL_TOUCH_START_RAW_CAPTURE).ok);
        EXPECT_EQ(c.raw, Request(IOCTL_TOUCH_GET_RAW_POINT, {}, 3).out);
    }
}

TEST_F(SimulatorTest, OtherHandlesReachTheRealDeviceIoControl) {
    ASSERT_TRUE(Request(IOCTL_TOUCH_ENABLE).ok);  // the simulator is loaded and hooked
    sim::Reset();
    std::string path = harness::Join(harness::TempDir(), "simulator_other_handle.txt");
    ASSERT_TRUE(harness::WriteTextFile(path, "x"));
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD mode = 1, returned = 0;
    EXPECT_FALSE(DeviceIoControl(file, IOCTL_TOUCH_SET_MOUSE_MODE, &mode, 4, NULL, 0, &returned, NULL));
    CloseHandle(file);
    harness::DeleteFileIfAny(path);
    EXPECT_TRUE(sim::Log().empty());
}

}  // namespace
