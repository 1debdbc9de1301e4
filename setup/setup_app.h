// Setup's application object: decides from the command line and the
// detected installation whether this run installs, removes or finishes an
// earlier removal, asks through the modal dialogs (an unattended run takes
// the answers from its command line), lets the touchscreen installer do
// the file and registry work, makes or removes the Start-menu group and
// offers the restart. Setup has no window of its own.
#ifndef SETUP_APP_H
#define SETUP_APP_H

#include "framework.h"
#include "portable/flow.h"
#include "portable/unattended.h"
#include "shortcuts.h"
#include "touch_installer.h"

// Where one run's questions go. The dialogs' run asks the user; the
// unattended run ("/S") answers each from its command line and writes to
// the log what it does instead.
class CSetupQuestions {
public:
    // The question before an installation or a removal; TRUE goes on.
    virtual BOOL Confirm(BOOL install) = 0;
    // The controller's port for an installation; FALSE ends the run.
    virtual BOOL ChoosePort(int *port) = 0;
    // The calibration an installation stores (the record's five words);
    // NULL: the calibration program runs at the next start of Windows.
    virtual const unsigned long *Calibration() = 0;
    // An installation is complete; TRUE restarts Windows now.
    virtual BOOL RestartAfterInstall() = 0;

protected:
    ~CSetupQuestions() {}
};

class CSetupApp : public CApplication {
    DECLARE_RUNTIME_CLASS(CSetupApp)
public:
    CSetupApp();

    virtual BOOL InitInstance();
    // Setup's exit code is 0 whatever happened, but for an unattended run
    // (see portable/unattended.h).
    virtual int ExitInstance();

    // The whole flow, once.
    void RunSetup();
    // Removes the package: the folder's files, the package's files in the
    // system folder, the queued keys, the folder itself and the group.
    // folder is given without a trailing backslash.
    BOOL RemoveProgramFolder(const char *folder);
    // Copies Setup into the temporary folder and has Windows run that copy
    // with "-L" once at its next start.
    BOOL ScheduleRemovalAfterRestart();
    // The folder of the running program, with its trailing backslash, into
    // out (MAX_PATH bytes).
    BOOL GetModuleFolder(char *out);

private:
    void ReadCommandLine();
    int ShowBox(UINT textId, UINT style, int unattendedAnswer = IDOK);
    BOOL SystemSupported();
    // One run's decision (flow::ChooseAction) and its action, the same for
    // both kinds of run; the outcome as an unattended run's exit code.
    int RunAction(const flow::Switches &switches, CSetupQuestions &questions);
    BOOL PackageFound(const flow::Switches &switches);
    int Refuse(UINT textId);
    int InstallPackage(CSetupQuestions &questions);
    BOOL InstallFiles(int port, const unsigned long *calibration);
    void MakeProgramFolder();
    void QueueCopy(const char *name, const char *folder);
    void QueueProgramFiles();
    void QueueFirstCalibration();
    void CreateShortcuts();
    int RemovePackage(const flow::Switches &switches, CSetupQuestions &questions);
    void RemoveInstalledFolder();
    void QueueFolderFiles(const char *folder);
    void QueueSystemFileRemovals();
    void DeleteFolderIfThere(const char *folder);
    void RemoveStartMenuGroup();
    BOOL PackageLeftOnDisk();
    void RemoveRunLeftovers();
    void Restart();
    BOOL FinishRemoval();

    // The unattended run ("/S"), without a window; unattended_run.cpp.
    BOOL RunIfUnattended();
    int RunUnattended(unattended::Parse parse, const unattended::Options &options,
                      const char *bad);
    int UnattendedOutcome(unattended::Parse parse, const unattended::Options &options,
                          const char *bad);

    CTouchInstaller m_installer;
    CShortcutManager m_shortcuts;
    BOOL m_bInstall;
    BOOL m_bFinishRemoval;
    char m_strProgramFolder[MAX_PATH];
    char m_strGroup[MAX_PATH];
    int m_nExitCode;
};

#endif
