// File operations and system folders for Setup; see files.h.
#include "files.h"

#include <shellapi.h>

#include "bounded_text.h"
#include "device_installer.h"
#include "journal.h"
#include "portable/rules.h"
#include "registry.h"
#include "undo.h"
#include "win95_abi.h"
#include "windows_version.h"

// The shell takes lists of names: each ends in a NUL, the list in another.
static BOOL MakeNameList(const char *name, Text *list) {
    int length = lstrlenA(name);
    char *room = list->Reserve(length + 1);  // zeroed, plus its own NUL
    if (!room) return FALSE;
    if (length) memcpy(room, name, length);
    return TRUE;
}

static BOOL FileExists(const char *path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(path, &found);
    if (search == INVALID_HANDLE_VALUE) return FALSE;
    FindClose(search);
    return TRUE;
}

int RunShellOperation(UINT operation, const char *fromList, const char *to, WORD flags) {
    SHFILEOPSTRUCTA request;
    memset(&request, 0, sizeof(request));
    request.wFunc = operation;
    request.pFrom = fromList;
    request.pTo = to;
    // A box nobody answers would hold an unattended run for ever.
    if (journal::Unattended()) flags |= FOF_NOERRORUI | FOF_SILENT | FOF_NOCONFIRMATION;
    request.fFlags = flags;
    return SHFileOperationA(&request);
}

// The shell's codes are its own and often say only that it gave up, so
// the file is asked why it can't be written (in use, read-only, no
// folder); that, or else the marked shellCode, is left as the last error
// for the log.
static int Refused(const char *path, DWORD shellCode) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD why = file == INVALID_HANDLE_VALUE ? GetLastError() : kShellCodeMark | shellCode;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    SetLastError(why);
    return kFileFailed;
}

// Silent, replaces an existing target, makes a missing target folder.
int CDeviceInstaller::CopyOneFile(const char *source, const char *target) {
    Text from, to;
    if (!MakeNameList(source, &from) || !MakeNameList(target, &to)) return kFileFailed;
    if (!FileExists(from.c_str())) return kFileMissing;
    if (!undo::BeforeFile(target)) return kFileFailed;
    int code = RunShellOperation(FO_COPY, from.c_str(), to.c_str(),
                                 FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR);
    return code == 0 ? kFileDone : Refused(target, static_cast<DWORD>(code));
}

// Without FOF_ALLOWUNDO the file is deleted outright, not put in the bin.
int CDeviceInstaller::DeleteOneFile(const char *path) {
    Text list;
    if (!MakeNameList(path, &list)) return kFileFailed;
    if (!FileExists(list.c_str())) return kFileMissing;
    int code = RunShellOperation(FO_DELETE, list.c_str(), NULL, FOF_SILENT | FOF_NOCONFIRMATION);
    if (code != 0) return Refused(path, static_cast<DWORD>(code));
    // Some shells report a running program's file as deleted while it
    // stays; a file still there was not deleted.
    return FileExists(list.c_str()) ? Refused(path, ERROR_ACCESS_DENIED) : kFileDone;
}

typedef UINT(WINAPI *FolderQuery)(LPSTR, UINT);

static Text FolderWithBackslash(FolderQuery query, const char *caption) {
    char folder[MAX_PATH];
    Text result;
    UINT length = query(folder, sizeof(folder));
    if (length == 0) {
        ReportError(GetLastError(), caption);
    } else if (length >= sizeof(folder) || !rt::AppendBackslash(folder, sizeof(folder))) {
        // The name, with its backslash, does not fit the path buffers.
        ReportError(ERROR_FILENAME_EXCED_RANGE, caption);
    } else {
        result.Assign(folder);
    }
    return result;
}

Text GetWindowsFolder() { return FolderWithBackslash(GetWindowsDirectoryA, "GetWindowsFolder"); }

Text GetSystemFolder() { return FolderWithBackslash(GetSystemDirectoryA, "GetSystemFolder"); }

int GetOSVersion() {
    shelf::WindowsVersion version = shelf::RunningWindows();
    return ClassifyOS(version.platformId, version.major, version.minor);
}

void ProgramTitle(char *title, size_t titleSize) {
    char path[MAX_PATH];
    // Windows 95 leaves a path that fills the buffer unterminated.
    DWORD length = GetModuleFileNameA(NULL, path, sizeof(path));
    if (length >= sizeof(path)) length = 0;
    path[length] = '\0';
    FileTitleOf(path, title, titleSize);
}
