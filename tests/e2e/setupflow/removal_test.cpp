// Setup's removal under Wine: the switches that select it, a removal from
// the installation medium and from the program folder's own Setup.exe, the
// finishing run "-L" and the restart offered by box 8.
#include <gtest/gtest.h>

#include "setup_fixture.h"

namespace {

class RemovalTest : public ::testing::Test {
protected:
    void SetUp() override {
        ClearRestartRequests();
        ASSERT_NO_FATAL_FAILURE(InstallPackage(m_medium));
    }
    void TearDown() override { ClearRestartRequests(); }

    // Answers the removal question with "Yes,go next" and waits for box 8.
    HWND RemoveUpToBox8(SetupRun &run) {
        HWND question = run.WaitWindow(kUninstallCaption);
        if (!question) return NULL;
        harness::PostClick(question, 6);
        return run.WaitWindow(kBoxCaption);
    }

    harness::MachineGuard m_guard{GuardedKeys(), GuardedFiles(), ClearPackage};
    InstallationMedium m_medium;
};

void ExpectPackageGone() {
    for (const char *key : {kDeviceKey, kServiceKey, kSetupUninstallKey})
        EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, key).exists) << key;
    EXPECT_EQ(0u, ReadKeyTree(HKEY_LOCAL_MACHINE, kClassKey).subkeys.count("0000"));
    for (const std::string &file : harness::PackageFiles()) EXPECT_FALSE(FileExists(file)) << file;
    EXPECT_FALSE(FolderExists(ProgramFolder()));
    EXPECT_FALSE(FolderExists(GroupFolder()));
}

TEST_F(RemovalTest, EverySwitchSpellingAsksTheRemovalQuestion) {
    InstalledState before = ReadInstalledState();
    for (const char *args : {"-U", "-u", "-Uninstall"}) {
        SetupRun run(m_medium.Folder(), args);
        HWND question = run.WaitWindow(kUninstallCaption);
        ASSERT_TRUE(question) << args;
        EXPECT_EQ("Orvantix Touchscreen has been installed.", harness::Text(harness::Child(question, 1001)));
        EXPECT_EQ("Uninstall touchscreen driver now?", harness::Text(harness::Child(question, 1002)));
        harness::PostClick(question, 1004);  // "Quit"
        DWORD code = 1;
        ASSERT_TRUE(run.WaitEnd(&code));
        EXPECT_EQ(0u, code);
    }
    EXPECT_TRUE(before == ReadInstalledState()) << "Quit removes nothing";
}

TEST_F(RemovalTest, FromTheMediumRemovesEverythingAndNoEndsWithoutRestart) {
    SetupRun run(m_medium.Folder(), "-U");
    HWND box = RemoveUpToBox8(run);
    ASSERT_TRUE(box);
    EXPECT_EQ("Removal is complete,Do you want to reboot your computer?", harness::MessageBoxText(box));
    ExpectPackageGone();
    EXPECT_EQ("(none)", ReadText(HKEY_LOCAL_MACHINE, kRunOnceKey, "Orvantix"))
        << "nothing was left for a finishing run";
    EXPECT_EQ("(none)", ReadText(HKEY_LOCAL_MACHINE, kRunOnceKey, "Durmasel"))
        << "no first-start calibration of a deleted program";
    EXPECT_FALSE(FileExists(TempFolder() + "Setup.exe"));
    PressAndExpectEnd(run, box, IDNO, {});
}

TEST_F(RemovalTest, Box8YesAsksWindowsForARestart) {
    SetupRun run(m_medium.Folder(), "-u");
    HWND box = RemoveUpToBox8(run);
    ASSERT_TRUE(box);
    PressAndExpectEnd(run, box, IDYES, {"2 0"});
}

// Waits for a run that must show nothing; false when a window appeared.
bool EndsWithoutAWindow(SetupRun &run, DWORD *code) {
    bool shown = false;
    harness::WaitUntil([&] {
        shown = shown || run.ShowsAnyWindow();
        return run.WaitEnd(code, 0);
    }, 30000);
    return !shown;
}

TEST_F(RemovalTest, FromTheProgramFolderFinishesAfterTheRestart) {
    // As the Start menu's link starts it: its target, arguments and folder.
    LinkInfo link = ReadLink(GroupFolder() + "Uninstall Touchscreen.lnk");
    ASSERT_TRUE(link.loaded);
    std::string target = link.target.substr(link.workingFolder.size());
    SetupRun run(link.workingFolder, link.arguments, target);
    HWND box = RemoveUpToBox8(run);
    ASSERT_TRUE(box);
    // The running Setup.exe stays; its copy waits in the temporary folder.
    std::string copy = TempFolder() + "\\Setup.exe";
    std::string command = ReadText(HKEY_LOCAL_MACHINE, kRunOnceKey, "Orvantix");
    ASSERT_EQ(copy + " -L", command);
    std::string copied;
    EXPECT_TRUE(ReadFileBytes(copy, &copied));
    EXPECT_TRUE(copied == m_medium.Bytes("Setup.exe"));
    EXPECT_TRUE(FileExists(ProgramFolder() + "Setup.exe"));
    EXPECT_FALSE(FileExists(ProgramFolder() + "Fennock.exe"));
    harness::PostClick(box, IDNO);
    DWORD code = 1;
    ASSERT_TRUE(run.WaitEnd(&code));

    // The next start of Windows runs the value's command once.
    std::string folder = copy.substr(0, copy.find_last_of('\\') + 1);
    SetupRun finish(folder, "-L", copy.substr(folder.size()));
    ASSERT_TRUE(EndsWithoutAWindow(finish, &code)) << "the finishing run shows nothing";
    EXPECT_EQ(0u, code);
    ExpectPackageGone();
}

TEST_F(RemovalTest, FinishingRunOnAnInstalledPackageRemovesItSilently) {
    SetupRun finish(m_medium.Folder(), "-l");
    DWORD code = 1;
    ASSERT_TRUE(EndsWithoutAWindow(finish, &code));
    EXPECT_EQ(0u, code);
    ExpectPackageGone();
    EXPECT_EQ("(none)", ReadText(HKEY_LOCAL_MACHINE, kRunOnceKey, "Orvantix"));
}

// A finishing run on a machine without the package (the run-once entry ran
// twice, or "-L" was typed on the medium) must not touch the medium's files
// nor keys it did not make: the install actions it queues name them only
// as sources and as keys to write.
TEST(FinishingRunWithoutPackage, LeavesTheMediumsFilesAndOtherKeysAlone) {
    harness::MachineGuard guard{GuardedKeys(), GuardedFiles(), ClearPackage};
    InstallationMedium medium;
    // Another program's removal entry under the name Setup's would take.
    harness::WriteString(HKEY_LOCAL_MACHINE, kSetupUninstallKey, "DisplayName", "Another program");
    SetupRun finish(medium.Folder(), "-L");
    DWORD code = 1;
    ASSERT_TRUE(EndsWithoutAWindow(finish, &code));
    EXPECT_EQ(0u, code);
    for (const std::string &name : kMediumFiles)
        EXPECT_TRUE(FileExists(medium.Folder() + name)) << name;
    EXPECT_EQ("Another program", ReadText(HKEY_LOCAL_MACHINE, kSetupUninstallKey, "DisplayName"));
}

}  // namespace
