// diag_bench <idle seconds> <showing seconds>
// The Diagnostics page for scripts/diag_touch_cpu.sh: stores the install
// defaults, installs the simulated driver, opens the sheet through the
// stand-in Control Panel (cplhost.exe beside this program) and shows the
// Diagnostics page, first with "Show touches" off, then on, for the given
// times; then Cancel. The script measures the processor time meanwhile.
// Exit code 0 when every step worked.
#include <windows.h>
#include <prsht.h>

#include <stdlib.h>

#include "harness.h"
#include "parameter_store.h"
#include "resource.h"

namespace {

const int kDiagnosticsPage = 4;

void StoreInstallDefaults() {
    for (int i = 0; i < store::kValueCount; ++i) {
        const store::ValueRule &rule = store::Rule(static_cast<store::ValueId>(i));
        harness::WriteDword(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, rule.name, rule.installDefault);
    }
}

int Run(DWORD idleMs, DWORD showingMs) {
    harness::StoreSnapshot store;
    StoreInstallDefaults();
    if (!harness::sim::Install()) return 2;
    harness::sim::Reset();
    harness::Process host = harness::StartControlPanel(1, harness::TempDir());
    HWND sheet = harness::WaitProcessWindow(host.pid, "Orvantix Touchscreen Properties", 10000);
    if (!sheet) return 3;
    harness::SheetSelectPage(sheet, kDiagnosticsPage);
    harness::Pause(idleMs);
    harness::Click(harness::SheetPage(sheet), IDC_DIAG_SHOW);
    harness::Pause(showingMs);
    harness::PostSheetPress(sheet, PSBTN_CANCEL);
    DWORD code = 1;
    bool ended = harness::WaitExit(host, 10000, &code);
    if (!ended) harness::Kill(host);
    harness::sim::Reset();
    harness::sim::Uninstall();
    return ended && code == 0 ? 0 : 4;
}

}  // namespace

int main(int argc, char **argv) {
    if (argc != 3) return 1;
    return Run(strtoul(argv[1], NULL, 10) * 1000, strtoul(argv[2], NULL, 10) * 1000);
}
