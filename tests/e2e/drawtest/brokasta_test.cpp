// Brokasta.exe under Wine: mouse events are posted to the board (with the
// real pointer moved along, so Wine's own pointer moves agree with them),
// or made as real clicks, and the results are read back from the screen,
// its controls, its report, the parameter store and the simulated driver.
#include <gtest/gtest.h>

#include <stdio.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "check.h"
#include "driver_interface.h"
#include "harness.h"
#include "parameter_store.h"
#include "resource.h"

namespace {

const COLORREF kBackground = RGB(192, 192, 192);
const COLORREF kStroke = RGB(0, 0, 0);
const COLORREF kCrosshair = RGB(255, 0, 0);
const COLORREF kDownMark = RGB(0, 128, 0);
const COLORREF kUpMark = RGB(0, 0, 255);
const COLORREF kDoubleMark = RGB(255, 0, 255);
const COLORREF kRightMark = RGB(0, 128, 128);
const DWORD kWaitMs = 5000;

// A rectangle of the screen, copied once and then read pixel by pixel.
class ScreenArea {
public:
    ScreenArea(int left, int top, int width, int height)
        : left_(left), top_(top), width_(width), height_(height),
          pixels_(static_cast<size_t>(width) * height) {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top row first
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        HDC screen = GetDC(NULL);
        HDC memory = CreateCompatibleDC(screen);
        void *bits = nullptr;
        HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, NULL, 0);
        HGDIOBJ old = SelectObject(memory, dib);
        BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
        GdiFlush();
        const DWORD *words = static_cast<const DWORD *>(bits);
        for (size_t i = 0; i < pixels_.size(); ++i) {
            DWORD w = words[i];
            pixels_[i] = RGB((w >> 16) & 0xFF, (w >> 8) & 0xFF, w & 0xFF);
        }
        SelectObject(memory, old);
        DeleteObject(dib);
        DeleteDC(memory);
        ReleaseDC(NULL, screen);
    }
    COLORREF At(int x, int y) const {
        return pixels_[static_cast<size_t>(y - top_) * width_ + (x - left_)];
    }
    bool Contains(COLORREF colour) const {
        for (COLORREF c : pixels_)
            if (c == colour) return true;
        return false;
    }

private:
    int left_, top_, width_, height_;
    std::vector<COLORREF> pixels_;
};

bool ColourNear(int x, int y, int radius, COLORREF colour) {
    return ScreenArea(x - radius, y - radius, 2 * radius + 1, 2 * radius + 1).Contains(colour);
}

bool WaitColourNear(int x, int y, int radius, COLORREF colour) {
    return harness::WaitUntil([&] { return ColourNear(x, y, radius, colour); }, kWaitMs);
}

bool WaitPixel(int x, int y, COLORREF colour) {
    return harness::WaitUntil([&] { return harness::PixelAt(x, y) == colour; }, kWaitMs);
}

struct Cross {
    int x, y;
};

class Brokasta : public ::testing::Test {
protected:
    void SetUp() override {
        width_ = GetSystemMetrics(SM_CXSCREEN);
        height_ = GetSystemMetrics(SM_CYSCREEN);
        SetCursorPos(width_ - 2, height_ / 2);
        program_ = harness::Start(harness::Join(harness::PackageDir(), "Brokasta.exe"));
        ASSERT_TRUE(program_.Started());
        board_ = harness::WaitWindow("Brokasta", nullptr, kWaitMs);
        ASSERT_NE(board_, nullptr);
        ASSERT_TRUE(WaitPixel(width_ / 2, height_ / 2, kBackground));
    }
    void TearDown() override {
        if (!harness::WaitExit(program_, 0)) {
            PostMessageA(board_, WM_CLOSE, 0, 0);
            if (!harness::WaitExit(program_, kWaitMs)) harness::Kill(program_);
        }
        harness::DeleteFileIfAny(ReportPath());
    }

