// The one system-error box every program shows when a system call fails:
// the system's own text for the code under a caption naming what failed.
#ifndef SHELF_ERROR_BOX_H
#define SHELF_ERROR_BOX_H

#include <windows.h>

namespace shelf {

// Shown instead of the system's text when it has none for a code.
extern const char kUnknownErrorText[];

// The system's text for code (inserts are never expanded: none are given),
// in a buffer the caller frees with LocalFree; NULL when there is none.
char *SystemErrorText(DWORD code);

// A box without owner: the system's text for code (or the fallback) under
// caption, with an OK button and the given icon.
void ShowSystemError(DWORD code, const char *caption, UINT icon);

}  // namespace shelf

#endif
