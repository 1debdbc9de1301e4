// Setup's unattended mode under Wine, from a folder copied out of the
// floppy image: the installation the dialogs make, without a window; the
// exit codes a script tests; a log appended with CRLF lines; and nothing
// written for bad switches or an unsupported Windows.
#include <gtest/gtest.h>

#include <optional>
#include <set>

#include "setup_fixture.h"

namespace {

// The folder unattended_medium.sh copied out of the floppy image.
std::string ImageFolder() { return harness::PackageDir() + "\\..\\unattended-medium\\"; }

std::string LogPath() { return TempFolder() + "orvantix-setup.log"; }

// One unattended run, logging to LogPath(); its exit code.
DWORD RunQuietly(const std::string &args, const std::string &folder = ImageFolder()) {
    SCOPED_TRACE(args);
    return SetupRun(folder, args + " /LOG=\"" + LogPath() + "\"").QuietEndCode();
}

class UnattendedTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FileExists(ImageFolder() + "Setup.exe")) << "run unattended_medium.sh first";
        harness::WriteTextFile(LogPath(), "an earlier run\r\n");
    }
    void TearDown() override { DeleteFileA(LogPath().c_str()); }
    std::string Log() { return harness::ReadTextFile(LogPath()); }
    bool Logged(const std::string &text) { return Log().find(text) != std::string::npos; }

    harness::MachineGuard m_guard{GuardedKeys(), GuardedFiles(), ClearPackage};
};

// A link file records its target's times, so links are compared by what
// they say (other files don't load as links).
InstalledState LinksRead(InstalledState state) {
    for (auto &file : state.files) {
        LinkInfo link = ReadLink(file.first);
        if (link.loaded)
            file.second = link.target + "|" + link.workingFolder + "|" + link.arguments;
    }
    return state;
}

TEST_F(UnattendedTest, MakesWhatTheDialogsMakeWithoutAWindow) {
    InstalledState byDialogs;
    {  // The dialogs' installation from the same folder with COM2, ended by "No".
        harness::MachineGuard guard{GuardedKeys(), GuardedFiles(), ClearPackage};
        InstallPackage(ImageFolder(), "COM2");
        byDialogs = LinksRead(ReadInstalledState());
    }
    ASSERT_EQ(3010u, RunQuietly("/S /PORT=2"));
    EXPECT_TRUE(byDialogs == LinksRead(ReadInstalledState()));
    EXPECT_EQ(2u, Parameter("Port"));
    EXPECT_EQ(SystemFolder() + "Durmasel.exe", RunOnce("Durmasel"));
    EXPECT_TRUE(Logged("\\Setup.exe to " + ProgramFolder() + "Setup.exe\r\n"));
    EXPECT_TRUE(Logged(" value DeviceDesc\r\n"));
    EXPECT_TRUE(Logged("Wrote HKLM\\" + std::string(kRunOnceKey) + " value Durmasel\r\n"));
    std::string log = Log();
    EXPECT_EQ(0u, log.find("an earlier run\r\n")) << "the log is appended to";
    EXPECT_EQ(log.size() - 16, log.find("Exit code 3010\r\n"));
    for (size_t at = log.find('\n'); at != std::string::npos; at = log.find('\n', at + 1))
        ASSERT_EQ('\r', log[at - 1]) << "every line ends in CRLF";
}

TEST_F(UnattendedTest, StoresTheCalibrationAndArrangesNoFirstCalibration) {
    ASSERT_EQ(3010u, RunQuietly("/S /CAL=12,34,4000,4090,1"));
    const std::pair<const char *, DWORD> stored[] = {
        {"XLow", 12}, {"YLow", 34}, {"XHigh", 4000}, {"YHigh", 4090}, {"SwapXY", 1}};
    for (const auto &value : stored) EXPECT_EQ(value.second, Parameter(value.first)) << value.first;
    EXPECT_EQ("(none)", RunOnce("Durmasel"));
}

// The first COM port number the system does not know.
DWORD AbsentPort() {
    DWORD port = 1;
    while (port < 16 && harness::IsPortReported(port)) ++port;
    return port;
}

