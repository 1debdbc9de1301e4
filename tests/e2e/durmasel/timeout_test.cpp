// Durmasel's time limits: 31 timer ticks without the run being finished
// end it, each new run gets a fresh limit, and a check question nobody
// answers counts as No after about 30 seconds. Slow (about 80 seconds),
// so it is a program of its own.
#include "durmasel_fixture.h"

#include <stdlib.h>

using namespace durmasel_test;

namespace {

const char kQuestion[] = "Checking calibration results";

// The seconds left that the question shows, -1 when it shows none.
int SecondsShown(HWND box) {
    const std::string text = harness::MessageBoxText(box);
    const size_t at = text.rfind(" in ");
    return at == std::string::npos ? -1 : atoi(text.c_str() + at + 4);
}

}  // namespace

TEST_F(DurmaselTest, UnansweredQuestionCountsAsNoAndEachRunHasItsOwnLimit) {
    const RawTouch plain[3] = {{1000, 900}, {3100, 3000}, {3100, 900}};
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForCapture(1));
    // Part of the first run's limit is used up before it is finished...
    harness::Pause(8000);
    ASSERT_TRUE(app_.TouchAll(plain, 0));
    HWND box = harness::WaitMessageBox(kQuestion, kStepMs);
    ASSERT_TRUE(box != NULL);
    const DWORD asked = GetTickCount();
    // ...the question counts down while nobody answers...
    const int first = SecondsShown(box);
    EXPECT_GE(first, 25);
    EXPECT_LE(first, 30);
    EXPECT_TRUE(harness::WaitUntil([&] { return SecondsShown(box) < first; }, 5000));
    ASSERT_TRUE(harness::WaitGone(box, 45000));
    EXPECT_GE(GetTickCount() - asked, 25000u);
    // ...and counts as No: nothing saved, and the second run still gets
    // its full limit, even with two of its targets touched.
    ASSERT_TRUE(app_.WaitForCapture(4));
    const DWORD secondRun = GetTickCount();
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
