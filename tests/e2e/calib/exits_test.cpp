// The ways Durmasel ends without saving: Escape, a second start, no driver,
// a refused transfer, a refused save; and a mouse mode it could not read.
#include "durmasel_fixture.h"

using namespace durmasel_test;

namespace {
const RawTouch kPlain[3] = {{1000, 900}, {3100, 3000}, {3100, 900}};

void ExpectExitZero(Durmasel &app) {
    DWORD code = 1;
    ASSERT_TRUE(app.WaitExit(&code));
    EXPECT_EQ(code, 0u);
}

// True when a comes before b in the z-order of the top-level windows.
bool IsAbove(HWND a, HWND b) {
    HWND w = GetTopWindow(NULL);
    while (w && w != a && w != b) w = GetWindow(w, GW_HWNDNEXT);
    return w == a;
}
}  // namespace

TEST_F(DurmaselTest, EscapeEndsTheRunWithoutCalibrationOrSave) {
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForCapture(1));
    EXPECT_EQ(harness::sim::GetNumber("MouseMode"), 3u);
    ASSERT_TRUE(app_.Touch(kPlain[0]));
    ASSERT_TRUE(app_.WaitForCapture(2));
    harness::SendKey(app_.Window(), VK_ESCAPE);
    ExpectExitZero(app_);
    EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_SET_CALIBRATION), 0);
    EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_START_RAW_CAPTURE), 2);
    ExpectStoreUnchanged();
    ExpectMouseModeRestored();
}

TEST_F(DurmaselTest, SecondStartEndsAtOnceAndSilently) {
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForCapture(1));
    harness::Process second =
        harness::Start(harness::Join(harness::PackageDir(), "Durmasel.exe"));
    ASSERT_TRUE(second.Started());
    DWORD code = 1;
    ASSERT_TRUE(harness::WaitExit(second, kStepMs, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(harness::FindProcessWindow(second.pid, nullptr), (HWND)NULL);
    for (const harness::sim::LogEntry &entry : harness::sim::Log())
        EXPECT_NE(entry.pid, second.pid) << entry.name;
    harness::SendKey(app_.Window(), VK_ESCAPE);
    ExpectExitZero(app_);
}

TEST_F(DurmaselTest, WithoutTheDriverWarnsAndEnds) {
    harness::sim::Uninstall();
    ASSERT_TRUE(app_.Launch());
    EXPECT_EQ("Fatal Error:Touchscreen device driver not loaded!",
              harness::AnswerMessageBox("Orvantix-Durmasel", IDOK, kStepMs));
    ExpectExitZero(app_);
    ExpectStoreUnchanged();
    ASSERT_TRUE(harness::sim::Install());
}

TEST_F(DurmaselTest, RefusedTransferShowsItsMessageAndSavesNothing) {
    harness::sim::Refuse(IOCTL_TOUCH_SET_CALIBRATION);
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.TouchAll(kPlain, 0));
    HWND box = harness::WaitMessageBox("Orvantix Touchscreen", kStepMs);
    // The full-screen window is still topmost here; the box must not hide.
    EXPECT_TRUE(IsAbove(box, app_.Window()));
    EXPECT_EQ("Could not transfer calibration parameters to device driver!",
              harness::AnswerMessageBox("Orvantix Touchscreen", IDOK, kStepMs));
    ExpectExitZero(app_);
    EXPECT_EQ(FindWindowA(NULL, "Checking calibration results"), (HWND)NULL);
    ExpectStoreUnchanged();
    ExpectMouseModeRestored();
}

TEST_F(DurmaselTest, RecordOutsideTheRawRangeIsNotSaved) {
    // A driver that reports beyond 4096 gives an edge the store refuses.
    const RawTouch wild[3] = {{5000, 900}, {6000, 3000}, {6000, 900}};
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.TouchAll(wild, 0));
    ASSERT_TRUE(app_.Answer(IDYES));
    EXPECT_EQ("Cannot update touchscreen parameters to registry!",
              harness::AnswerMessageBox("Orvantix Touchscreen", IDOK, kStepMs));
    ExpectExitZero(app_);
    ExpectStoreUnchanged();
    ExpectMouseModeRestored();
}

TEST_F(DurmaselTest, UnreadableMouseModeIsNotRestored) {
    harness::sim::Refuse(IOCTL_TOUCH_GET_MOUSE_MODE);
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForCapture(1));
    harness::SendKey(app_.Window(), VK_ESCAPE);
    ExpectExitZero(app_);
    const auto sets = LogOf(IOCTL_TOUCH_SET_MOUSE_MODE);
    ASSERT_EQ(sets.size(), 1u);
    EXPECT_EQ(sets[0].in, std::vector<DWORD>{3});
    EXPECT_EQ(harness::sim::GetNumber("MouseMode"), 3u);
}