// Refusals before anything is done: not even System.ini is written, and
// the log names the reason. Which words are bad switches is the native
// table's to tell (setupflow_test); two of them stand for the rest here.
TEST_F(UnattendedTest, RefusesBadSwitchesAndNtWritingNothing) {
    const DWORD absentPort = AbsentPort();
    const struct { std::string args, logged; DWORD code; } cases[] = {
        {"/S /PORT=17", "Bad switch: /PORT=17", 2},
        {"/S /PORT=" + std::to_string(absentPort), "/PORT: the system knows no such port", 2},
        {"/S /CAL=100,100,100,100,1", "Bad switch: /CAL=100,100,100,100,1", 2},
        {"/S /PORT=2", "We can not run on this operating system.", 3},
    };
    for (const auto &c : cases) {
        std::optional<harness::ReportedWindows> xp;
        if (c.code == 3) xp.emplace("Setup.exe", "winxp");
        EXPECT_EQ(c.code, RunQuietly(c.args)) << c.args;
        EXPECT_TRUE(Logged(c.logged + "\r\n")) << c.args;
        EXPECT_EQ("", SystemIniEntry("boot")) << c.args;
        EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, kDeviceKey).exists) << c.args;
    }
}

// A refused run writes nothing at all, not even System.ini, whose mouse
// driver entry may be another one's.
TEST_F(UnattendedTest, RefusesASecondInstallationAndARemovalOfNothing) {
    WritePrivateProfileStringA("boot", "mouse.drv", "vendor.drv", "System.ini");
    EXPECT_EQ(1u, RunQuietly("/S /U"));
    EXPECT_TRUE(Logged("Setup: Orvantix Touchscreen has not been installed."));
    EXPECT_EQ("vendor.drv", SystemIniEntry("boot"));
    EXPECT_EQ("", SystemIniEntry("boot.description"));
    EXPECT_FALSE(Logged("System.ini"));
    ASSERT_EQ(3010u, RunQuietly("/S"));
    InstalledState installed = ReadInstalledState();
    EXPECT_EQ(1u, RunQuietly("/S /PORT=2"));
    EXPECT_TRUE(installed == ReadInstalledState());
    // A port the system does not know is a bad switch before anything is
    // decided, installed or not.
    EXPECT_EQ(2u, RunQuietly("/S /PORT=" + std::to_string(AbsentPort())));
    EXPECT_TRUE(installed == ReadInstalledState());
}

