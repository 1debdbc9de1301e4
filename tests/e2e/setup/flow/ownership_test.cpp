// Setup on a machine that holds other devices and other programs: an
// installation and a removal leave everything that is not the package's as
// it was, a finishing run left pending spares a later installation, and no
// finishing run is arranged without its copy of Setup.
#include <gtest/gtest.h>

#include "setup_fixture.h"

namespace {

// "-U" from the medium or the program folder, "Yes,go next", then "No" to
// the restart.
void RemovePackage(const std::string &folder) {
    SetupRun run(folder, "-U");
    HWND box = AnswerRemovalQuestion(run);
    ASSERT_TRUE(box);
    harness::PostClick(box, IDNO);
    ASSERT_NE(STILL_ACTIVE, run.EndCode());
}

struct Ownership : ::testing::Test {
    harness::MachineGuard m_guard{GuardedKeys(), GuardedFiles(), ClearPackage};
    InstallationMedium m_medium;
};

TEST_F(Ownership, ARoundTripLeavesOtherDevicesAndProgramsAsTheyWere) {
    const std::string foreignClass = std::string(kClassKey) + "\\0000";
    harness::WriteString(HKEY_LOCAL_MACHINE, foreignClass, "DriverDesc", "Standard Serial Mouse");
    harness::WriteString(HKEY_LOCAL_MACHINE, foreignClass, "StaticVxD", "*vmouse");
    harness::WriteString(HKEY_LOCAL_MACHINE, kSetupUninstallKey, "DisplayName", "Another program");
    harness::WriteString(HKEY_LOCAL_MACHINE, kSetupUninstallKey, "UninstallString",
                         "C:\\Other\\Setup.exe /x");
    harness::SnapshotLines before = MachineSnapshot();

    ASSERT_NO_FATAL_FAILURE(InstallPackage(m_medium));
    EXPECT_EQ("Orvantix Touchscreen", Hklm(kOwnUninstallKey, "DisplayName"));
    EXPECT_EQ(ProgramFolder() + "Setup.exe -u", Hklm(kOwnUninstallKey, "UninstallString"));
    EXPECT_EQ("Another program", Hklm(kSetupUninstallKey, "DisplayName"));
    EXPECT_EQ("Orvantix Touchscreen", Hklm(std::string(kClassKey) + "\\0001", "DriverDesc"));

    ASSERT_NO_FATAL_FAILURE(RemovePackage(m_medium.Folder()));
    EXPECT_EQ("", harness::SnapshotDifference(before, MachineSnapshot()));
}

TEST_F(Ownership, APendingFinishingRunSparesALaterInstallation) {
    ASSERT_NO_FATAL_FAILURE(InstallPackage(m_medium));
    ASSERT_NO_FATAL_FAILURE(RemovePackage(ProgramFolder()));
    ASSERT_NE("(none)", RunOnce("Orvantix"));

    ASSERT_NO_FATAL_FAILURE(InstallPackage(m_medium));
    InstalledState installed = ReadInstalledState();
    // The next start of Windows: what the run-once key holds runs once. The
    // first-start calibration is left out; it writes only its own values.
    for (const std::string &name : harness::ValueNames(HKEY_LOCAL_MACHINE, kRunOnceKey)) {
        if (name == "Durmasel") continue;
        EXPECT_NE(STILL_ACTIVE, SetupRun(RunOnce(name.c_str())).EndCode()) << name;
        harness::DeleteValue(HKEY_LOCAL_MACHINE, kRunOnceKey, name.c_str());
    }
    EXPECT_TRUE(installed == ReadInstalledState()) << "the new installation must stay whole";
    EXPECT_EQ("(none)", RunOnce("Orvantix"));
}

// Run-once values of Setup's names whose commands Setup did not write are
// another program's: an installation and a removal leave them.
TEST_F(Ownership, AnotherProgramsRunOnceValuesOfTheSameNamesStay) {
    const std::string update = "C:\\PROGRA~1\\Vendor\\Update.exe -L";
    const std::string calibrate = "C:\\Tools\\Durmasel.exe";
    const std::string ownNamed = TempFolder() + "Other\\Setup.exe -L";
    harness::WriteString(HKEY_LOCAL_MACHINE, kRunOnceKey, "Orvantix", update.c_str());
    ASSERT_NO_FATAL_FAILURE(InstallPackage(m_medium));
    EXPECT_EQ(update, RunOnce("Orvantix"));
    harness::WriteString(HKEY_LOCAL_MACHINE, kRunOnceKey, "Orvantix", ownNamed.c_str());
    harness::WriteString(HKEY_LOCAL_MACHINE, kRunOnceKey, "Durmasel", calibrate.c_str());
    ASSERT_NO_FATAL_FAILURE(RemovePackage(m_medium.Folder()));
    EXPECT_EQ(calibrate, RunOnce("Durmasel"));
    EXPECT_EQ(ownNamed, RunOnce("Orvantix"));
    ASSERT_NO_FATAL_FAILURE(InstallPackage(m_medium));
    EXPECT_EQ(ownNamed, RunOnce("Orvantix"));
}

// The temporary folder, for Setup's runs started by this test, moved to a
// folder whose long name has a short form of its own.
class LongTemporaryFolder {
public:
    LongTemporaryFolder() : m_folder(TempFolder() + "Orvantix Long Temporary") {
        CreateDirectoryA(m_folder.c_str(), NULL);
        for (const char *name : {"TMP", "TEMP"}) {
            char value[MAX_PATH] = "";
            GetEnvironmentVariableA(name, value, sizeof(value));
            m_saved.push_back(value);
            SetEnvironmentVariableA(name, m_folder.c_str());
        }
    }
    ~LongTemporaryFolder() {
        SetEnvironmentVariableA("TMP", m_saved[0].c_str());
        SetEnvironmentVariableA("TEMP", m_saved[1].c_str());
        DeleteFileA((m_folder + "\\Setup.exe").c_str());
        RemoveDirectoryA(m_folder.c_str());
    }
    const std::string &Folder() const { return m_folder; }

private:
    std::string m_folder;
    std::vector<std::string> m_saved;
};

// Setup's own finishing run is known in the short form of its path too.
TEST_F(Ownership, TheOwnFinishingRunIsKnownInItsShortForm) {
    LongTemporaryFolder temp;
    ASSERT_NO_FATAL_FAILURE(InstallPackage(m_medium));
    ASSERT_NO_FATAL_FAILURE(RemovePackage(ProgramFolder()));
    ASSERT_EQ(temp.Folder() + "\\\\Setup.exe -L", RunOnce("Orvantix"));
    char shortFolder[MAX_PATH] = "";
    ASSERT_NE(0u, GetShortPathNameA(temp.Folder().c_str(), shortFolder, sizeof(shortFolder)));
    std::string shortCommand = std::string(shortFolder) + "\\SETUP.EXE -L";
    ASSERT_EQ(std::string::npos, shortCommand.find("Long Temporary")) << shortCommand;
    harness::WriteString(HKEY_LOCAL_MACHINE, kRunOnceKey, "Orvantix", shortCommand);
    ASSERT_NO_FATAL_FAILURE(InstallPackage(m_medium));
    EXPECT_EQ("(none)", RunOnce("Orvantix")) << shortCommand;
}

TEST_F(Ownership, NoFinishingRunWithoutItsCopyOfSetup) {
    ASSERT_NO_FATAL_FAILURE(InstallPackage(m_medium));
    // A stranger's program of that name, held open: the copy can't replace it.
    std::string copy = TempFolder() + "Setup.exe";
    harness::WriteTextFile(copy, "a stranger's program");
    HANDLE held = CreateFileA(copy.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    RemovePackage(ProgramFolder());
    CloseHandle(held);
    EXPECT_EQ("(none)", RunOnce("Orvantix"));
    EXPECT_EQ("a stranger's program", harness::ReadTextFile(copy));
}

}  // namespace
