// Registry access and error reporting for Setup; see registry.h.
#include "registry.h"

#include "error_box.h"
#include "journal.h"
#include "undo.h"

#include "portable/action_lists.h"
#include "portable/rules.h"

HKEY OpenKey(const char *keyPath, BOOL create, HKEY root) {
    HKEY key = NULL;
    LONG result;
    if (create) {
        undo::BeforeKey(root, keyPath);
        DWORD disposition;
        result = RegCreateKeyExA(root, keyPath, 0, const_cast<LPSTR>(""), REG_OPTION_NON_VOLATILE,
                                 KEY_ALL_ACCESS, NULL, &key, &disposition);
    } else {
        // Open mode always looks below HKEY_LOCAL_MACHINE; every caller
        // passes it anyway.
        result = RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_ALL_ACCESS, &key);
    }
    if (result == ERROR_SUCCESS) return key;
    // A missing key is an ordinary answer: detection scans end on it.
    if (result != ERROR_FILE_NOT_FOUND) ReportError(result, "OpenKey");
    return NULL;
}

// An empty path or one ending in a backslash names the parent key itself
// (all of Enum\Root, or every program's uninstall entry): never delete it.
static BOOL NamesASubKey(const char *keyPath) {
    int length = keyPath ? lstrlenA(keyPath) : 0;
    return length > 0 && keyPath[length - 1] != '\\';
}

// Deep enough for any key Setup deletes; what lies deeper is left to
// RegDeleteKeyA itself.
static const int kMaxKeyDepth = 32;

// The key deletion of Windows 95, 98 and Me takes the sub-keys with it,
// but not every implementation of it gets past the first sub-key, and
// NT-style registries refuse a key that has any. Deleting the sub-keys
// first, depth first, gives the same result everywhere.
static void DeleteSubKeys(HKEY parent, int depth) {
    char name[MAX_PATH];
    DWORD index = 0;
    while (depth < kMaxKeyDepth &&
           RegEnumKeyA(parent, index, name, sizeof(name)) == ERROR_SUCCESS) {
        HKEY child;
        if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &child) == ERROR_SUCCESS) {
            DeleteSubKeys(child, depth + 1);
            RegCloseKey(child);
        }
        // A sub-key that stays would be enumerated again: step past it.
        if (RegDeleteKeyA(parent, name) != ERROR_SUCCESS) ++index;
    }
}

LONG DeleteKey(HKEY root, const char *keyPath) {
    if (!NamesASubKey(keyPath)) return ERROR_INVALID_PARAMETER;
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        DeleteSubKeys(key, 0);
        RegCloseKey(key);
    }
    return RegDeleteKeyA(root, keyPath);
}

BOOL ReadValue(HKEY key, const char *valueName, Text *out) {
    DWORD type, size = 0;
    LONG result = RegQueryValueExA(key, valueName, NULL, &type, NULL, &size);
    if (result == ERROR_SUCCESS) {
        // One byte more than asked for, already NUL: a text stored without
        // its terminator still ends inside the buffer.
        char *buffer = out->Reserve(size);
        result = buffer ? RegQueryValueExA(key, valueName, NULL, &type,
                                           reinterpret_cast<BYTE *>(buffer), &size)
                        : ERROR_NOT_ENOUGH_MEMORY;
    }
    if (result == ERROR_SUCCESS) {
        out->TrimAtNul();
        return TRUE;
    }
    if (result != ERROR_FILE_NOT_FOUND) ReportError(result, "ReadValue");
    return FALSE;
}

BOOL WriteValue(HKEY key, const char *valueName, const Text &data, DWORD type) {
    DWORD size = static_cast<DWORD>(data.Length()) + (IsTextType(type) ? 1 : 0);
    LONG result = RegSetValueExA(key, valueName, 0, type,
                                 reinterpret_cast<const BYTE *>(data.c_str()), size);
    if (result == ERROR_SUCCESS) return TRUE;
    ReportError(result, "WriteValue");
    return FALSE;
}

void ReportError(DWORD code, const char *caption) {
    Text message;
    GetErrorText(code, &message);
    journal::FailureBox(message.c_str(), caption);
}

// Code 0 reports success, which is never worth a box: it counts as unknown.
BOOL GetErrorText(DWORD code, Text *out) {
    char *message = code != 0 ? shelf::SystemErrorText(code) : NULL;
    BOOL found = message != NULL;
    if (found) {
        BlankControlCharacters(message);
        found = out->Assign(message);
    }
    if (message) LocalFree(message);
    if (!found) out->Assign(shelf::kUnknownErrorText);
    return found;
}
