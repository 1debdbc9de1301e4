// The applet's five exported driver functions: each checks its arguments,
// sends exactly one request with the right buffer, and passes the driver's
// answer and errors on.
#include <gtest/gtest.h>

#include "device_probe.h"
#include "harness.h"

namespace sim = harness::sim;

namespace {

class ExportsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(sim::Install()) << harness::SimulatorPath(); }
    static void TearDownTestSuite() { sim::Reset(); }

    void SetUp() override {
        sim::Reset();
        ASSERT_TRUE(Applet().Complete()) << "Pemrosko.Cpl in " << harness::PackageDir();
    }

    const Exports &cpl = Applet();
};

// The one request the last call made, checked for code and success.
sim::LogEntry OnlyRequest(DWORD code, bool ok = true) {
    std::vector<sim::LogEntry> log = sim::Log();
    EXPECT_EQ(1u, log.size());
    if (log.empty()) return sim::LogEntry();
    EXPECT_EQ(code, log.back().code);
    EXPECT_EQ(ok, log.back().ok);
    EXPECT_EQ(GetCurrentProcessId(), log.back().pid);
    return log.back();
}

typedef std::vector<DWORD> Words;

// A page whose last 'writable' bytes are followed by a page that cannot be touched.
class GuardedArea {
public:
    explicit GuardedArea(DWORD writable) {
        m_base = static_cast<BYTE *>(VirtualAlloc(NULL, 2 * kPage, MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        VirtualProtect(m_base + kPage, kPage, PAGE_NOACCESS, &old);
        m_area = m_base + kPage - writable;
    }
    ~GuardedArea() { VirtualFree(m_base, 0, MEM_RELEASE); }
    template <typename T>
    T *As() const {
        return reinterpret_cast<T *>(m_area);
    }

private:
    static const DWORD kPage = 4096;
    BYTE *m_base;
    BYTE *m_area;
};

TEST_F(ExportsTest, SetMouseModeSendsEachValidMode) {
    for (DWORD mode = 0; mode <= 3; ++mode) {
        sim::Reset();
        ASSERT_TRUE(cpl.SetMouseMode(mode));
        EXPECT_EQ(Words{mode}, OnlyRequest(IOCTL_TOUCH_SET_MOUSE_MODE).in);
        EXPECT_EQ(mode, sim::GetNumber("MouseMode"));
    }
}

TEST_F(ExportsTest, SetMouseModeRefusesModesAboveThree) {
    for (DWORD mode : {4u, 5u, 0x80000000u, 0xFFFFFFFFu}) {
        SetLastError(0);
        EXPECT_FALSE(cpl.SetMouseMode(mode)) << mode;
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError()) << mode;
    }
    EXPECT_TRUE(sim::Log().empty());
}

TEST_F(ExportsTest, GetMouseModeReturnsTheModeInForce) {
    sim::SetNumber("Loaded", 1);
    sim::SetNumber("MouseMode", 2);
    DWORD mode = 99;
    ASSERT_TRUE(cpl.GetMouseMode(&mode));
    EXPECT_EQ(2u, mode);
    sim::LogEntry request = OnlyRequest(IOCTL_TOUCH_GET_MOUSE_MODE);
    EXPECT_TRUE(request.in.empty());
    EXPECT_EQ(Words{2}, request.out);
}

TEST_F(ExportsTest, GetMouseModeRefusesNullAndReadOnlyPointers) {
    SetLastError(0);
    EXPECT_FALSE(cpl.GetMouseMode(nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    DWORD *readOnly = static_cast<DWORD *>(VirtualAlloc(NULL, 4096, MEM_COMMIT, PAGE_READONLY));
    ASSERT_NE(nullptr, readOnly);
    SetLastError(0);
    EXPECT_FALSE(cpl.GetMouseMode(readOnly));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    VirtualFree(readOnly, 0, MEM_RELEASE);
    EXPECT_TRUE(sim::Log().empty());
}

TEST_F(ExportsTest, RefusedGetMouseModeKeepsTheCallersVariable) {
    sim::Refuse(IOCTL_TOUCH_GET_MOUSE_MODE);
    DWORD mode = 77;
    SetLastError(0);
    EXPECT_FALSE(cpl.GetMouseMode(&mode));
    EXPECT_EQ(static_cast<DWORD>(ERROR_GEN_FAILURE), GetLastError());
    EXPECT_EQ(77u, mode);
    OnlyRequest(IOCTL_TOUCH_GET_MOUSE_MODE, false);
}

TEST_F(ExportsTest, SetBeepAcceptsTheEdgesOfEachRange) {
    const Words accepted[] = {{2, 1000, 10}, {0, 5000, 200}, {1, 1000, 32}};
    for (const Words &beep : accepted) {
        sim::Reset();
        ASSERT_TRUE(cpl.SetBeep(beep[0], beep[1], beep[2]));
        EXPECT_EQ(beep, OnlyRequest(IOCTL_TOUCH_SET_BEEP).in);
        EXPECT_EQ(beep[1], sim::GetNumber("BeepFreq"));
    }
}

TEST_F(ExportsTest, SetBeepRefusesValuesOutsideTheRanges) {
    const Words refused[] = {{3, 1000, 32},  {1, 999, 32},        {1, 5001, 32},
                             {1, 1000, 9},   {1, 1000, 201},      {0xFFFFFFFF, 1000, 32},
                             {1, 0xFFFFFFFF, 32}, {1, 1000, 0xFFFFFFFF}};
    for (const Words &beep : refused) {
        SetLastError(0);
        EXPECT_FALSE(cpl.SetBeep(beep[0], beep[1], beep[2])) << beep[0] << "," << beep[1] << "," << beep[2];
        EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    }
    EXPECT_TRUE(sim::Log().empty());
}

TEST_F(ExportsTest, GetBeepPassesTheRecordOnUnchanged) {
    sim::SetNumber("Loaded", 1);
    sim::SetNumber("BeepMode", 1);
    sim::SetNumber("BeepFreq", 2500);
    sim::SetNumber("BeepTime", 100);
    GuardedArea area(sizeof(BeepRecord));  // exactly twelve writable bytes are enough
    BeepRecord *beep = area.As<BeepRecord>();
    ASSERT_TRUE(cpl.GetBeep(beep));
    EXPECT_EQ(1u, beep->mode);
    EXPECT_EQ(2500u, beep->frequency);
    EXPECT_EQ(100u, beep->duration);
    EXPECT_EQ((Words{1, 2500, 100}), OnlyRequest(IOCTL_TOUCH_GET_BEEP).out);
}

TEST_F(ExportsTest, GetBeepRefusesAnAreaOfEightBytes) {
    GuardedArea area(8);
    SetLastError(0);
    EXPECT_FALSE(cpl.GetBeep(area.As<BeepRecord>()));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    SetLastError(0);
    EXPECT_FALSE(cpl.GetBeep(nullptr));
    EXPECT_EQ(static_cast<DWORD>(ERROR_INVALID_PARAMETER), GetLastError());
    EXPECT_TRUE(sim::Log().empty());
}

TEST_F(ExportsTest, EnableTouchscreenTakesAnyNonZeroAsEnable) {
    ASSERT_TRUE(cpl.EnableTouchscreen(0));
    OnlyRequest(IOCTL_TOUCH_DISABLE);
    EXPECT_EQ(0u, sim::GetNumber("Enabled"));
    for (BOOL enable : {7, 1, -1}) {
        sim::Reset();
        sim::SetNumber("Loaded", 1);
        sim::SetNumber("Enabled", 0);
        ASSERT_TRUE(cpl.EnableTouchscreen(enable));
        OnlyRequest(IOCTL_TOUCH_ENABLE);
        EXPECT_EQ(1u, sim::GetNumber("Enabled")) << enable;
    }
}

TEST_F(ExportsTest, RefusedRequestsReportTheDriversError) {
    sim::Refuse(IOCTL_TOUCH_SET_BEEP);
    sim::Refuse(IOCTL_TOUCH_ENABLE);
    SetLastError(0);
    EXPECT_FALSE(cpl.SetBeep(1, 1000, 32));
    EXPECT_EQ(static_cast<DWORD>(ERROR_GEN_FAILURE), GetLastError());
    SetLastError(0);
    EXPECT_FALSE(cpl.EnableTouchscreen(1));
    EXPECT_EQ(static_cast<DWORD>(ERROR_GEN_FAILURE), GetLastError());
    std::vector<sim::LogEntry> log = sim::Log();
    ASSERT_EQ(2u, log.size());
    EXPECT_FALSE(log[0].ok);
    EXPECT_FALSE(log[1].ok);
    sim::RefuseNone();
    EXPECT_TRUE(cpl.EnableTouchscreen(1));
}

}  // namespace
