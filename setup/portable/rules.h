// Small rules of Setup that need no system call: instance key numbers,
// the class instance inside a Driver value, file titles, error texts fit
// for a message box, and the operating-system code. Portable, so they are
// unit-tested natively.
#ifndef SETUP_RULES_H
#define SETUP_RULES_H

#include <stddef.h>

#include "os_class.h"
#include "text.h"

// Instance keys are named by the number in at least four digits, zero
// padded after any sign ("%04d": 0 -> 0000, 12 -> 0012, -1 -> -001,
// 12345 -> 12345). False when out cannot hold it.
bool FormatInstanceNumber(char *out, size_t outSize, long number);

// Appends "\" and the four-digit instance number to a key path.
bool AppendInstance(Text *path, long number);

// The decimal number at the start of text: leading blanks, an optional
// sign, then digits up to the first non-digit; 0 without digits. Numbers
// beyond the 32-bit range stop at its bounds.
long ReadLeadingDecimal(const char *text);

// A Driver value names the device's driver key under its class: the class
// name (in any letter case), a backslash and the instance number in the
// four-digit form Setup writes ("Mouse\0003"). Only then is the result
// true with *number set; "Mouse\", "Mouse\abc", " Mouse\0007", "Ports\0001"
// or "Mouse\3" name no key that Setup made, and *number is left alone.
bool ClassInstanceFromDriver(const char *driver, const char *className, long *number);

// The file name of path without folder and extension ("C:\A\Setup.exe"
// -> "Setup"). False when out cannot hold it (out is then empty).
bool FileTitleOf(const char *path, char *out, size_t outSize);

// Turns every byte below 0x20 (the line break ending system messages,
// tabs) into a blank; bytes of 0x80 and above are characters and stay.
void BlankControlCharacters(char *text);

// Operating-system codes: Setup's view of the shared classification (see
// os_class.h). Setup refuses codes 4 to 6.
enum {
    kPlatformWin32s = osclass::kPlatformWin32s,
    kPlatformWindows = osclass::kPlatformWindows,
    kPlatformNT = osclass::kPlatformNt,
};
inline int ClassifyOS(unsigned long platformId, unsigned long major, unsigned long minor) {
    return osclass::ClassifyForSetup(platformId, major, minor);
}

// True for the codes on which Setup must not run.
inline bool IsRefusedOS(int code) { return osclass::RefusedBySetup(code); }

#endif
