// Setup's file and folder functions: one-file copies and deletions through
// the shell's file operation, the Windows and system folders with their
// trailing backslash, and the operating-system code. CopyOneFile and
// DeleteOneFile are members of CDeviceInstaller and live in files.cpp.
#ifndef SETUP_FILES_H
#define SETUP_FILES_H

#include <windows.h>

#include "portable/text.h"

// Results of CopyOneFile and DeleteOneFile.
enum FileResult {
    kFileFailed = 1,   // the shell operation failed: the file is taken to be in use
    kFileDone = 2,
    kFileMissing = 3,  // the source (copy) or the file (deletion) isn't there
};

// The shell's own result codes are not system error codes. One kept as
// the last error carries this mark (the bit Windows leaves to
// applications), so that the log does not read it as a system error.
const DWORD kShellCodeMark = 0x20000000;

// The shell's file operation on fromList (names each ending in a NUL, the
// list in another NUL) with flags; the shell's own code, 0 when done.
// Unattended, the shell may not show even its own error box, nor ask.
int RunShellOperation(UINT operation, const char *fromList, const char *to, WORD flags);

// The Windows folder ending in a backslash; empty after showing the error
// box "GetWindowsFolder" when the system can't name it or it is too long
// for a 260-byte path with the backslash.
Text GetWindowsFolder();

// The same for the system folder, caption "GetSystemFolder".
Text GetSystemFolder();

// 0 Win32s; 1, 2, 3 the Windows 95 family; 4, 5, 6 the NT family.
int GetOSVersion();

// The running program's file name without folder and extension ("Setup"
// for Setup.exe): the caption of Setup's boxes and its copy's name.
void ProgramTitle(char *title, size_t titleSize);

#endif
