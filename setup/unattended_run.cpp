// Setup's unattended run ("/S"): the same decision, installation and
// removal as the dialogs' run, without any window; every box becomes a
// line of the log, every question is answered from the command line, and
// the outcome is an exit code a script can test.
#include "setup_app.h"

#include "com_ports.h"
#include "journal.h"
#include "port_names.h"
#include "runtime.h"

using namespace unattended;

namespace {

// The answers the command line gives: go on, the port found for it, its
// calibration; the restart waits for the log to close (/REBOOT).
class CUnattendedAnswers : public CSetupQuestions {
public:
    explicit CUnattendedAnswers(const Options &options) : m_options(options), m_nPort(0) {}

    BOOL FindPort();

    virtual BOOL Confirm(BOOL) { return TRUE; }
    virtual BOOL ChoosePort(int *port) {
        *port = m_nPort;
        return TRUE;
    }
    virtual const unsigned long *Calibration() {
        return m_options.calibrated ? m_options.calibration : NULL;
    }
    // The driver loads only when Windows starts.
    virtual BOOL RestartAfterInstall() {
        journal::Note("Installation complete; Windows must restart for the driver to load");
        return FALSE;
    }

private:
    const Options &m_options;
    int m_nPort;
};

// The port asked for when the system knows it; without /PORT the first
// port the system knows.
BOOL CUnattendedAnswers::FindPort() {
    if (m_options.port) {
        m_nPort = static_cast<int>(m_options.port);
        if (shelf::PortPresent(m_options.port)) return TRUE;
        journal::Note("Bad switch: /PORT: the system knows no such port");
        return FALSE;
    }
    for (DWORD n = ports::FirstPort(); n <= ports::LastPort(); ++n) {
        m_nPort = static_cast<int>(n);
        if (shelf::PortPresent(n)) return TRUE;
    }
    journal::Note("Bad switch: no /PORT, and the system knows no serial port");
    return FALSE;
}

}  // namespace

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
    int outcome = UnattendedOutcome(parse, options, bad);
    // Only now: the run's own failures count.
    int code = FinalCode(outcome, journal::AnyFailure() != FALSE);
    char number[16];
    rt::FormatUnsigned(number, sizeof(number), static_cast<unsigned long>(code));
    journal::Note("Exit code ", number);
    journal::Stop();
    if (RestartsAfter(code, options)) Restart();
    return code;
}

// Each refusal comes before anything is written: unattended, detection
// leaves System.ini alone, and the installation writes it. A port the
// system does not know is a bad switch, whatever is installed.
int CSetupApp::UnattendedOutcome(Parse parse, const Options &options, const char *bad) {
    if (parse == kBad) {
        journal::Note("Bad switch: ", bad);
        return kBadSwitches;
    }
    if (!SystemSupported()) return kUnsupportedWindows;
    CUnattendedAnswers answers(options);
    if (!options.remove && !answers.FindPort()) return kBadSwitches;
    return RunAction(SwitchesOf(options), answers);
}
