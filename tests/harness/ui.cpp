// Finding windows, reading controls and pressing them as a user would.
#include "harness.h"

#include <commctrl.h>

namespace harness {

// A window counts once it is visible: a dialog is shown after its
// WM_INITDIALOG, so its controls are filled in by then.
HWND WaitWindow(const char *cls, const char *title, DWORD ms) {
    HWND found = NULL;
    WaitUntil([&] { return (found = FindWindowA(cls, title)) != NULL && IsWindowVisible(found); }, ms);
    return found && IsWindowVisible(found) ? found : NULL;
}

namespace {
struct ProcessWindowQuery {
    DWORD pid;
    const char *title;
    HWND found;
};

BOOL CALLBACK MatchProcessWindow(HWND window, LPARAM param) {
    ProcessWindowQuery *query = reinterpret_cast<ProcessWindowQuery *>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != query->pid || !IsWindowVisible(window)) return TRUE;
    if (query->title && Text(window) != query->title) return TRUE;
    query->found = window;
    return FALSE;
}
}  // namespace

HWND FindProcessWindow(DWORD pid, const char *title) {
    ProcessWindowQuery query = {pid, title, NULL};
    EnumWindows(MatchProcessWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

HWND WaitProcessWindow(DWORD pid, const char *title, DWORD ms) {
    HWND found = NULL;
    WaitUntil([&] { return (found = FindProcessWindow(pid, title)) != NULL; }, ms);
    return found;
}

HWND WaitMessageBox(const char *caption, DWORD ms) { return WaitWindow("#32770", caption, ms); }

std::string MessageBoxText(HWND box) { return Text(GetDlgItem(box, 0xFFFF)); }

std::string AnswerMessageBox(const char *caption, int button, DWORD ms) {
    HWND box = WaitMessageBox(caption, ms);
    if (!box) return "";
    std::string text = MessageBoxText(box);
    PostClick(box, button);
    WaitGone(box, ms);
    return text;
}

std::string Text(HWND window) {
    if (!window) return "";
    LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return "";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return text;
}

std::string ClassName(HWND window) {
    char name[256] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

HWND Child(HWND parent, int id) { return GetDlgItem(parent, id); }

bool IsEnabled(HWND window) { return window && IsWindowEnabled(window); }

bool IsChecked(HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool IsVisible(HWND window) { return window && IsWindowVisible(window); }

bool WaitGone(HWND window, DWORD ms) {
    return WaitUntil([&] { return !IsWindow(window); }, ms);
}

void Click(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void PostClick(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

static LPARAM KeyData(UINT vk, bool up) {
    LPARAM data = 1 | (static_cast<LPARAM>(MapVirtualKeyA(vk, 0)) << 16);
    if (up) data |= 0xC0000000;
    return data;
}

void SendKey(HWND window, UINT vk) {
    PostMessageA(window, WM_KEYDOWN, vk, KeyData(vk, false));
    PostMessageA(window, WM_KEYUP, vk, KeyData(vk, true));
}

void PressTrackbar(HWND trackbar, UINT vk, int count) {
    for (int i = 0; i < count; ++i) {
        SendMessageA(trackbar, WM_KEYDOWN, vk, KeyData(vk, false));
        SendMessageA(trackbar, WM_KEYUP, vk, KeyData(vk, true));
    }
}

void SheetSelectPage(HWND sheet, int index) { SendMessageA(sheet, PSM_SETCURSEL, index, 0); }

// A modal sheet looks whether it has ended only after its loop takes a
// posted message; a press sent from another process is handled inside
// GetMessage, so without the input a person's click brings along the sheet
// could sit until some other message came. The posted WM_NULL is that input.
void SheetPress(HWND sheet, int button) {
    SendMessageA(sheet, PSM_PRESSBUTTON, button, 0);
    PostMessageA(sheet, WM_NULL, 0, 0);
}

void PostSheetPress(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, button, 0); }

void PostSheetSelectPage(HWND sheet, int index) { PostMessageA(sheet, PSM_SETCURSEL, index, 0); }

HWND SheetPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

std::string ComboText(HWND combo, int index) {
    LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR) return "";
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&wide[0]));
    char text[256] = "";
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof(text), NULL, NULL);
    return text;
}

std::vector<std::string> ComboTexts(HWND combo) {
    std::vector<std::string> texts;
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) texts.push_back(ComboText(combo, i));
    return texts;
}

}  // namespace harness
