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

#include "board_layout.h"
#include "check.h"
#include "driver_interface.h"
#include "harness.h"
#include "parameter_store.h"
#include "resource.h"

namespace {

const COLORREF kBackground = RGB(192, 192, 192), kStroke = RGB(0, 0, 0), kRed = RGB(255, 0, 0);
const COLORREF kDownMark = RGB(0, 128, 0), kUpMark = RGB(0, 0, 255);
const COLORREF kDoubleMark = RGB(255, 0, 255), kRightMark = RGB(0, 128, 128);
const DWORD kWaitMs = 5000;
const int kOnTarget[9][2] = {};  // offsets of touches right on the crosses

template <class Condition> bool Soon(Condition holds) { return harness::WaitUntil(holds, kWaitMs); }

bool WaitColourNear(int x, int y, int radius, COLORREF colour) {
    return Soon([&] { return harness::ColourNear(x, y, radius, colour); });
}

bool WaitPixel(int x, int y, COLORREF colour) {
    return Soon([&] { return harness::PixelAt(x, y) == colour; });
}

std::string ExePath() { return harness::Join(harness::PackageDir(), "Brokasta.exe"); }

std::string ReportPath() { return harness::Join(harness::PackageDir(), "Brokasta.txt"); }

bool ReportHas(const std::string &text) {
    return harness::ReadTextFile(ReportPath()).find(text) != std::string::npos;
}

std::string Done(const char *verdict) {
    return std::string("Check done: ") + verdict +
           ". The report is in Brokasta.txt in the program's folder.";
}

void ExpectExitCode0(harness::Process &program) {
    DWORD code = 1234;
    ASSERT_TRUE(harness::WaitExit(program, kWaitMs, &code));
    EXPECT_EQ(code, 0u);
}

void RealClick() {
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
}

class Brokasta : public ::testing::Test {
protected:
    void SetUp() override {
        width_ = GetSystemMetrics(SM_CXSCREEN);
        height_ = GetSystemMetrics(SM_CYSCREEN);
        SetCursorPos(width_ - 2, height_ / 2);
        program_ = harness::Start(ExePath());
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
    void Up(int x, int y) { Post(WM_LBUTTONUP, 0, x, y); }
    void Tap(int x, int y) {
        Down(x, y);
        Up(x, y);
    }
    // Down at the first point, dragged through the rest, up at the last.
    void Stroke(const std::vector<POINT> &points) {
        Down(points[0].x, points[0].y);
        for (size_t i = 1; i < points.size(); ++i) DragTo(points[i].x, points[i].y);
        Up(points.back().x, points.back().y);
    }
    HWND Control(int id) { return harness::Child(board_, id); }
    std::string Status() { return harness::Text(Control(IDC_STATUS)); }
    std::string Coords() { return harness::Text(Control(IDC_COORDS)); }
    bool WaitStatus(const std::string &text) { return Soon([&] { return Status() == text; }); }
    bool WaitCoords(int x, int y) {
        std::string text = "X: " + std::to_string(x) + "   Y: " + std::to_string(y);
        return Soon([&] { return Coords() == text; });
    }
    // The crosses in the order they are shown (their places are proven natively).
    drawtest::Point Cross(int i) const { return drawtest::CrossPosition(i, width_, height_); }
    // Taps crosses first..end-1, each moved by its offset.
    void TapCrosses(const int (*offsets)[2], int first = 0, int end = drawtest::kCrossCount) {
        for (int i = first; i < end; ++i)
            Tap(Cross(i).x + offsets[i][0], Cross(i).y + offsets[i][1]);
    }
    // Taps a started check through, the step to the second cross seen on the way.
    void TapCheck(const int (*offsets)[2], const char *verdict) {
        TapCrosses(offsets, 0, 1);
        EXPECT_TRUE(WaitStatus("Touch the centre of cross 2 of 9."));
        TapCrosses(offsets, 1);
        EXPECT_TRUE(WaitStatus(Done(verdict)));
    }

    int width_ = 0, height_ = 0;
    harness::Process program_;
    HWND board_ = nullptr;
};

TEST(BrokastaFile, CarriesTheVersionBlockAndTheIcon) {
    std::string exe = ExePath();
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
    RECT r;
    GetWindowRect(board_, &r);
    EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
              std::vector<LONG>({0, 0, width_, height_}));
    const char *labels[] = {"Draw", "Drag", "Check", "Clear", "Exit"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(harness::Text(Control(IDC_DRAW + i)), labels[i]);
    EXPECT_TRUE(harness::IsChecked(Control(IDC_DRAW)));
    EXPECT_FALSE(harness::IsChecked(Control(IDC_DRAG)));
    EXPECT_EQ(Status(), "Draw: strokes follow the finger; each mouse event is marked where it landed.");
}

TEST_F(Brokasta, AStrokeFollowsTheFingerWithNoLineAcrossALift) {
    Stroke({{300, 300}, {400, 300}, {500, 350}});
    EXPECT_TRUE(WaitPixel(350, 300, kStroke));
    EXPECT_TRUE(WaitPixel(450, 325, kStroke));
    // Lifted: the pointer wanders, then the next touch starts elsewhere.
    Post(WM_MOUSEMOVE, 0, 600, 420);
    Stroke({{700, 500}, {800, 500}});
    EXPECT_TRUE(WaitPixel(750, 500, kStroke));
    EXPECT_EQ(harness::PixelAt(600, 425), kBackground);
    EXPECT_EQ(harness::PixelAt(650, 462), kBackground);
    EXPECT_TRUE(WaitCoords(800, 500));
}

TEST_F(Brokasta, TheCrosshairAndTheReadoutFollowTheFingerInDragMode) {
    harness::Click(board_, IDC_DRAG);
    EXPECT_TRUE(harness::IsChecked(Control(IDC_DRAG)));
    EXPECT_FALSE(harness::IsChecked(Control(IDC_DRAW)));
    EXPECT_EQ(Status(), "Drag: the crosshair follows the finger.");
    Down(400, 300);
    for (POINT p : {POINT{410, 310}, POINT{450, 350}}) {
        DragTo(p.x, p.y);
        EXPECT_TRUE(WaitPixel(p.x, 600, kRed));
        EXPECT_TRUE(WaitPixel(800, p.y, kRed));
        EXPECT_TRUE(WaitCoords(p.x, p.y));
    }
    EXPECT_TRUE(WaitPixel(410, 600, kBackground));
    EXPECT_TRUE(WaitPixel(800, 310, kBackground));
    Up(450, 350);
    // Drag mode draws no strokes.
    EXPECT_EQ(harness::PixelAt(430, 330), kBackground);
}

TEST_F(Brokasta, EachMouseEventIsMarkedInItsOwnColour) {
    for (COLORREF c : {kDownMark, kUpMark}) ASSERT_FALSE(harness::ColourNear(300, 300, 12, c));
    Tap(300, 300);
    EXPECT_TRUE(WaitColourNear(300, 300, 6, kDownMark));
    EXPECT_TRUE(WaitColourNear(300, 300, 10, kUpMark));
    EXPECT_FALSE(harness::ColourNear(300, 300, 15, kDoubleMark));

    Tap(500, 300);
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, 500, 300);
    Up(500, 300);
    EXPECT_TRUE(WaitColourNear(500, 300, 14, kDoubleMark));

