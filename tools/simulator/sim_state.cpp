// The simulator's shared state file and its lock.
#include "sim_state.h"

#include <stdlib.h>

namespace simstate {

const char kMutexName[] = "ZelvanisSimLock";
const char kStateFileName[] = "zelvsim.ini";
const char kLogFileName[] = "zelvsim.log";

static const char kSection[] = "[driver]";
static const DWORD kLockWaitMs = 5000;
static const DWORD kMaxFileSize = 256 * 1024;

Lock::Lock() : m_mutex(CreateMutexA(NULL, FALSE, kMutexName)), m_held(false) {
    if (!m_mutex) return;
    DWORD wait = WaitForSingleObject(m_mutex, kLockWaitMs);
    m_held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
}

Lock::~Lock() {
    if (m_held) ReleaseMutex(m_mutex);
    if (m_mutex) CloseHandle(m_mutex);
}

static bool ReadWholeFile(const std::string &path, std::string *text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(file, NULL);
    if (size == INVALID_FILE_SIZE || size > kMaxFileSize) size = 0;
    text->assign(size, '\0');
    DWORD got = 0;
    BOOL ok = size == 0 || ReadFile(file, &(*text)[0], size, &got, NULL);
    CloseHandle(file);
    text->resize(ok ? got : 0);
    return ok;
}

static std::string Trim(const std::string &text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return "";
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

StateFile::StateFile(const std::string &path) : m_path(path), m_changed(false) { Read(); }

StateFile::~StateFile() {
    if (m_changed) Write();
}

void StateFile::Read() {
    std::string text;
    if (!ReadWholeFile(m_path, &text)) return;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        size_t equals = line.find('=');
        if (line.empty() || line[0] == '[' || equals == std::string::npos) continue;
        m_entries.push_back(std::make_pair(Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))));
    }
}

bool StateFile::Write() const {
    std::string text = std::string(kSection) + "\r\n";
    for (const auto &entry : m_entries) text += entry.first + "=" + entry.second + "\r\n";
    HANDLE file = CreateFileA(m_path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, text.data(), (DWORD)text.size(), &written, NULL);
    CloseHandle(file);
    return ok && written == text.size();
}

static int CompareKeys(const std::string &a, const std::string &b) {
    return lstrcmpiA(a.c_str(), b.c_str());
}

bool StateFile::Has(const std::string &key) const {
    for (const auto &entry : m_entries) {
        if (CompareKeys(entry.first, key) == 0) return true;
    }
    return false;
}

std::string StateFile::Get(const std::string &key, const std::string &fallback) const {
    for (const auto &entry : m_entries) {
        if (CompareKeys(entry.first, key) == 0) return entry.second;
    }
    return fallback;
}

uint32_t StateFile::GetNumber(const std::string &key, uint32_t fallback) const {
    uint32_t value = fallback;
    return ParseNumber(Get(key), &value) ? value : fallback;
}

void StateFile::Set(const std::string &key, const std::string &value) {
    m_changed = true;
    for (auto &entry : m_entries) {
        if (CompareKeys(entry.first, key) == 0) {
            entry.second = value;
            return;
        }
    }
    m_entries.push_back(std::make_pair(key, value));
}

void StateFile::SetNumber(const std::string &key, uint32_t value) {
    Set(key, std::to_string(value));
}

bool ParseNumber(const std::string &text, uint32_t *value) {
    if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
    // Decimal unless marked hex: a leading zero is not octal here.
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    char *end = nullptr;
    unsigned long long number = strtoull(text.c_str(), &end, hex ? 16 : 10);
    if (*end != '\0' || number > 0xFFFFFFFFull) return false;
    *value = (uint32_t)number;
    return true;
}

bool AppendLine(const std::string &path, const std::string &text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, NULL,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    SetFilePointer(file, 0, NULL, FILE_END);
    std::string line = text + "\r\n";
    DWORD written = 0;
    BOOL ok = WriteFile(file, line.data(), (DWORD)line.size(), &written, NULL);
    CloseHandle(file);
    return ok && written == line.size();
}

std::string FolderOf(const std::string &path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace simstate
