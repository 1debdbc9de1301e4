// The first half of a calibration run: the three targets shown one after
// the other, each with a raw touch read from the driver. The background
// under a target is kept in a memory bitmap so the target can be erased
// when the next one appears. While a touch is awaited the program takes
// its own queue's messages and drops everything but Escape, the timer,
// button-ups and a request to close.
#include "durmasel.h"

namespace {

struct Canvas {
    HDC screen;
    HDC memory;        // NULL when no memory context could be made
    HBITMAP bitmap;    // NULL when no bitmap could be made
    HGDIOBJ oldBitmap;
};

void OpenCanvas(Canvas *canvas) {
    canvas->screen = GetDC(g_state.mainWindow);
    canvas->memory = CreateCompatibleDC(canvas->screen);
    canvas->bitmap = NULL;
    canvas->oldBitmap = NULL;
    if (!canvas->memory) return;
    const int side = calib::SaveBitmapSide(g_state.screenWidth);
    canvas->bitmap = CreateCompatibleBitmap(canvas->screen, side, side);
    if (canvas->bitmap) canvas->oldBitmap = SelectObject(canvas->memory, canvas->bitmap);
}

void CloseCanvas(Canvas *canvas) {
    if (canvas->memory) {
        if (canvas->bitmap) {
            SelectObject(canvas->memory, canvas->oldBitmap);
            DeleteObject(canvas->bitmap);
        }
        DeleteDC(canvas->memory);
    }
    ReleaseDC(g_state.mainWindow, canvas->screen);
}

// The red pen and the grey fill of a target, selected into a context for
// the lifetime of the object.
class TargetPaint {
public:
    explicit TargetPaint(HDC dc)
        : dc_(dc), pen_(CreatePen(PS_SOLID, 1, TARGET_COLOUR)),
          brush_(CreateSolidBrush(BACKGROUND_COLOUR)), oldPen_(SelectObject(dc, pen_)),
          oldBrush_(SelectObject(dc, brush_)) {}
    ~TargetPaint() {
        SelectObject(dc_, oldBrush_);
        SelectObject(dc_, oldPen_);
        DeleteObject(brush_);
        DeleteObject(pen_);
    }
    TargetPaint(const TargetPaint &) = delete;
    TargetPaint &operator=(const TargetPaint &) = delete;

private:
    HDC dc_;
    HPEN pen_;
    HBRUSH brush_;
    HGDIOBJ oldPen_;
    HGDIOBJ oldBrush_;
};

void DrawCircleAndCross(HDC dc, calib::ScreenPoint centre, int r) {
    Ellipse(dc, centre.x - r, centre.y - r, centre.x + r, centre.y + r);
    POINT upright[2] = {{centre.x, centre.y - r - 4}, {centre.x, centre.y + r + 4}};
    POINT across[2] = {{centre.x - r - 4, centre.y}, {centre.x + r + 4, centre.y}};
    Polyline(dc, upright, 2);
    Polyline(dc, across, 2);
}

// Copies the square around target i between screen and memory bitmap.
void CopySquare(const Canvas &canvas, int i, BOOL toScreen) {
    const int r = calib::TargetRadius(g_state.screenWidth);
    const int side = calib::SavedSquareSide(g_state.screenWidth);
    const int left = g_state.targets[i].x - r - 4, top = g_state.targets[i].y - r - 4;
    if (toScreen)
        BitBlt(canvas.screen, left, top, side, side, canvas.memory, 0, 0, SRCCOPY);
    else
        BitBlt(canvas.memory, 0, 0, side, side, canvas.screen, left, top, SRCCOPY);
}

// Erases target i - 1 and draws target i; with i == kTargetCount it only
// erases the last target. Without a bitmap the memory context holds only
// its 1x1 monochrome stock bitmap, so nothing is saved or put back.
void DrawTarget(const Canvas &canvas, int i) {
    PostMessageA(g_state.mainWindow, WM_PAINT, 0, 0);
    {
        TargetPaint paint(canvas.screen);
        if (canvas.bitmap && i > 0) CopySquare(canvas, i - 1, TRUE);
        if (i < calib::kTargetCount) {
            if (canvas.bitmap) CopySquare(canvas, i, FALSE);
            DrawCircleAndCross(canvas.screen, g_state.targets[i],
                               calib::TargetRadius(g_state.screenWidth));
        }
    }
    if (i < calib::kTargetCount) {
        // The paint may erase the window, and the erase draws again only
        // the target recorded as awaited.
        g_state.shownTarget = i;
        SendMessageA(g_state.mainWindow, WM_PAINT, 0, 0);
    }
}

}  // namespace

// The window can be erased behind the run's back while a touch is awaited
// (the system settling the new topmost window does so under Wine); the
// target being awaited is drawn again so the user never loses it.
void RedrawCurrentTarget(HDC dc) {
    const int i = g_state.shownTarget;
    if (i < 0 || i >= calib::kTargetCount) return;
    TargetPaint paint(dc);
    DrawCircleAndCross(dc, g_state.targets[i], calib::TargetRadius(g_state.screenWidth));
}

namespace {

void OnWaitTimer(void) {
    if (g_state.ticks >= CALIB_TICK_LIMIT) {
        g_state.aborted = TRUE;
        KillTimer(g_state.mainWindow, g_state.timerId);
    } else {
        ++g_state.ticks;
    }
}

// Acts on one message taken while a touch is awaited; everything not
// named here is dropped on purpose.
void OnWaitMessage(const MSG &msg, RawPointReply *reply) {
    switch (msg.message) {
    case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE) g_state.aborted = TRUE;
        break;
    case WM_TIMER:
        OnWaitTimer();
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        RequestRawPoint(g_state.device, reply);
        break;
    case WM_PAINT:
        // A paint request stays in the queue until the window is painted,
        // and ahead of the timer: left undone, it would starve the time
        // limit. The erase keeps the awaited target and the prompt.
        DispatchMessageA(&msg);
        break;
    case WM_CLOSE:
        // Closing ends the run as Escape does; the window procedure knows how.
        DispatchMessageA(&msg);
        break;
    }
}

// Waits until the driver hands over a touch, Escape is pressed or the time
// limit runs out. TRUE when a touch was read. Between messages the thread
// sleeps: the timer, a button-up, a key or a paint request wakes it.
BOOL WaitForTouch(int i) {
    RawPointReply reply = {RAW_POINT_MARKER_NONE, 0, 0};
    while (!g_state.aborted && reply.marker == RAW_POINT_MARKER_NONE) {
        MSG msg;
        if (PeekMessageA(&msg, g_state.mainWindow, 0, 0, PM_REMOVE))
            OnWaitMessage(msg, &reply);
        else
            WaitMessage();
    }
    g_state.rawPoints[i].x = static_cast<int32_t>(reply.rawX);
    g_state.rawPoints[i].y = static_cast<int32_t>(reply.rawY);
    return !g_state.aborted;
}

}  // namespace

BOOL RunTargetSequence(void) {
    calib::TargetPositions(g_state.screenWidth, g_state.screenHeight, g_state.targets);
    Canvas canvas;
    OpenCanvas(&canvas);
    int i = 0;
    for (; i < calib::kTargetCount; ++i) {
        StartRawCapture(g_state.device);
        DrawTarget(canvas, i);
        const BOOL touched = WaitForTouch(i);
        g_state.shownTarget = -1;
        if (!touched) break;
    }
    KillTimer(g_state.mainWindow, CALIB_TIMER_ID);
    DrawTarget(canvas, i);
    CloseCanvas(&canvas);
    return !g_state.aborted;
}
