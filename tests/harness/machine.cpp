// The machine around a test: where the package lives, what a test changes
// (saved and put back), the Windows version Wine reports to a program, and
// the serial ports the system reports.
#include "harness.h"

#include <algorithm>

#include "parameter_store.h"

namespace harness {

const char kDeviceKey[] = "Enum\\Root\\Orvantix";
const char kClassKey[] = "System\\CurrentControlSet\\Services\\Class\\Mouse";
const char kServiceKey[] = TOUCH_SERVICE_KEY;

static const char *const kIniSections[] = {"boot", "boot.description"};

std::vector<std::string> PackageFiles() {
    return {Join(SystemDir(), "ZELVANIS.VxD"), Join(SystemDir(), "Durmasel.exe"),
            Join(SystemDir(), "Pemrosko.CPL"), Join(WindowsDir(), "Inf\\Pemrosko.inf")};
}

MachineGuard::MachineGuard(const std::vector<KeyPath> &keys, const std::vector<std::string> &files,
                           void (*clear)())
    : clear_(clear) {
    for (const KeyPath &key : keys) keys_.emplace_back(new KeySnapshot(key.root, key.path));
    for (const std::string &path : files) {
        SavedFile file = {path, false, ""};
        file.present = ReadFileBytes(path, &file.bytes);
        files_.push_back(file);
    }
    for (const char *section : kIniSections) {
        // A value no one writes tells an absent entry from an empty one.
        char value[256] = "";
        DWORD n = GetPrivateProfileStringA(section, "mouse.drv", "\x01", value, sizeof(value), "System.ini");
        ini_.push_back(SavedIni{section, !(n == 1 && value[0] == '\x01'), value});
    }
    clickWidth_ = GetSystemMetrics(SM_CXDOUBLECLK);
    clickHeight_ = GetSystemMetrics(SM_CYDOUBLECLK);
    clickTime_ = GetDoubleClickTime();
    if (clear_) clear_();
}

MachineGuard::~MachineGuard() {
    if (clear_) clear_();
    keys_.clear();
    for (const SavedFile &file : files_) {
        if (file.present)
            WriteTextFile(file.path, file.bytes);
        else
            DeleteFileIfAny(file.path);
    }
    for (const SavedIni &entry : ini_)
        WritePrivateProfileStringA(entry.section, "mouse.drv", entry.present ? entry.value.c_str() : NULL,
                                   "System.ini");
    SystemParametersInfoA(SPI_SETDOUBLECLKWIDTH, clickWidth_, NULL, SPIF_UPDATEINIFILE);
    SystemParametersInfoA(SPI_SETDOUBLECLKHEIGHT, clickHeight_, NULL, SPIF_UPDATEINIFILE);
    SystemParametersInfoA(SPI_SETDOUBLECLICKTIME, clickTime_, NULL, SPIF_UPDATEINIFILE);
}

ReportedWindows::ReportedWindows(const std::string &program, const char *version)
    : key_("Software\\Wine\\AppDefaults\\" + program) {
    WriteString(HKEY_CURRENT_USER, key_, "Version", version);
}

ReportedWindows::~ReportedWindows() { DeleteKeyTree(HKEY_CURRENT_USER, key_); }

std::string PortName(DWORD number) { return "COM" + std::to_string(number); }

bool IsPortReported(DWORD number) {
    COMMCONFIG config;
    ZeroMemory(&config, sizeof(config));
    config.dwSize = sizeof(config);
    DWORD size = sizeof(config);
    return GetDefaultCommConfigA(PortName(number).c_str(), &config, &size) != FALSE;
}

std::vector<DWORD> ReportedPorts() {
    std::vector<DWORD> ports;
    for (DWORD n = 1; n <= 16; ++n)
        if (IsPortReported(n)) ports.push_back(n);
    return ports;
}

std::vector<std::string> ReportedPortNamesSorted() {
    std::vector<std::string> names;
    for (DWORD n : ReportedPorts()) names.push_back(PortName(n));
    std::sort(names.begin(), names.end(), [](const std::string &a, const std::string &b) {
        return lstrcmpiA(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

}  // namespace harness
