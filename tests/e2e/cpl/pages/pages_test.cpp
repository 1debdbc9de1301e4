// The applet's Settings and Sound pages, driven in the real property sheet
// (opened by a helper process the way the Control Panel opens it) against
// the simulated driver: what each control offers, what each user action
// changes, what reaches the driver at once and what OK and Cancel leave in
// the store.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <string>
#include <vector>

#include "driver_interface.h"
#include "harness.h"
#include "pages_session.h"
#include "resource.h"

namespace {

using pages_e2e::PagesTest;
using pages_e2e::Settings;
using pages_e2e::Sheet;

const int kModeIds[4] = {IDC_MODE_CLICK_ON_TOUCH, IDC_MODE_CLICK_ON_RELEASE, IDC_MODE_DRAG,
                         IDC_MODE_DOUBLE_CLICK_DRAG};
const int kDoubleClickIds[3] = {IDC_DBLCLICK_LABEL, IDC_DBLCLICK_EDIT, IDC_DBLCLICK_UPDOWN};
const int kDragDelayIds[4] = {IDC_DRAG_GROUP, IDC_DRAG_DELAY, IDC_DRAG_SHORT, IDC_DRAG_LONG};

LRESULT Send(HWND page, int id, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(GetDlgItem(page, id), msg, wParam, lParam);
}

// Checks the radio buttons and the enabling table for one mode.
void ExpectModeShown(HWND page, DWORD mode) {
    for (DWORD m = 0; m < 4; ++m)
        EXPECT_EQ(m == mode ? BST_CHECKED : BST_UNCHECKED, Send(page, kModeIds[m], BM_GETCHECK))
            << "radio of mode " << m;
    bool doubleClick = mode == 3;
    bool dragDelay = mode >= 2;
    for (int id : kDoubleClickIds)
        EXPECT_EQ(doubleClick, IsWindowEnabled(GetDlgItem(page, id)) != FALSE) << "control " << id;
    for (int id : kDragDelayIds)
        EXPECT_EQ(dragDelay, IsWindowEnabled(GetDlgItem(page, id)) != FALSE) << "control " << id;
}

// Asked of the edit itself: another process's GetWindowText does not.
std::string EditText(HWND page) { return harness::Text(GetDlgItem(page, IDC_DBLCLICK_EDIT)); }

// A user's arrow key on the up-down's buddy edit, which the up-down turns
// into a step: key down, then key up, each handled before it returns.
void PressOnEdit(HWND edit, WPARAM key, int times = 1) {
    for (int i = 0; i < times; ++i) {
        SendMessageA(edit, WM_KEYDOWN, key, 1);
        SendMessageA(edit, WM_KEYUP, key, 0xC0000001);
    }
}

// The combo box's own notification after the user picked an entry.
void ChooseEntry(HWND page, int id, int index) {
    Send(page, id, CB_SETCURSEL, index);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELENDOK),
                 reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

// What a thumb drag makes a trackbar report: one thumb-track message per
// movement, then the final position and the end of the tracking.
void DragThumb(HWND page, int id, const std::vector<DWORD> &positions) {
    HWND trackbar = GetDlgItem(page, id);
    LPARAM source = reinterpret_cast<LPARAM>(trackbar);
    for (DWORD position : positions) {
        SendMessageA(trackbar, TBM_SETPOS, TRUE, position);
        SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBTRACK, position), source);
    }
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_THUMBPOSITION, positions.back()), source);
    SendMessageA(page, WM_HSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), source);
}

Settings TypicalWithBeep(DWORD mode, DWORD tone, DWORD duration) {
    Settings settings = Settings::Typical();
    settings.beepMode = mode;
    settings.beepFreq = tone;
    settings.beepTime = duration;
    return settings;
}

// ----- Settings page: mouse mode -----

TEST_F(PagesTest, EachModeIsShownAndEachRadioButtonSetsItsMode) {
    for (DWORD stored = 0; stored < 4; ++stored) {
        SCOPED_TRACE(testing::Message() << "stored mode " << stored);
        Settings settings = Settings::Typical();
        settings.mouseMode = stored;
        Sheet sheet;
        HWND page = OpenPage(sheet, settings, Sheet::kSettings);
        ASSERT_TRUE(page);
        ExpectModeShown(page, stored);

        DWORD chosen = (stored + 1) % 4;
        Send(page, kModeIds[chosen], BM_CLICK);
        ExpectModeShown(page, chosen);
        ASSERT_TRUE(sheet.Ok());
        EXPECT_EQ(chosen, ReadStore().mouseMode);
    }
}

