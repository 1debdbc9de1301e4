// Memory and heap helpers for programs built without a C runtime.
// gcc emits calls to memset/memcpy for structure initialisers and copies,
// so they must exist even though no C library is linked.
#include "runtime.h"

#include <windows.h>

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

// Counts here, not through the bounded text helpers: the runtime is linked
// after every library that calls it and needs nothing from them.
size_t strlen(const char *text) {
    size_t n = 0;
    while (text[n]) ++n;
    return n;
}

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
