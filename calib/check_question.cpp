// The check question after a calibration was handed to the driver: the
// shelf's counted-down question, since a wrong calibration can leave a
// touch-only user unable to press Yes or No.
#include "durmasel.h"

#include "shared_texts.h"
#include "timed_question.h"

namespace {

const char kCaption[] = CHECK_QUESTION_CAPTION;
const char kQuestion[] = CHECK_QUESTION_TEXT;
const char kCountdown[] = "With no answer the targets come back in %d s.";

}  // namespace

int AskCheckQuestion(HWND window) {
    return shelf::AskTimedQuestion(window, kQuestion, kCaption, kCountdown);
}

void AnswerQuestionNo(void) { shelf::AnswerTimedQuestionNo(); }
