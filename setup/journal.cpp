// Setup's unattended log; see journal.h.
#include "journal.h"

#include "error_box.h"
#include "files.h"
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

static void WriteLine(const char *const parts[], size_t count) {
    if (g_log == INVALID_HANDLE_VALUE) return;
    Text line;
    for (size_t i = 0; i < count; ++i)
        if (!line.Append(parts[i])) return;
    if (!line.Append("\r\n")) return;
    DWORD written;
    WriteFile(g_log, line.c_str(), static_cast<DWORD>(line.Length()), &written, NULL);
}

void Note(const char *a, const char *b, const char *c, const char *d) {
    const char *parts[] = {a, b, c, d};
    WriteLine(parts, 4);
}

void NoteValue(const char *done, const char *keyPath, const char *valueName) {
    int length = lstrlenA(keyPath);
    if (length > 0 && keyPath[length - 1] == '\\') --length;
    Text key;
    key.AssignBytes(keyPath, static_cast<size_t>(length));
    const char *parts[] = {done, " HKLM\\", key.c_str(), " value ", valueName};
    WriteLine(parts, 5);
}

// The shell's own code says only that the shell gave up, and which way.
static void NoteShellCode(DWORD code, const char *const parts[5]) {
    char number[16];
    wsprintfA(number, "%lu", code & ~kShellCodeMark);  // at most 10 digits
    const char *line[] = {parts[0], parts[1], parts[2], parts[3], parts[4],
                          ": the shell's file operation failed with code ", number};
    WriteLine(line, 7);
}

// The system's text ends in a line break, which would end the line early.
void NoteError(DWORD code, const char *a, const char *b, const char *c, const char *d,
               const char *e) {
    if (g_log == INVALID_HANDLE_VALUE) return;
    const char *parts[] = {a, b, c, d, e};
    if (code & kShellCodeMark) {
        NoteShellCode(code, parts);
        return;
    }
    char *text = code != 0 ? shelf::SystemErrorText(code) : NULL;
    for (char *at = text; at && *at; ++at)
        if (*at == '\r' || *at == '\n') *at = '\0';
    const char *line[] = {a, b, c, d, e, ": ", text && *text ? text : shelf::kUnknownErrorText};
    WriteLine(line, 7);
    if (text) LocalFree(text);
}

void Failure(DWORD code, const char *a, const char *b, const char *c, const char *d) {
    g_failed = TRUE;
    NoteError(code, "FAILED: ", a, b, c, d);
}

BOOL AnyFailure() { return g_failed; }

void FailureBox(const char *text, const char *caption, DWORD code) {
    if (g_unattended && code != 0) {
        Failure(code, caption, ": ", text);
    } else if (g_unattended) {
        g_failed = TRUE;
        Note("FAILED: ", caption, ": ", text);
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