    void Post(UINT message, WPARAM keys, int x, int y) {
        SetCursorPos(x, y);
        PostMessageA(board_, message, keys, MAKELPARAM(x, y));
    }
    void Down(int x, int y) { Post(WM_LBUTTONDOWN, MK_LBUTTON, x, y); }
    void DragTo(int x, int y) { Post(WM_MOUSEMOVE, MK_LBUTTON, x, y); }
    void HoverTo(int x, int y) { Post(WM_MOUSEMOVE, 0, x, y); }
    void Up(int x, int y) { Post(WM_LBUTTONUP, 0, x, y); }
    void Tap(int x, int y) {
        Down(x, y);
        Up(x, y);
    }
    std::string Status() { return harness::Text(harness::Child(board_, IDC_STATUS)); }
    std::string Coords() { return harness::Text(harness::Child(board_, IDC_COORDS)); }
    bool WaitStatus(const std::string &text) {
        return harness::WaitUntil([&] { return Status() == text; }, kWaitMs);
    }
    bool WaitCoords(const std::string &text) {
        return harness::WaitUntil([&] { return Coords() == text; }, kWaitMs);
    }
    // The crosses in the order they are shown (their places are proven natively).
    std::vector<Cross> Crosses() const {
        std::vector<Cross> crosses;
        for (int i = 0; i < drawtest::kCrossCount; ++i) {
            drawtest::Point at = drawtest::CrossPosition(i, width_, height_);
            crosses.push_back({at.x, at.y});
        }
        return crosses;
    }
    void TapCrosses(const int (*offsets)[2]) {
        std::vector<Cross> crosses = Crosses();
        for (size_t i = 0; i < crosses.size(); ++i)
            Tap(crosses[i].x + offsets[i][0], crosses[i].y + offsets[i][1]);
    }
    std::string ReportPath() const { return harness::Join(harness::PackageDir(), "Brokasta.txt"); }
    void ExpectExitCode0() {
        DWORD code = 1234;
        ASSERT_TRUE(harness::WaitExit(program_, kWaitMs, &code));
        EXPECT_EQ(code, 0u);
    }

    int width_ = 0, height_ = 0;
    harness::Process program_;
    HWND board_ = nullptr;
};

TEST(BrokastaFile, CarriesTheVersionBlockAndTheIcon) {
    std::string exe = harness::Join(harness::PackageDir(), "Brokasta.exe");
    EXPECT_EQ(harness::VersionString(exe, "FileDescription"), "Touch Screen Drawing Test");
    EXPECT_EQ(harness::VersionString(exe, "FileVersion"), "5.5.0.1");
    EXPECT_EQ(harness::VersionString(exe, "OriginalFilename"), "Brokasta.exe");
    EXPECT_EQ(harness::VersionString(exe, "ProductName"), "Orvantix Touchscreen");
    HMODULE module = LoadLibraryExA(exe.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(module, nullptr);
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(IDI_BROKASTA), RT_GROUP_ICON), nullptr);
    FreeLibrary(module);
}

TEST_F(Brokasta, CoversTheScreenWithItsFiveButtonsInDrawMode) {
    RECT rect;
    GetWindowRect(board_, &rect);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right, width_);
    EXPECT_EQ(rect.bottom, height_);
    const char *labels[] = {"Draw", "Drag", "Check", "Clear", "Exit"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(harness::Text(harness::Child(board_, IDC_DRAW + i)), labels[i]);
    EXPECT_TRUE(harness::IsChecked(harness::Child(board_, IDC_DRAW)));
    EXPECT_FALSE(harness::IsChecked(harness::Child(board_, IDC_DRAG)));
    EXPECT_EQ(Status(), "Draw: strokes follow the finger; each mouse event is marked where it landed.");
}

TEST_F(Brokasta, AStrokeFollowsTheFingerWithNoLineAcrossALift) {
    Down(300, 300);
    DragTo(400, 300);
    DragTo(500, 350);
    Up(500, 350);
    EXPECT_TRUE(WaitPixel(350, 300, kStroke));
    EXPECT_TRUE(WaitPixel(450, 325, kStroke));
    // Lifted: the pointer wanders, then the next touch starts elsewhere.
    HoverTo(600, 420);
    Down(700, 500);
    DragTo(800, 500);
    Up(800, 500);
    EXPECT_TRUE(WaitPixel(750, 500, kStroke));
    EXPECT_EQ(harness::PixelAt(600, 425), kBackground);
    EXPECT_EQ(harness::PixelAt(650, 462), kBackground);
    EXPECT_TRUE(WaitCoords("X: 800   Y: 500"));
}

