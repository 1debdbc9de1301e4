// Setup's unattended run ("/S"): the same installation and removal as the
// dialogs make, without any window; every box becomes a line of the log
// and the outcome an exit code a script can test.
#include "setup_app.h"

#include "com_ports.h"
#include "journal.h"
#include "port_names.h"
#include "portable/rules.h"
#include "resource.h"
#include "runtime.h"
#include "undo.h"

using namespace unattended;

// TRUE when the command line asked for an unattended run, which has then
// been carried out.
BOOL CSetupApp::RunIfUnattended() {
    Options options;
    char bad[64];
    Parse parse = unattended::ReadCommandLine(m_lpCmdLine, &options, bad, sizeof(bad));
    if (parse == kInteractive) return FALSE;
    m_nExitCode = RunUnattended(parse, options, bad);
    return TRUE;
}

int CSetupApp::RunUnattended(Parse parse, const Options &options, const char *bad) {
    // A log that can't be written to is a bad switch: nothing is done.
    if (!journal::Start(options.log)) return kBadSwitches;
    journal::Note("Setup ", m_lpCmdLine);
    int code = UnattendedOutcome(parse, options, bad);
    if (journal::AnyFailure() && (code == kDone || code == kDoneRestart)) code = kNotWritten;
    char number[16];
    rt::FormatUnsigned(number, sizeof(number), static_cast<unsigned long>(code));
    journal::Note("Exit code ", number);
    journal::Stop();
    BOOL done = code == kDone || code == kDoneRestart;
    if (done && options.reboot) Restart();
    return code;
}

// Each refusal comes before anything is written: unattended, detection
// leaves System.ini alone, and the installation writes it.
int CSetupApp::UnattendedOutcome(Parse parse, const Options &options, const char *bad) {
    if (parse == kBad) {
        journal::Note("Bad switch: ", bad);
        return kBadSwitches;
    }
    if (IsRefusedOS(m_installer.m_nOSVersion)) {
        ShowBox(IDS_WRONG_SYSTEM, MB_OK | MB_ICONHAND);
        return kUnsupportedWindows;
    }
    int port = 0;
    if (!options.remove && !ChoosePort(options, &port)) return kBadSwitches;
    m_installer.Prepare(FALSE);
    BOOL installed = m_installer.m_nRootInstance >= 0;
    if (!options.remove && installed) {
        ShowBox(IDS_ALREADY_INSTALLED, MB_OK | MB_ICONHAND);
        return kRefused;
    }
    return options.remove ? RemoveUnattended(installed) : InstallUnattended(port, options);
}

// The port asked for when the system knows it; without /PORT the first
// port the system knows.
BOOL CSetupApp::ChoosePort(const Options &options, int *port) {
    if (options.port) {
        *port = static_cast<int>(options.port);
        if (shelf::PortPresent(options.port)) return TRUE;
        journal::Note("Bad switch: /PORT: the system knows no such port");
        return FALSE;
    }
    for (DWORD n = ports::FirstPort(); n <= ports::LastPort(); ++n) {
        *port = static_cast<int>(n);
        if (shelf::PortPresent(n)) return TRUE;
    }
    journal::Note("Bad switch: no /PORT, and the system knows no serial port");
    return FALSE;
}

// A failure on the way takes back all that this run did, last first.
int CSetupApp::InstallUnattended(int port, const Options &options) {
    undo::Start();
    BOOL complete = InstallFiles(port, options.calibrated ? options.calibration : NULL);
    if (complete && journal::AnyFailure()) {
        undo::RollBack();
        return kNotWritten;
    }
    undo::Finish();
    if (!complete) {
        journal::Note("Nothing was installed: the package is incomplete");
        return kNotWritten;
    }
    // The driver loads only when Windows starts.
    journal::Note("Installation complete; Windows must restart for the driver to load");
    return kDoneRestart;
}

// A removal takes whatever of the package it finds, also what a run cut
// short left, which detection does not count as installed; only a machine
// without any of it is refused. From the program folder the running
// Setup.exe stays until the finishing run after the restart.
int CSetupApp::RemoveUnattended(BOOL installed) {
    BOOL leftovers = m_installer.QueueLeftovers();
    if (!installed && !leftovers && !PackageLeftOnDisk()) {
        ShowBox(IDS_NOT_INSTALLED, MB_OK | MB_ICONHAND);
        return kRefused;
    }
    RemoveRunLeftovers();
    if (!FinishRemoval()) return kNotWritten;
    ShowBox(IDS_REMOVAL_COMPLETE, MB_YESNO | MB_ICONINFORMATION, IDNO);
    return m_installer.m_bRemoveFailed ? kDoneRestart : kDone;
}
