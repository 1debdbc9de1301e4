// The device and touchscreen installers against Wine's real registry and
// file system: detection, a fresh installation, copies that fail or find
// no source, a key that can't be made, an update, and removals.
#include <gtest/gtest.h>

#include "box_watcher.h"
#include "harness.h"
#include "import_counter.h"
#include "setup_names.h"
#include "touch_installer.h"

namespace {

const char *const kMediumFiles[] = {"ZELVANIS.VxD", "Pemrosko.inf", "Durmasel.exe", "Pemrosko.CPL"};

// Each test starts on a machine without the package, in a folder that
// holds the package's files like an installation medium.
class InstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_medium = TempFolder() + "orvmedium\\";
        CreateDirectoryA(m_medium.c_str(), NULL);
        WriteMedium("1");
        GetCurrentDirectoryA(sizeof(m_oldFolder), m_oldFolder);
        SetCurrentDirectoryA(m_medium.c_str());
    }
    void TearDown() override {
        SetCurrentDirectoryA(m_oldFolder);
        for (const char *name : kMediumFiles) DeleteFileA((m_medium + name).c_str());
        RemoveDirectoryA(m_medium.c_str());
    }
    // Every medium file holds its name and a release mark.
    void WriteMedium(const std::string &release) {
        for (const char *name : kMediumFiles) harness::WriteTextFile(m_medium + name, Content(name, release));
    }
    static std::string Content(const char *name, const std::string &release) {
        return std::string(name) + " release " + release;
    }
    // Prepare, the defaults with COM3, Install: the flow of an installation.
    BOOL InstallPackage() {
        CTouchInstaller installer;
        installer.Prepare();
        installer.AddDefaultParameters(3);
        return installer.Install();
    }
    void AddInstance(const char *instance, const char *desc, const char *driver = nullptr) {
        std::string key = std::string(kDeviceKey) + "\\" + instance;
        CreateKey(HKEY_LOCAL_MACHINE, key);
        if (desc) harness::WriteString(HKEY_LOCAL_MACHINE, key, "DeviceDesc", desc);
        if (driver) harness::WriteString(HKEY_LOCAL_MACHINE, key, "Driver", driver);
    }
    // A driver key under the class key, as a device's installer leaves it.
    void AddClassKey(const char *instance, const char *desc, const char *vxd) {
        std::string key = std::string(kClassKey) + "\\" + instance;
        harness::WriteString(HKEY_LOCAL_MACHINE, key, "DriverDesc", desc);
        harness::WriteString(HKEY_LOCAL_MACHINE, key, "StaticVxD", vxd);
    }
    std::string Installed(const std::string &path) {
        return harness::FileExists(path) ? harness::ReadTextFile(path) : "(missing)";
    }

    harness::MachineGuard m_state{EngineKeys(), harness::PackageFiles(), ClearEngineKeysAndFiles};
    BoxWatcher m_boxes;
    std::string m_medium;
    char m_oldFolder[MAX_PATH] = "";
};

// ---- detection ---------------------------------------------------------------

TEST_F(InstallTest, NoDeviceKeyMeansNotInstalledAtInstanceZero) {
    CTouchInstaller installer;
    EXPECT_TRUE(installer.Prepare());
    EXPECT_EQ(-1, installer.m_nRootInstance);
    EXPECT_EQ(0, installer.m_nNextRootInstance);
    EXPECT_EQ(0, installer.m_nClassInstance);
    EXPECT_STREQ("CTouchInstaller", installer.GetRuntimeClass()->m_lpszClassName);
    EXPECT_TRUE(installer.IsKindOf(RUNTIME_CLASS(CDeviceInstaller)));
}

// The scan's rules are tabled natively; this is its wiring to the real
// registry: another device before ours, the description in another case.
TEST_F(InstallTest, TheDescriptionMatchesInAnyCaseAndTheDriverGivesTheClass) {
    AddInstance("0000", "Standard serial mouse");
    AddInstance("0001", "ORVANTIX touchscreen", "Mouse\\0003");
    AddClassKey("0003", "Orvantix Touchscreen", "ZELVANIS.VxD");
    CTouchInstaller installer;
    installer.Prepare();
    EXPECT_EQ(1, installer.m_nRootInstance);
    EXPECT_EQ(2, installer.m_nNextRootInstance);
    EXPECT_EQ(3, installer.m_nClassInstance);
}

