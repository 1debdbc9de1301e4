// The Setup engine's registry, error, folder, file and operating-system
// helpers against Wine's real registry and file system.
#include <gtest/gtest.h>

#include "box_watcher.h"
#include "harness.h"
#include "files.h"
#include "setup_names.h"
#include "registry.h"
#include "touch_installer.h"

namespace {

class HelpersTest : public ::testing::Test {
protected:
    void SetUp() override { harness::DeleteKeyTree(HKEY_LOCAL_MACHINE, kScratchKey); }
    harness::MachineGuard m_state{EngineKeys(), harness::PackageFiles()};
    BoxWatcher m_boxes;
};

std::string Scratch(const char *sub) { return std::string(kScratchKey) + "\\" + sub; }

// Exactly one box came: the error box for code with the given caption.
void ExpectOnlyErrorBox(const std::vector<SeenBox> &boxes, const char *caption, DWORD code) {
    Text expected;
    GetErrorText(code, &expected);
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ(caption, boxes[0].caption);
    EXPECT_EQ(expected.c_str(), boxes[0].text);
}

RegValue Stored(const std::string &key, const char *name) {
    return ReadKeyTree(HKEY_LOCAL_MACHINE, key).values[name];
}

TEST_F(HelpersTest, MissingKeysAndValuesAreAnsweredQuietly) {
    EXPECT_EQ(NULL, OpenKey(Scratch("Missing").c_str(), FALSE, HKEY_LOCAL_MACHINE));
    HKEY key = OpenKey(Scratch("Here").c_str(), TRUE, HKEY_LOCAL_MACHINE);
    ASSERT_NE((HKEY)NULL, key);
    Text value("untouched");
    EXPECT_FALSE(ReadValue(key, "Missing", &value));
    RegCloseKey(key);
    EXPECT_TRUE(m_boxes.Seen().empty());
}

TEST_F(HelpersTest, TextsCarryTheirNulAndBinaryDataItsLength) {
    HKEY key = OpenKey(Scratch("Values").c_str(), TRUE, HKEY_LOCAL_MACHINE);
    ASSERT_NE((HKEY)NULL, key);
    Text binary;
    binary.AssignBytes("\x14\0\0\0", 4);
    EXPECT_TRUE(WriteValue(key, "Class", Text("Mouse"), REG_SZ));
    EXPECT_TRUE(WriteValue(key, "Capabilities", binary, REG_BINARY));
    EXPECT_TRUE(WriteValue(key, "", Text("default"), REG_SZ));
    Text read;
    EXPECT_TRUE(ReadValue(key, "Class", &read));
    EXPECT_STREQ("Mouse", read.c_str());
    EXPECT_TRUE(ReadValue(key, "Capabilities", &read));  // read as text: ends at its NUL
    EXPECT_STREQ("\x14", read.c_str());
    RegCloseKey(key);
    EXPECT_EQ((RegValue{REG_SZ, std::string("Mouse\0", 6)}), Stored(Scratch("Values"), "Class"));
    EXPECT_EQ((RegValue{REG_BINARY, std::string("\x14\0\0\0", 4)}),
              Stored(Scratch("Values"), "Capabilities"));
    EXPECT_TRUE(m_boxes.Seen().empty());
}

TEST_F(HelpersTest, OpenModeAlwaysLooksBelowLocalMachine) {
    CreateKey(HKEY_LOCAL_MACHINE, Scratch("OnlyHere"));
    HKEY key = OpenKey(Scratch("OnlyHere").c_str(), FALSE, HKEY_CURRENT_USER);
    EXPECT_NE((HKEY)NULL, key);
    if (key) RegCloseKey(key);
}

TEST_F(HelpersTest, ARefusedKeyShowsTheOpenKeyBox) {
    // A volatile key takes no lasting sub-key: the create is refused.
    CreateKey(HKEY_LOCAL_MACHINE, Scratch("Volatile"), true);
    EXPECT_EQ(NULL, OpenKey(Scratch("Volatile\\0000").c_str(), TRUE, HKEY_LOCAL_MACHINE));
    ExpectOnlyErrorBox(m_boxes.Seen(), "OpenKey", ERROR_CHILD_MUST_BE_VOLATILE);
}

TEST_F(HelpersTest, AFailedWriteShowsTheWriteValueBox) {
    HKEY key = OpenKey(Scratch("Doomed").c_str(), TRUE, HKEY_LOCAL_MACHINE);
    ASSERT_NE((HKEY)NULL, key);
    harness::DeleteKeyTree(HKEY_LOCAL_MACHINE, Scratch("Doomed"));  // the open key is now marked deleted
    EXPECT_FALSE(WriteValue(key, "x", Text("y"), REG_SZ));
    RegCloseKey(key);
    ExpectOnlyErrorBox(m_boxes.Seen(), "WriteValue", ERROR_KEY_DELETED);
}

TEST_F(HelpersTest, DeletingAKeyTakesItsSubKeysButNeverItsParent) {
    CreateKey(HKEY_LOCAL_MACHINE, Scratch("Device\\0000\\Deeper"));
    CreateKey(HKEY_LOCAL_MACHINE, Scratch("Device\\0001"));
    EXPECT_EQ(ERROR_SUCCESS, DeleteKey(HKEY_LOCAL_MACHINE, Scratch("Device").c_str()));
    EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, Scratch("Device")).exists);
    EXPECT_EQ(ERROR_INVALID_PARAMETER, DeleteKey(HKEY_LOCAL_MACHINE, ""));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, DeleteKey(HKEY_LOCAL_MACHINE, Scratch("").c_str()));
    EXPECT_TRUE(ReadKeyTree(HKEY_LOCAL_MACHINE, kScratchKey).exists);
    EXPECT_TRUE(m_boxes.Seen().empty());
}

