// Setup's installation under Wine: the question and port dialogs, what an
// installation leaves, the completion dialog and its restart, a second
// installation, the ways to stop early, and the refusal on NT systems.
#include <gtest/gtest.h>

#include "setup_fixture.h"

namespace {

class InstallTest : public ::testing::Test {
protected:
    // Double-click settings other than Setup's, so that a change shows;
    // written to the profile directly: this process's own settings calls
    // need not reach it under Wine, while Setup starts afresh from it.
    void SetUp() override {
        ClearRestartRequests();
        harness::WriteString(HKEY_CURRENT_USER, "Control Panel\\Mouse", "DoubleClickWidth", "4");
        harness::WriteString(HKEY_CURRENT_USER, "Control Panel\\Mouse", "DoubleClickHeight", "4");
        harness::WriteString(HKEY_CURRENT_USER, "Control Panel\\Mouse", "DoubleClickSpeed", "500");
    }
    void TearDown() override { ClearRestartRequests(); }

    harness::MachineGuard m_guard{GuardedKeys(), GuardedFiles(), ClearPackage};
    InstallationMedium m_medium;
};

// The double-click settings as the user profile holds them.
std::string MouseSetting(const char *name) {
    return ReadText(HKEY_CURRENT_USER, "Control Panel\\Mouse", name);
}

void ExpectNothingButSystemIni() {
    EXPECT_EQ("mouse.drv", SystemIniEntry("boot"));
    EXPECT_EQ("Orvantix Touchscreen", SystemIniEntry("boot.description"));
    for (const char *key : {kDeviceKey, kServiceKey, kSetupUninstallKey})
        EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, key).exists) << key;
    EXPECT_EQ("(none)", RunOnce("Durmasel"));
    for (const std::string &file : harness::PackageFiles()) EXPECT_FALSE(FileExists(file)) << file;
    EXPECT_FALSE(FolderExists(ProgramFolder()));
    EXPECT_FALSE(FolderExists(GroupFolder()));
}

void ExpectLink(const char *name, const std::string &target, const std::string &folder,
                const char *arguments) {
    LinkInfo link = ReadLink(GroupFolder() + name);
    ASSERT_TRUE(link.loaded) << name;
    EXPECT_STREQ(target.c_str(), link.target.c_str()) << name;
    EXPECT_STREQ(folder.c_str(), link.workingFolder.c_str()) << name;
    EXPECT_STREQ(arguments, link.arguments.c_str()) << name;
}

void ExpectInstalledFiles(const InstallationMedium &medium) {
    const std::string system = SystemFolder(), program = ProgramFolder();
    const std::pair<std::string, std::string> copies[] = {
        {"ZELVANIS.VxD", system + "ZELVANIS.VxD"},
        {"Pemrosko.inf", WindowsFolder() + "Inf\\Pemrosko.inf"},
        {"Durmasel.exe", system + "Durmasel.exe"},
        {"Pemrosko.CPL", system + "Pemrosko.CPL"},
        {"Fennock.exe", program + "Fennock.exe"},
        {"Brokasta.exe", program + "Brokasta.exe"},
        {"Setup.exe", program + "Setup.exe"}};
    for (const auto &copy : copies) {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(copy.second, &bytes)) << copy.second;
        EXPECT_TRUE(bytes == medium.Bytes(copy.first)) << copy.second << " differs";
    }
}

void ExpectInstalledRegistry() {
    KeyTree device = ReadKeyTree(HKEY_LOCAL_MACHINE, kDeviceKey);
    ASSERT_EQ(1u, device.subkeys.count("0000"));
    EXPECT_EQ("Orvantix Touchscreen", std::string(device.subkeys["0000"].values["DeviceDesc"].bytes.c_str()));
    KeyTree parameters = ReadKeyTree(HKEY_LOCAL_MACHINE, kParameterKey);
    EXPECT_EQ(12u, parameters.values.size());
    EXPECT_EQ(RegValue({REG_DWORD, std::string("\x03\0\0\0", 4)}), parameters.values["Port"]);
    EXPECT_EQ(ProgramFolder() + "Setup.exe -u", Hklm(kSetupUninstallKey, "UninstallString"));
    EXPECT_EQ(SystemFolder() + "Durmasel.exe", RunOnce("Durmasel"));
}

