// The applet's sheet on the screen the rig was asked for (RIG_SCREEN as
// WIDTHxHEIGHTxDEPTH, RIG_DPI): on each of the four pages every visible
// control lies inside its page, the page inside the sheet, and the sheet
// inside the work area.
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include <sstream>
#include <stdlib.h>
#include <string>
#include <vector>

#include "harness.h"
#include "parameter_store.h"

namespace {

const DWORD kWaitMs = 10000;
const char *const kPageNames[] = {"Calibration", "Settings", "Sound", "About"};

struct Screen {
    int width, height, depth, dpi;
};

// What the test was asked for; the rig's defaults when nothing was asked.
Screen AskedScreen() {
    Screen screen = {1024, 768, 24, 96};
    const char *size = getenv("RIG_SCREEN");
    const char *dpi = getenv("RIG_DPI");
    if (size) sscanf(size, "%dx%dx%d", &screen.width, &screen.height, &screen.depth);
    if (dpi) screen.dpi = atoi(dpi);
    return screen;
}

// A 24-bit X screen holds its pixels in 32 bits, as Windows reports.
Screen ActualScreen() {
    HDC dc = GetDC(NULL);
    int bits = GetDeviceCaps(dc, BITSPIXEL);
    Screen screen = {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                     bits == 32 ? 24 : bits, GetDeviceCaps(dc, LOGPIXELSY)};
    ReleaseDC(NULL, dc);
    return screen;
}

bool Inside(const RECT &inner, const RECT &outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

std::string Describe(const RECT &rect) {
    std::ostringstream text;
    text << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
    return text.str();
}

RECT WindowBox(HWND window) {
    RECT box = {0, 0, 0, 0};
    GetWindowRect(window, &box);
    return box;
}

RECT ClientBox(HWND window) {
    RECT box = {0, 0, 0, 0};
    GetClientRect(window, &box);
    MapWindowPoints(window, NULL, reinterpret_cast<POINT *>(&box), 2);
    return box;
}

BOOL CALLBACK CollectControl(HWND child, LPARAM list) {
    if (IsWindowVisible(child)) reinterpret_cast<std::vector<HWND> *>(list)->push_back(child);
    return TRUE;
}

// The page's visible controls that stick out of it, one line each.
std::string ControlsCutOff(HWND page) {
    std::vector<HWND> controls;
    EnumChildWindows(page, CollectControl, reinterpret_cast<LPARAM>(&controls));
    RECT pageBox = WindowBox(page);
    std::string cut;
    for (HWND control : controls) {
        if (GetParent(control) != page || Inside(WindowBox(control), pageBox)) continue;
        cut += "  id " + std::to_string(GetDlgCtrlID(control)) + " " + harness::ClassName(control) +
               " \"" + harness::Text(control) + "\" " + Describe(WindowBox(control)) + "\n";
    }
    return cut;
}

class SheetFit : public testing::Test {
protected:
    // A store as installed, so the sheet opens without a question.
    void SetUp() override {
        for (int i = 0; i < store::kValueCount; ++i) {
            const store::ValueRule &rule = store::Rule(static_cast<store::ValueId>(i));
            harness::WriteDword(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, rule.name, rule.installDefault);
        }
        ASSERT_TRUE(harness::sim::Install());
        harness::sim::Reset();
    }
    void TearDown() override {
        if (sheet_.Started() && !harness::WaitExit(sheet_, 0)) harness::Kill(sheet_);
        harness::sim::Uninstall();
    }

    HWND OpenSheet() {
        const char *opener = getenv("ORVANTIX_OPEN_SHEET");
        if (!opener) return nullptr;
        std::string applet = harness::Join(harness::PackageDir(), "Pemrosko.Cpl");
        sheet_ = harness::Start(harness::WindowsPathOf(opener), "\"" + applet + "\"", harness::TempDir());
        if (!sheet_.Started()) return nullptr;
        return harness::WaitProcessWindow(sheet_.pid, "Orvantix Touchscreen Properties", kWaitMs);
    }

    // A picture of each page for a person to look at, when asked for.
    void Snapshot(int page) {
        const char *folder = getenv("ORVANTIX_SCREENS");
        if (!folder) return;
        harness::Pause(300);  // the page paints itself first
        Screen s = AskedScreen();
        std::ostringstream name;
        name << "sheet-" << s.width << "x" << s.height << "x" << s.depth << "-" << s.dpi << "dpi-"
             << kPageNames[page] << ".bmp";
        harness::SaveScreenshot(harness::Join(harness::WindowsPathOf(folder), name.str()));
    }

    harness::StoreSnapshot store_;
    harness::Process sheet_;
};

TEST_F(SheetFit, EveryPageLiesWholeOnTheScreen) {
    Screen asked = AskedScreen(), actual = ActualScreen();
    ASSERT_EQ(asked.width, actual.width);
    ASSERT_EQ(asked.height, actual.height);
    ASSERT_EQ(asked.depth, actual.depth);
    ASSERT_EQ(asked.dpi, actual.dpi);
    HWND sheet = OpenSheet();
    ASSERT_TRUE(sheet != nullptr);
    RECT workArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    for (int index = 0; index < 4; ++index) {
        SCOPED_TRACE(kPageNames[index]);
        harness::SheetSelectPage(sheet, index);
        HWND page = harness::SheetPage(sheet);
        ASSERT_TRUE(page != nullptr);
        Snapshot(index);
        EXPECT_PRED2(Inside, WindowBox(sheet), workArea)
            << "sheet " << Describe(WindowBox(sheet)) << ", work area " << Describe(workArea);
        EXPECT_PRED2(Inside, WindowBox(page), ClientBox(sheet))
            << "page " << Describe(WindowBox(page)) << ", sheet " << Describe(ClientBox(sheet));
        EXPECT_EQ("", ControlsCutOff(page)) << "page " << Describe(WindowBox(page));
    }
    harness::PostSheetPress(sheet, PSBTN_CANCEL);
    EXPECT_TRUE(harness::WaitExit(sheet_, kWaitMs));
}

}  // namespace
