// What a double-click does before the sheet opens: the single-instance
// mutex, the system check, the driver check and the store load, with their
// boxes, in a stand-in Control Panel process.
#include "applet_fixture.h"
#include "driver_interface.h"

namespace sim = harness::sim;
using applet_e2e::AppletTest;

namespace {

const char kPortMessage[] =
    "We can not get COM port information from registry,use default values.";

class OpeningTest : public AppletTest {};

int CountSheets() {
    int count = 0;
    HWND window = NULL;
    while ((window = FindWindowExA(NULL, window, "#32770", applet_e2e::kSheetTitle)) != NULL)
        ++count;
    return count;
}

TEST_F(OpeningTest, EmptyStoreCreatesBothKeysAndWarnsOnceAboutThePort) {
    harness::Process &host = OpenApplet();
    AnswerBox("Warning!", kPortMessage);
    HWND sheet = WaitSheet(host);
    ASSERT_TRUE(sheet != NULL);
    EXPECT_TRUE(harness::KeyExists(HKEY_LOCAL_MACHINE, applet_e2e::kParamKey));
    // Reading writes nothing, and the port message came only once.
    EXPECT_TRUE(harness::ValueNames(HKEY_LOCAL_MACHINE, applet_e2e::kParamKey).empty());
    EXPECT_TRUE(harness::WaitMessageBox("Warning!", 300) == NULL);
    CloseSheet(sheet, host, PSBTN_OK);
    // OK stores the fallbacks.
    EXPECT_EQ(2u, StoredNumber(store::kBeepMode));
    EXPECT_EQ(1000u, StoredNumber(store::kBeepFreq));
    EXPECT_EQ(32u, StoredNumber(store::kBeepTime));
    EXPECT_EQ(3u, StoredNumber(store::kMouseMode));
    EXPECT_EQ(0u, StoredNumber(store::kDragDelay));
    EXPECT_EQ(25u, StoredNumber(store::kDblClickRegion));
    EXPECT_EQ(1u, StoredNumber(store::kPort));
}

TEST_F(OpeningTest, FullStoreOpensWithoutAnyBox) {
    WriteInstallDefaults();
    harness::Process &host = OpenApplet();
    HWND sheet = WaitSheet(host);
    ASSERT_TRUE(sheet != NULL);
    EXPECT_TRUE(harness::WaitWindow("#32770", "Warning!", 300) == NULL);
    CloseSheet(sheet, host, PSBTN_CANCEL);
}

TEST_F(OpeningTest, SecondOpeningFromAnotherProcessShowsNothing) {
    WriteInstallDefaults();
    harness::Process &first = OpenApplet();
    HWND sheet = WaitSheet(first);
    ASSERT_TRUE(sheet != NULL);
    harness::Process &second = OpenApplet();
    ExpectHostEnds(second);
    EXPECT_EQ(1, CountSheets());
    EXPECT_TRUE(harness::FindProcessWindow(second.pid, nullptr) == NULL);
    CloseSheet(sheet, first, PSBTN_CANCEL);
}

// The mutex outlives the sheet: a later double-click in the same process
// finds it and returns at once, even after the sheet has closed.
TEST_F(OpeningTest, LaterOpeningsInTheSameProcessShowNothing) {
    WriteInstallDefaults();
    harness::Process &host = OpenApplet(3);
    HWND sheet = WaitSheet(host);
    ASSERT_TRUE(sheet != NULL);
    CloseSheet(sheet, host, PSBTN_CANCEL);
    // Returned from all three double-clicks: only one sheet was ever shown.
    EXPECT_TRUE(WaitSheet(host, 0) == NULL);
}

TEST_F(OpeningTest, AfterTheHostEndsTheAppletOpensAgain) {
    WriteInstallDefaults();
    harness::Process &first = OpenApplet();
    HWND sheet = WaitSheet(first);
    ASSERT_TRUE(sheet != NULL);
    CloseSheet(sheet, first, PSBTN_CANCEL);
    harness::Process &second = OpenApplet();
    sheet = WaitSheet(second);
    ASSERT_TRUE(sheet != NULL);
    CloseSheet(sheet, second, PSBTN_CANCEL);
}

TEST_F(OpeningTest, RefusesEveryNtVersion) {
    WriteInstallDefaults();
    for (const char *version : {"nt40", "win2k", "winxp", "vista"}) {
        SCOPED_TRACE(version);
        harness::ReportedWindows reported("cplhost.exe", version);
        harness::Process &host = OpenApplet();
        AnswerBox("Warning:Bad OS found!", "Warning:This application needs Windows 95/98/Me!");
        ExpectHostEnds(host);
        EXPECT_EQ(0, CountSheets());
    }
    EXPECT_EQ(0, ReloadRequests());
}

TEST_F(OpeningTest, AcceptsEveryWindows95FamilyVersion) {
    WriteInstallDefaults();
    for (const char *version : {"win95", "win98", "winme"}) {
        SCOPED_TRACE(version);
        harness::ReportedWindows reported("cplhost.exe", version);
        harness::Process &host = OpenApplet();
        HWND sheet = WaitSheet(host);
        ASSERT_TRUE(sheet != NULL);
        CloseSheet(sheet, host, PSBTN_CANCEL);
    }
}

// Without the driver: its warning first, then the port message, then the
// sheet; OK still saves, and the reload request silently does nothing.
TEST_F(OpeningTest, WithoutTheDriverWarnsAndStillSaves) {
    sim::Uninstall();
    harness::Process &host = OpenApplet();
    AnswerBox("Warning!", "Fatal Error:Touchscreen driver not loaded!");
    AnswerBox("Warning!", kPortMessage);
    HWND sheet = WaitSheet(host);
    ASSERT_TRUE(sheet != NULL);
    CloseSheet(sheet, host, PSBTN_OK);
    EXPECT_EQ(1000u, StoredNumber(store::kBeepFreq));
    EXPECT_EQ(1u, StoredNumber(store::kPort));
    EXPECT_TRUE(sim::Log().empty());
}

// A volatile service key cannot hold the lasting "Parameters" key, so the
// second registry step of the load fails.
void MakeStoreUnopenable() {
    harness::DeleteKeyTree(HKEY_LOCAL_MACHINE, applet_e2e::kServiceKey);
    HKEY key = NULL;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_LOCAL_MACHINE, applet_e2e::kServiceKey, 0, NULL,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, NULL, &key, NULL));
    RegCloseKey(key);
}