TEST_F(InstallTest, InstallsEverythingAndNoEndsWithoutRestart) {
    SetupRun run(m_medium.Folder(), "");
    HWND question = run.WaitWindow(kInstallCaption);
    ASSERT_TRUE(question);
    EXPECT_EQ("Orvantix Touchscreen has not been installed.", harness::Text(harness::Child(question, 1001)));
    EXPECT_EQ("Install touchscreen driver now?", harness::Text(harness::Child(question, 1002)));
    harness::SendKey(question, VK_RETURN);  // Enter answers "Yes,go next"

    HWND port = run.WaitWindow(kPortCaption);
    ASSERT_TRUE(port);
    HWND list = harness::Child(port, 1000);
    EXPECT_EQ(harness::ReportedPortNamesSorted(), harness::ComboTexts(list));
    EXPECT_EQ(0, SendMessageA(list, CB_GETCURSEL, 0, 0));
    SelectPort(port, "COM3");
    harness::PostClick(port, IDOK);

    HWND complete = run.WaitWindow(kCompleteCaption);
    ASSERT_TRUE(complete);
    EXPECT_EQ("25", MouseSetting("DoubleClickWidth"));
    EXPECT_EQ("25", MouseSetting("DoubleClickHeight"));
    EXPECT_EQ("900", MouseSetting("DoubleClickSpeed"));
    ExpectInstalledRegistry();
    ExpectInstalledFiles(m_medium);
    const std::string system = SystemFolder(), program = ProgramFolder();
    ExpectLink("Button Switch.lnk", program + "Fennock.exe", program, "");
    ExpectLink("Brokasta Test.lnk", program + "Brokasta.exe", program, "");
    ExpectLink("Touchscreen setup.lnk", system + "Pemrosko.Cpl", system, "");
    ExpectLink("Uninstall Touchscreen.lnk", program + "Setup.exe", program, "-U");

    PressAndExpectEnd(run, complete, IDCANCEL, {});  // "No"
}

// A group folder of that name that is already there keeps what it holds;
// the links are written into it.
TEST_F(InstallTest, AnExistingGroupKeepsItsOwnFiles) {
    CreateDirectoryA(GroupFolder().c_str(), NULL);
    harness::WriteTextFile(GroupFolder() + "Notes.txt", "the user's own\r\n");
    ASSERT_NO_FATAL_FAILURE(InstallPackage(m_medium));
    std::string kept;
    EXPECT_TRUE(ReadFileBytes(GroupFolder() + "Notes.txt", &kept));
    EXPECT_EQ("the user's own\r\n", kept);
    EXPECT_TRUE(ReadLink(GroupFolder() + "Uninstall Touchscreen.lnk").loaded);
}

TEST_F(InstallTest, RebootNowAsksWindowsForARestart) {
    SetupRun run(m_medium.Folder(), "");
    HWND port = OpenPortDialog(run);
    ASSERT_TRUE(port);
    harness::SendKey(port, VK_RETURN);  // Enter answers "OK"
    HWND complete = run.WaitWindow(kCompleteCaption);
    ASSERT_TRUE(complete);
    PressAndExpectEnd(run, complete, IDOK, {"2 0"});  // "Yes,reboot now>>"
    // Enter took the first port of the sorted list.
    std::vector<std::string> ports = harness::ReportedPortNamesSorted();
    ASSERT_FALSE(ports.empty());
    EXPECT_EQ(std::stoul(ports.front().substr(3)), Parameter("Port"));
}

