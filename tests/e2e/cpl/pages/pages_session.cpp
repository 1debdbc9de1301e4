// Fixture of the Settings and Sound page tests: store snapshot, the sheet
// in the stand-in Control Panel, the system's serial ports and the beep log.
#include "pages_session.h"

#include <commctrl.h>
#include <prsht.h>

#include "driver_interface.h"
#include "parameter_store.h"

namespace pages_e2e {

namespace {

const char kSheetTitle[] = "Orvantix Touchscreen Properties";
const DWORD kWaitMs = 10000;

// The seven values in the order of Settings' fields.
const char *const kNames[7] = {"BeepMode", "BeepFreq", "BeepTime", "MouseMode",
                               "DragDelay", "DblClickRegion", "Port"};

DWORD *Field(Settings &settings, int index) {
    DWORD *fields[7] = {&settings.beepMode, &settings.beepFreq, &settings.beepTime,
                        &settings.mouseMode, &settings.dragDelay, &settings.dblClickRegion,
                        &settings.port};
    return fields[index];
}

const char kOverrideKey[] = "Software\\Wine\\DllOverrides";

struct VisibleWindowCount {
    DWORD pid;
    int count;
};

BOOL CALLBACK CountVisibleWindow(HWND window, LPARAM data) {
    VisibleWindowCount *tally = reinterpret_cast<VisibleWindowCount *>(data);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == tally->pid && IsWindowVisible(window) &&
        harness::ClassName(window) != harness::kControlPanelClass)
        ++tally->count;
    return TRUE;
}

}  // namespace

// ----- Settings -----

Settings Settings::Typical() {
    Settings settings;
    Settings *s = &settings;
    for (int i = 0; i < 7; ++i)
        *Field(*s, i) = store::Rule(store::FindValue(kNames[i])).installDefault;
    return settings;
}

bool Settings::operator==(const Settings &other) const {
    return beepMode == other.beepMode && beepFreq == other.beepFreq &&
           beepTime == other.beepTime && mouseMode == other.mouseMode &&
           dragDelay == other.dragDelay && dblClickRegion == other.dblClickRegion &&
           port == other.port;
}

std::ostream &operator<<(std::ostream &out, const Settings &settings) {
    Settings copy = settings;
    for (int i = 0; i < 7; ++i) out << (i ? " " : "") << kNames[i] << "=" << *Field(copy, i);
    return out;
}

// ----- PagesTest -----

void PagesTest::SetUp() {
    store_.reset(new harness::StoreSnapshot);
    ASSERT_TRUE(harness::sim::Install());
    harness::sim::Reset();
}

void PagesTest::TearDown() {
    harness::sim::Reset();
    harness::sim::Uninstall();
    store_.reset();
}

void PagesTest::WriteStore(const Settings &settings) {
    Settings copy = settings;
    for (int i = 0; i < 7; ++i)
        ASSERT_TRUE(harness::WriteDword(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, kNames[i], *Field(copy, i)));
    // The driver starts from the store, as at Windows start.
    harness::sim::Reset();
}

Settings PagesTest::ReadStore() {
    Settings settings = {};
    for (int i = 0; i < 7; ++i) {
        DWORD *field = Field(settings, i);
        if (!harness::ReadDword(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, kNames[i], field))
            *field = 0xDEADBEEF;  // shows up as a difference
    }
    return settings;
}

HWND PagesTest::OpenPage(Sheet &sheet, const Settings &settings, int page) {
    WriteStore(settings);
    if (HasFatalFailure() || !sheet.Open()) return nullptr;
    return sheet.ShowPage(page);
}

// ----- Sheet -----

Sheet::Sheet(Driver driver) : driver_(driver) {}

Sheet::~Sheet() {
    if (started_ && !harness::WaitExit(process_, 0)) harness::Kill(process_);
}

bool Sheet::Open() {
    process_ = harness::StartControlPanel(1, harness::TempDir());
    started_ = process_.Started();
    if (!started_) return false;
    if (driver_ == kDriverMissing) {
        if (harness::AnswerMessageBox("Warning!", IDOK, kWaitMs) !=
            "Fatal Error:Touchscreen driver not loaded!")
            return false;
    }
    window_ = harness::WaitProcessWindow(process_.pid, kSheetTitle, kWaitMs);
    return window_ != nullptr;
}