TEST_F(Brokasta, TheCrosshairAndTheReadoutFollowTheFingerInDragMode) {
    harness::Click(board_, IDC_DRAG);
    EXPECT_TRUE(harness::IsChecked(harness::Child(board_, IDC_DRAG)));
    EXPECT_FALSE(harness::IsChecked(harness::Child(board_, IDC_DRAW)));
    EXPECT_EQ(Status(), "Drag: the crosshair follows the finger.");
    Down(400, 300);
    DragTo(410, 310);
    EXPECT_TRUE(WaitPixel(410, 600, kCrosshair));
    EXPECT_TRUE(WaitPixel(800, 310, kCrosshair));
    EXPECT_TRUE(WaitCoords("X: 410   Y: 310"));
    DragTo(450, 350);
    EXPECT_TRUE(WaitPixel(450, 600, kCrosshair));
    EXPECT_TRUE(WaitPixel(800, 350, kCrosshair));
    EXPECT_TRUE(WaitPixel(410, 600, kBackground));
    EXPECT_TRUE(WaitPixel(800, 310, kBackground));
    EXPECT_TRUE(WaitCoords("X: 450   Y: 350"));
    Up(450, 350);
    // Drag mode draws no strokes.
    EXPECT_EQ(harness::PixelAt(430, 330), kBackground);
}

TEST_F(Brokasta, EachMouseEventIsMarkedInItsOwnColour) {
    ASSERT_FALSE(ColourNear(300, 300, 12, kDownMark));
    ASSERT_FALSE(ColourNear(300, 300, 12, kUpMark));
    Tap(300, 300);
    EXPECT_TRUE(WaitColourNear(300, 300, 6, kDownMark));
    EXPECT_TRUE(WaitColourNear(300, 300, 10, kUpMark));
    EXPECT_FALSE(ColourNear(300, 300, 15, kDoubleMark));

    Tap(500, 300);
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, 500, 300);
    Up(500, 300);
    EXPECT_TRUE(WaitColourNear(500, 300, 14, kDoubleMark));

    ASSERT_FALSE(ColourNear(700, 300, 12, kRightMark));
    Post(WM_RBUTTONDOWN, MK_RBUTTON, 700, 300);
    Post(WM_RBUTTONUP, 0, 700, 300);
    EXPECT_TRUE(WaitColourNear(700, 300, 7, kRightMark));
    // A right-button click is no left-button event.
    EXPECT_FALSE(ColourNear(700, 300, 12, kDownMark));
    EXPECT_FALSE(ColourNear(700, 300, 12, kUpMark));
}

TEST_F(Brokasta, TwoRealClicksInQuickSuccessionAreMarkedAsADoubleClick) {
    SetForegroundWindow(board_);
    SetCursorPos(400, 500);
    for (int i = 0; i < 2; ++i) {
        mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
        mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    }
    EXPECT_TRUE(WaitColourNear(400, 500, 14, kDoubleMark));
    EXPECT_TRUE(WaitColourNear(400, 500, 6, kDownMark));
}

TEST_F(Brokasta, TheCheckPassesWithTapsNearTheCrosses) {
    harness::Click(board_, IDC_CHECK);
    EXPECT_TRUE(WaitStatus("Touch the centre of cross 1 of 9."));
    std::vector<Cross> crosses = Crosses();
    Tap(crosses[0].x + 3, crosses[0].y - 4);
    EXPECT_TRUE(WaitStatus("Touch the centre of cross 2 of 9."));
    const int rest[8][2] = {{-6, 8}, {0, 0}, {7, 7}, {-10, 0}, {0, 10}, {1, 1}, {-7, -7}, {9, 0}};
    for (int i = 1; i < 9; ++i) Tap(crosses[i].x + rest[i - 1][0], crosses[i].y + rest[i - 1][1]);
    EXPECT_TRUE(
        WaitStatus("Check done: PASS. The report is in Brokasta.txt in the program's folder."));
}

