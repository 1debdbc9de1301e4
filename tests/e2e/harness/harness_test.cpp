// The harness's own behaviour under Wine: what every other end-to-end test
// relies on when it presses, reads and waits.
#include <gtest/gtest.h>

#include <commctrl.h>
#include <prsht.h>

#include "fixture.h"
#include "harness.h"

namespace {

// A generous limit: on a loaded machine a Wine program can take seconds to
// end, and a passing run never waits for the limit.
const DWORD kExitLimitMs = 20000;

harness::Process StartFixture(const char *mode) {
    return harness::Start(harness::Join(harness::TestDir(), "harness_fixture.exe"), mode);
}

// Ends a fixture the test left running.
struct Cleanup {
    harness::Process &process;
    ~Cleanup() {
        if (!harness::WaitExit(process, 0)) harness::Kill(process);
    }
};

TEST(HarnessPaths, UnixPathsBecomeDriveZ) {
    EXPECT_EQ("Z:\\work\\build\\package", harness::WindowsPathOf("/work/build/package/"));
    EXPECT_EQ("C:\\windows", harness::WindowsPathOf("C:\\windows"));
    EXPECT_EQ("C:\\a\\b", harness::Join("C:\\a", "b"));
    EXPECT_EQ("C:\\a\\b", harness::Join("C:\\a\\", "b"));
    EXPECT_EQ(0u, harness::PackageDir().find("Z:\\"));
    EXPECT_TRUE(harness::FileExists(harness::SimulatorPath()));
    EXPECT_TRUE(harness::FileExists(harness::Join(harness::SystemDir(), "kernel32.dll")));
}

TEST(HarnessWaiting, WaitUntilIsBounded) {
    DWORD start = GetTickCount();
    EXPECT_FALSE(harness::WaitUntil([] { return false; }, 300));
    DWORD spent = GetTickCount() - start;
    EXPECT_GE(spent, 300u);
    EXPECT_LT(spent, 2000u);
    int calls = 0;
    EXPECT_TRUE(harness::WaitUntil([&] { return ++calls == 3; }, 5000));
}

TEST(HarnessMessageBox, ReadsTheTextAndPressesButtons) {
    harness::Process fixture = StartFixture("box");
    Cleanup cleanup{fixture};
    ASSERT_TRUE(fixture.Started());
    HWND box = harness::WaitMessageBox(FIXTURE_BOX_CAPTION);
    ASSERT_NE(nullptr, box);
    EXPECT_EQ(box, harness::FindProcessWindow(fixture.pid, FIXTURE_BOX_CAPTION));
    EXPECT_EQ(FIXTURE_BOX_TEXT, harness::MessageBoxText(box));
    EXPECT_EQ(FIXTURE_BOX_CAPTION, harness::Text(box));
    EXPECT_EQ("#32770", harness::ClassName(box));
    harness::PostClick(box, IDCANCEL);
    DWORD code = 0;
    ASSERT_TRUE(harness::WaitExit(fixture, kExitLimitMs, &code));
    EXPECT_EQ(static_cast<DWORD>(IDCANCEL), code);
    EXPECT_TRUE(harness::WaitGone(box, 1000));
}

TEST(HarnessMessageBox, KeysPassThroughTheMessageLoop) {
    const struct {
        UINT vk;
        DWORD answer;
    } cases[] = {{VK_RETURN, IDOK}, {VK_ESCAPE, IDCANCEL}};
    for (const auto &c : cases) {
        harness::Process fixture = StartFixture("box");
        Cleanup cleanup{fixture};
        HWND box = harness::WaitProcessWindow(fixture.pid, FIXTURE_BOX_CAPTION);
        ASSERT_NE(nullptr, box);
        harness::SendKey(box, c.vk);
        DWORD code = 0;
        ASSERT_TRUE(harness::WaitExit(fixture, kExitLimitMs, &code)) << c.vk;
        EXPECT_EQ(c.answer, code);
    }
}

class HarnessSheet : public ::testing::Test {
protected:
    void SetUp() override {
        harness::DeleteKeyTree(HKEY_CURRENT_USER, FIXTURE_KEY);
        fixture = StartFixture("sheet");
        sheet = harness::WaitWindow(nullptr, FIXTURE_SHEET_CAPTION);
        ASSERT_NE(nullptr, sheet);
    }
    void TearDown() override {
        if (!harness::WaitExit(fixture, 0)) harness::Kill(fixture);
        harness::DeleteKeyTree(HKEY_CURRENT_USER, FIXTURE_KEY);
    }

