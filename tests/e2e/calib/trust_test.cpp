// Runs that must not leave the driver in doubt: a close from another
// program during a wait after No, touches that miss their targets.
#include "durmasel_fixture.h"

using namespace durmasel_test;

static const RawTouch kPlain[3] = {{1000, 900}, {3100, 3000}, {3100, 900}};

TEST_F(DurmaselTest, CloseFromAnotherProgramAfterNoEndsCleanlyWithTheStoredCalibration) {
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.TouchAll(kPlain, 0));
    ASSERT_TRUE(app_.Answer(IDNO));
    ASSERT_TRUE(app_.WaitForCapture(4));
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutA(app_.Window(), WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kStepMs,
                                    &result));
    DWORD code = 1;
    ASSERT_TRUE(app_.WaitExit(&code));
    EXPECT_EQ(code, 0u);
    // The reload sets the stored mouse mode as well, so the driver's own
    // mode must be the very last request.
    const auto log = harness::sim::Log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log[log.size() - 2].code, IOCTL_TOUCH_RELOAD_PARAMETERS);
    for (const char *name : {"XLow", "YLow", "XHigh", "YHigh", "SwapXY"})
        EXPECT_EQ(harness::sim::GetNumber(name), kStartStore.at(name)) << name;
    ExpectMouseModeRestored();
}

TEST_F(DurmaselTest, MisclickedAndDegenerateRunsAreRefusedAndRunAgain) {
    // A third touch far from where the first two put it, then three
    // touches in one place: each run starts again without a question.
    const RawTouch refused[2][3] = {{{1000, 900}, {3100, 3000}, {2000, 900}},
                                    {{2000, 1500}, {2000, 1500}, {2000, 1500}}};
    ASSERT_TRUE(app_.Start());
    for (int run = 0; run < 3; ++run)
        ASSERT_TRUE(app_.TouchAll(run < 2 ? refused[run] : kPlain, 3 * run)) << "run " << run;
    ASSERT_TRUE(app_.Answer(IDYES));
    ASSERT_TRUE(app_.WaitExit(nullptr));
    EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_SET_CALIBRATION), 1);
    EXPECT_EQ(LastCalibration(), (std::vector<DWORD>{300, 200, 3800, 3700, 0}));
}
