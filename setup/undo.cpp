// Setup's undo journal of an unattended installation; see undo.h.
#include "undo.h"

#include "journal.h"
#include "portable/text.h"
#include "registry.h"

namespace undo {

namespace {

enum Kind {
    kRestoreFile,     // path from the copy in item
    kDeleteFile,      // path, which did not exist
    kRemoveFolder,    // path, made by the run
    kDeleteKey,       // path below root, which did not exist
    kRestoreValue,    // name of key path below root: data of type
    kDeleteValue,     // name of key path below root, which did not exist
    kRestoreProfile,  // item of section name in file path: data
    kDeleteProfile,   // item of section name in file path, which did not exist
};

struct Step {
    Kind kind;
    HKEY root;
    Text path;
    Text name;
    Text item;
    Text data;
    DWORD type;
    Step *before;
};

BOOL g_active = FALSE;
Step *g_last = NULL;
unsigned long g_copies = 0;

// A step about to be noted; null (and nothing noted) when memory ran out,
// which is a failure of the run like any other.
Step *NewStep(Kind kind, const char *path) {
    Step *step = new Step;
    if (!step || !step->path.Assign(path)) {
        delete step;
        journal::Failure(ERROR_NOT_ENOUGH_MEMORY, "Could not note how to undo ", path);
        return NULL;
    }
    step->kind = kind;
    step->root = HKEY_LOCAL_MACHINE;
    step->type = 0;
    return step;
}

void Note(Step *step) {
    step->before = g_last;
    g_last = step;
}

BOOL Exists(const char *path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// The folder of the copies, with its trailing backslash; made when asked.
BOOL CopiesFolder(Text *folder, BOOL make) {
    char temp[MAX_PATH];
    DWORD length = GetTempPathA(sizeof(temp), temp);
    if (length == 0 || length >= sizeof(temp) || !folder->Assign(temp) ||
        !folder->Append(UNDO_COPIES_FOLDER "\\") || folder->Length() >= MAX_PATH)
        return FALSE;
    return !make || CreateDirectoryA(folder->c_str(), NULL) ||
           GetLastError() == ERROR_ALREADY_EXISTS;
}

// CopyFileA keeps the file's time of writing, so the copy put back is the
// file as it was.
BOOL KeepCopy(const char *path, Text *copy) {
    char number[16];
    wsprintfA(number, "%lu", ++g_copies);  // at most 10 digits
    return CopiesFolder(copy, TRUE) && copy->Append(number) && copy->Length() < MAX_PATH &&
           CopyFileA(path, copy->c_str(), FALSE);
}

// ---- undoing -----------------------------------------------------------------

BOOL Done(LONG result) { return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND; }

LONG FileResult(BOOL done) {
    DWORD error = done ? ERROR_SUCCESS : GetLastError();
    return error == ERROR_PATH_NOT_FOUND ? ERROR_FILE_NOT_FOUND : static_cast<LONG>(error);
}

LONG SetValue(const Step &step, BOOL restore) {
    HKEY key;
    LONG result = RegOpenKeyExA(step.root, step.path.c_str(), 0, KEY_SET_VALUE, &key);
    if (result != ERROR_SUCCESS) return result;
    result = restore ? RegSetValueExA(key, step.name.c_str(), 0, step.type,
                                      reinterpret_cast<const BYTE *>(step.data.c_str()),
                                      static_cast<DWORD>(step.data.Length()))
                     : RegDeleteValueA(key, step.name.c_str());
    RegCloseKey(key);
    return result;
}

LONG UndoFile(const Step &step) {
    if (step.kind == kDeleteFile)
        return Exists(step.path.c_str()) ? FileResult(DeleteFileA(step.path.c_str()))
                                         : ERROR_SUCCESS;
    LONG result = FileResult(CopyFileA(step.item.c_str(), step.path.c_str(), FALSE));
    if (result == ERROR_SUCCESS) DeleteFileA(step.item.c_str());
    return result;
}

LONG UndoStep(const Step &step) {
    switch (step.kind) {
    case kRestoreFile:
    case kDeleteFile:
        return UndoFile(step);
    case kRemoveFolder:
        return Exists(step.path.c_str()) ? FileResult(RemoveDirectoryA(step.path.c_str()))
                                         : ERROR_SUCCESS;
    case kDeleteKey:
        return DeleteKey(step.root, step.path.c_str());
    case kRestoreValue:
    case kDeleteValue:
        return SetValue(step, step.kind == kRestoreValue);
    default:
        return FileResult(WritePrivateProfileStringA(
            step.name.c_str(), step.item.c_str(),
            step.kind == kRestoreProfile ? step.data.c_str() : NULL, step.path.c_str()));
    }
}

// What undoing the step does, as the log names it: "restored <file>",
// "deleted key HKLM\<key>", "restored HKLM\<key> value <name>", ...
void Describe(const Step &step, Text *what) {
    static const char *const kVerbs[] = {"restored ", "deleted ", "removed folder ",
                                         "deleted key HKLM\\", "restored HKLM\\",
                                         "deleted HKLM\\", "restored ", "deleted "};
    what->Assign(kVerbs[step.kind]);
    Text path(step.path.c_str());
    size_t length = path.Length();
    // A key named with its closing backslash is logged without it.
    if (length > 0 && path.c_str()[length - 1] == '\\') path.AssignBytes(step.path.c_str(), length - 1);
    what->Append(path.c_str());
    if (step.kind == kRestoreValue || step.kind == kDeleteValue) {
        what->Append(" value ");
        what->Append(step.name.c_str());
    } else if (step.kind >= kRestoreProfile) {
        what->Append(" [");
        what->Append(step.name.c_str());
        what->Append("] ");
        what->Append(step.item.c_str());
    }
}

// A copy that stays is no harm to the machine; a removal deletes it.
void Forget(Step *step) {
    if (step->kind == kRestoreFile && !DeleteFileA(step->item.c_str()))
        journal::NoteError(GetLastError(), "Could not delete ", step->item.c_str());
    delete step;
}

void RemoveCopiesFolder() {
    Text folder;
    if (g_copies && CopiesFolder(&folder, FALSE)) RemoveDirectoryA(folder.c_str());
}

// A file written twice in a run (the calibration program is queued twice)
// is put back by its first step.
BOOL Noted(const char *path) {
    for (const Step *step = g_last; step; step = step->before)
        if ((step->kind == kRestoreFile || step->kind == kDeleteFile) &&
            lstrcmpiA(step->path.c_str(), path) == 0)
            return TRUE;
    return FALSE;
}

// The shell's copy makes a missing folder for its file: that goes again.
void NoteMissingFolder(const char *path) {
    Text folder(path);
    size_t cut = folder.Length();
    while (cut > 0 && path[cut - 1] != '\\') --cut;
    if (cut < 2 || !folder.AssignBytes(path, cut - 1) || Exists(folder.c_str())) return;
    Step *step = NewStep(kRemoveFolder, folder.c_str());
    if (step) Note(step);
}

}  // namespace

void Start() { g_active = TRUE; }

BOOL BeforeFile(const char *path) {
    if (!g_active || Noted(path)) return TRUE;
    NoteMissingFolder(path);
    BOOL exists = Exists(path);
    Step *step = NewStep(exists ? kRestoreFile : kDeleteFile, path);
    if (!step) return FALSE;
    if (exists && !KeepCopy(path, &step->item)) {
        journal::Failure(GetLastError(), "Could not keep a copy of ", path);
        delete step;
        return FALSE;
    }
    Note(step);
    return TRUE;
}

void MadeFolder(const char *path) {
    Step *step = g_active ? NewStep(kRemoveFolder, path) : NULL;
    if (step) Note(step);
}

// Each key on the path is opened in turn, up to the first that is missing.
void BeforeKey(HKEY root, const char *path) {
    if (!g_active) return;
    int length = lstrlenA(path);
    for (int end = 1; end <= length; ++end) {
        if (path[end] != '\\' && path[end] != '\0') continue;
        Text prefix;
        HKEY key;
        if (!prefix.AssignBytes(path, static_cast<size_t>(end))) return;
        if (RegOpenKeyExA(root, prefix.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
            RegCloseKey(key);
            continue;
        }
        Step *step = NewStep(kDeleteKey, prefix.c_str());
        if (step) step->root = root;
        if (step) Note(step);
        return;
    }
}

// The old data, or none; read as the bytes they are.
static BOOL ReadOld(HKEY root, const char *keyPath, const char *name, Step *step) {
    HKEY key;
    if (RegOpenKeyExA(root, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return FALSE;
    DWORD size = 0;
    LONG result = RegQueryValueExA(key, name, NULL, &step->type, NULL, &size);
    char *data = result == ERROR_SUCCESS ? step->data.Reserve(size) : NULL;
    if (data) result = RegQueryValueExA(key, name, NULL, &step->type,
                                        reinterpret_cast<BYTE *>(data), &size);
    RegCloseKey(key);
    return data && result == ERROR_SUCCESS;
}

void BeforeValue(HKEY root, const char *keyPath, const char *name) {
    Step *step = g_active ? NewStep(kDeleteValue, keyPath) : NULL;
    if (!step || !step->name.Assign(name)) {
        delete step;
        return;
    }
    step->root = root;
    if (ReadOld(root, keyPath, name, step)) step->kind = kRestoreValue;
    Note(step);
}

void BeforeProfile(const char *section, const char *key, const char *file) {
    Step *step = g_active ? NewStep(kDeleteProfile, file) : NULL;
    if (!step) return;
    // A text no one writes tells a missing entry from an empty one.
    char old[MAX_PATH];
    DWORD length = GetPrivateProfileStringA(section, key, "\x01", old, sizeof(old), file);
    if (!(length == 1 && old[0] == '\x01')) step->kind = kRestoreProfile;
    if (step->name.Assign(section) && step->item.Assign(key) && step->data.Assign(old))
        Note(step);
    else
        delete step;
}

BOOL RollBack() {
    BOOL whole = TRUE;
    while (g_last) {
        Step *step = g_last;
        g_last = step->before;
        LONG result = UndoStep(*step);
        Text what;
        Describe(*step, &what);
        if (Done(result)) {
            journal::Note("Undone: ", what.c_str());
            Forget(step);
            continue;
        }
        journal::Failure(static_cast<DWORD>(result), "Not undone: ", what.c_str());
        // The file as it was must not be lost with its copy.
        if (step->kind == kRestoreFile)
            journal::Note("The file as it was is kept in ", step->item.c_str());
        delete step;
        whole = FALSE;
    }
    RemoveCopiesFolder();
    g_active = FALSE;
    journal::Note(whole ? "Installation rolled back"
                        : "Installation rolled back but for the steps that could not be undone");
    return whole;
}

void Finish() {
    while (g_last) {
        Step *step = g_last;
        g_last = step->before;
        Forget(step);
    }
    RemoveCopiesFolder();
    g_active = FALSE;
}

}  // namespace undo