    ASSERT_FALSE(harness::ColourNear(700, 300, 12, kRightMark));
    Post(WM_RBUTTONDOWN, MK_RBUTTON, 700, 300);
    Post(WM_RBUTTONUP, 0, 700, 300);
    EXPECT_TRUE(WaitColourNear(700, 300, 7, kRightMark));
    // A right-button click is no left-button event.
    for (COLORREF c : {kDownMark, kUpMark}) EXPECT_FALSE(harness::ColourNear(700, 300, 12, c));
}

TEST_F(Brokasta, TwoRealClicksInQuickSuccessionAreMarkedAsADoubleClick) {
    SetForegroundWindow(board_);
    SetCursorPos(400, 500);
    RealClick();
    RealClick();
    EXPECT_TRUE(WaitColourNear(400, 500, 14, kDoubleMark));
    EXPECT_TRUE(WaitColourNear(400, 500, 6, kDownMark));
}

TEST_F(Brokasta, TheCheckPassesWithTapsNearTheCrosses) {
    harness::Click(board_, IDC_CHECK);
    EXPECT_TRUE(WaitStatus("Touch the centre of cross 1 of 9."));
    const int offsets[9][2] = {{3, -4}, {-6, 8}, {0, 0}, {7, 7}, {-10, 0},
                               {0, 10}, {1, 1},  {-7, -7}, {9, 0}};
    TapCheck(offsets, "PASS");
}

TEST_F(Brokasta, TheCheckFailsWithTapsFarFromTheCrossesAndClearStartsItAgain) {
    harness::Click(board_, IDC_CHECK);
    const int offsets[9][2] = {{30, 40}, {0, 0}, {11, 0}, {2, 2}, {-40, 30},
                               {0, 0},   {0, 0}, {0, 0},  {0, 0}};
    TapCheck(offsets, "PANEL GEOMETRY");
    // A further tap changes nothing; Clear starts the check again.
    Tap(Cross(0).x, Cross(0).y);
    harness::Pause(300);
    EXPECT_EQ(Status(), Done("PANEL GEOMETRY"));
    harness::Click(board_, IDC_CLEAR);
    EXPECT_TRUE(WaitStatus("Touch the centre of cross 1 of 9."));
    TapCheck(offsets, "PANEL GEOMETRY");
}

TEST_F(Brokasta, TheCheckShowsOneCrossAtATimeOnABareScreenThenItsResult) {
    harness::Click(board_, IDC_CHECK);
    // The first cross, alone: the bar has stepped aside for the top row.
    EXPECT_TRUE(WaitPixel(Cross(0).x, Cross(0).y + 20, kRed));
    EXPECT_FALSE(harness::IsVisible(Control(IDC_DRAW)));
    EXPECT_FALSE(harness::IsVisible(Control(IDC_STATUS)));
    EXPECT_EQ(harness::PixelAt(Cross(1).x, Cross(1).y + 20), kBackground);
    Tap(Cross(0).x, Cross(0).y);
    EXPECT_TRUE(WaitPixel(Cross(1).x, Cross(1).y + 20, kRed));
    EXPECT_TRUE(WaitPixel(Cross(0).x, Cross(0).y + 20, kBackground));
    // No event marks on the check's screen.
    EXPECT_FALSE(harness::ColourNear(Cross(0).x, Cross(0).y, 10, kUpMark));
    TapCrosses(kOnTarget, 1);
    EXPECT_TRUE(Soon([&] { return harness::IsVisible(Control(IDC_DRAW)); }));
    // The result picture: every touch on target, so its lines are green dots.
    drawtest::Point centre = drawtest::PicturePoint(drawtest::LayOutBar(width_, height_).picture,
                                                    Cross(4), width_, height_);
    EXPECT_TRUE(WaitColourNear(centre.x, centre.y, 2, RGB(0, 128, 0)));
    EXPECT_FALSE(harness::IsVisible(Control(IDC_APPLY)));
    harness::Click(board_, IDC_DRAW);
    EXPECT_TRUE(WaitPixel(centre.x, centre.y, kBackground));
}

TEST_F(Brokasta, ClearWipesStrokesAndMarks) {
    Stroke({{200, 400}, {300, 400}});
    ASSERT_TRUE(WaitPixel(250, 400, kStroke));
    ASSERT_TRUE(WaitColourNear(200, 400, 6, kDownMark));
    harness::Click(board_, IDC_CLEAR);
    EXPECT_TRUE(WaitPixel(250, 400, kBackground));
    EXPECT_FALSE(harness::ColourNear(200, 400, 6, kDownMark));
    EXPECT_FALSE(harness::ColourNear(300, 400, 10, kUpMark));
    EXPECT_TRUE(harness::IsChecked(Control(IDC_DRAW)));
}

TEST_F(Brokasta, ExitEndsTheProgramWithCodeZero) {
    harness::PostClick(board_, IDC_EXIT);
    ExpectExitCode0(program_);
}

TEST_F(Brokasta, EscapeEndsTheProgramWithCodeZeroWhereverTheFocusIs) {
    harness::Click(board_, IDC_DRAG);
    // Keys go to the focused control; a button must not swallow Escape.
    harness::SendKey(Control(IDC_DRAG), VK_ESCAPE);
    ExpectExitCode0(program_);
}

TEST_F(Brokasta, ASecondStartEndsAtOnceAndLeavesTheFirstRunning) {
    harness::Process second = harness::Start(ExePath());
    ASSERT_TRUE(second.Started());
    ExpectExitCode0(second);
    EXPECT_TRUE(IsWindow(board_));
    EXPECT_EQ(FindWindowA("Brokasta", nullptr), board_);
    harness::SendKey(board_, VK_ESCAPE);
    ExpectExitCode0(program_);
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

    // Moves the pointer and waits until the board saw it there, since a click
    // lands where the pointer is. Under load Wine now and then drops a warp
    // without a move reaching the board; a nudge and back sends another.
    bool PointAt(int x, int y) {
        SetCursorPos(x, y);
        if (WaitCoords(x, y)) return true;
        SetCursorPos(x + 1, y);
        SetCursorPos(x, y);
        return WaitCoords(x, y);
    }
    // Clicks the nine crosses with the mouse, each moved by its row's offset
    // (x, y; rows top, middle, bottom), and returns the status after the last.
    std::string RunCheck(const int (*rowOffsets)[2]) {
        harness::Click(board_, IDC_CHECK);
        SetForegroundWindow(board_);
        for (int i = 0; i < 9; ++i) {
            int x = Cross(i).x + rowOffsets[i / 3][0], y = Cross(i).y + rowOffsets[i / 3][1];
            if (!PointAt(x, y))
                return "pointer not at cross " + std::to_string(i + 1) + ": " + Coords();
            RealClick();
            std::string taken = i < 8 ? "cross " + std::to_string(i + 2) + " of 9." : "Check done";
            if (!Soon([&] { return Status().find(taken) != std::string::npos; }))
                return "click " + std::to_string(i + 1) + " not taken: " + Status();
        }
        return Status();
    }
    std::map<std::string, DWORD> StoreValues() {
        std::map<std::string, DWORD> values;
        for (const std::string &name : harness::ValueNames(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY)) {
            values[name] = 0xFFFFFFFF;
            harness::ReadDword(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, name.c_str(), &values[name]);
        }
        return values;
    }

    // The stored record, and two of the applet's values that must stay.
    const std::map<std::string, DWORD> kStartStore = {
        {"XLow", 400}, {"XHigh", 3600}, {"YLow", 300}, {"YHigh", 3700}, {"SwapXY", 0},
        {"Port", 2},   {"MouseMode", 1}};
    std::unique_ptr<harness::StoreSnapshot> store_;
};

TEST_F(BrokastaAccuracy, OnTargetPassesAShiftIsRecalibratedAndAppliedABentRowIsThePanel) {
    ASSERT_EQ(std::make_pair(width_, height_), std::make_pair(1024, 768));
    ASSERT_EQ(RunCheck(kOnTarget), Done("PASS")) << harness::ReadTextFile(ReportPath());
    EXPECT_TRUE(ReportHas("Screen: 1024 x 768 pixels\r\n"));
    EXPECT_TRUE(ReportHas("Point 9: target 973 730, touch 973 730, error 0 px"));
    EXPECT_TRUE(ReportHas("Verdict: PASS\r\n"));
    EXPECT_FALSE(harness::IsVisible(Control(IDC_APPLY)));

    // 20 px to the right: 3200 raw units span 1024 px, so the edges move 62.5.
    const int right20[3][2] = {{20, 0}, {20, 0}, {20, 0}};
    ASSERT_EQ(RunCheck(right20), Done("RECALIBRATE")) << harness::ReadTextFile(ReportPath());
    ASSERT_TRUE(harness::IsVisible(Control(IDC_APPLY)));
    harness::PostClick(board_, IDC_APPLY);
    HWND box = harness::WaitMessageBox("Checking calibration results", kWaitMs);
    ASSERT_NE(box, nullptr);
    // The driver has the report's record while the question stands; the store not yet.
    ASSERT_EQ(harness::sim::Count(IOCTL_TOUCH_SET_CALIBRATION), 1);
    std::vector<DWORD> f = harness::sim::Log().back().in;
    ASSERT_EQ(f.size(), 5u);
    EXPECT_NEAR(f[0], 462.5, 0.5);
    EXPECT_NEAR(f[2], 3662.5, 0.5);
    EXPECT_EQ(f, (std::vector<DWORD>{f[0], 300, f[2], 3700, 0}));
    char line[128];  // the report's line of the fitted record
    snprintf(line, sizeof(line),
             "Fitted record: XLow %lu, YLow %lu, XHigh %lu, YHigh %lu, SwapXY %lu\r\n", f[0], f[1],
             f[2], f[3], f[4]);
    EXPECT_TRUE(ReportHas(line)) << line;
    EXPECT_EQ(StoreValues(), kStartStore);
    harness::PostClick(box, IDYES);
    ASSERT_TRUE(harness::WaitGone(box, kWaitMs));
    EXPECT_TRUE(WaitStatus("The fitted calibration is in force and saved."));
    std::map<std::string, DWORD> saved = kStartStore;
    saved["XLow"] = f[0], saved["YLow"] = f[1], saved["XHigh"] = f[2], saved["YHigh"] = f[3];
    saved["SwapXY"] = f[4];
    EXPECT_EQ(StoreValues(), saved);
    EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_SET_CALIBRATION), 1);
    EXPECT_FALSE(harness::IsVisible(Control(IDC_APPLY)));

    // The middle row 40 px off while the outer rows are on target.
    const int bentMiddle[3][2] = {{0, 0}, {40, 0}, {0, 0}};
    ASSERT_EQ(RunCheck(bentMiddle), Done("PANEL GEOMETRY")) << harness::ReadTextFile(ReportPath());
    EXPECT_TRUE(ReportHas("Largest error after best fit: 27 px\r\n"))
        << harness::ReadTextFile(ReportPath());
    EXPECT_FALSE(harness::IsVisible(Control(IDC_APPLY)));
}