TEST_F(OpeningTest, UnopenableStoreReportsTheStepThenCorruptionAndOpensNothing) {
    MakeStoreUnopenable();
    harness::Process &host = OpenApplet();
    AnswerBox("GetProfileSetting_CreateParamKeyEx",
              harness::SystemText(ERROR_CHILD_MUST_BE_VOLATILE));
    AnswerBox("Setting corrupt", "Touchscreen setting corrupt,Reinstall it!");
    ExpectHostEnds(host);
    EXPECT_EQ(0, CountSheets());
    EXPECT_FALSE(harness::KeyExists(HKEY_LOCAL_MACHINE, applet_e2e::kParamKey));
}

TEST_F(OpeningTest, StoreLostWhileOpenReportsTheSaveStepAndStillReloads) {
    WriteInstallDefaults();
    harness::Process &host = OpenApplet();
    HWND sheet = WaitSheet(host);
    ASSERT_TRUE(sheet != NULL);
    MakeStoreUnopenable();
    harness::PostSheetPress(sheet, PSBTN_OK);
    AnswerBox("SaveProfileSetting_CreateParamKeyEx",
              harness::SystemText(ERROR_CHILD_MUST_BE_VOLATILE));
    EXPECT_TRUE(harness::WaitGone(sheet, 10000));
    ExpectHostEnds(host);
    EXPECT_EQ(1, ReloadRequests());
}

}  // namespace
