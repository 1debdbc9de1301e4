// The sheet itself: its caption, icon, tabs and buttons, the Calibration
// page's launch of the calibration program and its failure box, the About
// page's texts, and an opening by Wine's own Control Panel.
#include <windows.h>
#include <commctrl.h>

#include "applet_fixture.h"
#include "driver_interface.h"

namespace sim = harness::sim;
using applet_e2e::AppletTest;

namespace {

// A tab's title, read through memory in the sheet's own process: the tab
// control copies it to the address the message carries.
std::string TabTitle(HWND tab, int index) {
    DWORD pid = 0;
    GetWindowThreadProcessId(tab, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!process) return "";
    char *remote = static_cast<char *>(
        VirtualAllocEx(process, NULL, 1024, MEM_COMMIT, PAGE_READWRITE));
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = remote + 256;
    item.cchTextMax = 256;
    WriteProcessMemory(process, remote, &item, sizeof(item), NULL);
    SendMessageA(tab, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(remote));
    char text[257] = "";
    ReadProcessMemory(process, remote + 256, text, 256, NULL);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return text;
}

class SheetTest : public AppletTest {
protected:
    void SetUp() override {
        AppletTest::SetUp();
        WriteInstallDefaults();
    }
    HWND OpenSheet(harness::Process **host) {
        *host = &OpenApplet();
        return WaitSheet(**host);
    }
};

TEST_F(SheetTest, FivePagesInOrderWithOkAndCancelOnly) {
    harness::Process *host = nullptr;
    HWND sheet = OpenSheet(&host);
    ASSERT_TRUE(sheet != NULL);
    HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    ASSERT_TRUE(tab != NULL);
    ASSERT_EQ(5, SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    const char *titles[] = {"Calibration", "Settings", "Sound", "About", "Diagnostics"};
    // Each page is recognised by a control only its template has.
    const int marks[] = {1008, 1011, 1012, 1029, 1110};
    EXPECT_EQ(0, SendMessageA(tab, TCM_GETCURSEL, 0, 0)) << "the start page";
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(titles[i], TabTitle(tab, i));
        harness::SheetSelectPage(sheet, i);
        EXPECT_TRUE(harness::Child(harness::SheetPage(sheet), marks[i]) != NULL) << titles[i];
    }
    EXPECT_TRUE(harness::IsVisible(harness::Child(sheet, IDOK)));
    EXPECT_TRUE(harness::IsVisible(harness::Child(sheet, IDCANCEL)));
    const int applyButton = 0x3021, helpButton = 9;
    EXPECT_FALSE(harness::IsVisible(harness::Child(sheet, applyButton)));
    EXPECT_FALSE(harness::IsVisible(harness::Child(sheet, helpButton)));
    CloseSheet(sheet, *host, PSBTN_CANCEL);
}

TEST_F(SheetTest, OwnedByTheControlPanelWithoutHelpButton) {
    harness::Process *host = nullptr;
    HWND sheet = OpenSheet(&host);
    ASSERT_TRUE(sheet != NULL);
    HWND owner = harness::FindProcessWindow(host->pid, "Applet host");
    EXPECT_TRUE(owner != NULL);
    EXPECT_EQ(owner, GetWindow(sheet, GW_OWNER));
    EXPECT_EQ(applet_e2e::kSheetTitle, harness::Text(sheet));
    // The sheet's own template asks for the help button; the applet drops it.
    EXPECT_EQ(0, GetWindowLongA(sheet, GWL_STYLE) & DS_CONTEXTHELP);
    EXPECT_EQ(0, GetWindowLongA(sheet, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    CloseSheet(sheet, *host, PSBTN_CANCEL);
}

TEST_F(SheetTest, PagesShowTheirFixedTexts) {
    harness::Process *host = nullptr;
    HWND sheet = OpenSheet(&host);
    ASSERT_TRUE(sheet != NULL);
    HWND page = harness::SheetPage(sheet);
    EXPECT_EQ("&Calibrate", harness::Text(harness::Child(page, 1008)));
    EXPECT_EQ("Press here to calibrate your touchscreen!", harness::Text(harness::Child(page, 1036)));
    EXPECT_EQ("Touchscreen and controller", harness::Text(harness::Child(page, 1068)));
    harness::SheetSelectPage(sheet, 3);
    page = harness::SheetPage(sheet);
    EXPECT_EQ("Orvantix Control Panel", harness::Text(harness::Child(page, 1030)));
    EXPECT_EQ("Ver.5.05S for Windows 95/98/ME", harness::Text(harness::Child(page, 1031)));
    EXPECT_EQ("Support Serial Only", harness::Text(harness::Child(page, 1032)));
    EXPECT_TRUE(SendMessageA(harness::Child(page, 1029), STM_GETIMAGE, IMAGE_BITMAP, 0) != 0)
        << "the logo";
    CloseSheet(sheet, *host, PSBTN_CANCEL);
}

// The system folder's Durmasel.exe is replaced by a probe for one test and
// put back afterwards.
class CalibrationProgram {
public:
    CalibrationProgram() : m_path(harness::Join(harness::SystemDir(), "Durmasel.exe")) {
        m_saved = harness::Join(harness::TempDir(), "Durmasel.exe.saved");
        m_hadOne = harness::FileExists(m_path) && MoveFileA(m_path.c_str(), m_saved.c_str());
        harness::DeleteFileIfAny(Report());
    }
    ~CalibrationProgram() {
        harness::WaitUntil([&] { return Ended(); }, harness::FileExists(m_path) ? 10000 : 0);
        harness::DeleteFileIfAny(m_path);
        if (m_hadOne) MoveFileA(m_saved.c_str(), m_path.c_str());
        harness::DeleteFileIfAny(Report());
    }
    bool InstallProbe() { return harness::CopyFileTo(harness::Join(harness::TestDir(), "durprobe.exe"), m_path); }
    const std::string &Path() const { return m_path; }
    static std::string Report() { return harness::Join(harness::TempDir(), "durprobe.txt"); }
    std::string Line(const char *key) const {
        std::string text = harness::ReadTextFile(Report());
        std::string prefix = std::string(key) + "=";
        size_t at = text.find(prefix);
        if (at == std::string::npos) return "";
        size_t end = text.find_first_of("\r\n", at);
        return text.substr(at + prefix.size(), end - at - prefix.size());
    }
    bool Ended() const { return harness::ReadTextFile(Report()).find("ended") != std::string::npos; }

private:
    std::string m_path, m_saved;
    bool m_hadOne = false;
};

TEST_F(SheetTest, CalibrateStartsTheProgramMaximisedWithoutArgumentsAndReturns) {
    CalibrationProgram program;
    ASSERT_TRUE(program.InstallProbe());
    harness::Process *host = nullptr;
    HWND sheet = OpenSheet(&host);
    ASSERT_TRUE(sheet != NULL);
    harness::Click(harness::SheetPage(sheet), 1008);
    ASSERT_TRUE(harness::WaitUntil([&] { return !program.Line("show").empty(); }, 10000));
    // The sheet answered while the program still runs: nobody waited for it.
    EXPECT_FALSE(program.Ended());
    DWORD_PTR answer = 0;
    EXPECT_TRUE(SendMessageTimeoutA(sheet, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &answer));
    EXPECT_EQ(0, lstrcmpiA(program.Path().c_str(), program.Line("module").c_str()));
    std::string commandLine = program.Line("cmdline");
    while (!commandLine.empty() && commandLine.back() == ' ') commandLine.pop_back();
    EXPECT_TRUE(commandLine == program.Path() || commandLine == "\"" + program.Path() + "\"")
        << commandLine;
    EXPECT_EQ(std::to_string(STARTF_USESHOWWINDOW), program.Line("flags"));
    EXPECT_EQ(std::to_string(SW_SHOWMAXIMIZED), program.Line("show"));
    EXPECT_TRUE(harness::WaitMessageBox("Sorry,launching program error!", 0) == NULL);
    CloseSheet(sheet, *host, PSBTN_CANCEL);
}

TEST_F(SheetTest, CalibrateWithoutTheProgramWarnsOverThePage) {
    CalibrationProgram program;  // moves any real one aside
    harness::Process *host = nullptr;
    HWND sheet = OpenSheet(&host);
    ASSERT_TRUE(sheet != NULL);
    HWND page = harness::SheetPage(sheet);
    harness::PostClick(page, 1008);
    AnswerBox("Sorry,launching program error!",
              "Launching calibration program error,Run Durmasel.exe directly!", page);
    EXPECT_TRUE(IsWindow(sheet)) << "the sheet stays open";
    CloseSheet(sheet, *host, PSBTN_OK);
    EXPECT_EQ(1, ReloadRequests());
}

// Wine's own Control Panel finds the applet in the system folder. Wine
// reaches a driver only from processes that carry its 16-bit kernel, which
// its own control.exe does not, so the driver warning may come first.
TEST_F(SheetTest, WinesControlPanelOpensIt) {
    std::string installed = harness::Join(harness::SystemDir(), "Pemrosko.Cpl");
    ASSERT_FALSE(harness::FileExists(installed)) << "an applet is already installed";
    ASSERT_TRUE(harness::CopyFileTo(applet_e2e::AppletPath(), installed));
    harness::Process control =
        harness::Start(harness::Join(harness::SystemDir(), "control.exe"), "Pemrosko.Cpl");
    ASSERT_TRUE(control.Started());
    HWND sheet = NULL, box = NULL;
    harness::WaitUntil([&] {
        sheet = harness::FindProcessWindow(control.pid, applet_e2e::kSheetTitle);
        box = harness::FindProcessWindow(control.pid, "Warning!");
        return sheet || box;
    }, 20000);
    if (box) {
        EXPECT_EQ("Fatal Error:Touchscreen driver not loaded!", harness::MessageBoxText(box));
        harness::PostClick(box, IDOK);
        sheet = harness::WaitProcessWindow(control.pid, applet_e2e::kSheetTitle, 10000);
    }
    EXPECT_TRUE(sheet != NULL);
    if (sheet) harness::PostSheetPress(sheet, PSBTN_CANCEL);
    EXPECT_TRUE(harness::WaitExit(control, 10000));
    if (!harness::WaitExit(control, 0)) harness::Kill(control);
    EXPECT_TRUE(harness::WaitUntil(
        [&] { return DeleteFileA(installed.c_str()) || !harness::FileExists(installed); }, 5000));
}

}  // namespace
