// What the Setup engine tests change on the machine, saved before a test
// and put back after it: the package's registry trees, its files in the
// system folders, the System.ini entries and the double-click metrics.
// Also a reader of whole registry trees for the assertions.
#ifndef SETUPENGINE_MACHINE_STATE_H
#define SETUPENGINE_MACHINE_STATE_H

#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct RegValue {
    DWORD type;
    std::string bytes;
    bool operator==(const RegValue &o) const { return type == o.type && bytes == o.bytes; }
};

// A registry key with its values and sub-keys, as read at one moment.
struct KeyTree {
    bool exists = false;
    std::map<std::string, RegValue> values;
    std::map<std::string, KeyTree> subkeys;
    bool operator==(const KeyTree &o) const {
        return exists == o.exists && values == o.values && subkeys == o.subkeys;
    }
};

KeyTree ReadKeyTree(HKEY root, const std::string &path);
// Replaces whatever is at path by tree.
void WriteKeyTree(HKEY root, const std::string &path, const KeyTree &tree);
// Makes an empty key (and its parents); volatile keys vanish with the session
// and refuse non-volatile sub-keys.
void CreateKey(HKEY root, const std::string &path, bool isVolatile = false);

// The harness's folders, with the trailing backslash the engine gives.
std::string SystemFolder();
std::string WindowsFolder();
std::string TempFolder();
// The running program's file name without folder and extension.
std::string ProgramTitle();

extern const char kDeviceKey[];     // Enum\Root\Orvantix
extern const char kClassKey[];      // Services\Class\Mouse
extern const char kServiceKey[];    // Services\Zelvanis
extern const char kScratchKey[];    // a key of the tests' own
std::string UninstallKey();         // ...\Uninstall\<program title>

struct IniEntry {
    const char *section;
    const char *key;
};

// Saves everything on construction, puts it back on destruction.
class MachineState {
public:
    MachineState();
    ~MachineState();
    // Leaves a machine without any trace of the package.
    void ClearPackage();
    static std::vector<std::string> PackageFiles();

private:
    std::map<std::string, KeyTree> m_keys;
    std::map<std::string, std::pair<bool, std::string>> m_files;
    std::vector<std::pair<bool, std::string>> m_ini;
    int m_clickWidth, m_clickHeight;
    UINT m_clickTime;
};

#endif
