// Background answering of message boxes; see box_watcher.h.
#include "box_watcher.h"

#include <algorithm>

BoxWatcher::BoxWatcher() : m_watched(GetCurrentThreadId()) {
    InitializeCriticalSection(&m_lock);
    m_stop = CreateEventA(NULL, TRUE, FALSE, NULL);
    m_thread = CreateThread(NULL, 0, Run, this, 0, NULL);
}

BoxWatcher::~BoxWatcher() {
    SetEvent(m_stop);
    WaitForSingleObject(m_thread, 5000);
    CloseHandle(m_thread);
    CloseHandle(m_stop);
    DeleteCriticalSection(&m_lock);
}

std::vector<SeenBox> BoxWatcher::Seen() {
    EnterCriticalSection(&m_lock);
    std::vector<SeenBox> copy = m_seen;
    LeaveCriticalSection(&m_lock);
    return copy;
}

DWORD WINAPI BoxWatcher::Run(void *self) {
    BoxWatcher *watcher = static_cast<BoxWatcher *>(self);
    // Polls every 20 ms until told to stop.
    while (WaitForSingleObject(watcher->m_stop, 20) == WAIT_TIMEOUT) {
        EnumThreadWindows(watcher->m_watched, Visit, reinterpret_cast<LPARAM>(watcher));
    }
    return 0;
}

BOOL CALLBACK BoxWatcher::Visit(HWND window, LPARAM self) {
    char cls[32] = "";
    GetClassNameA(window, cls, sizeof(cls));
    if (lstrcmpA(cls, "#32770") == 0 && IsWindowVisible(window)) {
        reinterpret_cast<BoxWatcher *>(self)->Answer(window);
    }
    return TRUE;
}

void BoxWatcher::Answer(HWND box) {
    // An answered box may stay a moment while it closes.
    if (std::find(m_answered.begin(), m_answered.end(), box) != m_answered.end()) return;
    char caption[512] = "", text[1024] = "";
    GetWindowTextA(box, caption, sizeof(caption));
    GetDlgItemTextA(box, 0xFFFF, text, sizeof(text));
    EnterCriticalSection(&m_lock);
    m_seen.push_back({caption, text});
    LeaveCriticalSection(&m_lock);
    m_answered.push_back(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
}