TEST_F(HelpersTest, ErrorTextsAreSystemMessagesOnOneLine) {
    Text text;
    EXPECT_FALSE(GetErrorText(0, &text));
    EXPECT_STREQ("Unknown error", text.c_str());
    ASSERT_TRUE(GetErrorText(ERROR_ACCESS_DENIED, &text));
    std::string system = harness::SystemText(ERROR_ACCESS_DENIED);
    ASSERT_FALSE(system.empty());
    for (char &c : system) {
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    }
    EXPECT_STREQ(system.c_str(), text.c_str());
    ReportError(ERROR_ACCESS_DENIED, "ReadValue");
    auto boxes = m_boxes.Seen();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("ReadValue", boxes[0].caption);
    EXPECT_EQ(system, boxes[0].text);
}

TEST_F(HelpersTest, FoldersEndInExactlyOneBackslash) {
    Text windows = GetWindowsFolder();
    Text system = GetSystemFolder();
    EXPECT_EQ(WindowsFolder(), windows.c_str());
    EXPECT_EQ(SystemFolder(), system.c_str());
    ASSERT_GE(windows.Length(), 2u);
    EXPECT_EQ('\\', windows.c_str()[windows.Length() - 1]);
    EXPECT_NE('\\', windows.c_str()[windows.Length() - 2]);
    EXPECT_TRUE(m_boxes.Seen().empty());
}

std::string TempPath(const char *name) { return TempFolder() + "orvengine\\" + name; }

TEST_F(HelpersTest, CopiesReportMissingDoneAndFailed) {
    std::string source = TempPath("source.bin");
    std::string target = TempPath("new\\folder\\target.bin");
    CreateDirectoryA((TempFolder() + "orvengine").c_str(), NULL);
    harness::WriteTextFile(source, "payload");
    EXPECT_EQ(kFileMissing, CDeviceInstaller::CopyOneFile(TempPath("none.bin").c_str(), target.c_str()));
    EXPECT_FALSE(harness::FileExists(target));
    EXPECT_EQ(kFileDone, CDeviceInstaller::CopyOneFile(source.c_str(), target.c_str()));
    EXPECT_EQ("payload", harness::ReadTextFile(target));
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    EXPECT_EQ(kFileFailed, CDeviceInstaller::CopyOneFile(source.c_str(), target.c_str()));
    EXPECT_EQ(kFileFailed, CDeviceInstaller::DeleteOneFile(target.c_str()));
    CloseHandle(held);
    EXPECT_TRUE(harness::FileExists(target));
    EXPECT_EQ(kFileDone, CDeviceInstaller::DeleteOneFile(target.c_str()));
    EXPECT_FALSE(harness::FileExists(target));
    EXPECT_EQ(kFileMissing, CDeviceInstaller::DeleteOneFile(target.c_str()));
    EXPECT_TRUE(m_boxes.Seen().empty());
    DeleteFileA(source.c_str());
    for (const char *folder : {"new\\folder", "new", ""}) RemoveDirectoryA(TempPath(folder).c_str());
}

std::string IniValue(const char *section) {
    char value[256] = "";
    GetPrivateProfileStringA(section, "mouse.drv", "", value, sizeof(value), "System.ini");
    return value;
}

TEST_F(HelpersTest, SystemIniNamesTheMouseDriver) {
    WritePrivateProfileStringA("boot", "mouse.drv", NULL, "System.ini");
    WritePrivateProfileStringA("boot.description", "mouse.drv", "Other", "System.ini");
    CTouchInstaller installer;
    installer.WriteSystemIni();
    EXPECT_EQ("mouse.drv", IniValue("boot"));
    EXPECT_EQ("Orvantix Touchscreen", IniValue("boot.description"));
}

// The helper program reports GetOSVersion as its exit code; Wine takes the
// version to pretend from the program's own settings.
DWORD CodeUnder(const char *version) {
    harness::ReportedWindows reported("oscode.exe", version);
    harness::Process helper = harness::Start(harness::Join(harness::TestDir(), "oscode.exe"));
    DWORD code = 99;
    if (!harness::WaitExit(helper, 30000, &code)) harness::Kill(helper);
    return code;
}

TEST(OperatingSystem, FollowsTheVersionWinePretends) {
    EXPECT_EQ(1u, CodeUnder("win95"));
    EXPECT_EQ(3u, CodeUnder("win98"));
    EXPECT_EQ(3u, CodeUnder("winme"));
    EXPECT_EQ(4u, CodeUnder("nt40"));
    EXPECT_EQ(5u, CodeUnder("win2k"));
    EXPECT_EQ(5u, CodeUnder("winxp"));  // 5.1: the major version decides
    EXPECT_EQ(6u, CodeUnder("win7"));
    EXPECT_EQ(3, GetOSVersion());       // the rig's own setting
}

}  // namespace
