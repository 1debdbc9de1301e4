// The device installer: detection through the system registry, carrying
// out the action lists, and the update plan. The decisions themselves are
// in portable/device_plan.cpp.
#include "device_installer.h"

#include "files.h"
#include "journal.h"
#include "portable/rules.h"
#include "registry.h"
#include "undo.h"

IMPLEMENT_RUNTIME_CLASS(CDeviceInstaller, CObject)

// Detection's view of the system registry: one key open at a time, opened
// read-only in the manner of OpenKey (a refused key has shown its box and
// counts as missing).
class SystemRegistryView : public RegistryView {
public:
    SystemRegistryView() : m_key(NULL) {}
    ~SystemRegistryView() { Close(); }

    bool Open(const char *keyPath) {
        Close();
        m_key = OpenKey(keyPath, FALSE, HKEY_LOCAL_MACHINE);
        return m_key != NULL;
    }
    bool Read(const char *valueName, Text *out) {
        return m_key && ReadValue(m_key, valueName, out);
    }
    void Close() {
        if (m_key) RegCloseKey(m_key);
        m_key = NULL;
    }
    bool SameText(const char *a, const char *b) { return lstrcmpiA(a, b) == 0; }

private:
    HKEY m_key;
};

static HKEY RootKey(unsigned long root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(root));
}

CDeviceInstaller::CDeviceInstaller()
    : m_nOSVersion(GetOSVersion()),
      m_nRootInstance(-1),
      m_nClassInstance(-1),
      m_nNextRootInstance(0),
      m_bRemoveFailed(FALSE) {}

CDeviceInstaller::~CDeviceInstaller() { Reset(); }

BOOL CDeviceInstaller::SetDeviceInfo(const char *className, const char *deviceDesc,
                                     const char *rootId, const char *mfg, const char *staticVxD,
                                     const char *driverFile, const char *infFile,
                                     const char *infSection) {
    Reset();
    m_strClass.Assign(className);
    m_strDeviceDesc.Assign(deviceDesc);
    m_strRootId.Assign(rootId);
    m_strMfg.Assign(mfg);
    m_strStaticVxD.Assign(staticVxD);
    m_strDriverFile.Assign(driverFile);
    m_strInfFile.Assign(infFile);
    m_strInfSection.Assign(infSection);
    return TRUE;
}

void CDeviceInstaller::Reset() {
    m_fileList.Clear();
    m_regList.Clear();
    m_strClass.Clear();
}

DeviceInfo CDeviceInstaller::Describe() const {
    DeviceInfo device = {m_strClass.c_str(),      m_strDeviceDesc.c_str(), m_strRootId.c_str(),
                         m_strMfg.c_str(),        m_strStaticVxD.c_str(),  m_strDriverFile.c_str(),
                         m_strInfFile.c_str(),    m_strInfSection.c_str()};
    return device;
}

BOOL CDeviceInstaller::DetectInstallation() {
    Detection found = {-1, -1, m_nNextRootInstance, NULL};
    SystemRegistryView view;
    DetectDevice(&view, Describe(), &found);
    m_nRootInstance = found.rootInstance;
    m_nClassInstance = found.classInstance;
    m_nNextRootInstance = found.nextRootInstance;
    char title[MAX_PATH];
    ProgramTitle(title, sizeof(title));
    FindUninstallEntry(&view, Describe(), title, m_nRootInstance >= 0, &m_strUninstallName);
    BuildLists();
    return m_nRootInstance >= 0;
}

BOOL CDeviceInstaller::BuildLists() {
    Detection found = {m_nRootInstance, m_nClassInstance, m_nNextRootInstance,
                       m_strUninstallName.c_str()};
    char title[MAX_PATH];
    ProgramTitle(title, sizeof(title));
    Text windows = GetWindowsFolder();
    Text system = GetSystemFolder();
    SetupFolders folders = {windows.c_str(), system.c_str(), title};
    if (m_nRootInstance < 0) {
        BuildInstallActions(Describe(), found, folders, &m_fileList, &m_regList);
    } else {
        BuildRemovalActions(Describe(), found, folders, &m_fileList, &m_regList);
    }
    return TRUE;
}

BOOL CDeviceInstaller::QueueLeftovers() {
    SystemRegistryView view;
    char title[MAX_PATH];
    ProgramTitle(title, sizeof(title));
    Text windows = GetWindowsFolder();
    Text system = GetSystemFolder();
    SetupFolders folders = {windows.c_str(), system.c_str(), title};
    return AppendLeftoverRemovals(&view, Describe(), folders, &m_fileList, &m_regList);
}

BOOL CDeviceInstaller::AddFile(const char *source, const char *target) {
    return AppendFile(&m_fileList, source, target);
}

BOOL CDeviceInstaller::AddRegValue(const char *keyPath, const char *valueName, const void *data,
                                   long length, DWORD type, HKEY root) {
    return AppendRegValue(&m_regList, keyPath, valueName, data, length, type,
                          static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(root)));
}

