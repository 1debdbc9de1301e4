// A Yes/No question about a calibration the driver already uses. That
// calibration may leave a touch-only user unable to press either button,
// so the seconds left are counted down under the question and no answer
// in time counts as No. Every program that hands the driver a calibration
// to try asks this way.
#ifndef SHELF_TIMED_QUESTION_H
#define SHELF_TIMED_QUESTION_H

#include <windows.h>

namespace shelf {

const int kQuestionSeconds = 30;

// Shows question in a Yes/No box owned by owner, with countdown (a format
// holding one %d for the seconds left) as its last line. IDYES, IDNO (also
// when nobody answered in time) or 0 when no box could be shown. One
// question at a time per program.
int AskTimedQuestion(HWND owner, const char *question, const char *caption,
                     const char *countdown, int seconds = kQuestionSeconds);

// Answers the open question No in the user's place; nothing when none is
// open.
void AnswerTimedQuestionNo();

// The message box of this thread owned by owner with that caption, or
// null: a box of another program with the same caption is never meant.
HWND FindOwnBox(HWND owner, const char *caption);

}  // namespace shelf

#endif
