// Durmasel's calibration runs under Wine against the simulated driver: the
// targets on the screen, the records the driver receives, the check
// question's Yes and No, and many runs in one start.
#include "durmasel_fixture.h"

using namespace durmasel_test;

namespace {

struct Target {
    int x, y;
};
// A 1024 x 768 screen: r = 25, the cross reaches 4 pixels beyond the circle.
const Target kTargets[3] = {{204, 153}, {820, 615}, {820, 153}};
const int kRadius = 25;

// Red pixels on the cross arms and the two diagonals of the square that
// holds target t; an erased target leaves none.
int RedPixelsAround(const Target &t) {
    int red = 0;
    const int reach = kRadius + 4;
    for (int d = -reach; d < reach; ++d) {
        red += IsTargetColour(harness::PixelAt(t.x + d, t.y));
        red += IsTargetColour(harness::PixelAt(t.x, t.y + d));
        red += IsTargetColour(harness::PixelAt(t.x + d, t.y + d));
        red += IsTargetColour(harness::PixelAt(t.x + d, t.y - d));
    }
    return red;
}

// The circle crosses each diagonal near r/sqrt(2) from the centre, inside
// it is background, and the arms end 4 pixels beyond the circle.
void ExpectTargetDrawn(const Target &t) {
    SCOPED_TRACE(testing::Message() << "target at " << t.x << "," << t.y);
    EXPECT_TRUE(IsTargetColour(harness::PixelAt(t.x, t.y)));
    EXPECT_TRUE(IsTargetColour(harness::PixelAt(t.x, t.y - kRadius - 4)));
    EXPECT_TRUE(IsTargetColour(harness::PixelAt(t.x - kRadius - 4, t.y)));
    EXPECT_TRUE(IsBackgroundColour(harness::PixelAt(t.x + 8, t.y + 8)));
    EXPECT_TRUE(IsBackgroundColour(harness::PixelAt(t.x - kRadius - 6, t.y - 6)));
    int ring = 0;
    for (int d = 14; d <= 21; ++d) ring += IsTargetColour(harness::PixelAt(t.x + d, t.y + d));
    EXPECT_GE(ring, 1);
}

bool WaitTargetDrawn(const Target &t) {
    return harness::WaitUntil([&] { return IsTargetColour(harness::PixelAt(t.x, t.y)); },
                              kStepMs);
}

const RawTouch kPlain[3] = {{1000, 900}, {3100, 3000}, {3100, 900}};

}  // namespace

TEST_F(DurmaselTest, TargetsAppearOneByOneAndTheScreenIsCleanAfterTheLast) {
    ASSERT_TRUE(app_.Start());
    HWND box = NULL;
    harness::WaitUntil([&] { return (box = FindWindowExA(app_.Window(), NULL, "Button", NULL)); },
                       kStepMs);
    ASSERT_TRUE(box != NULL);
    RECT rect;
    GetWindowRect(box, &rect);
    EXPECT_EQ(rect.left, 312);
    EXPECT_EQ(rect.top, 344);
    EXPECT_EQ(rect.right - rect.left, 400);
    EXPECT_EQ(rect.bottom - rect.top, 80);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(app_.WaitForCapture(i + 1));
        ASSERT_TRUE(WaitTargetDrawn(kTargets[i])) << "target " << i;
        ExpectTargetDrawn(kTargets[i]);
        if (i > 0) {
            EXPECT_EQ(RedPixelsAround(kTargets[i - 1]), 0) << "target " << i - 1;
        }
        for (int later = i + 1; later < 3; ++later) EXPECT_EQ(RedPixelsAround(kTargets[later]), 0);
        ASSERT_TRUE(app_.Touch(kPlain[i]));
    }
    ASSERT_TRUE(harness::WaitMessageBox("Checking calibration results", kStepMs));
    for (const Target &t : kTargets) EXPECT_EQ(RedPixelsAround(t), 0);
    ASSERT_TRUE(app_.Answer(IDYES));
    DWORD code = 1;
    ASSERT_TRUE(app_.WaitExit(&code));
    EXPECT_EQ(code, 0u);
}

TEST_F(DurmaselTest, PromptShowsTwoLinesInItsBox) {
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForCapture(1));
    // Text is drawn in the window-text colour; count such rows in the box.
    std::vector<int> inkRows;
    for (int y = 346; y < 422; ++y) {
        for (int x = 330; x < 694; x += 1) {
            const COLORREF c = harness::PixelAt(x, y);
            if (GetRValue(c) < 96 && GetGValue(c) < 96 && GetBValue(c) < 96) {
                inkRows.push_back(y);
                break;
            }
        }
    }
    ASSERT_FALSE(inkRows.empty());
    int bands = 1;
    for (size_t i = 1; i < inkRows.size(); ++i) bands += inkRows[i] > inkRows[i - 1] + 1;
    EXPECT_EQ(bands, 2) << "first ink row " << inkRows.front() << ", last " << inkRows.back();
    harness::SendKey(app_.Window(), VK_ESCAPE);
    ASSERT_TRUE(app_.WaitExit(nullptr));
}

struct Example {
    RawTouch touches[3];
    DWORD xLow, yLow, xHigh, yHigh, swapXY;
};

