// Durmasel's time limits: 31 timer ticks without the run being finished
// end it, each new run gets a fresh limit, and a check question nobody
// answers counts as No after about 30 seconds. Slow (about 70 seconds),
// so it is a program of its own.
#include "durmasel_fixture.h"

using namespace durmasel_test;

// Another program's question with Durmasel's caption, as Brokasta asks.
DWORD WINAPI AskLikeAnotherProgram(LPVOID) {
    return static_cast<DWORD>(MessageBoxA(NULL, "another program's question",
                                          "Checking calibration results", MB_YESNO));
}

TEST_F(DurmaselTest, UnansweredQuestionCountsAsNoAndEachRunHasItsOwnLimit) {
    const RawTouch plain[3] = {{1000, 900}, {3100, 3000}, {3100, 900}};
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForCapture(1));
    // Part of the first run's limit is used up before it is finished...
    harness::Pause(8000);
    ASSERT_TRUE(app_.TouchAll(plain, 0));
    // ...the question counts down while nobody answers, and counts as No:
    // nothing is saved, and the second run still gets its full limit.
    HWND box = harness::WaitMessageBox("Checking calibration results", kStepMs);
    ASSERT_NE(box, nullptr);
    // Another program's question of the same caption, in front of it: the
    // countdown and its No belong to Durmasel's own box only.
    HANDLE other = CreateThread(NULL, 0, AskLikeAnotherProgram, NULL, 0, NULL);
    ASSERT_NE(other, nullptr);
    HWND decoy = nullptr;
    ASSERT_TRUE(harness::WaitUntil([&] {
        decoy = FindWindowA("#32770", "Checking calibration results");
        return decoy && decoy != box;
    }, 5000));
    const std::string shown = harness::MessageBoxText(box);
    EXPECT_TRUE(harness::WaitUntil([&] { return harness::MessageBoxText(box) != shown; }, 5000));
    ASSERT_TRUE(harness::WaitGone(box, 45000));
    EXPECT_TRUE(IsWindow(decoy)) << "the other program's box was answered";
    EXPECT_EQ(harness::MessageBoxText(decoy), "another program's question");
    harness::PostClick(decoy, IDNO);
    EXPECT_EQ(WaitForSingleObject(other, 5000), WAIT_OBJECT_0);
    CloseHandle(other);
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
