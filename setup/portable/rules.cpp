// Setup's portable rules; see rules.h.
#include "rules.h"

#include <string.h>

#include "ascii.h"
#include "bounded_text.h"

bool FormatInstanceNumber(char *out, size_t outSize, long number) {
    // "%04d" counts the sign in its width of four.
    rt::Writer writer(out, outSize);
    writer.PutNumber(number, number < 0 ? 3 : 4);
    return writer.Whole();
}

bool AppendInstance(Text *path, long number) {
    char name[16];
    name[0] = '\\';
    if (!FormatInstanceNumber(name + 1, sizeof(name) - 1, number)) return false;
    return path->Append(name);
}

static bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

long ReadLeadingDecimal(const char *text) {
    if (!text) return 0;
    while (IsBlank(*text)) ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+') ++text;
    // Accumulate as a negative number: its range reaches one further.
    const long kLowest = -2147483647L - 1;
    long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        long digit = *text - '0';
        if (value < (kLowest + digit) / 10) {
            value = kLowest;
        } else {
            value = value * 10 - digit;
        }
    }
    if (negative) return value;
    return value == kLowest ? 2147483647L : -value;
}

static bool StartsWithNoCase(const char *text, const char *start) {
    for (; *start; ++text, ++start) {
        if (AsciiUpper(*text) != AsciiUpper(*start)) return false;
    }
    return true;
}

bool ClassInstanceFromDriver(const char *driver, const char *className, long *number) {
    if (!driver || !className || !StartsWithNoCase(driver, className)) return false;
    const char *digits = driver + strlen(className);
    if (*digits++ != '\\') return false;
    for (const char *p = digits; *p; ++p) {
        if (*p < '0' || *p > '9') return false;
    }
    // Only the form Setup writes: the number written back must give the
    // very same digits, so no other key is ever meant.
    long value = ReadLeadingDecimal(digits);
    char canonical[16];
    size_t length = strlen(digits);
    if (length == 0 || !FormatInstanceNumber(canonical, sizeof(canonical), value) ||
        strlen(canonical) != length || memcmp(canonical, digits, length) != 0)
        return false;
    *number = value;
    return true;
}

bool FileTitleOf(const char *path, char *out, size_t outSize) {
    if (!out || outSize == 0) return false;
    out[0] = '\0';
    if (!path) return true;
    const char *name = path;
    for (const char *p = path; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
    }
    const char *end = name + strlen(name);
    for (const char *p = end; p > name; --p) {
        if (p[-1] == '.') {
            end = p - 1;
            break;
        }
    }
    size_t length = static_cast<size_t>(end - name);
    if (length + 1 > outSize) return false;
    memcpy(out, name, length);
    out[length] = '\0';
    return true;
}

void BlankControlCharacters(char *text) {
    for (; text && *text; ++text) {
        if (static_cast<unsigned char>(*text) < 0x20) *text = ' ';
    }
}
