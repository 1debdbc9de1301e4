// Shared state and routines of Brokasta.exe, the full-screen drawing test:
// one window covering the screen, a bar of finger-sized buttons along its
// top, an off-screen canvas that keeps strokes and event marks, and the
// overlays (crosshair, legend) drawn over it when painting; the accuracy
// check paints its crosses and its result picture on a bare screen.
#ifndef BROKASTA_H
#define BROKASTA_H

#include <windows.h>

#include "accuracy.h"
#include "accuracy_report.h"
#include "board_layout.h"
#include "check.h"
#include "stroke.h"

enum BoardMode { MODE_DRAW, MODE_DRAG, MODE_CHECK };

// The four kinds of mouse event that get a mark of their own.
enum MarkKind { MARK_DOWN, MARK_UP, MARK_DOUBLE, MARK_RIGHT, MARK_KINDS };

struct Board {
    HWND window;
    HWND buttons[drawtest::BAR_BUTTONS];
    HWND coords;
    HWND status;
    HFONT font;       // buttons and readout
    HFONT smallFont;  // status line, legend and check results
    HBRUSH background;
    int width;
    int height;
    drawtest::BarLayout bar;
    // The canvas: a screen-sized bitmap selected into its own context.
    HDC canvas;
    HBITMAP canvasBitmap;
    HGDIOBJ canvasOldBitmap;
    BoardMode mode;
    drawtest::Stroke stroke;
    drawtest::Point pointer;  // where the latest mouse event landed
    bool pointerSeen;
    drawtest::CheckRun check;
    HWND apply;  // the check's Apply button, shown only when it is offered
    // The finished check: its judgement and the stored calibration it was
    // judged against (valid whenever Apply is offered).
    drawtest::Judgement judgement;
    drawtest::ApplyState applyState;
    CalibrationRecord stored;
};

extern Board g_board;

extern const char kBoardClassName[];
extern const COLORREF kBackgroundColour;

// board_window.cpp
LRESULT CALLBACK BoardWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// board_bar.cpp
bool CreateBar(HINSTANCE instance);
void DestroyBar();
void ShowMode(BoardMode mode);
void ShowPointer(drawtest::Point at);
void ShowCheckProgress();
// The bar and the status line step aside while the crosses are shown.
void ShowBar(bool shown);

// check_result.cpp: the end of a check and the Apply of its result.
bool CheckRunning();
void FinishCheck();
void ApplyFittedRecord();

// board_paint.cpp
bool CreateCanvas();
void DestroyCanvas();
void ClearCanvas();
void DrawStrokeSegment(drawtest::Point from, drawtest::Point to);
void DrawStrokeDot(drawtest::Point at);
void DrawMark(MarkKind kind, drawtest::Point at);
// A dot, ring, square or frame of the given radius centred on 'at'.
void DrawShape(HDC dc, COLORREF colour, bool filled, bool round, drawtest::Point at, int radius);
void DrawLine(HDC dc, COLORREF colour, int width, drawtest::Point from, drawtest::Point to);
void PaintBoard(HDC dc, const RECT &area);
// check_paint.cpp: the waiting cross, then the result picture.
void PaintCheck(HDC dc);
void InvalidateCrosshair(drawtest::Point at);

#endif