HWND Sheet::ShowPage(int index) {
    harness::SheetSelectPage(window_, index);
    return harness::SheetPage(window_);
}

bool Sheet::Close(int button) {
    harness::PostSheetPress(window_, button);
    DWORD code = 1;
    return harness::WaitExit(process_, kWaitMs, &code) && code == 0;
}

bool Sheet::Ok() { return Close(PSBTN_OK); }

bool Sheet::CloseBox() {
    PostMessageA(window_, WM_SYSCOMMAND, SC_CLOSE, 0);
    DWORD code = 1;
    return harness::WaitExit(process_, kWaitMs, &code) && code == 0;
}
bool Sheet::Cancel() { return Close(PSBTN_CANCEL); }

bool Sheet::OnlySheetIsOpen(DWORD ms) {
    harness::Pause(ms);
    VisibleWindowCount tally = {process_.pid, 0};
    EnumWindows(CountVisibleWindow, reinterpret_cast<LPARAM>(&tally));
    return tally.count == 1 && IsWindowVisible(window_);
}

// ----- ports and lists -----

FakePorts::FakePorts(const std::vector<DWORD> &ports)
    : listPath_(harness::Join(harness::TestDir(), "serialui_ports.txt")),
      hadOverride_(harness::ValueExists(HKEY_CURRENT_USER, kOverrideKey, "serialui")),
      oldOverride_(harness::ReadString(HKEY_CURRENT_USER, kOverrideKey, "serialui")) {
    std::string list;
    for (DWORD port : ports) list += std::to_string(port) + " ";
    EXPECT_TRUE(harness::WriteTextFile(listPath_, list));
    EXPECT_TRUE(harness::WriteString(HKEY_CURRENT_USER, kOverrideKey, "serialui", "native"));
}

FakePorts::~FakePorts() {
    if (hadOverride_)
        harness::WriteString(HKEY_CURRENT_USER, kOverrideKey, "serialui", oldOverride_);
    else
        harness::DeleteValue(HKEY_CURRENT_USER, kOverrideKey, "serialui");
    harness::DeleteFileIfAny(listPath_);
}

DWORD FirstAbsentPort() {
    for (DWORD n = 1; n <= 16; ++n)
        if (!harness::IsPortReported(n)) return n;
    return 17;
}

std::vector<PortEntry> PortEntries(HWND settingsPage) {
    HWND combo = GetDlgItem(settingsPage, 1011);
    std::vector<PortEntry> entries;
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        DWORD number = static_cast<DWORD>(SendMessageA(combo, CB_GETITEMDATA, i, 0));
        entries.push_back(PortEntry{harness::ComboText(combo, i), number});
    }
    return entries;
}

// ----- BeepLog -----

BeepLog::BeepLog() : seen_(0) { Fresh(); }

std::vector<std::vector<DWORD>> BeepLog::Fresh() {
    std::vector<std::vector<DWORD>> beeps;
    for (const harness::sim::LogEntry &entry : harness::sim::Log()) {
        if (entry.code == IOCTL_TOUCH_SET_BEEP) beeps.push_back(entry.in);
    }
    std::vector<std::vector<DWORD>> fresh(beeps.begin() + std::min(seen_, beeps.size()), beeps.end());
    seen_ = beeps.size();
    return fresh;
}

void BeepLog::ExpectNew(size_t count, const std::vector<DWORD> &record) {
    std::vector<std::vector<DWORD>> fresh = Fresh();
    ASSERT_EQ(count, fresh.size());
    for (const std::vector<DWORD> &beep : fresh) EXPECT_EQ(record, beep);
}

void BeepLog::ExpectDrag(const std::vector<DWORD> &tones, DWORD mode, DWORD duration) {
    std::vector<std::vector<DWORD>> fresh = Fresh();
    ASSERT_EQ(tones.size(), fresh.size());
    for (size_t i = 0; i < tones.size(); ++i)
        EXPECT_EQ((std::vector<DWORD>{mode, tones[i], duration}), fresh[i]) << "movement " << i;
}

}  // namespace pages_e2e
