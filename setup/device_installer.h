// CDeviceInstaller registers a legacy, root-enumerated device driver with
// the Windows 9x configuration manager, copies its driver and INF files,
// makes the entry in the list of removable programs, and undoes it all.
// It collects actions in two ordered lists first and carries them out in
// one pass.
#ifndef SETUP_DEVICE_INSTALLER_H
#define SETUP_DEVICE_INSTALLER_H

#include <windows.h>

#include "framework.h"
#include "portable/action_lists.h"
#include "portable/device_plan.h"
#include "portable/text.h"

class CDeviceInstaller : public CObject {
    DECLARE_RUNTIME_CLASS(CDeviceInstaller)
public:
    CDeviceInstaller();
    // Reset, then every member is freed.
    virtual ~CDeviceInstaller();

    // The virtual operations keep this order in every derived class.
    virtual BOOL SetDeviceInfo(const char *className, const char *deviceDesc, const char *rootId,
                               const char *mfg, const char *staticVxD, const char *driverFile,
                               const char *infFile, const char *infSection);
    // Empties both lists and the class name; the other texts stay.
    virtual void Reset();
    // Sets the instance numbers and appends the install or removal
    // actions; TRUE when the device is installed.
    virtual BOOL DetectInstallation();
    virtual BOOL AddFile(const char *source, const char *target);
    virtual BOOL AddRegValue(const char *keyPath, const char *valueName, const void *data,
                             long length, DWORD type, HKEY root);
    // Copies every file, then writes every value; FALSE at the first key or
    // value that can't be written.
    virtual BOOL Install();
    // Deletes every file queued for removal, then every key; always TRUE.
    // m_bRemoveFailed tells whether a file of the list is still there.
    virtual BOOL Remove();
    // Replaces the lists by an update of the installed device; FALSE when
    // it isn't installed.
    virtual BOOL PrepareUpdate();

    // Queues the removal of what an installation or a removal cut short
    // left of the device (see AppendLeftoverRemovals); TRUE when a key of
    // it is there.
    BOOL QueueLeftovers();

    // The package's files lie side by side with Setup.exe in folder (with
    // its trailing backslash). Each copy whose source is a bare name takes
    // it from folder: always, or only when the current folder lacks it
    // and folder holds it (the current folder comes first).
    void TakeSourcesFrom(const char *folder, BOOL always);
    // TRUE when every copy's source is there; otherwise a failure line
    // names each one missing.
    BOOL SourcesPresent();

    // One file through the shell, silently: kFileFailed, kFileDone or
    // kFileMissing (files.h). They use no field of the object.
    static int CopyOneFile(const char *source, const char *target);
    static int DeleteOneFile(const char *path);

    int m_nOSVersion;
    int m_nRootInstance;
    int m_nClassInstance;
    int m_nNextRootInstance;
    BOOL m_bRemoveFailed;
    Text m_strClass;
    Text m_strDeviceDesc;
    Text m_strStaticVxD;
    Text m_strMfg;
    Text m_strDriverFile;
    Text m_strInfFile;
    Text m_strInfSection;
    Text m_strRootId;
    // The package's entry under Uninstall, as detection found or chose it;
    // empty when there is none of ours.
    Text m_strUninstallName;
    FileList m_fileList;
    RegList m_regList;

protected:
    BOOL BuildLists();
    DeviceInfo Describe() const;

private:
    void CopyFiles();
    // TRUE when a file queued for removal is still there.
    BOOL AnyRemovalLeft();
    BOOL WriteValues();
};

#endif
