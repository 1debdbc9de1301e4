// The board's window procedure: a message switch handing each message to
// one short handler. Mouse events draw strokes, leave marks, move the
// crosshair and the readout, and feed taps to a running check.
#include "brokasta.h"
#include "resource.h"
#include "shared_texts.h"

using drawtest::Point;

static Point PointOf(LPARAM lParam) {
    // Coordinates are signed: a captured pointer may report them off the window.
    return Point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

static LRESULT OnCreate(HWND window) {
    g_board.window = window;
    g_board.background = CreateSolidBrush(kBackgroundColour);
    g_board.bar = drawtest::LayOutBar(g_board.width, g_board.height);
    g_board.mode = MODE_DRAW;
    if (!g_board.background || !CreateCanvas() ||
        !CreateBar(reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE)))) {
        MessageBoxA(NULL, "Not enough memory for the drawing screen.", PRODUCT_NAME,
                    MB_ICONWARNING);
        return -1;
    }
    ShowMode(MODE_DRAW);
    return 0;
}

static void OnDestroy() {
    DestroyBar();
    DestroyCanvas();
    if (g_board.background) DeleteObject(g_board.background);
    PostQuitMessage(0);
}

static void OnPaint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    PaintBoard(dc, ps.rcPaint);
    EndPaint(window, &ps);
}

// Every mouse event moves the readout, and in Drag mode the crosshair.
static void TrackPointer(Point at) {
    if (g_board.mode == MODE_DRAG) {
        if (g_board.pointerSeen) InvalidateCrosshair(g_board.pointer);
        InvalidateCrosshair(at);
    }
    g_board.pointer = at;
    g_board.pointerSeen = true;
    ShowPointer(at);
}

static void OnButtonDown(HWND window, Point at, MarkKind kind) {
    TrackPointer(at);
    // Keep the stroke's moves and its button-up even off the board.
    SetCapture(window);
    // The check's screen shows its own crosses and nothing else.
    if (g_board.mode == MODE_CHECK) return;
    if (g_board.mode == MODE_DRAW) {
        drawtest::BeginStroke(&g_board.stroke, at);
        DrawStrokeDot(at);
    }
    DrawMark(kind, at);
}

static void OnMouseMove(Point at, bool buttonDown) {
    TrackPointer(at);
    Point from;
    if (g_board.mode == MODE_DRAW && drawtest::ContinueStroke(&g_board.stroke, at, buttonDown, &from))
        DrawStrokeSegment(from, at);
}

static void FinishStroke(Point at) {
    Point from;
    if (g_board.mode == MODE_DRAW && drawtest::ContinueStroke(&g_board.stroke, at, true, &from))
        DrawStrokeSegment(from, at);
    drawtest::EndStroke(&g_board.stroke);
    ReleaseCapture();
}

// A tap of the check is the button going up, as in the calibration: the
// finger has settled where it means to be.
static void OnButtonUp(Point at, MarkKind kind) {
    TrackPointer(at);
    if (kind == MARK_UP) FinishStroke(at);
    if (g_board.mode != MODE_CHECK) {
        DrawMark(kind, at);
        return;
    }
    if (!drawtest::RecordTap(&g_board.check, at)) return;
    if (drawtest::CheckDone(g_board.check)) {
        FinishCheck();
    } else {
        ShowCheckProgress();
    }
    InvalidateRect(g_board.window, NULL, FALSE);
}

static void EnterMode(BoardMode mode) {
    g_board.mode = mode;
    drawtest::EndStroke(&g_board.stroke);
    if (mode == MODE_CHECK) drawtest::StartCheck(&g_board.check, g_board.width, g_board.height);
    ShowMode(mode);
    ShowBar(!CheckRunning());
    InvalidateRect(g_board.window, NULL, FALSE);
}

// Clearing also starts a running check afresh.
static void ClearBoard() {
    ClearCanvas();
    EnterMode(g_board.mode);
}

static void OnCommand(HWND window, int id) {
    switch (id) {
    case IDC_DRAW: EnterMode(MODE_DRAW); break;
    case IDC_DRAG: EnterMode(MODE_DRAG); break;
    case IDC_CHECK: EnterMode(MODE_CHECK); break;
    case IDC_CLEAR: ClearBoard(); break;
    case IDC_EXIT: DestroyWindow(window); return;
    case IDC_APPLY: ApplyFittedRecord(); break;
    default: return;
    }
    // A pressed button keeps the focus; the board needs it back for Escape.
    SetFocus(window);
}

static LRESULT OnStaticColour(HDC dc) {
    SetBkColor(dc, kBackgroundColour);
    SetTextColor(dc, RGB(0, 0, 0));
    return reinterpret_cast<LRESULT>(g_board.background);
}

LRESULT CALLBACK BoardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: return OnCreate(window);
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_PAINT: OnPaint(window); return 0;
    case WM_ERASEBKGND: return 1;  // the canvas covers every pixel
    case WM_LBUTTONDOWN: OnButtonDown(window, PointOf(lParam), MARK_DOWN); return 0;
    case WM_LBUTTONDBLCLK: OnButtonDown(window, PointOf(lParam), MARK_DOUBLE); return 0;
    case WM_MOUSEMOVE: OnMouseMove(PointOf(lParam), (wParam & MK_LBUTTON) != 0); return 0;
    case WM_LBUTTONUP: OnButtonUp(PointOf(lParam), MARK_UP); return 0;
    case WM_RBUTTONUP: OnButtonUp(PointOf(lParam), MARK_RIGHT); return 0;
    case WM_CAPTURECHANGED: drawtest::EndStroke(&g_board.stroke); return 0;
    case WM_COMMAND: OnCommand(window, LOWORD(wParam)); return 0;
    case WM_CTLCOLORSTATIC: return OnStaticColour(reinterpret_cast<HDC>(wParam));
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