TEST_F(Brokasta, TheCheckFailsWithTapsFarFromTheCrossesAndClearStartsItAgain) {
    harness::Click(board_, IDC_CHECK);
    const int offsets[9][2] = {{30, 40}, {0, 0}, {11, 0}, {2, 2}, {-40, 30},
                               {0, 0},   {0, 0}, {0, 0},  {0, 0}};
    const std::string failed =
        "Check done: PANEL GEOMETRY. The report is in Brokasta.txt in the program's folder.";
    std::vector<Cross> crosses = Crosses();
    Tap(crosses[0].x + 30, crosses[0].y + 40);
    EXPECT_TRUE(WaitStatus("Touch the centre of cross 2 of 9."));
    for (int i = 1; i < 9; ++i) Tap(crosses[i].x + offsets[i][0], crosses[i].y + offsets[i][1]);
    EXPECT_TRUE(WaitStatus(failed));
    // A further tap changes nothing; Clear starts the check again.
    Tap(crosses[0].x, crosses[0].y);
    harness::Pause(300);
    EXPECT_EQ(Status(), failed);
    harness::Click(board_, IDC_CLEAR);
    EXPECT_TRUE(WaitStatus("Touch the centre of cross 1 of 9."));
    TapCrosses(offsets);
    EXPECT_TRUE(WaitStatus(failed));
}

TEST_F(Brokasta, TheCheckShowsOneCrossAtATimeOnABareScreenThenItsResult) {
    std::vector<Cross> crosses = Crosses();
    harness::Click(board_, IDC_CHECK);
    // The first cross, alone: the bar has stepped aside for the top row.
    EXPECT_TRUE(WaitPixel(crosses[0].x, crosses[0].y + 20, RGB(255, 0, 0)));
    EXPECT_FALSE(harness::IsVisible(harness::Child(board_, IDC_DRAW)));
    EXPECT_FALSE(harness::IsVisible(harness::Child(board_, IDC_STATUS)));
    EXPECT_EQ(harness::PixelAt(crosses[1].x, crosses[1].y + 20), kBackground);
    Tap(crosses[0].x, crosses[0].y);
    EXPECT_TRUE(WaitPixel(crosses[1].x, crosses[1].y + 20, RGB(255, 0, 0)));
    EXPECT_TRUE(WaitPixel(crosses[0].x, crosses[0].y + 20, kBackground));
    // No event marks on the check's screen.
    EXPECT_FALSE(ColourNear(crosses[0].x, crosses[0].y, 10, kUpMark));
    for (int i = 1; i < 9; ++i) Tap(crosses[i].x, crosses[i].y);
    EXPECT_TRUE(harness::WaitUntil(
        [&] { return harness::IsVisible(harness::Child(board_, IDC_DRAW)); }, kWaitMs));
    // The result picture: every touch on target, so its lines are green dots.
    drawtest::Point centre = drawtest::PicturePoint(
        drawtest::LayOutBar(width_, height_).picture, drawtest::Point{crosses[4].x, crosses[4].y},
        width_, height_);
    EXPECT_TRUE(WaitColourNear(centre.x, centre.y, 2, RGB(0, 128, 0)));
    EXPECT_FALSE(harness::IsVisible(harness::Child(board_, IDC_APPLY)));
    harness::Click(board_, IDC_DRAW);
    EXPECT_TRUE(WaitPixel(centre.x, centre.y, kBackground));
}

TEST_F(Brokasta, ClearWipesStrokesAndMarks) {
    Down(200, 400);
    DragTo(300, 400);
    Up(300, 400);
    ASSERT_TRUE(WaitPixel(250, 400, kStroke));
    ASSERT_TRUE(WaitColourNear(200, 400, 6, kDownMark));
    harness::Click(board_, IDC_CLEAR);
    EXPECT_TRUE(WaitPixel(250, 400, kBackground));
    EXPECT_FALSE(ColourNear(200, 400, 6, kDownMark));
    EXPECT_FALSE(ColourNear(300, 400, 10, kUpMark));
    EXPECT_TRUE(harness::IsChecked(harness::Child(board_, IDC_DRAW)));
}