    harness::Process fixture;
    HWND sheet = NULL;
};

TEST_F(HarnessSheet, ControlsAnswerLikeAUsersInput) {
    HWND page = harness::SheetPage(sheet);
    ASSERT_NE(nullptr, harness::Child(page, IDC_FIXTURE_CHECK));
    EXPECT_FALSE(harness::IsChecked(harness::Child(page, IDC_FIXTURE_CHECK)));
    harness::Click(page, IDC_FIXTURE_CHECK);
    EXPECT_TRUE(harness::IsChecked(harness::Child(page, IDC_FIXTURE_CHECK)));
    HWND track = harness::Child(page, IDC_FIXTURE_TRACK);
    harness::PressTrackbar(track, VK_RIGHT, 3);
    EXPECT_EQ(3, SendMessageA(track, TBM_GETPOS, 0, 0));
    EXPECT_EQ("3", harness::Text(harness::Child(page, IDC_FIXTURE_POSITION)));  // WM_HSCROLL came
    harness::PressTrackbar(track, VK_END);
    EXPECT_EQ("10", harness::Text(harness::Child(page, IDC_FIXTURE_POSITION)));
    EXPECT_TRUE(harness::IsEnabled(track));
    EXPECT_TRUE(harness::IsVisible(track));
}

TEST_F(HarnessSheet, PostClickReachesAModalBoxAndBack) {
    HWND page = harness::SheetPage(sheet);
    harness::PostClick(page, IDC_FIXTURE_INNER);
    HWND inner = harness::WaitMessageBox(FIXTURE_INNER_CAPTION);
    ASSERT_NE(nullptr, inner);
    EXPECT_EQ("Inner box", harness::MessageBoxText(inner));
    harness::PostClick(inner, IDOK);
    EXPECT_TRUE(harness::WaitGone(inner));
}

TEST_F(HarnessSheet, PagesSwitchAndOkRunsTheApply) {
    HWND one = harness::SheetPage(sheet);
    harness::Click(one, IDC_FIXTURE_CHECK);
    harness::PressTrackbar(harness::Child(one, IDC_FIXTURE_TRACK), VK_RIGHT, 2);
    harness::SheetSelectPage(sheet, 1);
    HWND two = harness::SheetPage(sheet);
    EXPECT_NE(one, two);
    EXPECT_NE(nullptr, harness::Child(two, IDC_FIXTURE_EDIT));
    harness::SheetPress(sheet, PSBTN_OK);
    DWORD value = 0;
    EXPECT_TRUE(harness::ReadDword(HKEY_CURRENT_USER, FIXTURE_KEY, "Track", &value));
    EXPECT_EQ(2u, value);
    EXPECT_TRUE(harness::ReadDword(HKEY_CURRENT_USER, FIXTURE_KEY, "Check", &value));
    EXPECT_EQ(1u, value);
    EXPECT_TRUE(harness::WaitExit(fixture, kExitLimitMs));
}

TEST_F(HarnessSheet, PostedCancelClosesWithoutApply) {
    harness::PostSheetPress(sheet, PSBTN_CANCEL);
    DWORD code = 99;
    ASSERT_TRUE(harness::WaitExit(fixture, kExitLimitMs, &code));
    EXPECT_EQ(0u, code);
    EXPECT_FALSE(harness::KeyExists(HKEY_CURRENT_USER, FIXTURE_KEY));
}

TEST(HarnessRegistry, ValuesRoundTripAndTreesGo) {
    const std::string root = "Software\\OrvantixHarnessTest";
    harness::DeleteKeyTree(HKEY_CURRENT_USER, root);
    ASSERT_TRUE(harness::WriteDword(HKEY_CURRENT_USER, root + "\\A\\B", "Number", 0xFFFFFFFF));
    ASSERT_TRUE(harness::WriteString(HKEY_CURRENT_USER, root + "\\A", "Text", "two words"));
    ASSERT_TRUE(harness::WriteBinary(HKEY_CURRENT_USER, root + "\\A", "Short", REG_SZ, {'7', 0}));
    DWORD value = 0;
    EXPECT_TRUE(harness::ReadDword(HKEY_CURRENT_USER, root + "\\A\\B", "Number", &value));
    EXPECT_EQ(0xFFFFFFFFu, value);
    EXPECT_FALSE(harness::ReadDword(HKEY_CURRENT_USER, root + "\\A", "Text", &value));  // not a DWORD
    EXPECT_EQ("two words", harness::ReadString(HKEY_CURRENT_USER, root + "\\A", "Text"));
    EXPECT_EQ("none", harness::ReadString(HKEY_CURRENT_USER, root + "\\A", "Missing", "none"));
    std::vector<unsigned char> data;
    DWORD type = 0;
    ASSERT_TRUE(harness::ReadBinary(HKEY_CURRENT_USER, root + "\\A", "Short", &data, &type));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ((std::vector<unsigned char>{'7', 0}), data);
    std::vector<std::string> names = harness::ValueNames(HKEY_CURRENT_USER, root + "\\A");
    EXPECT_EQ(2u, names.size());
    EXPECT_EQ(std::vector<std::string>{"B"}, harness::SubkeyNames(HKEY_CURRENT_USER, root + "\\A"));
    EXPECT_TRUE(harness::DeleteValue(HKEY_CURRENT_USER, root + "\\A", "Text"));
    EXPECT_FALSE(harness::ValueExists(HKEY_CURRENT_USER, root + "\\A", "Text"));
    harness::DeleteKeyTree(HKEY_CURRENT_USER, root);
    EXPECT_FALSE(harness::KeyExists(HKEY_CURRENT_USER, root));
}

TEST(HarnessFiles, CopyReadAndDelete) {
    std::string from = harness::Join(harness::TempDir(), "harness_from.txt");
    std::string to = harness::Join(harness::TempDir(), "harness_to.txt");
    ASSERT_TRUE(harness::WriteTextFile(from, "line one\r\nline two\r\n"));
    ASSERT_TRUE(harness::CopyFileTo(from, to));
    EXPECT_EQ("line one\r\nline two\r\n", harness::ReadTextFile(to));
    harness::DeleteFileIfAny(from);
    harness::DeleteFileIfAny(to);
    harness::DeleteFileIfAny(to);  // twice: nothing to delete is fine
    EXPECT_FALSE(harness::FileExists(from));
    EXPECT_EQ("", harness::ReadTextFile(to));
}

TEST(HarnessScreen, ScreenshotIsA24BitBitmapOfTheScreen) {
    std::string path = harness::Join(harness::TempDir(), "harness_screen.bmp");
    ASSERT_TRUE(harness::SaveScreenshot(path));
    std::string bmp = harness::ReadTextFile(path);
    harness::DeleteFileIfAny(path);
    ASSERT_GT(bmp.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    const BITMAPFILEHEADER *file = reinterpret_cast<const BITMAPFILEHEADER *>(bmp.data());
    const BITMAPINFOHEADER *info = reinterpret_cast<const BITMAPINFOHEADER *>(bmp.data() + sizeof(*file));
    EXPECT_EQ(0x4D42, file->bfType);
    EXPECT_EQ(bmp.size(), file->bfSize);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), info->biWidth);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), info->biHeight);
    EXPECT_EQ(24, info->biBitCount);
    // The bottom-left pixel of the file is the screen's bottom-left pixel.
    const unsigned char *bgr = reinterpret_cast<const unsigned char *>(bmp.data() + file->bfOffBits);
    COLORREF corner = harness::PixelAt(0, GetSystemMetrics(SM_CYSCREEN) - 1);
    EXPECT_EQ(corner, RGB(bgr[2], bgr[1], bgr[0]));
}

