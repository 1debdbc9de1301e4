// The applet's Diagnostics page in the real sheet against the simulated
// driver: raw touches injected into the driver appear with their raw and
// mapped values; the watch's requests end when it is switched off, when
// another page is chosen and when the sheet closes; without the driver
// nothing is sent; a mode or beep changed behind the store's back is marked.
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include <string>

#include "driver_interface.h"
#include "harness.h"
#include "pages_session.h"
#include "parameter_store.h"
#include "resource.h"

namespace {

namespace sim = harness::sim;
using pages_e2e::PagesTest;
using pages_e2e::Settings;
using pages_e2e::Sheet;

const DWORD kWaitMs = 5000;
// Several of the watch's 50 ms ticks.
const DWORD kQuietMs = 400;

std::string TextOf(HWND page, int id) { return harness::Text(GetDlgItem(page, id)); }

void StoreCalibration(const CalibrationRecord &record) {
    const char *const names[5] = {"XLow", "YLow", "XHigh", "YHigh", "SwapXY"};
    const uint32_t values[5] = {record.XLow, record.YLow, record.XHigh, record.YHigh, record.SwapXY};
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(harness::WriteDword(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, names[i], values[i]));
}

// Requests of any kind the driver has logged so far.
size_t Requests() { return sim::Log().size(); }

// No request reaches the driver for a while.
bool DriverStaysQuiet() {
    size_t before = Requests();
    harness::Pause(kQuietMs);
    return Requests() == before;
}

// The watch is asking: its raw-point questions keep coming.
bool WatchIsAsking() {
    int before = sim::Count(IOCTL_TOUCH_GET_RAW_POINT);
    return sim::WaitForLogCount(IOCTL_TOUCH_GET_RAW_POINT, before + 2, kWaitMs);
}

void SwitchTouches(HWND page) { harness::Click(page, IDC_DIAG_SHOW); }

// A touch made after the capture that is armed now (a capture empties the
// driver's queue). The page shows it before it arms the next capture, so
// its texts are up to date once that capture is logged.
void Touch(DWORD x, DWORD y) {
    int captures = sim::Count(IOCTL_TOUCH_START_RAW_CAPTURE);
    ASSERT_TRUE(WatchIsAsking());
    sim::QueueRawPoint(x, y);
    ASSERT_TRUE(sim::WaitForLogCount(IOCTL_TOUCH_START_RAW_CAPTURE, captures + 1, kWaitMs));
}

// The miniature's newest dot (red) lies at the middle of the panel's square,
// which is the middle of its control, for a raw touch at the middle.
bool NewestDotInTheMiddle(HWND page, DWORD ms = kWaitMs) {
    RECT box;
    GetWindowRect(GetDlgItem(page, IDC_DIAG_PANEL), &box);
    int x = (box.left + box.right) / 2, y = (box.top + box.bottom) / 2;
    return harness::WaitUntil([&] { return harness::ColourNear(x, y, 2, RGB(220, 0, 0)); }, ms);
}

std::string Point(const char *label, long x, long y) {
    return std::string(label) + "X " + std::to_string(x) + ", Y " + std::to_string(y);
}

struct RecordCase {
    const char *what;
    CalibrationRecord record;
    const char *swap, *words;
    // A raw touch that lands a quarter of the way into the screen on both
    // axes, and one at the far edges (none for an unusable record).
    DWORD quarter[2], edge[2];
};

const RecordCase kRecords[] = {
    {"plain", {400, 300, 3600, 3700, 0}, "SwapXY 0: axes not swapped",
     "X runs left to right, Y runs top to bottom", {1200, 1150}, {3600, 3700}},
    {"swapped and reversed", {3700, 3600, 300, 400, 1}, "SwapXY 1: axes swapped",
     "X runs right to left, Y runs bottom to top", {2800, 2850}, {400, 300}},
    {"no span on X", {400, 300, 400, 3700, 0}, "SwapXY 0",
     "unusable: XLow equals XHigh, X has no span", {1200, 1150}, {0, 0}},
};

TEST_F(PagesTest, DiagnosticsShowsInjectedTouchesRawAndMappedByTheStoredRecord) {
    const long width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    for (const RecordCase &c : kRecords) {
        SCOPED_TRACE(c.what);
        WriteStore(Settings::Typical());
        StoreCalibration(c.record);
        Sheet sheet;
        ASSERT_TRUE(sheet.Open());
        HWND page = sheet.ShowPage(Sheet::kDiagnostics);
        EXPECT_EQ(c.swap, TextOf(page, IDC_DIAG_CAL_SWAP));
        EXPECT_EQ(c.words, TextOf(page, IDC_DIAG_CAL_WORDS));
        EXPECT_EQ("Touches: 0", TextOf(page, IDC_DIAG_COUNT));
        EXPECT_FALSE(NewestDotInTheMiddle(page, 0));
        SwitchTouches(page);
        Touch(c.quarter[0], c.quarter[1]);
        EXPECT_EQ(Point("Raw: ", c.quarter[0], c.quarter[1]), TextOf(page, IDC_DIAG_RAW));
        bool usable = c.edge[0] || c.edge[1];
        EXPECT_EQ(usable ? Point("Screen: ", width / 4, height / 4) : "Screen: no usable calibration",
                  TextOf(page, IDC_DIAG_SCREEN));
        if (usable) {
            Touch(c.edge[0], c.edge[1]);
            EXPECT_EQ(Point("Screen: ", width, height), TextOf(page, IDC_DIAG_SCREEN));
            EXPECT_EQ("Touches: 2", TextOf(page, IDC_DIAG_COUNT));
        }
        Touch(TOUCH_RAW_MAX / 2, TOUCH_RAW_MAX / 2);
        EXPECT_TRUE(NewestDotInTheMiddle(page));
        EXPECT_TRUE(harness::WaitUntil([&] { return TextOf(page, IDC_DIAG_AGO) == "Last touch: 1 s ago"; },
                                       kWaitMs))
            << TextOf(page, IDC_DIAG_AGO);
        SwitchTouches(page);
        EXPECT_FALSE(harness::IsChecked(GetDlgItem(page, IDC_DIAG_SHOW)));
        EXPECT_TRUE(DriverStaysQuiet()) << "switched off";
        ASSERT_TRUE(sheet.Cancel());
    }
}

TEST_F(PagesTest, DiagnosticsAsksNothingOnceLeftOrClosedAndIsOffWhenShownAgain) {
    const struct {
        const char *what;
        bool (Sheet::*close)();
    } kClosers[] = {{"OK", &Sheet::Ok}, {"Cancel", &Sheet::Cancel}, {"close box", &Sheet::CloseBox}};
    for (const auto &closer : kClosers) {
        SCOPED_TRACE(closer.what);
        WriteStore(Settings::Typical());
        Sheet sheet;
        ASSERT_TRUE(sheet.Open());
        HWND page = sheet.ShowPage(Sheet::kDiagnostics);
        EXPECT_TRUE(DriverStaysQuiet()) << "shown, not showing touches";
        SwitchTouches(page);
        ASSERT_TRUE(WatchIsAsking());
        sheet.ShowPage(Sheet::kSound);
        EXPECT_TRUE(DriverStaysQuiet()) << "another page chosen";
        page = sheet.ShowPage(Sheet::kDiagnostics);
        EXPECT_FALSE(harness::IsChecked(GetDlgItem(page, IDC_DIAG_SHOW)));
        EXPECT_TRUE(DriverStaysQuiet()) << "shown again";
        SwitchTouches(page);
        ASSERT_TRUE(WatchIsAsking());
        ASSERT_TRUE((sheet.*closer.close)());
        // The last request the sheet made is the close's reload, not a question.
        std::vector<sim::LogEntry> log = sim::Log();
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(IOCTL_TOUCH_RELOAD_PARAMETERS, log.back().code) << log.back().name;
    }
}

TEST_F(PagesTest, DiagnosticsWithoutTheDriverSaysSoAndSendsNothing) {
    WriteStore(Settings::Typical());
    sim::Uninstall();
    Sheet sheet(Sheet::kDriverMissing);
    ASSERT_TRUE(sheet.Open());
    HWND page = sheet.ShowPage(Sheet::kDiagnostics);
    EXPECT_EQ("Driver: not loaded, so nothing is asked of it.", TextOf(page, IDC_DIAG_DRIVER));
    EXPECT_FALSE(harness::IsEnabled(GetDlgItem(page, IDC_DIAG_SHOW)));
    EXPECT_EQ("unknown", TextOf(page, IDC_DIAG_MODE_NOW));
    EXPECT_EQ("Double click,drag", TextOf(page, IDC_DIAG_MODE_STORED));
    // The driver comes while the page is shown: the box, made to notify
    // even so, still starts nothing until the page is shown anew.
    ASSERT_TRUE(sim::Install());
    HWND box = GetDlgItem(page, IDC_DIAG_SHOW);
    SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_DIAG_SHOW, BN_CLICKED), reinterpret_cast<LPARAM>(box));
    harness::Pause(kQuietMs);
    EXPECT_EQ(0u, Requests());
    EXPECT_FALSE(harness::IsChecked(box));
    ASSERT_TRUE(sheet.Cancel());
}