// A file Setup must replace is held open by another program: the run ends
// with 4, the log gives the file and the reason, and what the run did is
// taken back.
TEST_F(UnattendedTest, EndsWithFourNamingAFileItCouldNotWrite) {
    std::string held = SystemFolder() + "Durmasel.exe";
    harness::WriteTextFile(held, "another program holds this open");
    HANDLE lock = CreateFileA(held.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    EXPECT_EQ(4u, RunQuietly("/S /PORT=2"));
    CloseHandle(lock);
    EXPECT_EQ(0xDEADu, Parameter("Port")) << "the parameter store is rolled back";
    EXPECT_EQ("another program holds this open", harness::ReadTextFile(held));
    std::string log = Log(), failed = "\\Durmasel.exe to " + held + ": ";
    std::string inUse = harness::SystemText(ERROR_SHARING_VIOLATION);
    size_t at = log.find(failed);
    ASSERT_NE(std::string::npos, at) << log;
    EXPECT_EQ(at, log.find(failed + inUse.substr(0, inUse.find_first_of("\r\n")) + "\r\n")) << log;
    EXPECT_EQ(log.rfind("FAILED: Could not copy ", at), log.rfind("\r\n", at) + 2) << log;
    EXPECT_EQ(log.size() - 13, log.find("Exit code 4\r\n"));
}

// Windows restarts only when /REBOOT asks: Setup starts suspended with the
// restart hook loaded, so even a run that ends at once is watched.
TEST_F(UnattendedTest, RestartsWindowsOnlyWhenAsked) {
    const struct { const char *args; std::vector<std::string> restarts; } runs[] = {
        {"/S /PORT=2", {}}, {"/S /U /REBOOT", {"2 0"}}, {"/S /U /REBOOT", {}}};
    for (const auto &r : runs) {
        ClearRestartRequests();
        SetupRun run(ImageFolder(), std::string(r.args) + " /LOG=\"" + LogPath() + "\"",
                     SetupRun::kHooked);
        EXPECT_NE(STILL_ACTIVE, run.QuietEndCode()) << r.args;
        EXPECT_EQ(r.restarts, RestartRequests()) << r.args << ": \"2 0\" is EWX_REBOOT";
    }
}

TEST_F(UnattendedTest, RemovesEverythingFromTheMediumAndFromTheProgramFolder) {
    ASSERT_EQ(3010u, RunQuietly("/S /PORT=2"));
    EXPECT_EQ(0u, RunQuietly("/S /U"));
    ExpectPackageGone(true);
    ASSERT_EQ(3010u, RunQuietly("/S /PORT=2"));
    EXPECT_EQ(3010u, RunQuietly("/S /U", ProgramFolder()))
        << "its own Setup.exe stays until the restart";
    ExpectPackageGone(false);
    EXPECT_EQ(TempFolder() + "\\Setup.exe -L", RunOnce("Orvantix"));
}

// A folder in the temporary folder, deleted again with what it holds.
struct ScratchFolder {
    explicit ScratchFolder(const std::string &name) : path(TempFolder() + name + "\\") {
        CreateDirectoryA(path.c_str(), NULL);
    }
    ~ScratchFolder() { DeleteFolderTree(path); }
    std::string path;
};

// The package is taken from the folder that holds Setup.exe, whatever the
// current folder holds; the dialogs' run looks in the current folder first.
TEST_F(UnattendedTest, TakesThePackageFromSetupsOwnFolderWhereverItStarts) {
    ScratchFolder elsewhere("orvcwd");
    harness::WriteTextFile(elsewhere.path + "Fennock.exe", "a stranger's Fennock");
    const std::pair<const char *, std::string> copies[] = {
        {"Fennock.exe", ProgramFolder()}, {"Setup.exe", ProgramFolder()},
        {"ZELVANIS.VxD", SystemFolder()}, {"Pemrosko.inf", WindowsFolder() + "Inf\\"}};
    ASSERT_EQ(3010u, SetupRun(ImageFolder(), "/S /PORT=2 /LOG=\"" + LogPath() + "\"", "Setup.exe",
                              elsewhere.path)
                         .QuietEndCode());
    for (const auto &copy : copies)
        EXPECT_EQ(harness::ReadTextFile(ImageFolder() + copy.first),
                  harness::ReadTextFile(copy.second + copy.first)) << copy.first;
    ClearPackage();
    // The dialogs' run looks in the current folder first.
    ASSERT_NO_FATAL_FAILURE(InstallPackage(ImageFolder(), "COM2", elsewhere.path));
    for (const auto &copy : copies)
        EXPECT_EQ(copy.first == std::string("Fennock.exe")
                      ? "a stranger's Fennock" : harness::ReadTextFile(ImageFolder() + copy.first),
                  harness::ReadTextFile(copy.second + copy.first)) << copy.first;
}

// A medium without the driver's two files: nothing is written, and the
// log names each file that is missing.
TEST_F(UnattendedTest, AnIncompletePackageEndsWithFourWritingNothing) {
    ScratchFolder medium("orvpartial");
    for (const std::string &name : kMediumFiles) {
        if (name == "ZELVANIS.VxD" || name == "Pemrosko.inf") continue;
        ASSERT_TRUE(harness::CopyFileTo(ImageFolder() + name, medium.path + name)) << name;
    }
    const int width = GetSystemMetrics(SM_CXDOUBLECLK);
    SystemParametersInfoA(SPI_SETDOUBLECLKWIDTH, width + 3, NULL, 0);
    EXPECT_EQ(4u, RunQuietly("/S /PORT=2", medium.path));
    std::string missing = harness::SystemText(ERROR_FILE_NOT_FOUND);
    missing = missing.substr(0, missing.find_first_of("\r\n"));
    for (const char *name : {"ZELVANIS.VxD", "Pemrosko.inf"})
        EXPECT_TRUE(Logged("FAILED: Missing " + medium.path + name + ": " + missing + "\r\n"))
            << name << "\n" << Log();
    EXPECT_EQ(width + 3, GetSystemMetrics(SM_CXDOUBLECLK)) << "the metrics stay";
    SystemParametersInfoA(SPI_SETDOUBLECLKWIDTH, width, NULL, 0);
    EXPECT_EQ("", SystemIniEntry("boot"));
    ExpectPackageGone(true);
}

// A quote left open would swallow the switches behind it: a bad switch,
// and not even the log it names is made.
TEST_F(UnattendedTest, AnUnclosedQuoteIsABadSwitch) {
    std::string named = TempFolder() + "orv-unclosed.log";
    EXPECT_EQ(2u, SetupRun(ImageFolder(), "/S /PORT=2 /LOG=\"" + named).QuietEndCode());
    EXPECT_FALSE(FileExists(named));
    DeleteFileA(named.c_str());
    EXPECT_EQ("", SystemIniEntry("boot"));
    EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, kDeviceKey).exists);
}

