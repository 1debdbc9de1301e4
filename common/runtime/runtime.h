// The little runtime every shipped program links instead of a C library:
// memory primitives the compiler may call, operator new/delete on the
// process heap, bounded text helpers and the process entry glue.
#ifndef ORVANTIX_RUNTIME_H
#define ORVANTIX_RUNTIME_H

#include <stddef.h>

extern "C" {
void *memset(void *dst, int value, size_t count);
void *memcpy(void *dst, const void *src, size_t count);
void *memmove(void *dst, const void *src, size_t count);
int memcmp(const void *a, const void *b, size_t count);
size_t strlen(const char *text);
}

namespace rt {

// Length of text, but never more than limit characters are examined.
size_t Length(const char *text, size_t limit = 0x7fffffff);

// Copies src into dst of dstSize bytes, always terminating. Returns false
// (leaving a truncated copy) when src did not fit.
bool Copy(char *dst, size_t dstSize, const char *src);

// Appends src to the text in dst (dstSize bytes in all). Returns false and
// leaves dst unchanged when the result would not fit.
bool Append(char *dst, size_t dstSize, const char *src);

// Appends a backslash unless the text already ends in one. False when full.
bool AppendBackslash(char *dst, size_t dstSize);

// Formats value in decimal into dst; returns false when it does not fit.
bool FormatUnsigned(char *dst, size_t dstSize, unsigned long value);

// ASCII-only, case-insensitive comparison of two texts.
int CompareNoCase(const char *a, const char *b);

}  // namespace rt

#endif