TEST_F(Brokasta, ExitEndsTheProgramWithCodeZero) {
    harness::PostClick(board_, IDC_EXIT);
    ExpectExitCode0();
}

TEST_F(Brokasta, EscapeEndsTheProgramWithCodeZeroWhereverTheFocusIs) {
    harness::Click(board_, IDC_DRAG);
    // Keys go to the focused control; a button must not swallow Escape.
    harness::SendKey(harness::Child(board_, IDC_DRAG), VK_ESCAPE);
    ExpectExitCode0();
}

TEST_F(Brokasta, ASecondStartEndsAtOnceAndLeavesTheFirstRunning) {
    harness::Process second = harness::Start(harness::Join(harness::PackageDir(), "Brokasta.exe"));
    ASSERT_TRUE(second.Started());
    DWORD code = 1234;
    ASSERT_TRUE(harness::WaitExit(second, kWaitMs, &code));
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(IsWindow(board_));
    EXPECT_EQ(FindWindowA("Brokasta", nullptr), board_);
    harness::SendKey(board_, VK_ESCAPE);
    ExpectExitCode0();
}

// The accuracy check against a stored calibration, with the simulated
// driver in place: nine real clicks per check at known offsets.
class BrokastaAccuracy : public Brokasta {
protected:
    void SetUp() override {
        ASSERT_TRUE(harness::sim::Install());
        store_.reset(new harness::StoreSnapshot);
        harness::DeleteKeyTree(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY);
        for (const auto &value : kStartStore)
            ASSERT_TRUE(harness::WriteDword(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY,
                                            value.first.c_str(), value.second));
        harness::sim::Reset();
        Brokasta::SetUp();
    }
    void TearDown() override {
        Brokasta::TearDown();
        harness::sim::Reset();
        store_.reset();
        harness::sim::Uninstall();
    }

    // Clicks the nine crosses with the mouse, each moved by its offset
    // (x, y) for the rows top, middle and bottom, and waits for the verdict.
    std::string RunCheck(const int (*rowOffsets)[2]) {
        harness::Click(board_, IDC_CHECK);
        SetForegroundWindow(board_);
        std::vector<Cross> crosses = Crosses();
        for (int i = 0; i < 9; ++i) {
            int x = crosses[i].x + rowOffsets[i / 3][0], y = crosses[i].y + rowOffsets[i / 3][1];
            SetCursorPos(x, y);
            // The click lands where the pointer is: wait until the board saw it there.
            if (!WaitCoords("X: " + std::to_string(x) + "   Y: " + std::to_string(y)))
                return "pointer not at cross " + std::to_string(i + 1) + ": " + Coords();
            mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
            mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
            std::string taken = i < 8 ? "cross " + std::to_string(i + 2) + " of 9." : "Check done";
            if (!harness::WaitUntil([&] { return Status().find(taken) != std::string::npos; },
                                    kWaitMs))
                return "click " + std::to_string(i + 1) + " not taken: " + Status();
        }
        return Status();
    }
    static std::string Done(const char *verdict) {
        return std::string("Check done: ") + verdict +
               ". The report is in Brokasta.txt in the program's folder.";
    }
    std::map<std::string, DWORD> StoreValues() {
        std::map<std::string, DWORD> values;
        for (const std::string &name : harness::ValueNames(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY)) {
            DWORD number = 0xFFFFFFFF;
            harness::ReadDword(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, name.c_str(), &number);
            values[name] = number;
        }
        return values;
    }

    // The stored record, and two of the applet's values that must stay.
    const std::map<std::string, DWORD> kStartStore = {
        {"XLow", 400}, {"XHigh", 3600}, {"YLow", 300}, {"YHigh", 3700}, {"SwapXY", 0},
        {"Port", 2},   {"MouseMode", 1}};
    std::unique_ptr<harness::StoreSnapshot> store_;
};