// The fitted record refused, by the user or by the time limit: the stored
// record goes back to the driver; a driver that refuses it reads its
// stored parameters again; only when that fails too do the words say the
// fitted record is still in force. Nothing is saved on any of these ways.
// A stored value of fewer than four bytes is the number of its bytes, as
// the applet reads it: the check still judges against the stored record.
TEST_F(BrokastaAccuracy, AShortStoredValueCountsAsTheApplet) {
    ASSERT_TRUE(harness::WriteBinary(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, "SwapXY", REG_BINARY,
                                     {0}));
    ASSERT_EQ(RunCheck(kOnTarget), Done("PASS")) << harness::ReadTextFile(ReportPath());
    EXPECT_TRUE(ReportHas("Stored record: XLow 400, YLow 300, XHigh 3600, YHigh 3700, SwapXY 0"));
}

TEST_F(BrokastaAccuracy, ARefusedFitGoesBackAndTheWordsFollowWhatHappened) {
    const int right20[3][2] = {{20, 0}, {20, 0}, {20, 0}};
    ASSERT_EQ(RunCheck(right20), Done("RECALIBRATE")) << harness::ReadTextFile(ReportPath());
    const std::vector<DWORD> stored = {400, 300, 3600, 3700, 0};
    auto inForce = [] {
        std::vector<DWORD> record;
        for (const char *key : {"XLow", "YLow", "XHigh", "YHigh", "SwapXY"})
            record.push_back(harness::sim::GetNumber(key));
        return record;
    };
    // Nobody answers: after the countdown the question counts as No.
    harness::PostClick(board_, IDC_APPLY);
    HWND box = harness::WaitMessageBox("Checking calibration results", kWaitMs);
    ASSERT_NE(box, nullptr);
    const std::string first = harness::MessageBoxText(box);
    EXPECT_NE(first.find("30 s."), std::string::npos) << first;
    EXPECT_TRUE(Soon([&] { return harness::MessageBoxText(box) != first; }));
    const DWORD asked = GetTickCount();
    ASSERT_TRUE(harness::WaitGone(box, 45000));
    EXPECT_GE(GetTickCount() - asked, 25000u);
    EXPECT_TRUE(WaitStatus("The fitted calibration was not kept."));
    EXPECT_EQ(inForce(), stored);
    EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_RELOAD_PARAMETERS), 0);

    // "No" while the driver refuses the stored record: it reloads instead.
    const struct { std::vector<DWORD> refused; const char *status; int reloads; } ways[] = {
        {{IOCTL_TOUCH_SET_CALIBRATION},
         "The fitted calibration was not kept; the driver read the stored one again.", 1},
        {{IOCTL_TOUCH_SET_CALIBRATION, IOCTL_TOUCH_RELOAD_PARAMETERS},
         "The fitted calibration was not kept, but the driver still uses it.", 2},
    };
    for (const auto &way : ways) {
        SCOPED_TRACE(way.status);
        harness::PostClick(board_, IDC_APPLY);
        box = harness::WaitMessageBox("Checking calibration results", kWaitMs);
        ASSERT_NE(box, nullptr);
        for (DWORD code : way.refused) harness::sim::Refuse(code);
        harness::PostClick(box, IDNO);
        if (way.reloads == 2) {
            HWND warning = harness::WaitMessageBox("Orvantix Touchscreen", kWaitMs);
            ASSERT_NE(warning, nullptr);
            EXPECT_EQ(harness::MessageBoxText(warning),
                      "Could not transfer calibration parameters to device driver!");
            harness::PostClick(warning, IDOK);
        }
        EXPECT_TRUE(WaitStatus(way.status)) << Status();
        harness::sim::RefuseNone();
        EXPECT_EQ(harness::sim::Count(IOCTL_TOUCH_RELOAD_PARAMETERS), way.reloads);
    }
    EXPECT_EQ(StoreValues(), kStartStore);
}

}  // namespace
