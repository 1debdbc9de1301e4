// The accuracy check on screen. While it runs only the cross waiting for
// its tap is drawn, like a calibration target. Once it is done the result
// picture shows the screen in miniature: each cross as a small square
// with its tolerance ring and a line to where its touch landed, ring and
// line magnified alike so that an error of a few pixels shows, and the
// verdict in words.
#include "brokasta.h"
#include "runtime.h"

using drawtest::Point;

static const COLORREF kCrossColour = RGB(255, 0, 0);
static const COLORREF kTargetColour = RGB(0, 0, 0);
static const COLORREF kRingColour = RGB(128, 128, 128);
static const COLORREF kPassColour = RGB(0, 128, 0);
static const COLORREF kFailColour = RGB(255, 0, 0);

static void PaintWaitingCross(HDC dc) {
    const drawtest::CheckRun &run = g_board.check;
    Point c = drawtest::CrossPosition(run.next, run.width, run.height);
    int r = run.width / 40;
    DrawLine(dc, kCrossColour, 1, Point{c.x, c.y - r - 4}, Point{c.x, c.y + r + 5});
    DrawLine(dc, kCrossColour, 1, Point{c.x - r - 4, c.y}, Point{c.x + r + 5, c.y});
    DrawShape(dc, kCrossColour, false, true, c, r);
}

// "20 px" below the ring, in the touch's colour.
static void PaintErrorLabel(HDC dc, const drawtest::CrossResult &result, Point at, int below) {
    char text[24];
    rt::FormatUnsigned(text, sizeof(text), result.distance);
    rt::Append(text, sizeof(text), " px");
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    TextOutA(dc, at.x, at.y + below, text, lstrlenA(text));
}

static void PaintResultCross(HDC dc, int index) {
    const drawtest::CheckRun &run = g_board.check;
    const drawtest::CrossResult &result = run.results[index];
    Point target = drawtest::CrossPosition(index, run.width, run.height);
    Point at = drawtest::PicturePoint(g_board.bar.picture, target, run.width, run.height);
    int ring = drawtest::kMagnification * static_cast<int>(g_board.judgement.tolerance);
    COLORREF colour = result.passed ? kPassColour : kFailColour;
    DrawShape(dc, kRingColour, false, true, at, ring);
    DrawShape(dc, kTargetColour, false, false, at, 5);
    Point end = drawtest::MagnifiedEnd(at, target, result.tap);
    DrawLine(dc, colour, 3, at, end);
    DrawShape(dc, colour, true, true, end, 3);
    SetTextColor(dc, colour);
    PaintErrorLabel(dc, result, at, ring + 4);
}

// The words start half a legend row above the point halfway between the
// top row and the middle row of crosses, so that their three lines sit
// between the top row's labels and the middle row's rings.
static void PaintSummary(HDC dc) {
    char text[512];
    drawtest::FormatSummary(text, sizeof(text), g_board.judgement, g_board.applyState);
    const drawtest::CheckRun &run = g_board.check;
    const drawtest::BarLayout &bar = g_board.bar;
    int between = (drawtest::CrossPosition(0, run.width, run.height).y +
                   drawtest::CrossPosition(4, run.width, run.height).y) / 2;
    Point centre = drawtest::PicturePoint(bar.picture, Point{0, between}, run.width, run.height);
    RECT box = {bar.picture.left, centre.y - (bar.legend.bottom - bar.legend.top) / 2,
                bar.picture.right, bar.picture.bottom};
    SetTextColor(dc, kTargetColour);
    DrawTextA(dc, text, -1, &box, DT_CENTER | DT_NOPREFIX);
}

void PaintCheck(HDC dc) {
    if (CheckRunning()) {
        PaintWaitingCross(dc);
        return;
    }
    PaintSummary(dc);
    for (int i = 0; i < drawtest::kCrossCount; ++i) PaintResultCross(dc, i);
}
