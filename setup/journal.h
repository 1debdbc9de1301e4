// Setup's log of an unattended run. In unattended mode no box may appear:
// every box becomes a line of the log instead, and each file copied or
// deleted, each key and value written or deleted and each failure (with
// the system's text) is noted, so that a technician can see what a run
// did. Interactive runs keep no log and show their boxes as before.
#ifndef SETUP_JOURNAL_H
#define SETUP_JOURNAL_H

#include <windows.h>

namespace journal {

// Unattended from now on. The log at path (may be empty: none) is
// appended to; FALSE when it can't be opened.
BOOL Start(const char *path);
// Closes the log; the run stays unattended.
void Stop();
BOOL Unattended();

// One line of the log, the parts joined as they are, ended by CRLF.
void Note(const char *a, const char *b = NULL, const char *c = NULL, const char *d = NULL);
// "<done> HKLM\<key> value <name>", the key without its closing backslash.
void NoteValue(const char *done, const char *keyPath, const char *valueName);
// A line of up to five parts, then ": " and the system's text for code
// (for a shell code marked as in files.h, the shell's code itself).
void NoteError(DWORD code, const char *a, const char *b = NULL, const char *c = NULL,
               const char *d = NULL, const char *e = NULL);
// A line for something that could not be written, with the system's text
// for code; the run then ends with the exit code for it.
void Failure(DWORD code, const char *a, const char *b = NULL, const char *c = NULL,
             const char *d = NULL);
BOOL AnyFailure();
// A box without owner and icon for something that could not be written;
// unattended, a failure line "caption: text" instead, followed by the
// system's text for code unless code is 0 (text is the system's already).
void FailureBox(const char *text, const char *caption, DWORD code = 0);

// A message box; unattended, its caption and text become a line and
// unattendedAnswer is returned without a box.
int Box(const char *text, const char *caption, UINT style, int unattendedAnswer);

}  // namespace journal

#endif
