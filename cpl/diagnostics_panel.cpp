// The Diagnostics page's miniature of the panel: the controller's raw
// square (raw X to the right, raw Y down, as the controller counts) with
// the last touches as grey dots and the newest as a larger red one, so a
// technician sees at a glance which corner a touch reports.
#include "diagnostics_page.h"

namespace {

const COLORREF kOlderDot = RGB(128, 128, 128);
const COLORREF kNewestDot = RGB(220, 0, 0);
const int kOlderRadius = 2;
const int kNewestRadius = 4;

void DrawDot(HDC dc, int x, int y, int radius, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Ellipse(dc, x - radius, y - radius, x + radius + 1, y + radius + 1);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
}

void DrawSquare(HDC dc, const diag::Box &square) {
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(WHITE_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
    Rectangle(dc, square.left, square.top, square.right, square.bottom);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
}

}  // namespace

void PaintPanel(const DRAWITEMSTRUCT *item, const diag::TouchHistory &history) {
    HDC dc = item->hDC;
    const RECT &area = item->rcItem;
    FillRect(dc, &area, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const diag::Box whole = {area.left, area.top, area.right, area.bottom};
    // Dots on the frame stay whole inside the control.
    const diag::Box inner = {whole.left + kNewestRadius, whole.top + kNewestRadius,
                             whole.right - kNewestRadius, whole.bottom - kNewestRadius};
    diag::Box square = diag::PanelSquare(inner);
    DrawSquare(dc, square);
    for (int i = 0; i < history.count; ++i) {
        int x = 0, y = 0;
        diag::DotPosition(square, diag::KeptTouch(history, i), &x, &y);
        bool newest = i == history.count - 1;
        DrawDot(dc, x, y, newest ? kNewestRadius : kOlderRadius, newest ? kNewestDot : kOlderDot);
    }
}