static BOOL IsThere(const char *path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

// A bare name has no folder and no drive in it.
static BOOL IsBareName(const char *name) {
    for (; *name; ++name)
        if (*name == '\\' || *name == '/' || *name == ':') return FALSE;
    return TRUE;
}

void CDeviceInstaller::TakeSourcesFrom(const char *folder, BOOL always) {
    for (FileEntry *entry = m_fileList.First(); entry; entry = entry->next) {
        const char *name = entry->source.c_str();
        Text path(folder);
        if (entry->target.Empty() || !IsBareName(name) || !path.Append(name) ||
            path.Length() >= MAX_PATH)
            continue;
        if (always || (!IsThere(name) && IsThere(path.c_str()))) entry->source = path;
    }
}

// A file queued twice (the calibration program) is named once.
static BOOL NamedBefore(FileList &files, const FileEntry *entry) {
    for (FileEntry *e = files.First(); e && e != entry; e = e->next)
        if (!e->target.Empty() && lstrcmpiA(e->source.c_str(), entry->source.c_str()) == 0)
            return TRUE;
    return FALSE;
}

BOOL CDeviceInstaller::SourcesPresent() {
    BOOL present = TRUE;
    for (FileEntry *entry = m_fileList.First(); entry; entry = entry->next) {
        if (entry->target.Empty() || IsThere(entry->source.c_str())) continue;
        present = FALSE;
        if (!NamedBefore(m_fileList, entry))
            journal::Failure(ERROR_FILE_NOT_FOUND, "Missing ", entry->source.c_str());
    }
    return present;
}

// The dialogs' run shows the box users know; the log gives the reason.
static void ReportCopyFailure(const char *source, const char *target, DWORD code) {
    if (journal::Unattended())
        journal::Failure(code, "Could not copy ", source, " to ", target);
    else
        journal::FailureBox(target, "file in use.");
}

// A file that can't be copied is named in a box and the rest go on; a
// missing source is passed over without a word.
void CDeviceInstaller::CopyFiles() {
    for (FileEntry *entry = m_fileList.First(); entry; entry = entry->next) {
        const char *source = entry->source.c_str(), *target = entry->target.c_str();
        int result = CopyOneFile(source, target);
        if (result == kFileFailed) ReportCopyFailure(source, target, GetLastError());
        if (result == kFileDone) journal::Note("Copied ", source, " to ", target);
        if (result == kFileMissing) journal::Note("No ", source, " to copy");
    }
}

// Consecutive values of one key (its path compared ignoring case) are
// written through one open key.
BOOL CDeviceInstaller::WriteValues() {
    HKEY key = NULL;
    const RegEntry *opened = NULL;
    for (RegEntry *entry = m_regList.First(); entry; entry = entry->next) {
        if (!opened || opened->root != entry->root ||
            lstrcmpiA(opened->keyPath.c_str(), entry->keyPath.c_str()) != 0) {
            if (key) RegCloseKey(key);
            key = OpenKey(entry->keyPath.c_str(), TRUE, RootKey(entry->root));
            if (!key) return FALSE;
            opened = entry;
        }
        undo::BeforeValue(RootKey(entry->root), entry->keyPath.c_str(), entry->valueName.c_str());
        if (!WriteValue(key, entry->valueName.c_str(), entry->data, entry->type)) {
            RegCloseKey(key);
            return FALSE;
        }
        journal::NoteValue("Wrote", entry->keyPath.c_str(), entry->valueName.c_str());
    }
    if (key) RegCloseKey(key);
    return TRUE;
}

BOOL CDeviceInstaller::Install() {
    if (m_nRootInstance >= 0) PrepareUpdate();
    CopyFiles();
    return WriteValues();
}

// The running program's own file stays until the finishing run after the
// restart: that is no failure of the removal.
static BOOL IsRunningProgram(const char *path) {
    char running[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, running, sizeof(running));
    return length > 0 && length < sizeof(running) && lstrcmpiA(running, path) == 0;
}

static void ReportStayed(const char *path, DWORD code) {
    if (IsRunningProgram(path))
        journal::NoteError(code, "Could not delete ", path);
    else
        journal::Failure(code, "Could not delete ", path);
}

BOOL CDeviceInstaller::AnyRemovalLeft() {
    for (FileEntry *entry = m_fileList.First(); entry; entry = entry->next)
        if (entry->target.Empty() && IsThere(entry->source.c_str())) return TRUE;
    return FALSE;
}

BOOL CDeviceInstaller::Remove() {
    for (FileEntry *entry = m_fileList.First(); entry; entry = entry->next) {
        // An entry with a target is a copy: its source is a bare name in the
        // current folder (the installation medium's own file), never ours to
        // delete. Only removal entries name files of the package.
        if (!entry->target.Empty()) continue;
        int result = DeleteOneFile(entry->source.c_str());
        if (result == kFileFailed) ReportStayed(entry->source.c_str(), GetLastError());
        if (result == kFileDone) journal::Note("Deleted ", entry->source.c_str());
    }
    // A file queued twice may have gone at its second try.
    m_bRemoveFailed = AnyRemovalLeft();
    for (RegEntry *entry = m_regList.First(); entry; entry = entry->next) {
        // A value to write names a key that a fresh installation would
        // use, which may be another program's; removal entries carry
        // neither value name nor data.
        if (!entry->valueName.Empty() || !entry->data.Empty()) continue;
        LONG result = DeleteKey(RootKey(entry->root), entry->keyPath.c_str());
        if (result == ERROR_SUCCESS)
            journal::Note("Deleted key HKLM\\", entry->keyPath.c_str());
        // A key that is not there is already as a removal leaves it.
        else if (result != ERROR_FILE_NOT_FOUND)
            journal::Failure(static_cast<DWORD>(result), "Could not delete key HKLM\\",
                             entry->keyPath.c_str());
    }
    return TRUE;
}

BOOL CDeviceInstaller::PrepareUpdate() {
    if (m_nRootInstance < 0) return FALSE;
    Text system = GetSystemFolder();
    BuildUpdateActions(Describe(), system.c_str(), &m_fileList, &m_regList);
    return TRUE;
}
