// Set-up and shared checks of Durmasel's end-to-end tests.
#include "durmasel_fixture.h"

namespace durmasel_test {

const std::map<std::string, DWORD> kStartStore = {
    {"Port", 2},         {"XLow", 11},        {"XHigh", 4011},     {"YLow", 12},
    {"YHigh", 4012},     {"SwapXY", 0},       {"BeepMode", 1},     {"BeepFreq", 2000},
    {"BeepTime", 50},    {"DblClickRegion", 40}, {"DragDelay", 300},
    {"MouseMode", kStartMouseMode},
};

void DurmaselTest::SetUp() {
    ASSERT_TRUE(harness::sim::Install());
    store_.reset(new StoreSnapshot);
    ResetWorld();
}

void DurmaselTest::TearDown() {
    app_.Stop();
    harness::sim::RefuseNone();
    harness::sim::Reset();
    store_.reset();
    harness::sim::Uninstall();
}

void DurmaselTest::ResetWorld() {
    harness::DeleteKeyTree(HKEY_LOCAL_MACHINE, kParamKey);
    for (const auto &value : kStartStore)
        ASSERT_TRUE(harness::WriteDword(HKEY_LOCAL_MACHINE, kParamKey, value.first.c_str(),
                                        value.second));
    harness::sim::Reset();
}

std::vector<DWORD> DurmaselTest::LastCalibration() {
    const auto requests = LogOf(IOCTL_TOUCH_SET_CALIBRATION);
    if (requests.empty()) return {};
    return requests.back().in;
}

void DurmaselTest::ExpectStoreUnchanged() { EXPECT_EQ(StoreValues(), kStartStore); }

void DurmaselTest::ExpectMouseModeRestored() {
    EXPECT_EQ(harness::sim::GetNumber("MouseMode"), kStartMouseMode);
    const auto sets = LogOf(IOCTL_TOUCH_SET_MOUSE_MODE);
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets[0].in, std::vector<DWORD>{3});
    EXPECT_EQ(sets[1].in, std::vector<DWORD>{kStartMouseMode});
}

}  // namespace durmasel_test