TEST_F(InstallTest, ANewDeviceTakesTheFirstFreeClassKey) {
    for (const char *n : {"0000", "0001", "0002"}) CreateKey(HKEY_LOCAL_MACHINE, std::string(kClassKey) + "\\" + n);
    CTouchInstaller installer;
    installer.Prepare();
    EXPECT_EQ(3, installer.m_nClassInstance);
}

// ---- installation --------------------------------------------------------------

RegValue Sz(const std::string &text) { return RegValue{REG_SZ, text + '\0'}; }
RegValue Bin(const std::string &bytes) { return RegValue{REG_BINARY, bytes}; }
RegValue Dword(DWORD v) { return RegValue{REG_DWORD, std::string(reinterpret_cast<char *>(&v), 4)}; }

KeyTree Tree(std::map<std::string, RegValue> values) {
    KeyTree tree;
    tree.exists = true;
    tree.values = values;
    return tree;
}

KeyTree Parent(const char *name, const KeyTree &child) {
    KeyTree tree = Tree({});
    tree.subkeys[name] = child;
    return tree;
}

TEST_F(InstallTest, AFreshInstallationWritesExactlyTheRegistrationAndTheFiles) {
    CreateKeyCounter opens;
    ASSERT_TRUE(opens.Hooked());
    ASSERT_TRUE(InstallPackage());
    const std::string mfg = "Orvantix Technology Co, Ltd.";
    EXPECT_EQ(Parent("0000", Tree({{"Class", Sz("Mouse")},
                                   {"DeviceDesc", Sz("Orvantix Touchscreen")},
                                   {"Mfg", Sz(mfg)},
                                   {"Driver", Sz("Mouse\\0000")},
                                   {"Capabilities", Bin(std::string("\x14\0\0\0", 4))},
                                   {"ConfigFlags", Bin(std::string(4, '\0'))}})),
              ReadKeyTree(HKEY_LOCAL_MACHINE, kDeviceKey));
    EXPECT_EQ(Parent("0000", Tree({{"StaticVxD", Sz("ZELVANIS.VxD")},
                                   {"DriverDesc", Sz("Orvantix Touchscreen")},
                                   {"InfPath", Sz("Pemrosko.inf")},
                                   {"InfSection", Sz("Pemrosko")},
                                   {"MouseDriver", Sz("ZELVANIS.VxD")},
                                   {"ProviderName", Sz(mfg)}})),
              ReadKeyTree(HKEY_LOCAL_MACHINE, kClassKey));
    std::string uninstall = WindowsFolder() + "Zelvanis\\" + ProgramTitle() + ".exe -u";
    EXPECT_EQ(Tree({{"DisplayName", Sz("Orvantix Touchscreen")}, {"UninstallString", Sz(uninstall)}}),
              ReadKeyTree(HKEY_LOCAL_MACHINE, UninstallKey()));
    EXPECT_EQ(Parent("Parameters",
                     Tree({{"Port", Dword(3)}, {"XLow", Dword(0)}, {"XHigh", Dword(4096)},
                           {"YLow", Dword(0)}, {"YHigh", Dword(4096)}, {"SwapXY", Dword(0)},
                           {"BeepMode", Dword(2)}, {"BeepFreq", Dword(1000)},
                           {"BeepTime", Dword(32)}, {"DblClickRegion", Dword(25)},
                           {"DragDelay", Dword(0)}, {"MouseMode", Dword(3)}})),
              ReadKeyTree(HKEY_LOCAL_MACHINE, kServiceKey));
    // Twenty-six values through four keys: consecutive values of one key share it.
    EXPECT_EQ(4, opens.Count());
    std::vector<std::string> files = harness::PackageFiles();
    EXPECT_EQ(Content("ZELVANIS.VxD", "1"), Installed(files[0]));
    EXPECT_EQ(Content("Durmasel.exe", "1"), Installed(files[1]));
    EXPECT_EQ(Content("Pemrosko.CPL", "1"), Installed(files[2]));
    EXPECT_EQ(Content("Pemrosko.inf", "1"), Installed(files[3]));
    EXPECT_TRUE(m_boxes.Seen().empty());
}

TEST_F(InstallTest, KeyPathsDifferingOnlyInCaseShareOneOpenKey) {
    CDeviceInstaller installer;
    const std::string key = std::string(kScratchKey) + "\\Case";
    installer.AddRegValue(key.c_str(), "a", "1", -1, REG_SZ, HKEY_LOCAL_MACHINE);
    installer.AddRegValue("SOFTWARE\\orvantixenginetest\\CASE", "b", "2", -1, REG_SZ, HKEY_LOCAL_MACHINE);
    installer.AddRegValue((key + "\\Other").c_str(), "c", "3", -1, REG_SZ, HKEY_LOCAL_MACHINE);
    installer.AddRegValue(key.c_str(), "d", "4", -1, REG_SZ, HKEY_LOCAL_MACHINE);
    CreateKeyCounter opens;
    EXPECT_TRUE(installer.Install());
    EXPECT_EQ(3, opens.Count());
    EXPECT_EQ(3u, ReadKeyTree(HKEY_LOCAL_MACHINE, key).values.size());
}

