// Saving and restoring the machine around the Setup engine tests.
#include "machine_state.h"

#include <shlwapi.h>

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

static std::string WithBackslash(std::string folder) {
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    return folder;
}

std::string SystemFolder() {
    char path[MAX_PATH] = "";
    GetSystemDirectoryA(path, sizeof(path));
    return WithBackslash(path);
}

std::string WindowsFolder() {
    char path[MAX_PATH] = "";
    GetWindowsDirectoryA(path, sizeof(path));
    return WithBackslash(path);
}

std::string TempFolder() {
    char path[MAX_PATH] = "";
    GetTempPathA(sizeof(path), path);
    return WithBackslash(path);
}

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

void DeleteKeyTree(HKEY root, const std::string &path) { SHDeleteKeyA(root, path.c_str()); }

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
    DeleteKeyTree(root, path);
    if (!tree.exists) return;
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) !=
        ERROR_SUCCESS)
        return;
    WriteTreeBelow(key, tree);
    RegCloseKey(key);
}

void SetText(HKEY root, const std::string &path, const char *name, const std::string &text) {
    HKEY key;
    if (RegCreateKeyExA(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &key, NULL) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                   text.size() + 1);
    RegCloseKey(key);
}

bool FileExists(const std::string &path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ReadFileBytes(const std::string &path, std::string *bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0,
                              NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes->clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &got, NULL) && got) bytes->append(buffer, got);
    CloseHandle(file);
    return true;
}

void WriteFileBytes(const std::string &path, const std::string &bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), bytes.size(), &written, NULL);
    CloseHandle(file);
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
        std::string bytes;
        bool present = ReadFileBytes(path, &bytes);
        m_files[path] = {present, bytes};
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
            WriteFileBytes(file.first, file.second.second);
        } else {
            DeleteFileA(file.first.c_str());
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
    for (const std::string &path : PackageKeys()) DeleteKeyTree(HKEY_LOCAL_MACHINE, path);
    for (const std::string &path : PackageFiles()) DeleteFileA(path.c_str());
}