TEST_F(PagesTest, ModeAboveTheRangeIsShownAsDoubleClickDrag) {
    Settings settings = Settings::Typical();
    settings.mouseMode = 0xFFFFFFFF;  // the load repairs it to 3
    WriteStore(settings);
    Sheet sheet;
    ASSERT_TRUE(sheet.Open());
    ExpectModeShown(sheet.ShowPage(Sheet::kSettings), 3);
    ASSERT_TRUE(sheet.Cancel());
}

// ----- Settings page: double-click range and drag delay -----

TEST_F(PagesTest, UpDownStopsAtItsEndsAndTheEditShowsItsNumber) {
    Settings settings = Settings::Typical();
    settings.dblClickRegion = 27;
    Sheet sheet;
    HWND page = OpenPage(sheet, settings, Sheet::kSettings);
    ASSERT_TRUE(page);
    HWND edit = GetDlgItem(page, IDC_DBLCLICK_EDIT);
    EXPECT_EQ("27", EditText(page));
    EXPECT_TRUE(GetWindowLongA(edit, GWL_STYLE) & ES_READONLY);

    PressOnEdit(edit, VK_DOWN, 5);
    EXPECT_EQ("25", EditText(page));
    EXPECT_EQ(25, LOWORD(Send(page, IDC_DBLCLICK_UPDOWN, UDM_GETPOS)));
    PressOnEdit(edit, VK_UP, 80);
    EXPECT_EQ("100", EditText(page));
    EXPECT_EQ(100, LOWORD(Send(page, IDC_DBLCLICK_UPDOWN, UDM_GETPOS)));

    // Typing does nothing: the number changes only through the up-down.
    SendMessageA(edit, WM_CHAR, '7', 1);
    EXPECT_EQ("100", EditText(page));

    PressOnEdit(edit, VK_DOWN, 2);
    EXPECT_EQ("98", EditText(page));
    ASSERT_TRUE(sheet.Ok());
    EXPECT_EQ(98u, ReadStore().dblClickRegion);
}

TEST_F(PagesTest, EachTrackbarShowsElevenTicksOverItsRange) {
    Settings settings = Settings::Typical();
    settings.dragDelay = 450;
    settings.beepFreq = 3000;
    settings.beepTime = 105;
    WriteStore(settings);
    Sheet sheet;
    ASSERT_TRUE(sheet.Open());
    struct Row { int page; int id; LRESULT low, high, position; };
    const Row rows[] = {
        {Sheet::kSettings, IDC_DRAG_DELAY, 0, 1500, 450},
        {Sheet::kSound, IDC_BEEP_TONE, 1000, 5000, 3000},
        {Sheet::kSound, IDC_BEEP_DURATION, 10, 200, 105},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(testing::Message() << "trackbar " << row.id);
        HWND page = sheet.ShowPage(row.page);
        EXPECT_EQ(11, Send(page, row.id, TBM_GETNUMTICS));
        EXPECT_EQ(row.low, Send(page, row.id, TBM_GETRANGEMIN));
        EXPECT_EQ(row.high, Send(page, row.id, TBM_GETRANGEMAX));
        EXPECT_EQ(row.position, Send(page, row.id, TBM_GETPOS));
    }
    ASSERT_TRUE(sheet.Cancel());
}

TEST_F(PagesTest, DragDelayFollowsTheTrackbarAndCancelKeepsTheStore) {
    Settings settings = Settings::Typical();
    settings.mouseMode = 2;
    settings.dragDelay = 150;
    WriteStore(settings);
    for (bool ok : {false, true}) {
        SCOPED_TRACE(ok ? "OK" : "Cancel");
        Sheet sheet;
        ASSERT_TRUE(sheet.Open());
        HWND page = sheet.ShowPage(Sheet::kSettings);
        HWND trackbar = GetDlgItem(page, IDC_DRAG_DELAY);
        harness::PressTrackbar(trackbar, VK_RIGHT, 3);
        harness::PressTrackbar(trackbar, VK_NEXT);  // one page: a fifth of the range
        LRESULT shown = Send(page, IDC_DRAG_DELAY, TBM_GETPOS);
        EXPECT_EQ(150 + 3 + 300, shown);
        ASSERT_TRUE(ok ? sheet.Ok() : sheet.Cancel());
        Settings expected = settings;
        if (ok) expected.dragDelay = static_cast<DWORD>(shown);
        EXPECT_EQ(expected, ReadStore());
    }
}

// ----- Settings page: serial port -----