TEST_F(InstallTest, AMissingSourceFileIsPassedOverSilently) {
    DeleteFileA((m_medium + "Pemrosko.CPL").c_str());
    EXPECT_TRUE(InstallPackage());
    EXPECT_FALSE(harness::FileExists(SystemFolder() + "Pemrosko.CPL"));
    EXPECT_EQ(Content("Durmasel.exe", "1"), Installed(SystemFolder() + "Durmasel.exe"));
    EXPECT_TRUE(ReadKeyTree(HKEY_LOCAL_MACHINE, kServiceKey).exists);
    EXPECT_TRUE(m_boxes.Seen().empty());
}

TEST_F(InstallTest, ATargetInUseIsNamedAndTheInstallationGoesOn) {
    std::string target = SystemFolder() + "Durmasel.exe";
    harness::WriteTextFile(target, "old");
    HANDLE held = CreateFileA(target.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    BOOL installed = InstallPackage();
    CloseHandle(held);
    EXPECT_TRUE(installed);
    auto boxes = m_boxes.Seen();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("file in use.", boxes[0].caption);
    EXPECT_EQ(target, boxes[0].text);
    EXPECT_EQ("old", Installed(target));
    EXPECT_EQ(Content("Pemrosko.CPL", "1"), Installed(SystemFolder() + "Pemrosko.CPL"));
    EXPECT_EQ(12u, ReadKeyTree(HKEY_LOCAL_MACHINE, kServiceKey).subkeys["Parameters"].values.size());
}

TEST_F(InstallTest, AFirstKeyThatCannotBeMadeFailsAfterTheCopies) {
    // Under a volatile device key no lasting instance key can be made.
    CreateKey(HKEY_LOCAL_MACHINE, kDeviceKey, true);
    EXPECT_FALSE(InstallPackage());
    auto boxes = m_boxes.Seen();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("OpenKey", boxes[0].caption);
    for (const std::string &file : harness::PackageFiles()) EXPECT_TRUE(harness::FileExists(file)) << file;
    EXPECT_TRUE(ReadKeyTree(HKEY_LOCAL_MACHINE, kDeviceKey).subkeys.empty());
    EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, kClassKey).exists);
    EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, kServiceKey).exists);
}

TEST_F(InstallTest, TheDefaultsSetTheDoubleClickMetricsAtOnce) {
    SystemParametersInfoA(SPI_SETDOUBLECLKWIDTH, 4, NULL, 0);
    SystemParametersInfoA(SPI_SETDOUBLECLKHEIGHT, 4, NULL, 0);
    SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, 500, NULL, 0);
    CTouchInstaller installer;
    installer.Prepare();
    size_t queued = installer.m_regList.Count();
    installer.AddDefaultParameters(3);
    EXPECT_EQ(queued + 12, installer.m_regList.Count());
    EXPECT_EQ(25, GetSystemMetrics(SM_CXDOUBLECLK));
    EXPECT_EQ(25, GetSystemMetrics(SM_CYDOUBLECLK));
    EXPECT_EQ(900u, GetDoubleClickTime());
    EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, kServiceKey).exists);  // not before Install
}

// ---- an installed package ------------------------------------------------------------

TEST_F(InstallTest, AnUpdateCopiesTheProgramFilesAndWritesNoValue) {
    ASSERT_TRUE(InstallPackage());
    WriteMedium("2");
    SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, 500, NULL, 0);
    std::vector<KeyTree> before;
    for (const char *key : {kDeviceKey, kClassKey, kServiceKey}) before.push_back(ReadKeyTree(HKEY_LOCAL_MACHINE, key));
    CTouchInstaller installer;
    installer.Prepare();
    EXPECT_EQ(0, installer.m_nRootInstance);
    size_t queued = installer.m_regList.Count();
    installer.AddDefaultParameters(5);  // nothing on an installed device
    EXPECT_EQ(queued, installer.m_regList.Count());
    EXPECT_EQ(500u, GetDoubleClickTime());
    EXPECT_TRUE(installer.Install());
    std::vector<KeyTree> after;
    for (const char *key : {kDeviceKey, kClassKey, kServiceKey}) after.push_back(ReadKeyTree(HKEY_LOCAL_MACHINE, key));
    EXPECT_EQ(before, after);
    std::vector<std::string> files = harness::PackageFiles();
    EXPECT_EQ(Content("ZELVANIS.VxD", "2"), Installed(files[0]));
    EXPECT_EQ(Content("Durmasel.exe", "2"), Installed(files[1]));
    EXPECT_EQ(Content("Pemrosko.CPL", "2"), Installed(files[2]));
    EXPECT_EQ(Content("Pemrosko.inf", "1"), Installed(files[3]));
}

