// The check question after a calibration was handed to the driver. A wrong
// calibration can leave a touch-only user unable to press Yes or No, so an
// unanswered question counts as No after half a minute; the seconds left
// are counted down in the question itself.
#include "durmasel.h"

namespace {

const char kCaption[] = "Checking calibration results";
const char kQuestion[] = "Try moving on the screen,Does the cursor jump to your fingertip?";
const int kTextSize = 160;
// Message boxes keep their text in the static control with this id.
const int kMessageTextId = 0xFFFF;

int g_secondsLeft;

// The countdown line is shorter than the question, so the box sized for
// the first text holds every later one. The text's length is fixed but
// for at most two digits, well inside the buffer.
void QuestionText(char (&text)[kTextSize], int seconds) {
    wsprintfA(text, "%s\n\nWith no answer the targets come back in %d s.", kQuestion, seconds);
}

// The question's box while it is shown: the message box owned by the
// main window.
HWND QuestionBox(void) {
    HWND box = FindWindowA("#32770", kCaption);
    if (box && GetWindow(box, GW_OWNER) != g_state.mainWindow) box = NULL;
    return box;
}

}  // namespace

// The ticks come to the main window, whose messages the box's own loop
// dispatches while it waits for an answer.
int AskCheckQuestion(HWND window) {
    char text[kTextSize];
    g_secondsLeft = QUESTION_SECONDS;
    QuestionText(text, g_secondsLeft);
    const UINT_PTR timer = SetTimer(window, QUESTION_TIMER_ID, CALIB_TIMER_PERIOD_MS, NULL);
    const int answer = MessageBoxA(window, text, kCaption, MB_ICONQUESTION | MB_YESNO);
    if (timer) KillTimer(window, QUESTION_TIMER_ID);
    return answer;
}

void AnswerQuestionNo(void) {
    HWND box = QuestionBox();
    if (box) PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
}

void OnQuestionTick(void) {
    if (--g_secondsLeft <= 0) {
        AnswerQuestionNo();
        return;
    }
    char text[kTextSize];
    QuestionText(text, g_secondsLeft);
    HWND box = QuestionBox();
    if (box) SetDlgItemTextA(box, kMessageTextId, text);
}
