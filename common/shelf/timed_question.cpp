// The counted-down Yes/No question; see timed_question.h. The ticks come
// from a timer of the thread, whose messages the box's own loop hands to
// the tick procedure while it waits for an answer.
#include "timed_question.h"

namespace shelf {

namespace {

const int kTextSize = 384;
const UINT kTickMs = 1000;
// Message boxes keep their text in the static control with this id.
const int kMessageTextId = 0xFFFF;
const char kBoxClass[] = "#32770";

struct OpenQuestion {
    HWND owner;
    const char *question;
    const char *caption;
    const char *countdown;
    int secondsLeft;
};
OpenQuestion g_open;

struct BoxSearch {
    HWND owner;
    const char *caption;
    HWND found;
};

BOOL CALLBACK MatchBox(HWND window, LPARAM param) {
    BoxSearch *search = reinterpret_cast<BoxSearch *>(param);
    char name[16], caption[128];
    if (GetWindow(window, GW_OWNER) != search->owner ||
        !GetClassNameA(window, name, sizeof(name)) || lstrcmpA(name, kBoxClass) != 0 ||
        !GetWindowTextA(window, caption, sizeof(caption)) ||
        lstrcmpA(caption, search->caption) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

// The countdown line is shorter than the question, so the box sized for
// the first text holds every later one. wsprintfA takes no size, so the
// format is bounded first: 127 characters and a number fit the line.
void QuestionText(char (&text)[kTextSize], int seconds) {
    char format[128], line[160];
    lstrcpynA(format, g_open.countdown, sizeof(format));
    wsprintfA(line, format, seconds);
    lstrcpynA(text, g_open.question, kTextSize - sizeof(line) - 2);
    lstrcatA(text, "\n\n");
    lstrcatA(text, line);
}

void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD) {
    if (!g_open.question) return;
    if (--g_open.secondsLeft <= 0) {
        AnswerTimedQuestionNo();
        return;
    }
    char text[kTextSize];
    QuestionText(text, g_open.secondsLeft);
    HWND box = FindOwnBox(g_open.owner, g_open.caption);
    if (box) SetDlgItemTextA(box, kMessageTextId, text);
}

}  // namespace

HWND FindOwnBox(HWND owner, const char *caption) {
    BoxSearch search = {owner, caption, NULL};
    EnumThreadWindows(GetCurrentThreadId(), MatchBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

int AskTimedQuestion(HWND owner, const char *question, const char *caption,
                     const char *countdown, int seconds) {
    OpenQuestion asked = {owner, question, caption, countdown, seconds};
    g_open = asked;
    char text[kTextSize];
    QuestionText(text, seconds);
    const UINT_PTR timer = SetTimer(NULL, 0, kTickMs, OnTick);
    const int answer = MessageBoxA(owner, text, caption, MB_ICONQUESTION | MB_YESNO);
    if (timer) KillTimer(NULL, timer);
    g_open.question = NULL;
    return answer;
}

void AnswerTimedQuestionNo() {
    HWND box = g_open.question ? FindOwnBox(g_open.owner, g_open.caption) : NULL;
    if (box) PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
}

}  // namespace shelf
