// Brokasta.exe under Wine: mouse events are posted to the board (with the
// real pointer moved along, so Wine's own pointer moves agree with them)
// and the results are read back from the screen and from its controls.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"
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
    // The crosses as a user finds them: the calibration targets' points at
    // one fifth and four fifths of the screen, then the centre.
    std::vector<Cross> Crosses() const {
        int nx = width_ / 5, fx = width_ - width_ / 5, ny = height_ / 5, fy = height_ - height_ / 5;
        return {{nx, ny}, {fx, ny}, {fx, fy}, {nx, fy}, {width_ / 2, height_ / 2}};
    }
    void TapCrosses(const int (*offsets)[2]) {
        std::vector<Cross> crosses = Crosses();
        for (size_t i = 0; i < crosses.size(); ++i)
            Tap(crosses[i].x + offsets[i][0], crosses[i].y + offsets[i][1]);
    }
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
    EXPECT_TRUE(WaitStatus("Touch the centre of cross 1 of 5."));
    std::vector<Cross> crosses = Crosses();
    Tap(crosses[0].x + 3, crosses[0].y - 4);
    EXPECT_TRUE(WaitStatus(
        "Cross 1: 5 px, pass (tolerance 10 px). Touch the centre of cross 2 of 5."));
    const int rest[4][2] = {{-6, 8}, {0, 0}, {7, 7}, {-10, 0}};
    for (int i = 1; i < 5; ++i) Tap(crosses[i].x + rest[i - 1][0], crosses[i].y + rest[i - 1][1]);
    EXPECT_TRUE(WaitStatus("Check passed: all 5 crosses within 10 px."));
}

TEST_F(Brokasta, TheCheckFailsWithTapsFarFromTheCrossesAndClearStartsItAgain) {
    harness::Click(board_, IDC_CHECK);
    const int offsets[5][2] = {{30, 40}, {0, 0}, {11, 0}, {2, 2}, {-40, 30}};
    std::vector<Cross> crosses = Crosses();
    Tap(crosses[0].x + 30, crosses[0].y + 40);
    EXPECT_TRUE(WaitStatus(
        "Cross 1: 50 px, FAIL (tolerance 10 px). Touch the centre of cross 2 of 5."));
    for (int i = 1; i < 5; ++i) Tap(crosses[i].x + offsets[i][0], crosses[i].y + offsets[i][1]);
    EXPECT_TRUE(WaitStatus("Check failed: 3 of 5 crosses more than 10 px away."));
    // A further tap changes nothing; Clear starts the check again.
    Tap(crosses[0].x, crosses[0].y);
    harness::Pause(300);
    EXPECT_EQ(Status(), "Check failed: 3 of 5 crosses more than 10 px away.");
    harness::Click(board_, IDC_CLEAR);
    EXPECT_TRUE(WaitStatus("Touch the centre of cross 1 of 5."));
    TapCrosses(offsets);
    EXPECT_TRUE(WaitStatus("Check failed: 3 of 5 crosses more than 10 px away."));
}

TEST_F(Brokasta, TheCheckShowsItsCrossesAndLeavingItHidesThem) {
    Cross centre = Crosses()[4];
    ASSERT_FALSE(ColourNear(centre.x, centre.y + 20, 3, RGB(255, 0, 0)));
    harness::Click(board_, IDC_CHECK);
    EXPECT_TRUE(WaitPixel(centre.x, centre.y + 20, RGB(128, 128, 128)));  // waiting cross
    Cross first = Crosses()[0];
    EXPECT_TRUE(WaitPixel(first.x, first.y + 20, RGB(255, 0, 0)));        // the one to tap
    harness::Click(board_, IDC_DRAW);
    EXPECT_TRUE(WaitPixel(centre.x, centre.y + 20, kBackground));
    EXPECT_TRUE(WaitPixel(first.x, first.y + 20, kBackground));
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

}  // namespace
