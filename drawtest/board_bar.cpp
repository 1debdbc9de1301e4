// The bar of finger-sized buttons along the top of the board, the
// coordinate readout beside them and the status line at the bottom, with
// the texts they show.
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
    return g_board.coords && g_board.status;
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

static void AppendNumber(char *text, size_t size, long value) {
    char digits[16];
    if (value < 0) rt::Append(text, size, "-");
    rt::FormatUnsigned(digits, sizeof(digits),
                       value < 0 ? 0ul - static_cast<unsigned long>(value)
                                 : static_cast<unsigned long>(value));
    rt::Append(text, size, digits);
}

void ShowPointer(drawtest::Point at) {
    char text[48] = "X: ";
    AppendNumber(text, sizeof(text), at.x);
    rt::Append(text, sizeof(text), "   Y: ");
    AppendNumber(text, sizeof(text), at.y);
    SetWindowTextA(g_board.coords, text);
}

// "Cross 2: 7 px, pass (tolerance 10 px). "
static void AppendLastResult(char *text, size_t size, const drawtest::CheckRun &run,
                             unsigned tolerance) {
    const drawtest::CrossResult &last = run.results[run.next - 1];
    rt::Append(text, size, "Cross ");
    AppendNumber(text, size, run.next);
    rt::Append(text, size, ": ");
    AppendNumber(text, size, static_cast<long>(last.distance));
    rt::Append(text, size, last.passed ? " px, pass (tolerance " : " px, FAIL (tolerance ");
    AppendNumber(text, size, static_cast<long>(tolerance));
    rt::Append(text, size, " px). ");
}

static void AppendVerdict(char *text, size_t size, const drawtest::CheckRun &run,
                          unsigned tolerance) {
    int failed = drawtest::kCrossCount - drawtest::PassedCount(run);
    if (failed == 0) {
        rt::Append(text, size, "Check passed: all 5 crosses within ");
        AppendNumber(text, size, static_cast<long>(tolerance));
        rt::Append(text, size, " px.");
        return;
    }
    rt::Append(text, size, "Check failed: ");
    AppendNumber(text, size, failed);
    rt::Append(text, size, " of 5 crosses more than ");
    AppendNumber(text, size, static_cast<long>(tolerance));
    rt::Append(text, size, " px away.");
}

void ShowCheckProgress() {
    const drawtest::CheckRun &run = g_board.check;
    unsigned tolerance = drawtest::TolerancePixels(run.width);
    char text[160] = "";
    if (drawtest::CheckDone(run)) {
        AppendVerdict(text, sizeof(text), run, tolerance);
    } else {
        if (run.next > 0) AppendLastResult(text, sizeof(text), run, tolerance);
        rt::Append(text, sizeof(text), "Touch the centre of cross ");
        AppendNumber(text, sizeof(text), run.next + 1);
        rt::Append(text, sizeof(text), " of 5.");
    }
    SetWindowTextA(g_board.status, text);
}
