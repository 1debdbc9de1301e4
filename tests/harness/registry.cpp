// Registry reads and writes for setting up and checking tests, and whole
// key trees read, written and saved around a test.
#include "harness.h"

#include "parameter_store.h"

namespace harness {

namespace {

// An open key, closed when it goes out of scope.
class Key {
public:
    Key(HKEY root, const std::string &path, REGSAM access, bool create = false) : m_key(NULL) {
        LONG result = create ? RegCreateKeyExA(root, path.c_str(), 0, NULL, 0, access, NULL, &m_key, NULL)
                             : RegOpenKeyExA(root, path.c_str(), 0, access, &m_key);
        if (result != ERROR_SUCCESS) m_key = NULL;
    }
    ~Key() {
        if (m_key) RegCloseKey(m_key);
    }
    Key(const Key &) = delete;
    Key &operator=(const Key &) = delete;
    HKEY get() const { return m_key; }
    explicit operator bool() const { return m_key != NULL; }

private:
    HKEY m_key;
};

bool SetValue(HKEY root, const std::string &path, const char *name, DWORD type, const void *data,
              DWORD size) {
    Key key(root, path, KEY_SET_VALUE, true);
    return key && RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE *>(data), size) ==
                      ERROR_SUCCESS;
}

}  // namespace

bool ReadBinary(HKEY root, const std::string &path, const char *name, std::vector<unsigned char> *data,
                DWORD *type) {
    Key key(root, path, KEY_QUERY_VALUE);
    DWORD size = 0, kind = 0;
    if (!key || RegQueryValueExA(key.get(), name, NULL, &kind, NULL, &size) != ERROR_SUCCESS) return false;
    data->assign(size, 0);
    if (RegQueryValueExA(key.get(), name, NULL, &kind, size ? data->data() : NULL, &size) != ERROR_SUCCESS)
        return false;
    data->resize(size);
    if (type) *type = kind;
    return true;
}

bool ReadDword(HKEY root, const std::string &path, const char *name, DWORD *value) {
    std::vector<unsigned char> data;
    DWORD type = 0;
    if (!ReadBinary(root, path, name, &data, &type) || type != REG_DWORD || data.size() != 4) return false;
    *value = data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<DWORD>(data[3]) << 24);
    return true;
}

std::string ReadString(HKEY root, const std::string &path, const char *name, const std::string &fallback) {
    std::vector<unsigned char> data;
    DWORD type = 0;
    if (!ReadBinary(root, path, name, &data, &type) || (type != REG_SZ && type != REG_EXPAND_SZ))
        return fallback;
    std::string text(data.begin(), data.end());
    size_t end = text.find('\0');
    return end == std::string::npos ? text : text.substr(0, end);
}

bool WriteDword(HKEY root, const std::string &path, const char *name, DWORD value) {
    return SetValue(root, path, name, REG_DWORD, &value, sizeof(value));
}

bool WriteString(HKEY root, const std::string &path, const char *name, const std::string &value) {
    return SetValue(root, path, name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

bool WriteBinary(HKEY root, const std::string &path, const char *name, DWORD type,
                 const std::vector<unsigned char> &data) {
    return SetValue(root, path, name, type, data.data(), static_cast<DWORD>(data.size()));
}

bool ValueExists(HKEY root, const std::string &path, const char *name) {
    Key key(root, path, KEY_QUERY_VALUE);
    return key && RegQueryValueExA(key.get(), name, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
}

bool DeleteValue(HKEY root, const std::string &path, const char *name) {
    Key key(root, path, KEY_SET_VALUE);
    return key && RegDeleteValueA(key.get(), name) == ERROR_SUCCESS;
}

bool KeyExists(HKEY root, const std::string &path) {
    Key key(root, path, KEY_QUERY_VALUE);
    return static_cast<bool>(key);
}

std::vector<std::string> SubkeyNames(HKEY root, const std::string &path) {
    std::vector<std::string> names;
    Key key(root, path, KEY_ENUMERATE_SUB_KEYS);
    char name[256];
    for (DWORD i = 0; key && RegEnumKeyA(key.get(), i, name, sizeof(name)) == ERROR_SUCCESS; ++i)
        names.push_back(name);
    return names;
}

// Wine's RegDeleteKey leaves a key with subkeys alone, so children go first.
void DeleteKeyTree(HKEY root, const std::string &path) {
    for (const std::string &child : SubkeyNames(root, path)) DeleteKeyTree(root, path + "\\" + child);
    RegDeleteKeyA(root, path.c_str());
}

std::vector<std::string> ValueNames(HKEY root, const std::string &path) {
    std::vector<std::string> names;
    Key key(root, path, KEY_QUERY_VALUE);
    for (DWORD i = 0; key; ++i) {
        char name[512];
        DWORD size = sizeof(name);
        if (RegEnumValueA(key.get(), i, name, &size, NULL, NULL, NULL, NULL) != ERROR_SUCCESS) break;
        names.push_back(name);
    }
    return names;
}

void CreateKey(HKEY root, const std::string &path, bool isVolatile) {
    HKEY key;
    DWORD options = isVolatile ? REG_OPTION_VOLATILE : REG_OPTION_NON_VOLATILE;
    if (RegCreateKeyExA(root, path.c_str(), 0, NULL, options, KEY_ALL_ACCESS, NULL, &key, NULL) ==
        ERROR_SUCCESS)
        RegCloseKey(key);
}

KeyTree ReadKeyTree(HKEY root, const std::string &path) {
    KeyTree tree;
    tree.exists = KeyExists(root, path);
    for (const std::string &name : ValueNames(root, path)) {
        std::vector<unsigned char> data;
        DWORD type = REG_NONE;
        if (ReadBinary(root, path, name.c_str(), &data, &type))
            tree.values[name] = RegValue{type, std::string(data.begin(), data.end())};
    }
    for (const std::string &child : SubkeyNames(root, path))
        tree.subkeys[child] = ReadKeyTree(root, path + "\\" + child);
    return tree;
}

static void WriteTreeBelow(HKEY root, const std::string &path, const KeyTree &tree) {
    CreateKey(root, path);
    for (const auto &value : tree.values)
        WriteBinary(root, path, value.first.c_str(), value.second.type,
                    std::vector<unsigned char>(value.second.bytes.begin(), value.second.bytes.end()));
    for (const auto &child : tree.subkeys) WriteTreeBelow(root, path + "\\" + child.first, child.second);
}

void WriteKeyTree(HKEY root, const std::string &path, const KeyTree &tree) {
    DeleteKeyTree(root, path);
    if (tree.exists) WriteTreeBelow(root, path, tree);
}

KeySnapshot::KeySnapshot(HKEY root, const std::string &path)
    : root_(root), path_(path), saved_(ReadKeyTree(root, path)) {}

KeySnapshot::~KeySnapshot() { WriteKeyTree(root_, path_, saved_); }

StoreSnapshot::StoreSnapshot() : KeySnapshot(HKEY_LOCAL_MACHINE, TOUCH_SERVICE_KEY) {}

}  // namespace harness
