// The applet test fixture and its helpers.
#include "applet_fixture.h"

#include "driver_interface.h"

namespace sim = harness::sim;

namespace applet_e2e {

const char kSheetTitle[] = "Orvantix Touchscreen Properties";
const char kParamKey[] = TOUCH_PARAM_KEY;
const char kServiceKey[] = TOUCH_SERVICE_KEY;

static const char kMouseKey[] = "Control Panel\\Mouse";

std::string AppletPath() { return harness::Join(harness::PackageDir(), "Pemrosko.Cpl"); }

// ---- fixture ------------------------------------------------------------------

void AppletTest::SetUpTestSuite() { ASSERT_TRUE(sim::Install()) << harness::SimulatorPath(); }

void AppletTest::TearDownTestSuite() { sim::Reset(); }

void AppletTest::SetUp() {
    ASSERT_TRUE(harness::FileExists(AppletPath())) << AppletPath();
    ASSERT_TRUE(sim::Install());
    m_store.reset(new harness::StoreSnapshot);
    m_mouse.reset(new harness::KeySnapshot(HKEY_CURRENT_USER, kMouseKey));
    harness::DeleteKeyTree(HKEY_LOCAL_MACHINE, kServiceKey);
    sim::Reset();
}

void AppletTest::TearDown() {
    for (auto &host : m_hosts) {
        if (!harness::WaitExit(*host, 0)) harness::Kill(*host);
    }
    m_hosts.clear();
    m_store.reset();
    m_mouse.reset();
    sim::Install();
    sim::Reset();
}

harness::Process &AppletTest::OpenApplet(int doubleClicks) {
    m_hosts.emplace_back(new harness::Process(harness::StartControlPanel(doubleClicks)));
    EXPECT_TRUE(m_hosts.back()->Started()) << "the stand-in Control Panel did not start";
    return *m_hosts.back();
}

HWND AppletTest::WaitSheet(const harness::Process &host, DWORD ms) {
    return harness::WaitProcessWindow(host.pid, kSheetTitle, ms);
}

void AppletTest::AnswerBox(const char *caption, const std::string &text, HWND owner) {
    HWND box = harness::WaitMessageBox(caption, 10000);
    ASSERT_TRUE(box != NULL) << "no box \"" << caption << "\"";
    EXPECT_EQ(text, harness::MessageBoxText(box)) << caption;
    // A box given a child window is owned by that window's top-level window.
    EXPECT_EQ(owner ? GetAncestor(owner, GA_ROOT) : NULL, GetWindow(box, GW_OWNER)) << caption;
    harness::PostClick(box, IDOK);
    EXPECT_TRUE(harness::WaitGone(box)) << caption;
}

void AppletTest::ExpectHostEnds(harness::Process &host) {
    DWORD code = 0xFFFFFFFF;
    ASSERT_TRUE(harness::WaitExit(host, 10000, &code)) << "the applet did not return";
    EXPECT_EQ(0u, code) << "stand-in Control Panel saw a protocol fault";
}

void AppletTest::CloseSheet(HWND sheet, harness::Process &host, int button) {
    harness::PostSheetPress(sheet, button);
    EXPECT_TRUE(harness::WaitGone(sheet, 10000));
    ExpectHostEnds(host);
}

void AppletTest::WriteStore(store::ValueId id, DWORD value) {
    ASSERT_TRUE(harness::WriteDword(HKEY_LOCAL_MACHINE, kParamKey, store::Rule(id).name, value));
}

void AppletTest::WriteInstallDefaults() {
    for (store::ValueId id : store::kInstallOrder) WriteStore(id, store::Rule(id).installDefault);
}

DWORD AppletTest::StoredNumber(const char *name) {
    DWORD value = 0xDEADBEEF;
    EXPECT_TRUE(harness::ReadDword(HKEY_LOCAL_MACHINE, kParamKey, name, &value)) << name;
    return value;
}

int AppletTest::ReloadRequests() { return sim::Count(IOCTL_TOUCH_RELOAD_PARAMETERS); }

}  // namespace applet_e2e
