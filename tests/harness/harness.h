// Win32 test harness for the end-to-end tests under Wine: start the
// package's programs, wait (always bounded) for their windows, read and
// press controls, answer message boxes, read the registry and files, save
// and restore what a test changes on the machine, and drive and observe
// the simulated touchscreen driver. One line per helper says what it does.
#ifndef ORVANTIX_HARNESS_H
#define ORVANTIX_HARNESS_H

#include <windows.h>

#include <stdint.h>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace harness {

// ---- paths ------------------------------------------------------------------
// Folders end without a backslash.
std::string PackageDir();     // the built package (env ORVANTIX_PACKAGE, a Unix path)
std::string SimulatorPath();  // the built zelvanis.vxd (env ORVANTIX_SIMULATOR)
std::string SystemDir();
std::string WindowsDir();
std::string TempDir();
std::string TestDir();        // the running test program's folder (its helpers sit there)
// "Z:\..." for a Unix path; Windows paths are returned as they are.
std::string WindowsPathOf(const std::string &unixPath);
std::string Join(const std::string &folder, const std::string &name);

// ---- processes --------------------------------------------------------------
// A started program. Closing the object closes the handles; it does not end
// the program (see Kill).
struct Process {
    HANDLE handle = NULL;
    DWORD pid = 0;

    Process() = default;
    Process(Process &&other) noexcept;
    Process &operator=(Process &&other) noexcept;
    Process(const Process &) = delete;
    Process &operator=(const Process &) = delete;
    ~Process();
    bool Started() const { return handle != NULL; }
};

// Starts exe (full path) with args; cwd "" = the test's own folder.
Process Start(const std::string &exe, const std::string &args = "", const std::string &cwd = "",
              int showCmd = SW_SHOWNORMAL);
// True when the program ended within ms; *code receives its exit code.
bool WaitExit(Process &process, DWORD ms, DWORD *code = nullptr);
// Ends the program at once. For cleaning up after a failed test only.
void Kill(Process &process);
// Starts the stand-in Control Panel (cplhost.exe beside the test; see
// orvantix_e2e_test's CONTROL_PANEL) on the built applet: it sends the
// Control Panel's messages with 'doubleClicks' CPL_DBLCLKs and exits 0 when
// every answer was right. Its own window has the class kControlPanelClass.
Process StartControlPanel(int doubleClicks = 1, const std::string &cwd = "");
extern const char kControlPanelClass[];

// The system's message text for an error code (inserts ignored), "" when
// it has none.
std::string SystemText(DWORD error);

// ---- waiting ----------------------------------------------------------------
// Polls condition every 50 ms until it holds or ms have passed.
bool WaitUntil(const std::function<bool()> &condition, DWORD ms);
void Pause(DWORD ms);

// ---- windows ----------------------------------------------------------------
// Top-level window by class and title (nullptr = any), polled every 50 ms.
HWND WaitWindow(const char *cls, const char *title, DWORD ms = 5000);
// Visible top-level window of a process (title nullptr = any).
HWND FindProcessWindow(DWORD pid, const char *title);
HWND WaitProcessWindow(DWORD pid, const char *title, DWORD ms = 5000);
// A message box (dialog class #32770) by caption.
HWND WaitMessageBox(const char *caption, DWORD ms = 5000);
std::string MessageBoxText(HWND box);  // its static text (id 0xFFFF)
// Waits for the box, presses button (posted) and waits for the box to go;
// returns its text, "" when no box came.
std::string AnswerMessageBox(const char *caption, int button = IDOK, DWORD ms = 5000);
std::string Text(HWND window);         // WM_GETTEXT
std::string ClassName(HWND window);
HWND Child(HWND parent, int id);
bool IsEnabled(HWND window);
bool IsChecked(HWND button);
bool IsVisible(HWND window);
bool WaitGone(HWND window, DWORD ms = 5000);

// Click: BM_CLICK, sent; returns after the dialog handled it. Use it only
// for buttons that do not open a modal window. PostClick posts WM_COMMAND
// (id, BN_CLICKED) to the dialog and returns at once.
void Click(HWND dialog, int id);
void PostClick(HWND dialog, int id);
// Posts WM_KEYDOWN/WM_KEYUP of vk to the window, as typing does: it passes
// through the program's message loop (dialog navigation, Enter, Escape).
void SendKey(HWND window, UINT vk);
// Sends count presses of an arrow key (VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN,
// VK_PRIOR, VK_NEXT, VK_HOME, VK_END) to a trackbar, which then notifies its
// parent with WM_HSCROLL/WM_VSCROLL as for a user. Returns when handled.
void PressTrackbar(HWND trackbar, UINT vk, int count = 1);