// The report's line of a record's five numbers.
std::string RecordLine(const char *label, const std::vector<DWORD> &v) {
    char line[128];
    snprintf(line, sizeof(line),
             "%s record: XLow %lu, YLow %lu, XHigh %lu, YHigh %lu, SwapXY %lu\r\n", label, v[0],
             v[1], v[2], v[3], v[4]);
    return line;
}

TEST_F(BrokastaAccuracy, OnTargetPassesAShiftIsRecalibratedAndAppliedABentRowIsThePanel) {
    ASSERT_EQ(width_, 1024);
    ASSERT_EQ(height_, 768);
    const int onTarget[3][2] = {{0, 0}, {0, 0}, {0, 0}};
    ASSERT_EQ(RunCheck(onTarget), Done("PASS")) << harness::ReadTextFile(ReportPath());
    std::string report = harness::ReadTextFile(ReportPath());
    EXPECT_NE(report.find("Screen: 1024 x 768 pixels\r\n"), std::string::npos);
    EXPECT_NE(report.find("Point 9: target 973 730, touch 973 730, error 0 px"), std::string::npos);
    EXPECT_NE(report.find("Verdict: PASS\r\n"), std::string::npos);
    EXPECT_FALSE(harness::IsVisible(harness::Child(board_, IDC_APPLY)));

    // 20 px to the right: 3200 raw units span 1024 px, so the edges move 62.5.
    const int right20[3][2] = {{20, 0}, {20, 0}, {20, 0}};
    ASSERT_EQ(RunCheck(right20), Done("RECALIBRATE")) << harness::ReadTextFile(ReportPath());
    ASSERT_TRUE(harness::IsVisible(harness::Child(board_, IDC_APPLY)));
    harness::PostClick(board_, IDC_APPLY);
    HWND box = harness::WaitMessageBox("Checking calibration results", kWaitMs);
    ASSERT_NE(box, nullptr);
    // The driver has the report's record while the question stands; the store not yet.
    ASSERT_EQ(harness::sim::Count(IOCTL_TOUCH_SET_CALIBRATION), 1);
    std::vector<DWORD> fitted = harness::sim::Log().back().in;
    ASSERT_EQ(fitted.size(), 5u);
    EXPECT_NEAR(fitted[0], 462.5, 0.5);
    EXPECT_NEAR(fitted[2], 3662.5, 0.5);
    EXPECT_EQ(fitted, (std::vector<DWORD>{fitted[0], 300, fitted[2], 3700, 0}));
    EXPECT_NE(harness::ReadTextFile(ReportPath()).find(RecordLine("Fitted", fitted)),
              std::string::npos);
    EXPECT_EQ(StoreValues(), kStartStore);
    harness::PostClick(box, IDYES);
    ASSERT_TRUE(harness::WaitGone(box, kWaitMs));
    EXPECT_TRUE(WaitStatus("The fitted calibration is in force and saved."));
    std::map<std::string, DWORD> saved = kStartStore;
    saved["XLow"] = fitted[0], saved["YLow"] = fitted[1], saved["XHigh"] = fitted[2];
    saved["YHigh"] = fitted[3], saved["SwapXY"] = fitted[4];
    EXPECT_EQ(StoreValues(), saved);
    EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_SET_CALIBRATION), 1);
    EXPECT_FALSE(harness::IsVisible(harness::Child(board_, IDC_APPLY)));

    // The middle row 40 px off while the outer rows are on target.
    const int bentMiddle[3][2] = {{0, 0}, {40, 0}, {0, 0}};
    ASSERT_EQ(RunCheck(bentMiddle), Done("PANEL GEOMETRY")) << harness::ReadTextFile(ReportPath());
    report = harness::ReadTextFile(ReportPath());
    EXPECT_NE(report.find("Largest error after best fit: 27 px\r\n"), std::string::npos);
    EXPECT_FALSE(harness::IsVisible(harness::Child(board_, IDC_APPLY)));
}

}  // namespace
