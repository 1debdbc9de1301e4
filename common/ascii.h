// Letter case of plain ASCII, for command-line switches, class names and
// file names that must compare the same whatever the system's code page.
#ifndef ORVANTIX_ASCII_H
#define ORVANTIX_ASCII_H

inline char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
inline char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

#endif