// ---- property sheets --------------------------------------------------------
void SheetSelectPage(HWND sheet, int index);      // PSM_SETCURSEL, returns when done
void SheetPress(HWND sheet, int button);          // PSM_PRESSBUTTON (PSBTN_OK, ...), sent
void PostSheetPress(HWND sheet, int button);      // the same, posted
void PostSheetSelectPage(HWND sheet, int index);
HWND SheetPage(HWND sheet);                       // the current page's dialog

// ---- combo boxes ------------------------------------------------------------
// Asked in the wide form: Wine hands another process's ANSI CB_GETLBTEXT
// back in UTF-16.
std::string ComboText(HWND combo, int index);     // one entry's text, "" when none
std::vector<std::string> ComboTexts(HWND combo);  // every entry, in the list's order

// ---- registry ---------------------------------------------------------------
bool ReadDword(HKEY root, const std::string &path, const char *name, DWORD *value);
bool WriteDword(HKEY root, const std::string &path, const char *name, DWORD value);
bool WriteString(HKEY root, const std::string &path, const char *name, const std::string &value);
bool WriteBinary(HKEY root, const std::string &path, const char *name, DWORD type,
                 const std::vector<unsigned char> &data);
// The value's data and type; false when it is missing.
bool ReadBinary(HKEY root, const std::string &path, const char *name,
                std::vector<unsigned char> *data, DWORD *type = nullptr);
std::string ReadString(HKEY root, const std::string &path, const char *name,
                       const std::string &fallback = "");
bool ValueExists(HKEY root, const std::string &path, const char *name);
bool DeleteValue(HKEY root, const std::string &path, const char *name);
bool KeyExists(HKEY root, const std::string &path);
void DeleteKeyTree(HKEY root, const std::string &path);
std::vector<std::string> ValueNames(HKEY root, const std::string &path);  // enumeration order
std::vector<std::string> SubkeyNames(HKEY root, const std::string &path);
// Makes an empty key with its parents; a volatile key vanishes with the
// session and refuses non-volatile subkeys.
void CreateKey(HKEY root, const std::string &path, bool isVolatile = false);

// A registry key with its values and subkeys, as read at one moment.
struct RegValue {
    DWORD type;
    std::string bytes;
    bool operator==(const RegValue &o) const { return type == o.type && bytes == o.bytes; }
};
struct KeyTree {
    bool exists = false;
    std::map<std::string, RegValue> values;
    std::map<std::string, KeyTree> subkeys;
    bool operator==(const KeyTree &o) const {
        return exists == o.exists && values == o.values && subkeys == o.subkeys;
    }
};
KeyTree ReadKeyTree(HKEY root, const std::string &path);
void WriteKeyTree(HKEY root, const std::string &path, const KeyTree &tree);  // replaces what is there

// A key with everything under it, put back as it was on destruction
// (removed when it did not exist).
class KeySnapshot {
public:
    KeySnapshot(HKEY root, const std::string &path);
    ~KeySnapshot();
    KeySnapshot(const KeySnapshot &) = delete;
    KeySnapshot &operator=(const KeySnapshot &) = delete;

private:
    HKEY root_;
    std::string path_;
    KeyTree saved_;
};

// The touchscreen parameter store (the driver's whole service key), put
// back as it was on destruction.
class StoreSnapshot : public KeySnapshot {
public:
    StoreSnapshot();
};

// ---- snapshots --------------------------------------------------------------
// The machine as sorted lines: one per key ("name\path\"), per value
// ("name\path\[value]=type:bytes") and per file ("folder\file size time"),
// so that two moments compare as sets.
typedef std::set<std::string> SnapshotLines;
struct SnapshotKey {
    HKEY root;
    std::string path;  // "" for the root itself
    std::string name;  // how its lines begin: "HKLM", "HKLM\\Software"
};
// Keys below the given keys, files below the folders (each ending in a
// backslash); lines that begin with one of ignored (any case) left out.
SnapshotLines TakeSnapshot(const std::vector<SnapshotKey> &keys,
                           const std::vector<std::string> &folders,
                           const std::vector<std::string> &ignored);
// "  gone: line" for each line only before, "  new:  line" for each only
// after; "" when they are equal.
std::string SnapshotDifference(const SnapshotLines &before, const SnapshotLines &after);

// ---- files ------------------------------------------------------------------
bool FileExists(const std::string &path);
bool CopyFileTo(const std::string &from, const std::string &to);  // overwrites
void DeleteFileIfAny(const std::string &path);
std::string ReadTextFile(const std::string &path);  // "" when missing
// The file's bytes; false when it is missing (an empty file gives true).
bool ReadFileBytes(const std::string &path, std::string *bytes);
// A text of a program file's version block (US English), "" when absent.
std::string VersionString(const std::string &file, const char *name);
bool WriteTextFile(const std::string &path, const std::string &text);

