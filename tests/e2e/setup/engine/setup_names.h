// Names both Setup suites use: the folders with the trailing backslash
// Setup gives them, the engine tests' scratch key, the uninstall entry the
// engine makes under the running program's title, and the harness's
// registry trees and package locations brought into scope.
#ifndef SETUP_NAMES_H
#define SETUP_NAMES_H

#include <string>
#include <vector>

#include "harness.h"

using harness::CreateKey;
using harness::kClassKey;
using harness::kDeviceKey;
using harness::KeyTree;
using harness::kServiceKey;
using harness::ReadKeyTree;
using harness::RegValue;

inline std::string SystemFolder() { return harness::SystemDir() + "\\"; }
inline std::string WindowsFolder() { return harness::WindowsDir() + "\\"; }
inline std::string TempFolder() { return harness::TempDir() + "\\"; }

const char kScratchKey[] = "Software\\OrvantixEngineTest";  // a key of the engine tests' own

// The running program's file name without folder and extension.
inline std::string ProgramTitle() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(NULL, path, sizeof(path));
    std::string name = path;
    name = name.substr(name.find_last_of('\\') + 1);
    return name.substr(0, name.find_last_of('.'));
}

inline std::string UninstallKey() {
    return "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + ProgramTitle();
}

// The keys the engine tests change.
inline std::vector<harness::KeyPath> EngineKeys() {
    std::vector<harness::KeyPath> keys;
    for (const std::string &path : {std::string(kDeviceKey), std::string(kClassKey), std::string(kServiceKey),
                                    std::string(kScratchKey), UninstallKey()})
        keys.push_back({HKEY_LOCAL_MACHINE, path});
    return keys;
}

// A machine without any trace of the package, as the engine sees it.
inline void ClearEngineKeysAndFiles() {
    for (const harness::KeyPath &key : EngineKeys()) harness::DeleteKeyTree(key.root, key.path);
    for (const std::string &path : harness::PackageFiles()) harness::DeleteFileIfAny(path);
}

#endif
