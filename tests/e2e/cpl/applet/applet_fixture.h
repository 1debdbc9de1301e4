// Shared pieces of the applet's end-to-end tests: a fixture that keeps the
// parameter store, the system's double-click settings and the simulated
// driver as they were, and helpers that open the applet in a stand-in
// Control Panel process and answer its boxes.
#ifndef APPLET_E2E_FIXTURE_H
#define APPLET_E2E_FIXTURE_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "harness.h"
#include "parameter_store.h"

namespace applet_e2e {

extern const char kSheetTitle[];
extern const char kParamKey[];
extern const char kServiceKey[];

std::string AppletPath();  // the built Pemrosko.Cpl

class AppletTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Starts the stand-in Control Panel, which double-clicks the applet
    // 'doubleClicks' times. The process is ended at TearDown if still alive.
    harness::Process &OpenApplet(int doubleClicks = 1);
    // The sheet of that process, or NULL after a bounded wait.
    HWND WaitSheet(const harness::Process &host, DWORD ms = 15000);
    // Expects a message box with this caption and text, shown with 'owner'
    // (NULL: no owner), and presses its OK button.
    void AnswerBox(const char *caption, const std::string &text, HWND owner = NULL);
    // Waits for the stand-in Control Panel to end; its code must be 0.
    void ExpectHostEnds(harness::Process &host);
    // Presses OK (or Cancel) and waits for the sheet and its host to end.
    void CloseSheet(HWND sheet, harness::Process &host, int button);

    // The store's values.
    void WriteStore(store::ValueId id, DWORD value);
    void WriteInstallDefaults();
    DWORD StoredNumber(const char *name);
    DWORD StoredNumber(store::ValueId id) { return StoredNumber(store::Rule(id).name); }

    int ReloadRequests();

private:
    std::unique_ptr<harness::StoreSnapshot> m_store;
    std::unique_ptr<harness::KeySnapshot> m_mouse;
    std::vector<std::unique_ptr<harness::Process>> m_hosts;
};

}  // namespace applet_e2e

#endif