TEST_F(PagesTest, PortListHoldsExactlyTheReportedPortsSortedByText) {
    std::vector<DWORD> reported = harness::ReportedPorts();
    ASSERT_FALSE(reported.empty()) << "the system reports no serial port";
    Settings settings = Settings::Typical();
    settings.port = reported.back();
    Sheet sheet;
    HWND page = OpenPage(sheet, settings, Sheet::kSettings);
    ASSERT_TRUE(page);
    EXPECT_TRUE(GetWindowLongA(GetDlgItem(page, IDC_PORT_LIST), GWL_STYLE) & CBS_SORT);

    std::vector<pages_e2e::PortEntry> entries = pages_e2e::PortEntries(page);
    ASSERT_EQ(reported.size(), entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE(entries[i].text);
        EXPECT_EQ(harness::PortName(entries[i].number), entries[i].text);
        EXPECT_NE(reported.end(), std::find(reported.begin(), reported.end(), entries[i].number));
        if (i > 0) {
            EXPECT_LT(lstrcmpiA(entries[i - 1].text.c_str(), entries[i].text.c_str()), 0);
        }
    }
    LRESULT selected = Send(page, IDC_PORT_LIST, CB_GETCURSEL);
    ASSERT_NE(CB_ERR, selected);
    EXPECT_EQ(settings.port, entries[selected].number);
    ASSERT_TRUE(sheet.Cancel());
}

TEST_F(PagesTest, TwoDigitPortsSortBetweenComOneAndComTwo) {
    pages_e2e::FakePorts ports({2, 10, 16, 3, 1});
    Settings settings = Settings::Typical();
    settings.port = 10;
    Sheet sheet;
    HWND page = OpenPage(sheet, settings, Sheet::kSettings);
    ASSERT_TRUE(page);
    std::vector<pages_e2e::PortEntry> entries = pages_e2e::PortEntries(page);
    const char *const texts[] = {"COM1", "COM10", "COM16", "COM2", "COM3"};
    const DWORD numbers[] = {1, 10, 16, 2, 3};
    ASSERT_EQ(5u, entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(texts[i], entries[i].text);
        EXPECT_EQ(numbers[i], entries[i].number);
    }
    EXPECT_EQ(1, Send(page, IDC_PORT_LIST, CB_GETCURSEL));
    ASSERT_TRUE(sheet.Cancel());
}

TEST_F(PagesTest, LowPortThatIsNotPresentIsKeptOnOk) {
    pages_e2e::FakePorts ports({3, 12});
    Settings settings = Settings::Typical();
    settings.port = 2;
    Sheet sheet;
    HWND page = OpenPage(sheet, settings, Sheet::kSettings);
    ASSERT_TRUE(page);
    EXPECT_EQ(2u, pages_e2e::PortEntries(page).size());
    EXPECT_EQ(CB_ERR, Send(page, IDC_PORT_LIST, CB_GETCURSEL));
    ASSERT_TRUE(sheet.Ok());
    EXPECT_EQ(2u, ReadStore().port);
}

TEST_F(PagesTest, StoredPortThatIsNotPresentIsKeptOnOk) {
    DWORD absent = pages_e2e::FirstAbsentPort();
    Settings settings = Settings::Typical();
    settings.port = absent;
    Sheet sheet;
    HWND page = OpenPage(sheet, settings, Sheet::kSettings);
    ASSERT_TRUE(page);
    EXPECT_EQ(CB_ERR, Send(page, IDC_PORT_LIST, CB_GETCURSEL));
    ASSERT_TRUE(sheet.Ok());
    EXPECT_EQ(absent, ReadStore().port);
}

TEST_F(PagesTest, ChoosingAnotherPortSavesItsNumber) {
    std::vector<DWORD> reported = harness::ReportedPorts();
    ASSERT_GE(reported.size(), 2u) << "needs two serial ports";
    Settings settings = Settings::Typical();
    settings.port = reported.front();
    Sheet sheet;
    HWND page = OpenPage(sheet, settings, Sheet::kSettings);
    ASSERT_TRUE(page);
    std::vector<pages_e2e::PortEntry> entries = pages_e2e::PortEntries(page);
    int last = static_cast<int>(entries.size()) - 1;
    ASSERT_NE(settings.port, entries[last].number);
    ChooseEntry(page, IDC_PORT_LIST, last);
    ASSERT_TRUE(sheet.Ok());
    EXPECT_EQ(entries[last].number, ReadStore().port);
}

// ----- Sound page -----

TEST_F(PagesTest, SoundPageShowsTheStoredBeepAndSendsNothingAtFirst) {
    Settings settings = Settings::Typical();
    settings.beepMode = 1;
    Sheet sheet;
    HWND page = OpenPage(sheet, settings, Sheet::kSound);
    ASSERT_TRUE(page);
    EXPECT_EQ((std::vector<std::string>{"Disabled", "Touch", "Release"}),
              harness::ComboTexts(GetDlgItem(page, IDC_BEEP_MODE)));
    EXPECT_FALSE(GetWindowLongA(GetDlgItem(page, IDC_BEEP_MODE), GWL_STYLE) & CBS_SORT);
    EXPECT_EQ(1, Send(page, IDC_BEEP_MODE, CB_GETCURSEL));
    EXPECT_EQ(0, harness::sim::Count(IOCTL_TOUCH_SET_BEEP));
    ASSERT_TRUE(sheet.Cancel());
}

