// Setup's unattended log; see journal.h.
#include "journal.h"

#include "portable/text.h"

namespace journal {

static BOOL g_unattended = FALSE;
static BOOL g_failed = FALSE;
static HANDLE g_log = INVALID_HANDLE_VALUE;

BOOL Start(const char *path) {
    g_unattended = TRUE;
    if (!path || !*path) return TRUE;
    // Appended: a technician may keep one log for many runs.
    g_log = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_ALWAYS,
                        FILE_ATTRIBUTE_NORMAL, NULL);
    if (g_log == INVALID_HANDLE_VALUE) return FALSE;
    SetFilePointer(g_log, 0, NULL, FILE_END);
    return TRUE;
}

void Stop() {
    if (g_log != INVALID_HANDLE_VALUE) CloseHandle(g_log);
    g_log = INVALID_HANDLE_VALUE;
}

BOOL Unattended() { return g_unattended; }

void Note(const char *a, const char *b, const char *c, const char *d) {
    if (g_log == INVALID_HANDLE_VALUE) return;
    Text line(a);
    if (!line.Append(b) || !line.Append(c) || !line.Append(d) || !line.Append("\r\n")) return;
    DWORD written;
    WriteFile(g_log, line.c_str(), static_cast<DWORD>(line.Length()), &written, NULL);
}

void Failure(const char *a, const char *b, const char *c) {
    g_failed = TRUE;
    Note("FAILED: ", a, b, c);
}

BOOL AnyFailure() { return g_failed; }

void FailureBox(const char *text, const char *caption) {
    if (g_unattended) {
        Failure(caption, ": ", text);
    } else {
        MessageBoxA(NULL, text, caption, MB_OK);
    }
}

int Box(const char *text, const char *caption, UINT style, int unattendedAnswer) {
    if (!g_unattended) return MessageBoxA(NULL, text, caption, style);
    Note(caption, ": ", text);
    return unattendedAnswer;
}

}  // namespace journal