// Windows 9x's shell shows a modal error box for a failed operation unless
// told not to, and an unattended run would wait on it for ever; Wine's
// shows none, so the flags that reach the shell are what is checked, on
// an installation and on the removal that leaves its own Setup.exe.
TEST_F(UnattendedTest, EveryShellFileOperationIsSilentAndShowsNoErrorBox) {
    const WORD kQuiet = FOF_NOERRORUI | FOF_SILENT | FOF_NOCONFIRMATION;
    std::set<unsigned> kinds;
    for (const std::string &folder : {ImageFolder(), ProgramFolder()}) {
        ClearShellOperations();
        std::string args = folder == ImageFolder() ? "/S /PORT=2" : "/S /U";
        SetupRun run(folder, args + " /LOG=\"" + LogPath() + "\"", SetupRun::kHooked);
        ASSERT_NE(STILL_ACTIVE, run.QuietEndCode()) << args;
        std::vector<std::pair<unsigned, unsigned>> operations = ShellOperations();
        EXPECT_FALSE(operations.empty()) << args;
        for (const auto &operation : operations) {
            kinds.insert(operation.first);
            EXPECT_EQ(kQuiet, operation.second & kQuiet)
                << args << ": operation " << operation.first << " flags " << operation.second;
        }
    }
    EXPECT_EQ((std::set<unsigned>{FO_COPY, FO_DELETE}), kinds);
    EXPECT_TRUE(Logged("Could not delete " + ProgramFolder().substr(0, ProgramFolder().size() - 1)))
        << "the folder that holds the running Setup.exe stays: " << Log();
}

// The log says what happened: a link whose save failed is a failure with
// its reason, though a file of its name stands there; a group that was
// not there is not reported removed.
TEST_F(UnattendedTest, TheLogSaysWhatHappenedToLinksAndTheGroup) {
    const std::string stale = GroupFolder() + "Button Switch.lnk";
    CreateDirectoryA(GroupFolder().c_str(), NULL);
    ASSERT_TRUE(harness::WriteTextFile(stale, "an earlier link"));
    // Held open by another program: it stays, and can't be written.
    HANDLE held = CreateFileA(stale.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(4u, RunQuietly("/S /PORT=2"));
    CloseHandle(held);
    EXPECT_FALSE(Logged("Created " + stale)) << Log();
    std::string denied = harness::SystemText(ERROR_SHARING_VIOLATION);
    denied = denied.substr(0, denied.find_first_of("\r\n"));
    EXPECT_TRUE(Logged("FAILED: Could not create " + stale + ": " + denied + "\r\n")) << Log();
    EXPECT_TRUE(Logged("Created " + GroupFolder() + "Brokasta Test.lnk\r\n"));
    EXPECT_TRUE(Logged("Wrote System.ini [boot] mouse.drv=mouse.drv\r\n"));

    // That run was rolled back: a whole one, then the group goes by hand.
    ASSERT_EQ(3010u, RunQuietly("/S /PORT=2"));
    DeleteFolderTree(GroupFolder());
    EXPECT_EQ(0u, RunQuietly("/S /U"));
    EXPECT_FALSE(Logged("Removed the Start-menu group")) << Log();
}

}  // namespace
