// Memory, heap and text helpers for programs built without a C runtime.
// gcc emits calls to memset/memcpy for structure initialisers and copies,
// so they must exist even though no C library is linked.
#include "runtime.h"

#include <windows.h>

#include "ascii.h"

extern "C" {

void *memset(void *dst, int value, size_t count) {
    unsigned char *p = static_cast<unsigned char *>(dst);
    while (count--) *p++ = static_cast<unsigned char>(value);
    return dst;
}

void *memcpy(void *dst, const void *src, size_t count) {
    unsigned char *d = static_cast<unsigned char *>(dst);
    const unsigned char *s = static_cast<const unsigned char *>(src);
    while (count--) *d++ = *s++;
    return dst;
}

void *memmove(void *dst, const void *src, size_t count) {
    unsigned char *d = static_cast<unsigned char *>(dst);
    const unsigned char *s = static_cast<const unsigned char *>(src);
    if (d < s) {
        while (count--) *d++ = *s++;
    } else {
        while (count--) d[count] = s[count];
    }
    return dst;
}

int memcmp(const void *a, const void *b, size_t count) {
    const unsigned char *x = static_cast<const unsigned char *>(a);
    const unsigned char *y = static_cast<const unsigned char *>(b);
    for (; count; --count, ++x, ++y) {
        if (*x != *y) return *x < *y ? -1 : 1;
    }
    return 0;
}

size_t strlen(const char *text) { return rt::Length(text); }

// A pure virtual call can only come from a broken object; stop at once.
void __cxa_pure_virtual() { ExitProcess(3); }

}  // extern "C"

void *operator new(size_t size) { return HeapAlloc(GetProcessHeap(), 0, size); }
void *operator new[](size_t size) { return HeapAlloc(GetProcessHeap(), 0, size); }
void operator delete(void *p) noexcept {
    if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete[](void *p) noexcept {
    if (p) HeapFree(GetProcessHeap(), 0, p);
}
void operator delete(void *p, size_t) noexcept { operator delete(p); }
void operator delete[](void *p, size_t) noexcept { operator delete[](p); }

namespace rt {

size_t Length(const char *text, size_t limit) {
    size_t n = 0;
    if (!text) return 0;
    while (n < limit && text[n]) ++n;
    return n;
}

bool Copy(char *dst, size_t dstSize, const char *src) {
    if (!dst || dstSize == 0) return false;
    size_t n = 0;
    if (src) {
        while (src[n] && n + 1 < dstSize) {
            dst[n] = src[n];
            ++n;
        }
    }
    dst[n] = '\0';
    return !src || src[n] == '\0';
}

bool Append(char *dst, size_t dstSize, const char *src) {
    size_t used = Length(dst, dstSize);
    size_t add = Length(src);
    if (used >= dstSize || add >= dstSize - used) return false;
    memcpy(dst + used, src, add + 1);
    return true;
}

bool AppendBackslash(char *dst, size_t dstSize) {
    size_t used = Length(dst, dstSize);
    if (used > 0 && dst[used - 1] == '\\') return true;
    return Append(dst, dstSize, "\\");
}

bool FormatUnsigned(char *dst, size_t dstSize, unsigned long value) {
    char digits[12];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    if (static_cast<size_t>(n) + 1 > dstSize) return false;
    for (int i = 0; i < n; ++i) dst[i] = digits[n - 1 - i];
    dst[n] = '\0';
    return true;
}

int CompareNoCase(const char *a, const char *b) {
    for (;; ++a, ++b) {
        char x = AsciiLower(*a), y = AsciiLower(*b);
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
    }
}

}  // namespace rt
