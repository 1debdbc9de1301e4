// Runs that must not leave the driver in doubt: a close from another
// program during a wait, a calibration that ends without Yes, and touches
// that do not fit their targets.
#include "durmasel_fixture.h"

using namespace durmasel_test;

namespace {

const RawTouch kPlain[3] = {{1000, 900}, {3100, 3000}, {3100, 900}};

void ExpectExitZero(Durmasel &app) {
    DWORD code = 1;
    ASSERT_TRUE(app.WaitExit(&code));
    EXPECT_EQ(code, 0u);
}

// Position of the first request of a code in the log, -1 when none.
int FirstIndexOf(DWORD code, size_t from = 0) {
    const auto log = harness::sim::Log();
    for (size_t i = from; i < log.size(); ++i)
        if (log[i].code == code) return static_cast<int>(i);
    return -1;
}

// The dark pixels of the prompt's first text line on a 1024 x 768 screen.
std::vector<int> PromptFirstLineInk() {
    std::vector<int> ink;
    for (int y = 346; y < 384; ++y)
        for (int x = 316; x < 708; ++x)
            if (GetGValue(harness::PixelAt(x, y)) < 96) ink.push_back(y * 1024 + x);
    return ink;
}

}  // namespace

TEST_F(DurmaselTest, CloseFromAnotherProgramDuringAWaitEndsTheRunCleanly) {
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForCapture(1));
    ASSERT_TRUE(app_.Touch(kPlain[0]));
    ASSERT_TRUE(app_.WaitForCapture(2));
    DWORD_PTR result = 0;
    ASSERT_TRUE(SendMessageTimeoutA(app_.Window(), WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kStepMs,
                                    &result));
    ExpectExitZero(app_);
    EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_SET_CALIBRATION), 0);
    EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_RELOAD_PARAMETERS), 0);
    ExpectStoreUnchanged();
    ExpectMouseModeRestored();
}

TEST_F(DurmaselTest, EndWithoutYesGivesTheDriverTheStoredCalibrationBeforeTheMode) {
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.TouchAll(kPlain, 0));
    ASSERT_TRUE(app_.Answer(IDNO));
    ASSERT_TRUE(app_.WaitForCapture(4));
    harness::SendKey(app_.Window(), VK_ESCAPE);
    ExpectExitZero(app_);
    const int transfer = FirstIndexOf(IOCTL_TOUCH_SET_CALIBRATION);
    const int reload = FirstIndexOf(IOCTL_TOUCH_RELOAD_PARAMETERS);
    ASSERT_GE(transfer, 0);
    EXPECT_GT(reload, transfer);
    EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_RELOAD_PARAMETERS), 1);
    // The mode is given back after the reload, which set the stored one.
    EXPECT_GT(FirstIndexOf(IOCTL_TOUCH_SET_MOUSE_MODE, reload + 1), reload);
    for (const char *name : {"XLow", "YLow", "XHigh", "YHigh", "SwapXY"})
        EXPECT_EQ(harness::sim::GetNumber(name), kStartStore.at(name)) << name;
    ExpectStoreUnchanged();
    ExpectMouseModeRestored();
}

TEST_F(DurmaselTest, MisclickedAndDegenerateRunsAreRefusedAndRunAgain) {
    // The third touch far from where the first two put it, then all three
    // touches in one place: neither reaches the driver.
    const RawTouch misclick[3] = {{1000, 900}, {3100, 3000}, {2000, 900}};
    const RawTouch oneSpot[3] = {{2000, 1500}, {2000, 1500}, {2000, 1500}};
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForCapture(1));
    const std::vector<int> prompt = PromptFirstLineInk();
    ASSERT_TRUE(app_.TouchAll(misclick, 0));
    ASSERT_TRUE(app_.WaitForCapture(4));
    EXPECT_NE(PromptFirstLineInk(), prompt) << "no notice in the prompt";
    ASSERT_TRUE(app_.TouchAll(oneSpot, 3));
    ASSERT_TRUE(app_.WaitForCapture(7));
    EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_SET_CALIBRATION), 0);
    EXPECT_EQ(FindWindowA(NULL, "Checking calibration results"), (HWND)NULL);
    ASSERT_TRUE(app_.TouchAll(kPlain, 6));
    ASSERT_TRUE(app_.Answer(IDYES));
    ExpectExitZero(app_);
    EXPECT_EQ(LastCalibration(), (std::vector<DWORD>{300, 200, 3800, 3700, 0}));
    DWORD xHigh = 0;
    ASSERT_TRUE(harness::ReadDword(HKEY_LOCAL_MACHINE, kParamKey, "XHigh", &xHigh));
    EXPECT_EQ(xHigh, 3800u);
    ExpectMouseModeRestored();
}
