// Native tests of Setup's device plan: detection over a fake registry and
// the lists of an installation, a removal, the leftovers of a run cut short
// and an update.
#include <gtest/gtest.h>
#include <strings.h>

#include <map>
#include <string>
#include <vector>

#include "portable/action_lists.h"
#include "portable/device_plan.h"
#include "portable/touch_plan.h"
#include "setup_lists.h"

namespace {

// A registry of keys (paths compared ignoring case) with text values,
// seen through the detection interface; it records what was opened.
class FakeRegistry : public RegistryView {
public:
    void Add(const std::string &key, const std::string &name = "", const std::string &value = "") {
        auto &values = m_keys[Lower(key)];
        if (!name.empty()) values[name] = value;
    }
    bool Open(const char *keyPath) override {
        EXPECT_FALSE(m_open) << "a key was left open before " << keyPath;
        auto found = m_keys.find(Lower(keyPath));
        if (found == m_keys.end()) return false;
        m_open = &found->second;
        return true;
    }
    bool Read(const char *valueName, Text *out) override {
        EXPECT_TRUE(m_open);
        auto found = m_open->find(valueName);
        if (found == m_open->end()) return false;
        return out->Assign(found->second.c_str());
    }
    void Close() override { m_open = nullptr; }
    bool SameText(const char *a, const char *b) override { return strcasecmp(a, b) == 0; }
    bool IsOpen() const { return m_open != nullptr; }

private:
    static std::string Lower(std::string s) {
        for (char &c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        return s;
    }
    std::map<std::string, std::map<std::string, std::string>> m_keys;
    std::map<std::string, std::string> *m_open = nullptr;
};

const std::string kRoot = "Enum\\Root\\Orvantix\\";
const std::string kClass = "System\\CurrentControlSet\\Services\\Class\\Mouse\\";
const std::string kUninstall = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// A key, or one of its values.
struct Value {
    Value(std::string k, std::string n = "", std::string v = "") : key(k), name(n), value(v) {}
    std::string key, name, value;
};

Detection Detect(FakeRegistry &registry, long nextRoot = 0) {
    Detection found = {-7, -7, nextRoot, nullptr};
    DetectDevice(&registry, kTouchDevice, &found);
    EXPECT_FALSE(registry.IsOpen());
    return found;
}

// Instances are scanned from 0000 up to the first gap; the description
// matches in any case; a new device takes the first free class key.
TEST(Detection, FindsTheDeviceAndTheFreeInstances) {
    const std::string ours = "Orvantix Touchscreen";
    const struct {
        const char *what;
        std::vector<Value> values;
        long nextRoot;  // before the scan
        long root, next, cls;
    } cases[] = {
        {"no device key: new instance zero", {}, 0, -1, 0, 0},
        {"other devices push the new instance back; 0003 lies behind the gap",
         {{kRoot + "0000", "DeviceDesc", "Other pointer"}, {kRoot + "0001"},
          {kRoot + "0003", "DeviceDesc", ours}}, 0, -1, 2, 0},
        {"a missing first instance hides the device", {{kRoot + "0001", "DeviceDesc", ours}},
         0, -1, 0, 0},
        {"the scan leaves the next instance as it was", {{kRoot + "0001", "DeviceDesc", ours}},
         5, -1, 5, 0},
        {"the description in any case",
         {{kRoot + "0000", "DeviceDesc", "Other"},
          {kRoot + "0001", "DeviceDesc", "ORVANTIX touchscreen"},
          {kRoot + "0001", "Driver", "Mouse\\0003"}, {kRoot + "0002", "DeviceDesc", ours},
          {kClass + "0003", "DriverDesc", "orvantix TOUCHSCREEN"},
          {kClass + "0003", "StaticVxD", "zelvanis.vxd"}}, 0, 1, 2, 3},
        {"first free class key", {{kClass + "0000"}, {kClass + "0001"}, {kClass + "0002"},
                                  {kClass + "0004"}}, 0, -1, 0, 3},
    };
    for (const auto &c : cases) {
        FakeRegistry registry;
        for (const Value &v : c.values) registry.Add(v.key, v.name, v.value);
        const Detection found = Detect(registry, c.nextRoot);
        EXPECT_EQ(c.root, found.rootInstance) << c.what;
        EXPECT_EQ(c.next, found.nextRootInstance) << c.what;
        EXPECT_EQ(c.cls, found.classInstance) << c.what;
    }
}

// A class key is the device's only when it holds this device's driver
// and no other description, or nothing yet (an installation cut short);
// otherwise (or with a missing or short Driver value) detection keeps no
// class key for the removal.
TEST(Detection, KeepsTheClassKeyOnlyWhenItIsOurs) {
    const char *ours = "Orvantix Touchscreen", *vxd = "ZELVANIS.VxD";
    const struct {
        const char *driver, *driverDesc, *staticVxD;  // nullptr: no such value
        long expected;
    } cases[] = {
        {"Mouse\\0000", ours, vxd, 0}, {"Mouse\\0000", "Standard Serial Mouse", "*vmouse", -1},
        {"Mouse\\0000", ours, "*vmouse", -1}, {"Mouse\\0000", nullptr, vxd, 0},
        {"Mouse\\0000", nullptr, nullptr, 0}, {"Mouse\\0000", nullptr, "*vmouse", -1},
        {"Mouse\\0000", "Standard Serial Mouse", nullptr, -1},
        {"Mouse\\0001", ours, vxd, -1},  // no such key
        {nullptr, nullptr, nullptr, -1}, {"Mouse", nullptr, nullptr, -1},
    };
    for (const auto &c : cases) {
        FakeRegistry registry;
        registry.Add(kRoot + "0000", "DeviceDesc", ours);
        registry.Add(kClass + "0000");
        if (c.driver) registry.Add(kRoot + "0000", "Driver", c.driver);
        if (c.staticVxD) registry.Add(kClass + "0000", "StaticVxD", c.staticVxD);
        if (c.driverDesc) registry.Add(kClass + "0000", "DriverDesc", c.driverDesc);
        const Detection found = Detect(registry);
        EXPECT_EQ(0, found.rootInstance) << (c.driver ? c.driver : "-");
        EXPECT_EQ(c.expected, found.classInstance) << (c.driver ? c.driver : "-") << " "
                                                   << (c.staticVxD ? c.staticVxD : "-");
    }
}

// The entry under Uninstall is the package's only when its DisplayName is
// the device description; another program's entry is never taken.
TEST(UninstallEntry, TakesOnlyAFreeNameOrOneOfOurOwn) {
    const char *ours = "Orvantix Touchscreen";
    const char *other = "Another program", *names[] = {"Setup", ours, "Orvantix Touchscreen 2"};
    const struct {
        bool installed;
        const char *shown[3];  // DisplayNames under names[]; nullptr: no such key
        const char *expected;  // "": no entry of ours
    } cases[] = {
        {false, {}, "Setup"}, {false, {ours}, "Setup"}, {false, {other}, names[1]},
        {false, {""}, names[1]}, {false, {other, "Yet another"}, names[2]},
        {false, {other, "Yet another", ours}, names[2]}, {true, {ours}, "Setup"},
        {true, {other, ours}, names[1]}, {true, {other, "Yet another", ours}, names[2]},
        {true, {other}, ""}, {true, {}, ""},
    };
    for (const auto &c : cases) {
        FakeRegistry registry;
        for (int i = 0; i < 3; ++i)
            if (c.shown[i]) registry.Add(kUninstall + names[i], "DisplayName", c.shown[i]);
        Text name;
        EXPECT_EQ(*c.expected != 0,
                  FindUninstallEntry(&registry, kTouchDevice, "Setup", c.installed, &name));
        EXPECT_STREQ(c.expected, name.c_str())
            << c.installed << " " << (c.shown[0] ? c.shown[0] : "-");
        EXPECT_FALSE(registry.IsOpen());
    }
}

const SetupFolders kFolders = {"C:\\WINDOWS\\", "C:\\WINDOWS\\SYSTEM\\", "Setup"};

struct Expected {
    std::string key;
    const char *name;
    unsigned long type;
    std::string data;
};

TEST(InstallActions, RegisterTheDeviceWithFourteenValues) {
    Detection found = {-1, 3, 2, "Setup"};
    FileList files;
    RegList keys;
    ASSERT_TRUE(BuildInstallActions(kTouchDevice, found, kFolders, &files, &keys));
    const std::string r = kRoot + "0002", k = kClass + "0003", u = kUninstall + "Setup";
    const Expected expected[] = {
        {r, "Class", kRegSz, "Mouse"},
        {r, "DeviceDesc", kRegSz, "Orvantix Touchscreen"},
        {r, "Mfg", kRegSz, "Orvantix Technology Co, Ltd."},
        {r, "Driver", kRegSz, "Mouse\\0003"},
        {r, "Capabilities", kRegBinary, std::string("\x14\0\0\0", 4)},
        {r, "ConfigFlags", kRegBinary, std::string(4, '\0')},
        {k, "StaticVxD", kRegSz, "ZELVANIS.VxD"},
        {k, "DriverDesc", kRegSz, "Orvantix Touchscreen"},
        {k, "InfPath", kRegSz, "Pemrosko.inf"},
        {k, "InfSection", kRegSz, "Pemrosko"},
        {k, "MouseDriver", kRegSz, "ZELVANIS.VxD"},
        {k, "ProviderName", kRegSz, "Orvantix Technology Co, Ltd."},
        {u, "DisplayName", kRegSz, "Orvantix Touchscreen"},
        {u, "UninstallString", kRegSz, "C:\\WINDOWS\\Zelvanis\\Setup.exe -u"},
    };
    ASSERT_EQ(14u, keys.Count());
    size_t i = 0;
    for (const RegEntry *e = keys.First(); e; e = e->next, ++i) {
        EXPECT_EQ(expected[i].key, e->keyPath.c_str()) << i;
        EXPECT_STREQ(expected[i].name, e->valueName.c_str()) << i;
        EXPECT_EQ(expected[i].type, e->type) << i;
        EXPECT_EQ(expected[i].data, Bytes(e->data)) << i;
        EXPECT_EQ(kRootLocalMachine, e->root) << i;
    }
    EXPECT_EQ((Strings{"ZELVANIS.VxD > C:\\WINDOWS\\SYSTEM\\ZELVANIS.VxD",
                       "Pemrosko.inf > C:\\WINDOWS\\Inf\\Pemrosko.inf"}),
              Entries(files));
}

TEST(InstallActions, AppendAfterWhatIsQueuedAndGoRelativeWithoutFolders) {
    Detection found = {-1, 0, 0, "Setup"};
    FileList files;
    RegList keys;
    AppendFile(&files, "first", "queued");
    SetupFolders none = {"", "", "Setup"};
    ASSERT_TRUE(BuildInstallActions(kTouchDevice, found, none, &files, &keys));
    EXPECT_EQ((Strings{"first > queued", "ZELVANIS.VxD > ZELVANIS.VxD",
                       "Pemrosko.inf > Inf\\Pemrosko.inf"}),
              Entries(files));
    EXPECT_STREQ("Enum\\Root\\Orvantix\\0000", keys.First()->keyPath.c_str());
}

std::vector<std::string> RemovedKeys(const Detection &found) {
    FileList files;
    RegList keys;
    EXPECT_TRUE(BuildRemovalActions(kTouchDevice, found, kFolders, &files, &keys));
    EXPECT_EQ((Strings{"C:\\WINDOWS\\SYSTEM\\ZELVANIS.VxD > ",
                       "C:\\WINDOWS\\Inf\\Pemrosko.inf > "}),
              Entries(files));
    std::vector<std::string> paths;
    for (const RegEntry *e = keys.First(); e; e = e->next) {
        EXPECT_STREQ("", e->valueName.c_str());
        EXPECT_TRUE(e->data.Empty());
        EXPECT_EQ(static_cast<unsigned long>(kRegSz), e->type);
        paths.push_back(e->keyPath.c_str());
    }
    return paths;
}

TEST(RemovalActions, DeleteTheWholeDeviceKeyOnlyForInstanceZero) {
    const std::string u = kUninstall + "Setup";
    EXPECT_EQ((Strings{"Enum\\Root\\Orvantix", kClass + "0003", u}),
              RemovedKeys(Detection{0, 3, 1, "Setup"}));
    EXPECT_EQ((Strings{kRoot + "0002", kClass + "0001", u}),
              RemovedKeys(Detection{2, 1, 3, "Setup"}));
    // No class key and no uninstall entry of ours: neither is named.
    EXPECT_EQ(Strings{"Enum\\Root\\Orvantix"}, RemovedKeys(Detection{0, -1, 1, ""}));
    EXPECT_EQ(kUninstall + "Orvantix Touchscreen",
              RemovedKeys(Detection{0, 3, 1, "Orvantix Touchscreen"})[2]);
}

// A folder the system could not name would make a removal's path relative
// to the current folder, the medium's or the program folder's: left out.
TEST(RemovalActions, LeaveOutFilesOfAnUnknownFolder) {
    const struct {
        SetupFolders folders;
        Strings expected;
    } cases[] = {
        {{"", "", "Setup"}, {}},
        {{"C:\\W\\", "", "Setup"}, {"C:\\W\\Inf\\Pemrosko.inf > "}},
        {{"", "C:\\W\\S\\", "Setup"},
         {"C:\\W\\S\\ZELVANIS.VxD > ", "C:\\W\\S\\Durmasel.exe > ",
          "C:\\W\\S\\Pemrosko.CPL > "}},
    };
    for (const auto &c : cases) {
        FileList files;
        RegList keys;
        ASSERT_TRUE(BuildRemovalActions(kTouchDevice, Detection{0, 0, 1, "Setup"}, c.folders,
                                        &files, &keys));
        ASSERT_TRUE(AppendPackageRemovals(&files, c.folders.system));
        EXPECT_EQ(c.expected, Entries(files)) << c.folders.windows << "|" << c.folders.system;
    }
}

// What a run cut short leaves is found and removed, and only what is ours:
// the device key, class keys of our driver (named by an instance, or
// describing the device where no instance is left), and the uninstall
// entries of ours or begun under one of the description's names.
TEST(LeftoverActions, RemoveWhatIsOursOfAnUnfinishedRun) {
    const char *ours = "Orvantix Touchscreen", *vxd = "ZELVANIS.VxD";
    // The fake registry has a key only where it was added: a parent too.
    const std::string device = "Enum\\Root\\Orvantix", us = kUninstall + ours;
    const struct {
        const char *what;
        std::vector<Value> values;
        Strings removed;
    } cases[] = {
        {"nothing", {{kClass + "0000", "DriverDesc", "Standard Serial Mouse"}}, {}},
        {"an instance without its description",
         {{device}, {kRoot + "0000", "Class", "Mouse"}}, {device}},
        {"a class key begun, and one made before its first value",
         {{device}, {kRoot + "0000", "Driver", "Mouse\\0001"}, {kClass + "0001", "StaticVxD", vxd},
          {kRoot + "0001", "Driver", "Mouse\\0002"}, {kClass + "0002"}},
         {device, kClass + "0001", kClass + "0002"}},
        {"a damaged Driver value names another device's key",
         {{device}, {kRoot + "0000", "Driver", "Mouse\\0000"},
          {kClass + "0000", "StaticVxD", "*vmouse"}}, {device}},
        {"the class key of a device key already deleted",
         {{kClass + "0000", "StaticVxD", "*vmouse"}, {kClass + "0001", "StaticVxD", vxd},
          {kClass + "0001", "DriverDesc", ours}}, {kClass + "0001"}},
        {"an entry begun under the description's name",
         {{kUninstall + "Setup", "DisplayName", "Another program"}, {us}}, {us}},
        {"an empty entry under the title's name is anyone's", {{kUninstall + "Setup"}}, {}},
        {"our whole entry under either name",
         {{kUninstall + "Setup", "DisplayName", ours}, {us + " 2", "DisplayName", ours},
          {us, "DisplayName", "Another program"}},
         {kUninstall + "Setup", us + " 2"}},
    };
    for (const auto &c : cases) {
        FakeRegistry registry;
        for (const Value &v : c.values) registry.Add(v.key, v.name, v.value);
        FileList files;
        RegList keys;
        EXPECT_EQ(!c.removed.empty(),
                  AppendLeftoverRemovals(&registry, kTouchDevice, kFolders, &files, &keys))
            << c.what;
        Strings paths;
        for (const RegEntry *e = keys.First(); e; e = e->next) paths.push_back(e->keyPath.c_str());
        EXPECT_EQ(c.removed, paths) << c.what;
        EXPECT_EQ((Strings{"C:\\WINDOWS\\SYSTEM\\ZELVANIS.VxD > ",
                           "C:\\WINDOWS\\Inf\\Pemrosko.inf > "}),
                  Entries(files)) << c.what;
        EXPECT_FALSE(registry.IsOpen());
    }
}

TEST(UpdateActions, ReplaceTheListsByTheDriverCopy) {
    FileList files;
    RegList keys;
    AppendFile(&files, "old", "old");
    AppendRegKeyRemoval(&keys, "Old");
    ASSERT_TRUE(BuildUpdateActions(kTouchDevice, "C:\\WINDOWS\\SYSTEM\\", &files, &keys));
    EXPECT_EQ(0u, keys.Count());
    EXPECT_EQ(Strings{"ZELVANIS.VxD > C:\\WINDOWS\\SYSTEM\\ZELVANIS.VxD"}, Entries(files));
}

}  // namespace
