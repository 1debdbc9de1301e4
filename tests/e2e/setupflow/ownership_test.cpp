// Setup on a machine that holds other devices and other programs: an
// installation and a removal leave everything that is not the package's as
// it was, a finishing run left pending spares a later installation, and no
// finishing run is arranged without its copy of Setup.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>

#include "setup_fixture.h"

namespace {

typedef std::set<std::string> Lines;

// One line per key and per value (type and bytes), below an open key.
void ExportKey(HKEY key, const std::string &path, Lines *lines) {
    lines->insert(path + "\\");
    DWORD nameMax = 0, dataMax = 0, subMax = 0;
    RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, &subMax, NULL, NULL, &nameMax, &dataMax, NULL,
                     NULL);
    std::vector<char> name(nameMax + 2);
    std::vector<BYTE> data(dataMax + 1);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size()), dataSize = dataMax + 1, type = 0;
        if (RegEnumValueA(key, i, name.data(), &nameSize, NULL, &type, data.data(), &dataSize) !=
            ERROR_SUCCESS)
            break;
        lines->insert(path + "\\[" + name.data() + "]=" + std::to_string(type) + ":" +
                      std::string(reinterpret_cast<char *>(data.data()), dataSize));
    }
    std::vector<char> sub(subMax + 2);
    for (DWORD i = 0; RegEnumKeyA(key, i, sub.data(), static_cast<DWORD>(sub.size())) == ERROR_SUCCESS;
         ++i) {
        HKEY child;
        if (RegOpenKeyExA(key, sub.data(), 0, KEY_READ, &child) != ERROR_SUCCESS) continue;
        ExportKey(child, path + "\\" + sub.data(), lines);
        RegCloseKey(child);
    }
}

