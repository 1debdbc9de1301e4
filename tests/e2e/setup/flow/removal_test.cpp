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

    harness::MachineGuard m_guard{GuardedKeys(), GuardedFiles(), ClearPackage};
    InstallationMedium m_medium;
};

TEST_F(RemovalTest, EverySwitchSpellingAsksTheRemovalQuestion) {
    InstalledState before = ReadInstalledState();
    for (const char *args : {"-U", "-u", "-Uninstall"}) {
        SetupRun run(m_medium.Folder(), args);
        HWND question = run.WaitWindow(kUninstallCaption);
        ASSERT_TRUE(question) << args;
        EXPECT_EQ("Orvantix Touchscreen has been installed.", harness::Text(harness::Child(question, 1001)));
        EXPECT_EQ("Uninstall touchscreen driver now?", harness::Text(harness::Child(question, 1002)));
        harness::PostClick(question, 1004);  // "Quit"
        EXPECT_EQ(0u, run.EndCode()) << args;
    }
    EXPECT_TRUE(before == ReadInstalledState()) << "Quit removes nothing";
}

TEST_F(RemovalTest, FromTheMediumRemovesEverythingAndNoEndsWithoutRestart) {
    SetupRun run(m_medium.Folder(), "-U");
    HWND box = AnswerRemovalQuestion(run);
    ASSERT_TRUE(box);
    EXPECT_EQ("Removal is complete,Do you want to reboot your computer?", harness::MessageBoxText(box));
    ExpectPackageGone(true);
    EXPECT_EQ("(none)", RunOnce("Orvantix")) << "nothing was left for a finishing run";
    EXPECT_FALSE(FileExists(TempFolder() + "Setup.exe"));
    PressAndExpectEnd(run, box, IDNO, {});
}

TEST_F(RemovalTest, Box8YesAsksWindowsForARestart) {
    SetupRun run(m_medium.Folder(), "-u");
    HWND box = AnswerRemovalQuestion(run);
    ASSERT_TRUE(box);
    PressAndExpectEnd(run, box, IDYES, {"2 0"});
}

TEST_F(RemovalTest, FromTheProgramFolderFinishesAfterTheRestart) {
    // As the Start menu's link starts it: its target, arguments and folder.
    LinkInfo link = ReadLink(GroupFolder() + "Uninstall Touchscreen.lnk");
    ASSERT_TRUE(link.loaded);
    std::string target = link.target.substr(link.workingFolder.size());
    SetupRun run(link.workingFolder, link.arguments, target);
    HWND box = AnswerRemovalQuestion(run);
    ASSERT_TRUE(box);
    // The running Setup.exe stays; its copy waits in the temporary folder.
    std::string copy = TempFolder() + "\\Setup.exe", command = RunOnce("Orvantix"), copied;
    ASSERT_EQ(copy + " -L", command);
    EXPECT_TRUE(ReadFileBytes(copy, &copied));
    EXPECT_TRUE(copied == m_medium.Bytes("Setup.exe"));
    EXPECT_TRUE(FileExists(ProgramFolder() + "Setup.exe"));
    EXPECT_FALSE(FileExists(ProgramFolder() + "Fennock.exe"));
    harness::PostClick(box, IDNO);
    ASSERT_NE(STILL_ACTIVE, run.EndCode());
    // The next start of Windows runs the value's command once; it shows nothing.
    EXPECT_EQ(0u, SetupRun(command).QuietEndCode());
    ExpectPackageGone(true);
}

TEST_F(RemovalTest, FinishingRunOnAnInstalledPackageRemovesItSilently) {
    EXPECT_EQ(0u, SetupRun(m_medium.Folder(), "-l").QuietEndCode());
    ExpectPackageGone(true);
    EXPECT_EQ("(none)", RunOnce("Orvantix"));
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
    EXPECT_EQ(0u, SetupRun(medium.Folder(), "-L").QuietEndCode());
    for (const std::string &name : kMediumFiles)
        EXPECT_TRUE(FileExists(medium.Folder() + name)) << name;
    EXPECT_EQ("Another program", Hklm(kSetupUninstallKey, "DisplayName"));
}

}  // namespace
