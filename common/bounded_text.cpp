// Bounded text helpers and the buffer writer; see bounded_text.h. The
// shipped programs link it without a C library: of its functions only
// memcpy, which the runtime has, may be called here.
#include "bounded_text.h"

#include <string.h>

#include "ascii.h"

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
    if (used >= dstSize) return false;  // not even terminated
    if (used > 0 && dst[used - 1] == '\\') return true;
    return Append(dst, dstSize, "\\");
}

namespace {

// Room for the digits of any unsigned long, a sign and the NUL.
const int kMostDigits = 20;
const size_t kNumberRoom = kMostDigits + 2;

// Writes the decimal digits of magnitude, at least minDigits of them, so
// that they end just before end; returns where they start.
char *DigitsBefore(char *end, unsigned long magnitude, int minDigits) {
    if (minDigits > kMostDigits) minDigits = kMostDigits;
    do {
        *--end = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
        --minDigits;
    } while (magnitude || minDigits > 0);
    return end;
}

}  // namespace

bool FormatUnsigned(char *dst, size_t dstSize, unsigned long value) {
    char number[kNumberRoom];
    char *end = number + sizeof(number) - 1;
    *end = '\0';
    const char *digits = DigitsBefore(end, value, 1);
    size_t count = static_cast<size_t>(end - digits);
    if (!dst || count + 1 > dstSize) return false;
    memcpy(dst, digits, count + 1);
    return true;
}

int CompareNoCase(const char *a, const char *b) {
    for (;; ++a, ++b) {
        char x = AsciiLower(*a), y = AsciiLower(*b);
        if (x != y) return x < y ? -1 : 1;
        if (!x) return 0;
    }
}

bool Join(char *out, size_t outSize, const char *a, const char *b, const char *c,
          const char *d) {
    if (!out || outSize == 0) return false;
    const char *parts[] = {a, b, c, d};
    size_t used = 0;
    for (size_t i = 0; i < 4; ++i) {
        size_t add = Length(parts[i]);
        if (add >= outSize - used) {
            out[0] = '\0';
            return false;
        }
        if (add) memcpy(out + used, parts[i], add);
        used += add;
    }
    out[used] = '\0';
    return true;
}

// Index just behind the last backslash of path, 0 when there is none.
static size_t AfterLastBackslash(const char *path) {
    size_t after = 0;
    for (size_t i = 0; path[i]; ++i) {
        if (path[i] == '\\') after = i + 1;
    }
    return after;
}

bool FolderOf(const char *path, char *out, size_t outSize) {
    if (!out || outSize == 0) return false;
    size_t keep = path ? AfterLastBackslash(path) : 0;
    if (keep >= outSize) {
        out[0] = '\0';
        return false;
    }
    if (keep) memcpy(out, path, keep);
    out[keep] = '\0';
    return true;
}

void CutAtLastBackslash(char *path) {
    if (!path) return;
    size_t after = AfterLastBackslash(path);
    if (after) path[after - 1] = '\0';
}

// ---- the writer ------------------------------------------------------------

Writer::Writer(char *out, size_t size, const char *lineEnd)
    : m_out(out), m_size(size), m_used(0), m_lineEnd(lineEnd), m_whole(out && size > 0) {
    if (m_whole) out[0] = '\0';
}

void Writer::Put(const char *text) {
    for (; text && *text && m_whole; ++text) {
        if (m_used + 1 >= m_size) {
            m_whole = false;
            break;
        }
        m_out[m_used++] = *text;
        m_out[m_used] = '\0';
    }
}

void Writer::PutNumber(long value, int minDigits) {
    if (value < 0) Put("-");
    // Unsigned, so that the most negative number has a magnitude too.
    PutUnsigned(value < 0 ? 0UL - static_cast<unsigned long>(value)
                          : static_cast<unsigned long>(value),
                minDigits);
}

void Writer::PutUnsigned(unsigned long value, int minDigits) {
    char number[kNumberRoom];
    char *end = number + sizeof(number) - 1;
    *end = '\0';
    Put(DigitsBefore(end, value, minDigits));
}

void Writer::EndLine() { Put(m_lineEnd); }

}  // namespace rt
