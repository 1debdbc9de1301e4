// The machine as lines of text: every key and value below registry roots
// and every file below folders, so that two moments can be compared and
// their differences named.
#include "harness.h"

#include <shlwapi.h>

#include <algorithm>

namespace harness {

namespace {

// One line per key and per value (type and bytes), below an open key.
void ExportKey(HKEY key, const std::string &path, SnapshotLines *lines) {
    lines->insert(path + "\\");
    DWORD nameMax = 0, dataMax = 0, subMax = 0;
    RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, &subMax, NULL, NULL, &nameMax, &dataMax, NULL,
                     NULL);
    std::vector<char> name(std::max(nameMax, subMax) + 2);
    std::vector<BYTE> data(dataMax + 1);
    for (DWORD i = 0;; ++i) {
        DWORD nameSize = static_cast<DWORD>(name.size()), dataSize = dataMax + 1, type = 0;
        if (RegEnumValueA(key, i, name.data(), &nameSize, NULL, &type, data.data(), &dataSize))
            break;
        lines->insert(path + "\\[" + name.data() + "]=" + std::to_string(type) + ":" +
                      std::string(reinterpret_cast<char *>(data.data()), dataSize));
    }
    HKEY child;
    for (DWORD i = 0; !RegEnumKeyA(key, i, name.data(), static_cast<DWORD>(name.size())); ++i) {
        if (RegOpenKeyExA(key, name.data(), 0, KEY_READ, &child)) continue;
        ExportKey(child, path + "\\" + name.data(), lines);
        RegCloseKey(child);
    }
}

// Every file and folder below folder with its size and time of writing.
void ListFiles(const std::string &folder, SnapshotLines *lines) {
    lines->insert(folder);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found)) {
        std::string name = found.cFileName, path = folder + name;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            lines->insert(path + " " + std::to_string(found.nFileSizeLow) + " " +
                          std::to_string(found.ftLastWriteTime.dwLowDateTime));
        else if (name != "." && name != "..")
            ListFiles(path + "\\", lines);
    }
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

bool StartsWithAny(const std::string &line, const std::vector<std::string> &prefixes) {
    return std::any_of(prefixes.begin(), prefixes.end(), [&](const std::string &p) {
        return StrCmpNIA(line.c_str(), p.c_str(), static_cast<int>(p.size())) == 0;
    });
}

}  // namespace

SnapshotLines TakeSnapshot(const std::vector<SnapshotKey> &keys,
                           const std::vector<std::string> &folders,
                           const std::vector<std::string> &ignored) {
    SnapshotLines lines;
    for (const SnapshotKey &key : keys) {
        HKEY open;
        if (RegOpenKeyExA(key.root, key.path.c_str(), 0, KEY_READ, &open)) continue;
        ExportKey(open, key.name, &lines);
        if (!key.path.empty()) RegCloseKey(open);
    }
    for (const std::string &folder : folders) ListFiles(folder, &lines);
    for (auto line = lines.begin(); line != lines.end();)
        line = StartsWithAny(*line, ignored) ? lines.erase(line) : std::next(line);
    return lines;
}

std::string SnapshotDifference(const SnapshotLines &before, const SnapshotLines &after) {
    std::string text;
    for (const std::string &line : before) text += after.count(line) ? "" : "  gone: " + line + "\n";
    for (const std::string &line : after) text += before.count(line) ? "" : "  new:  " + line + "\n";
    return text;
}

}  // namespace harness