TEST_F(DurmaselTest, ExampleTouchesGiveTheirRecordsAndYesSavesThem) {
    const Example examples[] = {
        {{{1000, 900}, {3100, 3000}, {3100, 900}}, 300, 200, 3800, 3700, 0},
        {{{800, 800}, {3200, 3200}, {800, 3200}}, 0, 0, 4000, 4000, 1},
        {{{3500, 900}, {500, 3000}, {500, 900}}, 4096, 200, 0, 3700, 0},
    };
    for (const Example &e : examples) {
        SCOPED_TRACE(testing::Message() << "XLow " << e.xLow << " SwapXY " << e.swapXY);
        ResetWorld();
        ASSERT_TRUE(app_.Start());
        ASSERT_TRUE(app_.TouchAll(e.touches, 0));
        ASSERT_TRUE(app_.Answer(IDYES));
        DWORD code = 1;
        ASSERT_TRUE(app_.WaitExit(&code));
        EXPECT_EQ(code, 0u);
        EXPECT_EQ(LastCalibration(), (std::vector<DWORD>{e.xLow, e.yLow, e.xHigh, e.yHigh,
                                                         e.swapXY}));
        auto expected = kStartStore;
        expected["XLow"] = e.xLow;
        expected["XHigh"] = e.xHigh;
        expected["YLow"] = e.yLow;
        expected["YHigh"] = e.yHigh;
        expected["SwapXY"] = e.swapXY;
        EXPECT_EQ(StoreValues(), expected);
        EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_RELOAD_PARAMETERS), 0);
        ExpectMouseModeRestored();
    }
}

TEST_F(DurmaselTest, YesWritesTheFiveValuesAndNothingElse) {
    // Into an empty key, the value list shows everything that was written.
    harness::DeleteKeyTree(HKEY_LOCAL_MACHINE, kParamKey);
    harness::sim::Reset();
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.TouchAll(kPlain, 0));
    ASSERT_TRUE(app_.Answer(IDYES));
    ASSERT_TRUE(app_.WaitExit(nullptr));
    const std::map<std::string, DWORD> expected = {
        {"XLow", 300}, {"XHigh", 3800}, {"YLow", 200}, {"YHigh", 3700}, {"SwapXY", 0}};
    EXPECT_EQ(StoreValues(), expected);
}

TEST_F(DurmaselTest, ButtonUpWithoutRawPointDoesNotAdvance) {
    ASSERT_TRUE(app_.Start());
    ASSERT_TRUE(app_.WaitForCapture(1));
    PostMessageA(app_.Window(), WM_LBUTTONUP, 0, 0);
    ASSERT_TRUE(harness::sim::WaitForLogCount(IOCTL_TOUCH_GET_RAW_POINT, 1, kStepMs));
    const auto asked = LogOf(IOCTL_TOUCH_GET_RAW_POINT);
    ASSERT_FALSE(asked.empty());
    ASSERT_FALSE(asked[0].out.empty());
    EXPECT_EQ(asked[0].out[0], 4141u);
    harness::Pause(500);
    EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_START_RAW_CAPTURE), 1);
    ASSERT_TRUE(app_.Touch(kPlain[0]));
    ASSERT_TRUE(app_.WaitForCapture(2));
    // The right button's release reads a touch as well.
    harness::sim::QueueRawPoint(kPlain[1].x, kPlain[1].y);
    PostMessageA(app_.Window(), WM_RBUTTONUP, 0, 0);
    ASSERT_TRUE(app_.WaitForCapture(3));
    ASSERT_TRUE(app_.Touch(kPlain[2]));
    ASSERT_TRUE(app_.Answer(IDNO));
    ASSERT_TRUE(app_.WaitForCapture(4));
    EXPECT_EQ(LastCalibration(), (std::vector<DWORD>{300, 200, 3800, 3700, 0}));
    harness::SendKey(app_.Window(), VK_ESCAPE);
    ASSERT_TRUE(app_.WaitExit(nullptr));
}

TEST_F(DurmaselTest, TenRunsAnsweredNoThenYesSavesTheLastRun) {
    ASSERT_TRUE(app_.Start());
    for (int run = 0; run < 10; ++run) {
        SCOPED_TRACE(testing::Message() << "run " << run);
        const DWORD shift = 10 * run;
        const RawTouch touches[3] = {
            {1000 + shift, 900}, {3100 + shift, 3000}, {3100 + shift, 900}};
        ASSERT_TRUE(app_.TouchAll(touches, 3 * run));
        ASSERT_TRUE(app_.Answer(IDNO));
        ASSERT_TRUE(app_.WaitForCapture(3 * run + 4));
        ASSERT_TRUE(WaitTargetDrawn(kTargets[0]));
        EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_SET_CALIBRATION), run + 1);
        EXPECT_EQ(LastCalibration(),
                  (std::vector<DWORD>{300 + shift, 200, 3800 + shift, 3700, 0}));
        ExpectStoreUnchanged();
    }
    const RawTouch last[3] = {{3500, 900}, {500, 3000}, {500, 900}};
    ASSERT_TRUE(app_.TouchAll(last, 30));
    ASSERT_TRUE(app_.Answer(IDYES));
    DWORD code = 1;
    ASSERT_TRUE(app_.WaitExit(&code));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_START_RAW_CAPTURE), 33);
    EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_SET_CALIBRATION), 11);
    DWORD xLow = 0, xHigh = 0;
    harness::ReadDword(HKEY_LOCAL_MACHINE, kParamKey, "XLow", &xLow);
    harness::ReadDword(HKEY_LOCAL_MACHINE, kParamKey, "XHigh", &xHigh);
    EXPECT_EQ(xLow, 4096u);
    EXPECT_EQ(xHigh, 0u);
    ExpectMouseModeRestored();
}
