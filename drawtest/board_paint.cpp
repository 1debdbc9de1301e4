// Everything the board draws. Strokes and event marks go into the canvas,
// a screen-sized bitmap that survives repaints and is wiped by Clear; the
// crosshair and the legend are drawn over the canvas at each paint, so
// they never smear the drawing. The check paints on a bare screen instead.
#include "brokasta.h"
#include "runtime.h"

using drawtest::Point;

// Colours of the 16-colour VGA palette, so they stay pure on any display.
const COLORREF kBackgroundColour = RGB(192, 192, 192);
static const COLORREF kStrokeColour = RGB(0, 0, 0);
static const COLORREF kCrosshairColour = RGB(255, 0, 0);
static const int kStrokeRadius = 1;  // a 3-pixel pen

// Shapes differ as well as colours, so the marks stay apart where they
// coincide: a button-up ring encloses the button-down dot of a tap.
struct MarkStyle {
    COLORREF colour;
    int radius;
    bool filled;
    bool round;
    const char *label;
};

static const MarkStyle kMarkStyles[MARK_KINDS] = {
    {RGB(0, 128, 0), 5, true, true, "button down"},
    {RGB(0, 0, 255), 9, false, true, "button up"},
    {RGB(255, 0, 255), 13, false, false, "double-click"},
    {RGB(0, 128, 128), 6, true, false, "right click"},
};

bool CreateCanvas() {
    HDC screen = GetDC(g_board.window);
    g_board.canvas = CreateCompatibleDC(screen);
    if (g_board.canvas)
        g_board.canvasBitmap = CreateCompatibleBitmap(screen, g_board.width, g_board.height);
    ReleaseDC(g_board.window, screen);
    if (!g_board.canvasBitmap) return false;
    g_board.canvasOldBitmap = SelectObject(g_board.canvas, g_board.canvasBitmap);
    ClearCanvas();
    return true;
}

void DestroyCanvas() {
    if (g_board.canvasOldBitmap) SelectObject(g_board.canvas, g_board.canvasOldBitmap);
    if (g_board.canvasBitmap) DeleteObject(g_board.canvasBitmap);
    if (g_board.canvas) DeleteDC(g_board.canvas);
    g_board.canvas = NULL;
    g_board.canvasBitmap = NULL;
    g_board.canvasOldBitmap = NULL;
}

void ClearCanvas() {
    RECT all = {0, 0, g_board.width, g_board.height};
    FillRect(g_board.canvas, &all, g_board.background);
}

static void InvalidateAround(Point a, Point b, int margin) {
    RECT area = {(a.x < b.x ? a.x : b.x) - margin, (a.y < b.y ? a.y : b.y) - margin,
                 (a.x > b.x ? a.x : b.x) + margin + 1, (a.y > b.y ? a.y : b.y) + margin + 1};
    InvalidateRect(g_board.window, &area, FALSE);
}

// A dot, ring, square or frame of the given radius centred on 'at'.
void DrawShape(HDC dc, COLORREF colour, bool filled, bool round, Point at, int radius) {
    HPEN pen = CreatePen(PS_SOLID, filled ? 1 : 2, colour);
    HBRUSH brush = filled ? CreateSolidBrush(colour) : NULL;
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush ? brush : GetStockObject(NULL_BRUSH));
    int left = at.x - radius, top = at.y - radius;
    int right = at.x + radius + 1, bottom = at.y + radius + 1;
    if (round) {
        Ellipse(dc, left, top, right, bottom);
    } else {
        Rectangle(dc, left, top, right, bottom);
    }
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    if (brush) DeleteObject(brush);
    DeleteObject(pen);
}

void DrawLine(HDC dc, COLORREF colour, int width, Point from, Point to) {
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    MoveToEx(dc, from.x, from.y, NULL);
    LineTo(dc, to.x, to.y);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void DrawStrokeSegment(Point from, Point to) {
    DrawLine(g_board.canvas, kStrokeColour, 2 * kStrokeRadius + 1, from, to);
    // LineTo leaves out the end point; the round cap goes there.
    DrawShape(g_board.canvas, kStrokeColour, true, true, to, kStrokeRadius);
    InvalidateAround(from, to, kStrokeRadius + 2);
}

void DrawStrokeDot(Point at) {
    DrawShape(g_board.canvas, kStrokeColour, true, true, at, kStrokeRadius);
    InvalidateAround(at, at, kStrokeRadius + 2);
}

void DrawMark(MarkKind kind, Point at) {
    const MarkStyle &style = kMarkStyles[kind];
    DrawShape(g_board.canvas, style.colour, style.filled, style.round, at, style.radius);
    InvalidateAround(at, at, style.radius + 2);
}

void InvalidateCrosshair(Point at) {
    RECT across = {0, at.y - 1, g_board.width, at.y + 2};
    RECT down = {at.x - 1, 0, at.x + 2, g_board.height};
    InvalidateRect(g_board.window, &across, FALSE);
    InvalidateRect(g_board.window, &down, FALSE);
}

static void PaintCrosshair(HDC dc) {
    Point at = g_board.pointer;
    DrawLine(dc, kCrosshairColour, 1, Point{0, at.y}, Point{g_board.width, at.y});
    DrawLine(dc, kCrosshairColour, 1, Point{at.x, 0}, Point{at.x, g_board.height});
}

// On a 640 x 480 screen the legend's row is lower than the double-click
// square: a mark larger than the row is drawn smaller there, or only its
// two sides would show.
static void PaintLegend(HDC dc) {
    const drawtest::Box &box = g_board.bar.legend;
    int middle = (box.top + box.bottom) / 2;
    int largest = (box.bottom - box.top) / 2 - 2;
    int x = box.left;
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    for (int i = 0; i < MARK_KINDS; ++i) {
        const MarkStyle &style = kMarkStyles[i];
        int radius = style.radius < largest ? style.radius : largest;
        DrawShape(dc, style.colour, style.filled, style.round, Point{x + 14, middle}, radius);
        int length = lstrlenA(style.label);
        SIZE extent;
        if (!GetTextExtentPoint32A(dc, style.label, length, &extent)) extent.cx = 8 * length;
        TextOutA(dc, x + 32, box.top + (box.bottom - box.top - extent.cy) / 2, style.label, length);
        x += 32 + extent.cx + 24;
    }
}

void PaintBoard(HDC dc, const RECT &area) {
    if (g_board.mode == MODE_CHECK) {
        FillRect(dc, &area, g_board.background);
    } else {
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top,
               g_board.canvas, area.left, area.top, SRCCOPY);
    }
    int oldMode = SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = g_board.smallFont ? SelectObject(dc, g_board.smallFont) : NULL;
    SetTextColor(dc, RGB(0, 0, 0));
    // Most paints are a stroke's few pixels; leave the legend alone then.
    if (area.bottom > g_board.bar.legend.top && !CheckRunning()) PaintLegend(dc);
    if (g_board.mode == MODE_DRAG && g_board.pointerSeen) PaintCrosshair(dc);
    if (g_board.mode == MODE_CHECK) PaintCheck(dc);
    if (oldFont) SelectObject(dc, oldFont);
    SetBkMode(dc, oldMode);
}
