// Durmasel's program state and the pieces of the program: the main window,
// the target run, the driver requests and the saving of the result. One
// thread, one set of state for the process.
#ifndef DURMASEL_H
#define DURMASEL_H

#include <windows.h>

#include "calibration.h"
#include "driver_interface.h"
#include "shared_texts.h"

#define WM_CALIB_START (WM_USER + 100)
#define WM_CALIB_PROMPT (WM_USER + 200)
#define CALIB_TIMER_ID 1001
#define CALIB_TIMER_PERIOD_MS 1000
// The 31st tick that arrives while a touch is awaited ends the run.
#define CALIB_TICK_LIMIT 30

#define BACKGROUND_COLOUR RGB(200, 200, 200)
#define TARGET_COLOUR RGB(255, 0, 0)

struct ProgramState {
    HINSTANCE instance;
    int screenWidth;
    int screenHeight;
    calib::ScreenPoint targets[calib::kTargetCount];
    calib::RawPoint rawPoints[calib::kTargetCount];
    HANDLE device;
    DWORD savedMouseMode;
    BOOL savedModeValid;
    UINT_PTR timerId;
    int ticks;
    BOOL aborted;
    HWND mainWindow;
    HWND promptBox;
    HCURSOR blankCursor;
    HCURSOR arrowCursor;
    CalibrationRecord record;
    int shownTarget;  // the target awaiting its touch, -1 when none
    BOOL runActive;       // a calibration run (targets or question) is under way
    BOOL closeRequested;  // the window was asked to close; the run ends
    BOOL unconfirmed;     // the driver holds a calibration nobody confirmed
    BOOL touchesMissed;   // the last run was refused; the prompt says so
};
extern ProgramState g_state;

// main_window.cpp
LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// check_question.cpp: asks whether the new calibration follows the finger;
// IDYES, IDNO (also when nobody answered in time) or 0.
int AskCheckQuestion(HWND window);
// Answers an open question No in the user's place; nothing when none is open.
void AnswerQuestionNo(void);

// target_run.cpp: shows the three targets and reads a raw touch for each.
// FALSE when Escape or the time limit ended the run.
BOOL RunTargetSequence(void);
// Draws the target awaiting its touch again after the window was erased.
void RedrawCurrentTarget(HDC dc);

// driver_link.cpp: requests on the handle held for the whole run (opened
// with shelf::OpenDriverDevice when the run starts).
BOOL GetTouchMouseMode(HANDLE device, DWORD *mode);
BOOL SetTouchMouseMode(HANDLE device, DWORD mode);
BOOL SetTouchCalibration(HANDLE device, const CalibrationRecord *record);
BOOL ReloadTouchParameters(HANDLE device);
void StartRawCapture(HANDLE device);
void RequestRawPoint(HANDLE device, RawPointReply *reply);

// save_calibration.cpp
BOOL ComputeAndTransfer(void);
// Saves the accepted record; a failed save gets one more box.
void SaveAcceptedRecord(void);

#define GENERAL_CAPTION PRODUCT_NAME

#endif