TEST_F(PagesTest, EverySoundChangeReachesTheDriverAtOnce) {
    WriteStore(Settings::Typical());  // beep 2, 1000, 32
    Sheet sheet;
    ASSERT_TRUE(sheet.Open());
    HWND page = sheet.ShowPage(Sheet::kSound);
    pages_e2e::BeepLog beeps;

    ChooseEntry(page, IDC_BEEP_MODE, 0);
    beeps.ExpectNew(1, {0, 1000, 32});
    ChooseEntry(page, IDC_BEEP_MODE, 1);
    beeps.ExpectNew(1, {1, 1000, 32});

    // Key down moves the thumb, key up ends the tracking: two reports.
    harness::PressTrackbar(GetDlgItem(page, IDC_BEEP_TONE), VK_RIGHT);
    beeps.ExpectNew(2, {1, 1001, 32});
    harness::PressTrackbar(GetDlgItem(page, IDC_BEEP_DURATION), VK_LEFT);
    beeps.ExpectNew(2, {1, 1001, 31});

    DragThumb(page, IDC_BEEP_TONE, {1400, 2200, 3000, 5000});
    beeps.ExpectDrag({1400, 2200, 3000, 5000, 5000, 5000}, 1, 31);

    ASSERT_TRUE(sheet.Ok());
    EXPECT_EQ(TypicalWithBeep(1, 5000, 31), ReadStore());
}

TEST_F(PagesTest, CancelAfterSoundChangesKeepsTheStoreAndReloads) {
    Settings settings = Settings::Typical();
    Sheet sheet;
    HWND page = OpenPage(sheet, settings, Sheet::kSound);
    ASSERT_TRUE(page);
    ChooseEntry(page, IDC_BEEP_MODE, 0);
    DragThumb(page, IDC_BEEP_DURATION, {150, 200});
    ASSERT_EQ("0", harness::sim::Get("BeepMode"));
    int reloadsBefore = harness::sim::Count(IOCTL_TOUCH_RELOAD_PARAMETERS);

    ASSERT_TRUE(sheet.Cancel());
    EXPECT_EQ(settings, ReadStore());
    EXPECT_EQ(reloadsBefore + 1, harness::sim::Count(IOCTL_TOUCH_RELOAD_PARAMETERS));
    // The reload made the driver drop the live changes.
    EXPECT_EQ("2", harness::sim::Get("BeepMode"));
    EXPECT_EQ("32", harness::sim::Get("BeepTime"));
}

TEST_F(PagesTest, WithoutTheDriverTheSoundPageShowsNothingAndOkSaves) {
    harness::sim::Uninstall();
    WriteStore(Settings::Typical());
    Sheet sheet(Sheet::kDriverMissing);
    ASSERT_TRUE(sheet.Open());
    HWND page = sheet.ShowPage(Sheet::kSound);
    ChooseEntry(page, IDC_BEEP_MODE, 1);
    harness::PressTrackbar(GetDlgItem(page, IDC_BEEP_TONE), VK_RIGHT, 2);
    DragThumb(page, IDC_BEEP_DURATION, {100, 120});
    EXPECT_TRUE(sheet.OnlySheetIsOpen(500)) << "a message box came up";
    ASSERT_TRUE(sheet.Ok());
    EXPECT_EQ(TypicalWithBeep(1, 1002, 120), ReadStore());
}

TEST_F(PagesTest, OkSavesWhatBothPagesShow) {
    Settings settings = Settings::Typical();
    Sheet sheet;
    HWND page = OpenPage(sheet, settings, Sheet::kSettings);
    ASSERT_TRUE(page);
    Send(page, IDC_MODE_DRAG, BM_CLICK);
    harness::PressTrackbar(GetDlgItem(page, IDC_DRAG_DELAY), VK_END);
    HWND sound = sheet.ShowPage(Sheet::kSound);
    ChooseEntry(sound, IDC_BEEP_MODE, 0);
    harness::PressTrackbar(GetDlgItem(sound, IDC_BEEP_DURATION), VK_HOME);
    ASSERT_TRUE(sheet.Ok());

    Settings expected = settings;
    expected.mouseMode = 2;
    expected.dragDelay = 1500;
    expected.beepMode = 0;
    expected.beepTime = 10;
    EXPECT_EQ(expected, ReadStore());
}

}  // namespace
