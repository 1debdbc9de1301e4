// Durmasel's time limit: 31 timer ticks without the run being finished end
// it, and each run answered No gets a fresh limit. Slow (about a minute),
// so it is a program of its own.
#include "durmasel_fixture.h"

using namespace durmasel_test;

TEST_F(DurmaselTest, EachRunHasItsOwnThirtyOneSecondLimit) {
    const RawTouch plain[3] = {{1000, 900}, {3100, 3000}, {3100, 900}};
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForCapture(1));
    // Most of the first run's limit is used up before it is finished...
    harness::Pause(20000);
    ASSERT_TRUE(app_.TouchAll(plain, 0));
    ASSERT_TRUE(app_.Answer(IDNO));
    const DWORD secondRun = GetTickCount();
    // ...and the second run still gets its full limit, even with two of
    // its targets touched.
    ASSERT_TRUE(app_.WaitForCapture(4));
    ASSERT_TRUE(app_.Touch(plain[0]));
    ASSERT_TRUE(app_.WaitForCapture(5));
    ASSERT_TRUE(app_.Touch(plain[1]));
    ASSERT_TRUE(app_.WaitForCapture(6));
    DWORD code = 1;
    ASSERT_TRUE(harness::WaitExit(app_.Process(), 60000, &code));
    const DWORD elapsed = GetTickCount() - secondRun;
    EXPECT_EQ(code, 0u);
    EXPECT_GE(elapsed, 29000u);
    EXPECT_LE(elapsed, 45000u);
    EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_SET_CALIBRATION), 1);
    ExpectStoreUnchanged();
    ExpectMouseModeRestored();
}
