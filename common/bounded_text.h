// Bounded text for every program: copies, joins, path pieces, decimal
// numbers and a writer that fills a fixed buffer part by part. Every call
// takes the buffer's size and never writes past it. Portable (no windows.h;
// of the C library only memcpy, which the runtime has too), so the same
// code runs in the shipped programs, in test programs and in native tests.
#ifndef ORVANTIX_BOUNDED_TEXT_H
#define ORVANTIX_BOUNDED_TEXT_H

#include <stddef.h>

namespace rt {

// Length of text, but never more than limit characters are examined.
size_t Length(const char *text, size_t limit = 0x7fffffff);

// Copies src into dst of dstSize bytes, always terminating. Returns false
// (leaving a truncated copy) when src did not fit.
bool Copy(char *dst, size_t dstSize, const char *src);

// Appends src to the text in dst (dstSize bytes in all). Returns false and
// leaves dst unchanged when the result would not fit.
bool Append(char *dst, size_t dstSize, const char *src);

// Appends a backslash unless the text already ends in one. False, leaving
// dst unchanged, when full or when dst holds no terminated text.
bool AppendBackslash(char *dst, size_t dstSize);

// Formats value in decimal into dst; false, leaving dst untouched, when it
// does not fit.
bool FormatUnsigned(char *dst, size_t dstSize, unsigned long value);

// ASCII-only, case-insensitive comparison of two texts.
int CompareNoCase(const char *a, const char *b);

// Joins up to four texts into out (outSize bytes). False, with out empty,
// when the result does not fit: a path cut short would name another file.
bool Join(char *out, size_t outSize, const char *a, const char *b, const char *c = 0,
          const char *d = 0);

// The folder of a path, with its trailing backslash ("C:\A\B.exe" gives
// "C:\A\"); empty when the path holds no backslash. False, with out empty,
// when the folder does not fit.
bool FolderOf(const char *path, char *out, size_t outSize);

// Ends the text at its last backslash: a path that ends in a backslash
// loses only that, any other becomes its parent folder. No backslash: no
// change.
void CutAtLastBackslash(char *path);

// Writes texts and numbers one after another into a fixed buffer, keeping
// it terminated. Once a part does not fit, the buffer is filled up with its
// beginning, everything after is dropped and the text counts as cut short.
class Writer {
public:
    // lineEnd is what EndLine writes ("\r\n" for files, "\n" for controls).
    Writer(char *out, size_t size, const char *lineEnd = "\r\n");

    void Put(const char *text);  // a null text is empty
    // Decimal, at least minDigits digits, zero padded after the sign
    // (PutNumber(-5, 2) writes "-05").
    void PutNumber(long value, int minDigits = 1);
    void PutUnsigned(unsigned long value, int minDigits = 1);
    void EndLine();

    // False once anything was cut short (or there was no buffer at all).
    bool Whole() const { return m_whole; }
    size_t Used() const { return m_used; }

private:
    char *m_out;
    size_t m_size;
    size_t m_used;
    const char *m_lineEnd;
    bool m_whole;
};

}  // namespace rt

#endif
