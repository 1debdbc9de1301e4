// Saving and restoring the machine around the Setup engine tests.
#include "machine_state.h"

#include "harness.h"

const char kDeviceKey[] = "Enum\\Root\\Orvantix";
const char kClassKey[] = "System\\CurrentControlSet\\Services\\Class\\Mouse";
const char kServiceKey[] = "System\\CurrentControlSet\\Services\\Zelvanis";
const char kScratchKey[] = "Software\\OrvantixEngineTest";

static const IniEntry kIniEntries[] = {{"boot", "mouse.drv"}, {"boot.description", "mouse.drv"}};

std::string ProgramTitle() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    std::string name = path;
    name = name.substr(name.find_last_of('\\') + 1);
    return name.substr(0, name.find_last_of('.'));
}

std::string UninstallKey() {
    return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + ProgramTitle();
}

std::string SystemFolder() { return harness::SystemDir() + "\\"; }

std::string WindowsFolder() { return harness::WindowsDir() + "\\"; }

std::string TempFolder() { return harness::TempDir() + "\\"; }

static void ReadValues(HKEY key, KeyTree *tree) {
    char name[256];
    BYTE data[4096];
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = sizeof(name), dataSize = sizeof(data), type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, NULL, &type, data, &dataSize) != ERROR_SUCCESS)
            break;
        tree->values[name] = RegValue{type, std::string(reinterpret_cast<char *>(data), dataSize)};
    }
}

KeyTree ReadKeyTree(HKEY root, const std::string &path) {
    KeyTree tree;
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return tree;
    tree.exists = true;
    ReadValues(key, &tree);
    char name[256];
    for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof(name)) == ERROR_SUCCESS; ++i) {
        tree.subkeys[name] = ReadKeyTree(key, name);
    }
    RegCloseKey(key);
    return tree;
}

void CreateKey(HKEY root, const std::string &path, bool isVolatile) {
    HKEY key;
    DWORD options = isVolatile ? REG_OPTION_VOLATILE : REG_OPTION_NON_VOLATILE;
    if (RegCreateKeyExA(root, path.c_str(), 0, NULL, options, KEY_ALL_ACCESS, NULL, &key, NULL) ==
        ERROR_SUCCESS)
        RegCloseKey(key);
}

static void WriteTreeBelow(HKEY key, const KeyTree &tree) {
    for (const auto &value : tree.values) {
        const RegValue &v = value.second;
        RegSetValueExA(key, value.first.c_str(), 0, v.type,
                       reinterpret_cast<const BYTE *>(v.bytes.data()), v.bytes.size());
    }
    for (const auto &sub : tree.subkeys) {
        HKEY child;
        if (RegCreateKeyExA(key, sub.first.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &child,
                            NULL) != ERROR_SUCCESS)
            continue;
        WriteTreeBelow(child, sub.second);
        RegCloseKey(child);
    }
}

void WriteKeyTree(HKEY root, const std::string &path, const KeyTree &tree) {
    harness::DeleteKeyTree(root, path);
    if (!tree.exists) return;
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) !=
        ERROR_SUCCESS)
        return;
    WriteTreeBelow(key, tree);
    RegCloseKey(key);
}

std::vector<std::string> MachineState::PackageFiles() {
    return {SystemFolder() + "ZELVANIS.VxD", SystemFolder() + "Durmasel.exe",
            SystemFolder() + "Pemrosko.CPL", WindowsFolder() + "Inf\\Pemrosko.inf"};
}

static std::vector<std::string> PackageKeys() {
    return {kDeviceKey, kClassKey, kServiceKey, kScratchKey, UninstallKey()};
}

MachineState::MachineState() {
    for (const std::string &path : PackageKeys()) m_keys[path] = ReadKeyTree(HKEY_LOCAL_MACHINE, path);
    for (const std::string &path : PackageFiles()) {
        m_files[path] = {harness::FileExists(path), harness::ReadTextFile(path)};
    }
    for (const IniEntry &entry : kIniEntries) {
        char value[256] = "";
        DWORD n = GetPrivateProfileStringA(entry.section, entry.key, "\x01", value, sizeof(value),
                                           "System.ini");
        bool present = !(n == 1 && value[0] == '\x01');
        m_ini.push_back({present, value});
    }
    m_clickWidth = GetSystemMetrics(SM_CXDOUBLECLK);
    m_clickHeight = GetSystemMetrics(SM_CYDOUBLECLK);
    m_clickTime = GetDoubleClickTime();
}

MachineState::~MachineState() {
    for (const auto &key : m_keys) WriteKeyTree(HKEY_LOCAL_MACHINE, key.first, key.second);
    for (const auto &file : m_files) {
        if (file.second.first) {
            harness::WriteTextFile(file.first, file.second.second);
        } else {
            harness::DeleteFileIfAny(file.first);
        }
    }
    for (size_t i = 0; i < m_ini.size(); ++i) {
        const char *value = m_ini[i].first ? m_ini[i].second.c_str() : NULL;
        WritePrivateProfileStringA(kIniEntries[i].section, kIniEntries[i].key, value, "System.ini");
    }
    SystemParametersInfoA(SPI_SETDOUBLECLKWIDTH, m_clickWidth, NULL, SPIF_UPDATEINIFILE);
    SystemParametersInfoA(SPI_SETDOUBLECLKHEIGHT, m_clickHeight, NULL, SPIF_UPDATEINIFILE);
    SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, m_clickTime, NULL, SPIF_UPDATEINIFILE);
}

void MachineState::ClearPackage() {
    for (const std::string &path : PackageKeys()) harness::DeleteKeyTree(HKEY_LOCAL_MACHINE, path);
    for (const std::string &path : PackageFiles()) harness::DeleteFileIfAny(path);
}
