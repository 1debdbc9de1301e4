// Setup's registry helpers and its one error box: a failing system call is
// shown as a message box captioned with the failing operation's name and
// carrying the system's own message for the error code.
#ifndef SETUP_REGISTRY_H
#define SETUP_REGISTRY_H

#include <windows.h>

#include "portable/text.h"

// create non-zero: opens or creates the key (and missing parents) below
// root. create zero: opens an existing key below HKEY_LOCAL_MACHINE. Both
// ask for full access. A missing key gives null quietly; any other failure
// shows the box captioned "OpenKey" and gives null. The caller closes the
// key it gets.
HKEY OpenKey(const char *keyPath, BOOL create, HKEY root);

// Deletes the key with everything below it (the key deletion of Windows
// 95, 98 and Me does so); no message. Returns the system's result code;
// a path that names no sub-key (empty, or ending in a backslash) is
// refused with ERROR_INVALID_PARAMETER.
LONG DeleteKey(HKEY root, const char *keyPath);

// Reads a value of any type as text (it ends at its first NUL). A missing
// value gives FALSE quietly; other failures show the box "ReadValue".
BOOL ReadValue(HKEY key, const char *valueName, Text *out);

// Writes data as a value of the given type; for REG_SZ and REG_EXPAND_SZ
// the byte count includes the terminating NUL. Failures show the box
// "WriteValue" and give FALSE.
BOOL WriteValue(HKEY key, const char *valueName, const Text &data, DWORD type);

// Shows the system's message for code in a box without owner, captioned
// caption, with an OK button.
void ReportError(DWORD code, const char *caption);

// The system's message for code with control characters turned into
// blanks; "Unknown error" and FALSE for 0 or a code without a message.
BOOL GetErrorText(DWORD code, Text *out);

#endif