TEST_F(InstallTest, SecondInstallationShowsBox6AndChangesNothing) {
    ASSERT_NO_FATAL_FAILURE(InstallPackage(m_medium));
    InstalledState before = ReadInstalledState();
    for (const char *args : {"", "/U"}) {
        SetupRun run(m_medium.Folder(), args);
        EXPECT_EQ("Orvantix Touchscreen has already been installed.", AnswerBox(run)) << args;
        EXPECT_EQ(0u, run.EndCode()) << args;
    }
    EXPECT_TRUE(before == ReadInstalledState());
}

// The ways to leave the install question.
struct Stop {
    const char *name;
    void (*press)(HWND question);
};
void PrintTo(const Stop &stop, std::ostream *os) { *os << stop.name; }
const Stop kStops[] = {{"Quit", [](HWND q) { harness::PostClick(q, 1004); }},
                       {"Escape", [](HWND q) { harness::SendKey(q, VK_ESCAPE); }},
                       {"close box", [](HWND q) { PostMessageA(q, WM_SYSCOMMAND, SC_CLOSE, 0); }}};

class StopAtQuestionTest : public InstallTest, public ::testing::WithParamInterface<Stop> {};

TEST_P(StopAtQuestionTest, EndsHavingWrittenOnlySystemIni) {
    SetupRun run(m_medium.Folder(), "");
    HWND question = run.WaitWindow(kInstallCaption);
    ASSERT_TRUE(question);
    GetParam().press(question);
    EXPECT_EQ(0u, run.EndCode(10000)) << "no further dialog may follow";
    ExpectNothingButSystemIni();
    EXPECT_EQ("4", MouseSetting("DoubleClickWidth"));
    EXPECT_EQ("500", MouseSetting("DoubleClickSpeed"));
}

INSTANTIATE_TEST_SUITE_P(Flow, StopAtQuestionTest, ::testing::ValuesIn(kStops));

TEST_F(InstallTest, CancelOnPortDialogWritesOnlySystemIni) {
    SetupRun run(m_medium.Folder(), "");
    HWND port = OpenPortDialog(run);
    ASSERT_TRUE(port);
    // Nothing but System.ini has been written while the port is asked.
    ExpectNothingButSystemIni();
    harness::PostClick(port, IDCANCEL);
    EXPECT_EQ(0u, run.EndCode(10000));
    ExpectNothingButSystemIni();
    EXPECT_EQ("4", MouseSetting("DoubleClickHeight"));
    EXPECT_EQ("500", MouseSetting("DoubleClickSpeed"));
}

TEST_F(InstallTest, RemovalWithoutPackageShowsBox7AfterSystemIni) {
    SetupRun run(m_medium.Folder(), "-U");
    HWND box = run.WaitWindow(kBoxCaption);
    ASSERT_TRUE(box);
    EXPECT_EQ("Orvantix Touchscreen has not been installed.", harness::MessageBoxText(box));
    EXPECT_EQ("Orvantix Touchscreen", SystemIniEntry("boot.description"));
    harness::PostClick(box, IDOK);
    EXPECT_EQ(0u, run.EndCode());
    ExpectNothingButSystemIni();
}

// Wine reports the version chosen for the program; Setup must stop at once.
class NtSystemTest : public InstallTest, public ::testing::WithParamInterface<const char *> {};

TEST_P(NtSystemTest, OnlyBox11WhateverTheCommandLine) {
    harness::ReportedWindows reported("Setup.exe", GetParam());
    for (const char *args : {"", "-U", "-L"}) {
        SCOPED_TRACE(std::string(GetParam()) + " " + args);
        SetupRun run(m_medium.Folder(), args);
        EXPECT_EQ("We can not run on this operating system.", AnswerBox(run));
        EXPECT_EQ(0u, run.EndCode());
        EXPECT_EQ("", SystemIniEntry("boot")) << "nothing may be written";
        EXPECT_EQ("", SystemIniEntry("boot.description"));
        EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, kDeviceKey).exists);
    }
}

INSTANTIATE_TEST_SUITE_P(Flow, NtSystemTest, ::testing::Values("nt40", "win2k", "winxp"));

}  // namespace
