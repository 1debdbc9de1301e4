// Answers the message boxes that the engine shows on the test's own
// thread: a background thread finds each dialog-class window of that
// thread, notes its caption and text, and presses OK (or the default
// button). Tests then assert which boxes came, or that none did.
#ifndef SETUPENGINE_BOX_WATCHER_H
#define SETUPENGINE_BOX_WATCHER_H

#include <windows.h>

#include <string>
#include <vector>

struct SeenBox {
    std::string caption;
    std::string text;
};

class BoxWatcher {
public:
    // Watches the calling thread's windows until destroyed.
    BoxWatcher();
    ~BoxWatcher();
    // The boxes answered so far, in order.
    std::vector<SeenBox> Seen();

private:
    static DWORD WINAPI Run(void *self);
    static BOOL CALLBACK Visit(HWND window, LPARAM self);
    void Answer(HWND box);

    DWORD m_watched;
    HANDLE m_stop;
    HANDLE m_thread;
    CRITICAL_SECTION m_lock;
    std::vector<SeenBox> m_seen;
    std::vector<HWND> m_answered;
};

#endif
