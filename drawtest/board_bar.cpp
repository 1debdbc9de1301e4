// The bar of finger-sized buttons along the top of the board, the
// coordinate readout beside them, the check's Apply button at the right
// end and the status line at the bottom, with the texts they show.
#include "brokasta.h"
#include "resource.h"
#include "runtime.h"

using drawtest::Box;

struct BarButton {
    int id;
    const char *label;
    DWORD style;
};

// The three modes are push-like radio buttons: the one in force stays down.
static const BarButton kBarButtons[drawtest::BAR_BUTTONS] = {
    {IDC_DRAW, "Draw", BS_RADIOBUTTON | BS_PUSHLIKE},
    {IDC_DRAG, "Drag", BS_RADIOBUTTON | BS_PUSHLIKE},
    {IDC_CHECK, "Check", BS_RADIOBUTTON | BS_PUSHLIKE},
    {IDC_CLEAR, "Clear", BS_PUSHBUTTON},
    {IDC_EXIT, "Exit", BS_PUSHBUTTON},
};

static const char *const kModeHints[] = {
    "Draw: strokes follow the finger; each mouse event is marked where it landed.",
    "Drag: the crosshair follows the finger.",
    "",
};

static HFONT MakeFont(int pixels, int weight) {
    return CreateFontA(-pixels, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       VARIABLE_PITCH | FF_SWISS, "Arial");
}

static HWND MakeChild(HINSTANCE instance, const char *cls, const char *text, DWORD style,
                      const Box &box, int id, HFONT font) {
    HWND child = CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, box.left, box.top,
                                 box.right - box.left, box.bottom - box.top, g_board.window,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance,
                                 NULL);
    // Without the font the system's own is used; the bar still works.
    if (child && font) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

bool CreateBar(HINSTANCE instance) {
    const drawtest::BarLayout &bar = g_board.bar;
    g_board.font = MakeFont(bar.height / 3, FW_BOLD);
    g_board.smallFont = MakeFont((bar.legend.bottom - bar.legend.top) * 11 / 20, FW_NORMAL);
    for (int i = 0; i < drawtest::BAR_BUTTONS; ++i) {
        g_board.buttons[i] = MakeChild(instance, "BUTTON", kBarButtons[i].label,
                                       kBarButtons[i].style, bar.buttons[i], kBarButtons[i].id,
                                       g_board.font);
        if (!g_board.buttons[i]) return false;
    }
    // Statics let taps through to the board (they do not take the mouse).
    g_board.coords = MakeChild(instance, "STATIC", "", SS_LEFT | SS_CENTERIMAGE, bar.readout,
                               IDC_COORDS, g_board.font);
    g_board.status = MakeChild(instance, "STATIC", "", SS_LEFT, bar.status, IDC_STATUS,
                               g_board.smallFont);
    g_board.apply = MakeChild(instance, "BUTTON", "Apply", BS_PUSHBUTTON, bar.apply, IDC_APPLY,
                              g_board.font);
    if (g_board.apply) ShowWindow(g_board.apply, SW_HIDE);
    return g_board.coords && g_board.status && g_board.apply;
}

// The controls go with the window; only the fonts are ours to delete.
void DestroyBar() {
    if (g_board.font) DeleteObject(g_board.font);
    if (g_board.smallFont) DeleteObject(g_board.smallFont);
    g_board.font = g_board.smallFont = NULL;
}

void ShowMode(BoardMode mode) {
    for (int i = 0; i <= drawtest::BAR_CHECK; ++i)
        SendMessageA(g_board.buttons[i], BM_SETCHECK, i == mode ? BST_CHECKED : BST_UNCHECKED, 0);
    if (mode == MODE_CHECK) {
        ShowCheckProgress();
    } else {
        SetWindowTextA(g_board.status, kModeHints[mode]);
    }
}

void ShowPointer(drawtest::Point at) {
    char text[48];
    rt::Writer line(text, sizeof(text));
    line.Put("X: ");
    line.PutNumber(at.x);
    line.Put("   Y: ");
    line.PutNumber(at.y);
    SetWindowTextA(g_board.coords, text);
}

// The status line is out of sight while the crosses are shown (each
// touch's error waits for the result picture); it keeps the progress all
// the same, for whoever reads the window's texts.
void ShowCheckProgress() {
    char text[] = "Touch the centre of cross 1 of 9.";
    // Nine crosses: the number is one digit.
    static_assert(drawtest::kCrossCount <= 9, "one digit");
    text[26] = static_cast<char>('1' + g_board.check.next);
    SetWindowTextA(g_board.status, text);
}

void ShowBar(bool shown) {
    int show = shown ? SW_SHOW : SW_HIDE;
    for (int i = 0; i < drawtest::BAR_BUTTONS; ++i) ShowWindow(g_board.buttons[i], show);
    ShowWindow(g_board.coords, show);
    ShowWindow(g_board.status, show);
    bool offered = g_board.mode == MODE_CHECK && drawtest::CheckDone(g_board.check) &&
                   g_board.applyState == drawtest::APPLY_OFFERED;
    ShowWindow(g_board.apply, shown && offered ? SW_SHOW : SW_HIDE);
}