// Mouse mode 1 and beep (1, 2000, 50) through the applet's exports, from
// the helper beside the test: this process must not load the driver.
bool ChangeThroughExports() {
    std::string applet = harness::Join(harness::PackageDir(), "Pemrosko.Cpl");
    harness::Process call = harness::Start(harness::Join(harness::TestDir(), "applet_call.exe"),
                                           "\"" + applet + "\" 1 1 2000 50");
    DWORD code = 1;
    return harness::WaitExit(call, kWaitMs, &code) && code == 0;
}

TEST_F(PagesTest, DiagnosticsMarksAModeAndBeepChangedThroughTheExports) {
    WriteStore(Settings::Typical());
    Sheet sheet;
    ASSERT_TRUE(sheet.Open());
    HWND page = sheet.ShowPage(Sheet::kDiagnostics);
    EXPECT_EQ("Driver: loaded", TextOf(page, IDC_DIAG_DRIVER));
    EXPECT_EQ("Double click,drag", TextOf(page, IDC_DIAG_MODE_NOW));
    EXPECT_EQ("Release 1000 32", TextOf(page, IDC_DIAG_BEEP_NOW));
    EXPECT_EQ("The driver holds the stored values.", TextOf(page, IDC_DIAG_DIFFERS));

    ASSERT_TRUE(ChangeThroughExports());

    // Read anew when the page is shown again.
    sheet.ShowPage(Sheet::kSettings);
    page = sheet.ShowPage(Sheet::kDiagnostics);
    EXPECT_EQ("* Click on release", TextOf(page, IDC_DIAG_MODE_NOW));
    EXPECT_EQ("Double click,drag", TextOf(page, IDC_DIAG_MODE_STORED));
    EXPECT_EQ("* Touch 2000 50", TextOf(page, IDC_DIAG_BEEP_NOW));
    EXPECT_EQ("Release 1000 32", TextOf(page, IDC_DIAG_BEEP_STORED));
    EXPECT_EQ("* The driver holds values the store does not.", TextOf(page, IDC_DIAG_DIFFERS));
    ASSERT_TRUE(sheet.Cancel());
}

}  // namespace