// Every file and folder below folder with its size and time of writing.
void ListFiles(const std::string &folder, Lines *lines) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = folder + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            lines->insert(path + "\\");
            ListFiles(path + "\\", lines);
        } else {
            lines->insert(path + " " + std::to_string(found.nFileSizeLow) + " " +
                          std::to_string(found.ftLastWriteTime.dwLowDateTime));
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool StartsWithNoCase(const std::string &text, const std::string &start) {
    return text.size() >= start.size() && lstrcmpiA(text.substr(0, start.size()).c_str(),
                                                    start.c_str()) == 0;
}

// The machine as a registry export and a file list. Setup's System.ini
// entries and the double-click metrics are changes it keeps on purpose.
Lines TakeSnapshot() {
    Lines lines;
    ExportKey(HKEY_LOCAL_MACHINE, "HKLM", &lines);
    ExportKey(HKEY_CURRENT_USER, "HKCU", &lines);
    // Where Setup puts and takes files; the rest of the drive is the
    // host's home folder under Wine.
    for (const std::string &folder : {WindowsFolder(), ProgramsFolder(), TempFolder()})
        ListFiles(folder, &lines);
    const std::string kept[] = {
        "HKCU\\Control Panel\\Mouse\\", "HKCU\\Control Panel\\Desktop\\[DoubleClick",
        WindowsFolder() + "system.ini ",
        // Wine's own: its display driver registers the screen and keeps
        // settings of the session whenever the first window of it opens.
        "HKLM\\Hardware\\", "HKLM\\System\\CurrentControlSet\\Control\\",
        "HKLM\\System\\CurrentControlSet\\Hardware Profiles\\",
        "HKCU\\Software\\Wine\\Temporary System Parameters\\"};
    Lines compared;
    std::copy_if(lines.begin(), lines.end(), std::inserter(compared, compared.end()),
                 [&](const std::string &line) {
                     return std::none_of(std::begin(kept), std::end(kept), [&](const std::string &k) {
                         return StartsWithNoCase(line, k);
                     });
                 });
    return compared;
}

std::string Difference(const Lines &before, const Lines &after) {
    std::string text;
    for (const std::string &line : before)
        if (!after.count(line)) text += "  gone: " + line + "\n";
    for (const std::string &line : after)
        if (!before.count(line)) text += "  new:  " + line + "\n";
    return text;
}

// "-U" from the medium or the program folder, "Yes,go next", then "No" to
// the restart.
void RemovePackage(const std::string &folder) {
    SetupRun run(folder, "-U");
    HWND question = run.WaitWindow(kUninstallCaption);
    ASSERT_TRUE(question);
    harness::PostClick(question, 6);
    HWND box = run.WaitWindow(kBoxCaption);
    ASSERT_TRUE(box);
    harness::PostClick(box, IDNO);
    DWORD code = 1;
    ASSERT_TRUE(run.WaitEnd(&code));
}

const std::string kForeignClassKey = std::string(kClassKey) + "\\0000";

TEST(Ownership, ARoundTripLeavesOtherDevicesAndProgramsAsTheyWere) {
    harness::MachineGuard guard{GuardedKeys(), GuardedFiles(), ClearPackage};
    InstallationMedium medium;
    harness::WriteString(HKEY_LOCAL_MACHINE, kForeignClassKey, "DriverDesc", "Standard Serial Mouse");
    harness::WriteString(HKEY_LOCAL_MACHINE, kForeignClassKey, "StaticVxD", "*vmouse");
    harness::WriteString(HKEY_LOCAL_MACHINE, kSetupUninstallKey, "DisplayName", "Another program");
    harness::WriteString(HKEY_LOCAL_MACHINE, kSetupUninstallKey, "UninstallString", "C:\\Other\\Setup.exe /x");
    Lines before = TakeSnapshot();

    ASSERT_NO_FATAL_FAILURE(InstallPackage(medium));
    EXPECT_EQ("Orvantix Touchscreen", ReadText(HKEY_LOCAL_MACHINE, kOwnUninstallKey, "DisplayName"));
    EXPECT_EQ(WindowsFolder() + "Zelvanis\\Setup.exe -u",
              ReadText(HKEY_LOCAL_MACHINE, kOwnUninstallKey, "UninstallString"));
    EXPECT_EQ("Another program", ReadText(HKEY_LOCAL_MACHINE, kSetupUninstallKey, "DisplayName"));
    EXPECT_EQ("Orvantix Touchscreen",
              ReadText(HKEY_LOCAL_MACHINE, std::string(kClassKey) + "\\0001", "DriverDesc"));

    ASSERT_NO_FATAL_FAILURE(RemovePackage(medium.Folder()));
    Lines after = TakeSnapshot();
    EXPECT_TRUE(before == after) << Difference(before, after);
}

// A command of the run-once key split into program and arguments.
void RunCommand(const std::string &command) {
    size_t blank = command.rfind(' ');
    std::string program = command.substr(0, blank);
    std::string folder = program.substr(0, program.find_last_of('\\') + 1);
    SetupRun run(folder, command.substr(blank + 1), program.substr(folder.size()));
    DWORD code = 1;
    EXPECT_TRUE(run.WaitEnd(&code)) << command;
}

TEST(Ownership, APendingFinishingRunSparesALaterInstallation) {
    harness::MachineGuard guard{GuardedKeys(), GuardedFiles(), ClearPackage};
    InstallationMedium medium;
    ASSERT_NO_FATAL_FAILURE(InstallPackage(medium));
    ASSERT_NO_FATAL_FAILURE(RemovePackage(ProgramFolder()));
    ASSERT_NE("(none)", ReadText(HKEY_LOCAL_MACHINE, kRunOnceKey, "Orvantix"));

    ASSERT_NO_FATAL_FAILURE(InstallPackage(medium));
    InstalledState installed = ReadInstalledState();
    // The next start of Windows: what the run-once key holds runs once. The
    // first-start calibration is left out; it writes only its own values.
    for (const std::string &name : harness::ValueNames(HKEY_LOCAL_MACHINE, kRunOnceKey)) {
        if (name == "Durmasel") continue;
        RunCommand(ReadText(HKEY_LOCAL_MACHINE, kRunOnceKey, name.c_str()));
        harness::DeleteValue(HKEY_LOCAL_MACHINE, kRunOnceKey, name.c_str());
    }
    EXPECT_TRUE(installed == ReadInstalledState()) << "the new installation must stay whole";
    EXPECT_EQ("(none)", ReadText(HKEY_LOCAL_MACHINE, kRunOnceKey, "Orvantix"));
}

TEST(Ownership, NoFinishingRunWithoutItsCopyOfSetup) {
    harness::MachineGuard guard{GuardedKeys(), GuardedFiles(), ClearPackage};
    InstallationMedium medium;
    ASSERT_NO_FATAL_FAILURE(InstallPackage(medium));
    // A stranger's program of that name, held open: the copy can't replace it.
    std::string copy = TempFolder() + "Setup.exe";
    harness::WriteTextFile(copy, "a stranger's program");
    HANDLE held = CreateFileA(copy.c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    RemovePackage(ProgramFolder());
    CloseHandle(held);
    EXPECT_EQ("(none)", ReadText(HKEY_LOCAL_MACHINE, kRunOnceKey, "Orvantix"));
    EXPECT_EQ("a stranger's program", harness::ReadTextFile(copy));
}

}  // namespace