bool Removed(const char *expectDescription) {
    CTouchInstaller installer;
    EXPECT_TRUE(installer.Prepare()) << expectDescription;
    EXPECT_GE(installer.m_nRootInstance, 0) << expectDescription;
    EXPECT_TRUE(installer.Remove());
    return !installer.m_bRemoveFailed;
}

void ExpectPackageGone() {
    EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, std::string(kClassKey) + "\\0000").exists);
    EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, UninstallKey()).exists);
    EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, kServiceKey).exists);
}

TEST_F(InstallTest, RemovalAtInstanceZeroDeletesTheWholeDeviceKey) {
    ASSERT_TRUE(InstallPackage());
    AddInstance("0001", "Left behind by an old driver");
    EXPECT_TRUE(Removed("device at 0000"));
    EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, kDeviceKey).exists);
    ExpectPackageGone();
    for (const std::string &file : harness::PackageFiles()) EXPECT_FALSE(harness::FileExists(file)) << file;
    EXPECT_TRUE(m_boxes.Seen().empty());
}

TEST_F(InstallTest, RemovalAtALaterInstanceDeletesOnlyThatInstance) {
    AddInstance("0000", "Standard serial mouse");
    AddInstance("0001", "Another pointer");
    ASSERT_TRUE(InstallPackage());
    ASSERT_TRUE(ReadKeyTree(HKEY_LOCAL_MACHINE, std::string(kDeviceKey) + "\\0002").exists);
    EXPECT_TRUE(Removed("device at 0002"));
    KeyTree device = ReadKeyTree(HKEY_LOCAL_MACHINE, kDeviceKey);
    EXPECT_EQ(2u, device.subkeys.size());
    EXPECT_FALSE(device.subkeys.count("0002"));
    ExpectPackageGone();
}

TEST_F(InstallTest, AFileInUseDuringRemovalIsReported) {
    ASSERT_TRUE(InstallPackage());
    std::string applet = SystemFolder() + "Pemrosko.CPL";
    HANDLE held = CreateFileA(applet.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    bool complete = Removed("applet held open");
    CloseHandle(held);
    EXPECT_FALSE(complete);
    EXPECT_TRUE(harness::FileExists(applet));
    EXPECT_FALSE(harness::FileExists(SystemFolder() + "Durmasel.exe"));
    ExpectPackageGone();
}

// A damaged Driver value, or one naming another device's driver key, must
// not send the removal into the system mouse's class key (the forms a
// Driver value may take are tabled natively).
class ForeignClassKeyTest : public InstallTest,
                            public ::testing::WithParamInterface<const char *> {};

TEST_P(ForeignClassKeyTest, RemovalLeavesAnotherDevicesClassKeyAlone) {
    ASSERT_TRUE(InstallPackage());
    // The package took 0000; hand it and 0001 to other devices.
    harness::DeleteKeyTree(HKEY_LOCAL_MACHINE, std::string(kClassKey) + "\\0000");
    AddClassKey("0000", "Standard PS/2 Port Mouse", "*vmouse");
    AddClassKey("0001", "Serial Mouse", "*vmouse");
    harness::WriteString(HKEY_LOCAL_MACHINE, std::string(kDeviceKey) + "\\0000", "Driver", GetParam());
    KeyTree classes = ReadKeyTree(HKEY_LOCAL_MACHINE, kClassKey);
    EXPECT_TRUE(Removed(GetParam()));
    EXPECT_EQ(classes, ReadKeyTree(HKEY_LOCAL_MACHINE, kClassKey)) << GetParam();
    EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, kDeviceKey).exists);
    EXPECT_FALSE(ReadKeyTree(HKEY_LOCAL_MACHINE, kServiceKey).exists);
}

INSTANTIATE_TEST_SUITE_P(Driver, ForeignClassKeyTest,
                         ::testing::Values("Mouse\\abc", "Mouse\\0000"));

}  // namespace
