// The little runtime every shipped program links instead of a C library:
// memory primitives the compiler may call, operator new/delete on the
// process heap and the process entry glue. It brings the bounded text
// helpers (bounded_text.h, common's portable rules) along for its callers.
#ifndef ORVANTIX_RUNTIME_H
#define ORVANTIX_RUNTIME_H

#include <stddef.h>

#include "bounded_text.h"

extern "C" {
void *memset(void *dst, int value, size_t count);
void *memcpy(void *dst, const void *src, size_t count);
void *memmove(void *dst, const void *src, size_t count);
int memcmp(const void *a, const void *b, size_t count);
size_t strlen(const char *text);
}

#endif
