// CShortcutManager: the Start-menu group, its shell links and the shell's
// silent deletion; see shortcuts.h.
#include "shortcuts.h"

#include <objbase.h>
#include <shlobj.h>
#include <shellapi.h>

#include "files.h"
#include "runtime.h"
#include "undo.h"

// The shell link object and its two interfaces, spelt out here so that no
// GUID library is linked.
static const GUID kClsidShellLink = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
static const GUID kIidShellLinkA = {
    0x000214EE, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
static const GUID kIidPersistFile = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

static const UINT kNotifyFlags = SHCNF_PATHA | SHCNF_FLUSH;

CShortcutManager::CShortcutManager() { CoInitialize(NULL); }

CShortcutManager::~CShortcutManager() { CoUninitialize(); }

// Frees an item list with the shell's own allocator: on Windows 95 that
// need not be the COM task allocator.
static void FreeItemList(LPITEMIDLIST list) {
    LPMALLOC shellMalloc = NULL;
    if (list && SUCCEEDED(SHGetMalloc(&shellMalloc)) && shellMalloc) {
        shellMalloc->Free(list);
        shellMalloc->Release();
    }
}

// path (MAX_PATH bytes) gets the special folder's path, "\" and name; it
// stays all zeros behind the text, so the shell's deletion can take it.
BOOL CShortcutManager::BuildSpecialPath(int folderId, const char *name, char *path) {
    memset(path, 0, MAX_PATH);
    LPITEMIDLIST list = NULL;
    if (SUCCEEDED(SHGetSpecialFolderLocation(NULL, folderId, &list)) && list)
        SHGetPathFromIDListA(list, path);
    FreeItemList(list);
    // Without the special folder the name would land in the drive's root.
    if (path[0] == '\0') return FALSE;
    char folder[MAX_PATH];
    rt::Copy(folder, sizeof(folder), path);
    if (!rt::Join(path, MAX_PATH, folder, "\\", name)) {
        memset(path, 0, MAX_PATH);
        return FALSE;
    }
    return TRUE;
}

BOOL PathExists(const char *path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE) return FALSE;
    FindClose(search);
    return TRUE;
}

BOOL CShortcutManager::CreateGroup(int folderId, char *name) {
    char path[MAX_PATH];
    BOOL built = BuildSpecialPath(folderId, name, path);
    rt::Copy(name, MAX_PATH, path);
    if (!built) return FALSE;
    // A path ending in a backslash is never found, so an existing group
    // with Setup's name stays and its links are replaced one by one.
    if (PathExists(path)) DeleteWithShell(path);
    if (!CreateDirectoryA(path, NULL)) return FALSE;
    undo::MadeFolder(path);
    NotifyShell(SHCNE_MKDIR | SHCNE_INTERRUPT, path);
    return TRUE;
}

BOOL CShortcutManager::GroupExists(int folderId, const char *name) {
    char path[MAX_PATH];
    return BuildSpecialPath(folderId, name, path) && PathExists(path);
}

BOOL CShortcutManager::RemoveGroup(int folderId, const char *name, BOOL *found) {
    char path[MAX_PATH];
    if (found) *found = FALSE;
    if (!BuildSpecialPath(folderId, name, path)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    if (!PathExists(path)) return TRUE;
    if (found) *found = TRUE;
    if (!DeleteWithShell(path)) return FALSE;
    NotifyShell(SHCNE_RMDIR | SHCNE_INTERRUPT, path);
    return TRUE;
}

// A COM failure as the last error: a system code where it wraps one.
static void SetLastComError(HRESULT result) {
    SetLastError(HRESULT_FACILITY(result) == FACILITY_WIN32 ? HRESULT_CODE(result)
                                                            : static_cast<DWORD>(result));
}

// Saves the link as a .lnk file at linkPath, replacing any file there.
static BOOL SaveLink(IPersistFile *file, const char *linkPath) {
    WCHAR widePath[MAX_PATH];
    widePath[0] = 0;
    if (!MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, MAX_PATH)) return FALSE;
    if (!undo::BeforeFile(linkPath)) return FALSE;
    HRESULT result = file->Save(widePath, TRUE);
    if (SUCCEEDED(result)) return TRUE;
    SetLastComError(result);
    return FALSE;
}

BOOL CShortcutManager::CreateShortcut(const char *linkPath, const char *target, int showCmd,
                                      const char *workingFolder, const char *iconPath,
                                      int iconIndex, const char *description,
                                      const char *arguments, WORD hotkey) {
    IShellLinkA *link = NULL;
    HRESULT made = CoCreateInstance(kClsidShellLink, NULL, CLSCTX_INPROC_SERVER, kIidShellLinkA,
                                    reinterpret_cast<void **>(&link));
    if (FAILED(made) || !link) {
        SetLastComError(FAILED(made) ? made : E_NOINTERFACE);
        return FALSE;
    }
    // Each property is set whatever became of the one before.
    link->SetPath(target);
    link->SetDescription(description);
    link->SetArguments(arguments);
    link->SetHotkey(hotkey);
    link->SetIconLocation(iconPath, iconIndex);
    link->SetWorkingDirectory(workingFolder);
    link->SetShowCmd(showCmd);
    IPersistFile *file = NULL;
    HRESULT found = link->QueryInterface(kIidPersistFile, reinterpret_cast<void **>(&file));
    if (FAILED(found) || !file) {
        SetLastComError(FAILED(found) ? found : E_NOINTERFACE);
        link->Release();
        return FALSE;
    }
    BOOL saved = SaveLink(file, linkPath);
    // Releasing must not hide the save's own error from the caller.
    DWORD error = GetLastError();
    file->Release();
    link->Release();
    SetLastError(error);
    if (!saved) return FALSE;
    char notified[MAX_PATH];
    rt::Copy(notified, sizeof(notified), linkPath);
    NotifyShell(SHCNE_CREATE | SHCNE_INTERRUPT, notified);
    return TRUE;
}

void CShortcutManager::NotifyShell(LONG event, char *path) {
    SHChangeNotify(event, kNotifyFlags, path, NULL);
    rt::CutAtLastBackslash(path);
    SHChangeNotify(SHCNE_UPDATEDIR | SHCNE_INTERRUPT, kNotifyFlags, path, NULL);
}

BOOL CShortcutManager::DeleteWithShell(const char *path) {
    // The shell takes a list of names ended by an empty one: a second NUL.
    char list[MAX_PATH + 1];
    memset(list, 0, sizeof(list));
    if (!rt::Copy(list, MAX_PATH, path)) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return FALSE;
    }
    int code = RunShellOperation(FO_DELETE, list, NULL, FOF_SILENT | FOF_NOCONFIRMATION);
    if (code != 0) SetLastError(kShellCodeMark | static_cast<DWORD>(code));
    return code == 0;
}