// ---- screen -----------------------------------------------------------------
COLORREF PixelAt(int x, int y);
// Whether colour is anywhere in the square radius pixels around (x, y), read in one copy.
bool ColourNear(int x, int y, int radius, COLORREF colour);
bool SaveScreenshot(const std::string &path);  // 24-bit BMP of the whole screen

// ---- the machine ------------------------------------------------------------
extern const char kDeviceKey[];   // HKLM: the package's device entries (Enum\Root\Orvantix)
extern const char kClassKey[];    // HKLM: the mouse class the device joins
extern const char kServiceKey[];  // HKLM: the driver's service key, the store beneath it
// Where an installation puts the package's files (system and Inf folders).
std::vector<std::string> PackageFiles();

struct KeyPath {
    HKEY root;
    std::string path;
};

// What a test changes on the machine, saved on construction and put back on
// destruction: registry trees, files byte for byte (removed when they were
// absent), System.ini's mouse.drv entries and the double-click metrics.
// clear, when given, runs once all is saved and again before it is put back.
class MachineGuard {
public:
    MachineGuard(const std::vector<KeyPath> &keys, const std::vector<std::string> &files,
                 void (*clear)() = nullptr);
    ~MachineGuard();
    MachineGuard(const MachineGuard &) = delete;
    MachineGuard &operator=(const MachineGuard &) = delete;

private:
    struct SavedFile {
        std::string path;
        bool present;
        std::string bytes;
    };
    struct SavedIni {
        const char *section;
        bool present;
        std::string value;
    };
    void (*clear_)();
    std::vector<std::unique_ptr<KeySnapshot>> keys_;
    std::vector<SavedFile> files_;
    std::vector<SavedIni> ini_;
    int clickWidth_, clickHeight_;
    UINT clickTime_;
};

// While it lives, Wine reports this Windows version ("win95", "nt40", ...)
// to the program with this file name ("Setup.exe").
class ReportedWindows {
public:
    ReportedWindows(const std::string &program, const char *version);
    ~ReportedWindows();
    ReportedWindows(const ReportedWindows &) = delete;
    ReportedWindows &operator=(const ReportedWindows &) = delete;

private:
    std::string key_;
};

// ---- serial ports -----------------------------------------------------------
std::string PortName(DWORD number);                // "COM<number>"
bool IsPortReported(DWORD number);                 // the system gives it a default configuration
std::vector<DWORD> ReportedPorts();                // such ports among 1..16, ascending
std::vector<std::string> ReportedPortNamesSorted();  // their names as a sorted list shows them

// ---- the simulated driver ---------------------------------------------------
namespace sim {

struct LogEntry {
    DWORD pid = 0;
    DWORD code = 0;
    std::string name;
    bool ok = false;
    std::vector<DWORD> in;
    std::vector<DWORD> out;
};

// Copies the simulator into the system folder (where every program finds
// it) / deletes it there. Install returns false when the copy failed.
bool Install();
void Uninstall();
std::string Folder();  // where the state and log live (the system folder)
// Forgets state and log: the next open loads the state from the parameter store.
void Reset();

// Raw touches for GET_RAW_POINT, delivered one per armed capture, oldest
// first. START_RAW_CAPTURE empties the queue, so queue after it.
void QueueRawPoint(DWORD x, DWORD y);
// Ends the pending right-button touch: QUERY_RIGHT_BUTTON answers 1 again.
void EndRightButton();
// Makes the driver refuse a control code (ERROR_GEN_FAILURE) until RefuseNone.
void Refuse(DWORD code);
void RefuseNone();
// Panel mode: GET_RAW_POINT on an armed capture delivers the cursor position
// as a panel with this orientation reports it.
void SetPanel(bool on, bool swapXY = false, bool flipX = false, bool flipY = false);

// Raw state access ("MouseMode", "Enabled", "RawCapture", ...).
std::map<std::string, std::string> State();
std::string Get(const std::string &key);
// The number under key, or fallback when it is missing.
DWORD GetNumber(const std::string &key, DWORD fallback = 0xFFFFFFFF);
void Set(const std::string &key, const std::string &value);
void SetNumber(const std::string &key, DWORD value);

std::vector<LogEntry> Log();
// Parses one log line; false when it is not one.
bool ParseLogLine(const std::string &line, LogEntry *entry);
int Count(DWORD code);
bool WaitForLogCount(DWORD code, int count, DWORD ms);

}  // namespace sim

}  // namespace harness

#endif
