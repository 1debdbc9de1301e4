// A small owned byte string for Setup: device descriptions, key paths and
// registry data live in these, so no caller has to guess a buffer size.
// Portable (no windows.h); it holds any bytes, text ends at the stored length.
#ifndef SETUP_TEXT_H
#define SETUP_TEXT_H

#include <stddef.h>

class Text {
public:
    Text();
    explicit Text(const char *text);
    Text(const Text &other);
    Text &operator=(const Text &other);
    ~Text();

    // A null pointer counts as the empty text. False when memory ran out
    // (the text is then empty).
    bool Assign(const char *text);
    // Exactly count bytes, which may contain NULs; a NUL follows them.
    bool AssignBytes(const void *data, size_t count);
    // False when memory ran out; the text is then unchanged.
    bool Append(const char *text);
    // Makes room for count bytes plus a NUL, all zero, for a system call to
    // fill; null when memory ran out. Length() is count until Assign again.
    char *Reserve(size_t count);
    // Cuts the stored length at the first NUL (after Reserve was filled).
    void TrimAtNul();
    void Clear();

    const char *c_str() const { return m_data ? m_data : ""; }
    size_t Length() const { return m_length; }
    bool Empty() const { return m_length == 0; }

private:
    char *m_data;
    size_t m_length;
};

#endif
