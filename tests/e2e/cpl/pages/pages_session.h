// Test fixture of the Settings and Sound page tests: the applet's seven
// settings in the store (saved before each test and restored after it), a
// property sheet opened by the stand-in Control Panel, the serial ports the
// system reports, and the beep requests the simulated driver logged.
#ifndef PAGES_E2E_SESSION_H
#define PAGES_E2E_SESSION_H

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "harness.h"

namespace pages_e2e {

// The applet's seven values, as the store holds them.
struct Settings {
    DWORD beepMode, beepFreq, beepTime, mouseMode, dragDelay, dblClickRegion, port;

    // A store as installed, on COM1.
    static Settings Typical();
    bool operator==(const Settings &other) const;
};
std::ostream &operator<<(std::ostream &out, const Settings &settings);

class Sheet;

// Saves the parameter store and installs a freshly reset simulator before
// each test; puts both back afterwards.
class PagesTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    void WriteStore(const Settings &settings);
    Settings ReadStore();
    // Stores the settings, opens the sheet and shows one of its pages;
    // nullptr when the sheet did not open.
    HWND OpenPage(Sheet &sheet, const Settings &settings, int page);

private:
    std::unique_ptr<harness::StoreSnapshot> store_;
};

// "Orvantix Touchscreen Properties", opened by the stand-in Control Panel.
class Sheet {
public:
    enum Driver { kDriverPresent, kDriverMissing };
    static const int kSettings = 1;
    static const int kSound = 2;
    static const int kDiagnostics = 4;

    explicit Sheet(Driver driver = kDriverPresent);
    ~Sheet();
    Sheet(const Sheet &) = delete;
    Sheet &operator=(const Sheet &) = delete;

    // Starts the stand-in Control Panel, answers the missing-driver warning
    // when expected and waits for the sheet.
    bool Open();
    // Selects a page and returns its window.
    HWND ShowPage(int index);
    HWND Window() const { return window_; }
    // Press the button and wait until the stand-in has ended.
    bool Ok();
    bool Cancel();
    // The close box of the title bar.
    bool CloseBox();
    // After waiting ms, the sheet is the only visible window the applet
    // shows in the stand-in's process.
    bool OnlySheetIsOpen(DWORD ms);

private:
    bool Close(int button);

    Driver driver_;
    harness::Process process_;
    bool started_ = false;
    HWND window_ = nullptr;
};

// The lowest of 1..16 that the system does not report (17 when all are).
DWORD FirstAbsentPort();

// While it lives, the system reports exactly these serial ports: the
// test's stand-in serial-port library is loaded in place of Wine's.
class FakePorts {
public:
    explicit FakePorts(const std::vector<DWORD> &ports);
    ~FakePorts();
    FakePorts(const FakePorts &) = delete;
    FakePorts &operator=(const FakePorts &) = delete;

private:
    std::string listPath_;
    bool hadOverride_;
    std::string oldOverride_;
};

struct PortEntry {
    std::string text;
    DWORD number;  // the entry's item data
};
std::vector<PortEntry> PortEntries(HWND settingsPage);

// The IOCTL_TOUCH_SET_BEEP requests logged since it was made (or since the
// last check).
class BeepLog {
public:
    BeepLog();
    // Exactly count new requests, each with this (mode, tone, duration).
    void ExpectNew(size_t count, const std::vector<DWORD> &record);
    // One new request per reported tone, in order, with mode and duration.
    void ExpectDrag(const std::vector<DWORD> &tones, DWORD mode, DWORD duration);

private:
    std::vector<std::vector<DWORD>> Fresh();
    size_t seen_;
};

}  // namespace pages_e2e

#endif