TEST(HarnessSimulatorLog, LinesParseIntoEntries) {
    harness::sim::LogEntry entry;
    ASSERT_TRUE(harness::sim::ParseLogLine(
        "pid=42 code=0x000F203C name=IOCTL_TOUCH_SET_BEEP ok=1 in=1,1000,32 out=", &entry));
    EXPECT_EQ(42u, entry.pid);
    EXPECT_EQ(0x000F203Cu, entry.code);
    EXPECT_EQ("IOCTL_TOUCH_SET_BEEP", entry.name);
    EXPECT_TRUE(entry.ok);
    EXPECT_EQ((std::vector<DWORD>{1, 1000, 32}), entry.in);
    EXPECT_TRUE(entry.out.empty());
    ASSERT_TRUE(harness::sim::ParseLogLine(
        "pid=7 code=0x000F2014 name=IOCTL_TOUCH_GET_RAW_POINT ok=0 in= out=4141,0,4294967295", &entry));
    EXPECT_FALSE(entry.ok);
    EXPECT_TRUE(entry.in.empty());
    EXPECT_EQ((std::vector<DWORD>{4141, 0, 4294967295u}), entry.out);
    EXPECT_FALSE(harness::sim::ParseLogLine("pid=7 code=0x000F2014", &entry));
    EXPECT_FALSE(harness::sim::ParseLogLine("", &entry));
}

}  // namespace
