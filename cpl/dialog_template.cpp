// Reading the applet's page templates: size, font size, controls and their
// titles (see dialog_template.h).
#include "dialog_template.h"

namespace sheet_layout {

namespace {

const unsigned kSetFont = 0x40;            // DS_SETFONT, also part of DS_SHELLFONT
const size_t kPlainHeader = 18;            // style, extended style, count, x, y, cx, cy
const size_t kExtendedHeader = 26;         // version, signature, help id, then as above

unsigned Word(const unsigned char *bytes, size_t at) {
    return bytes[at] | (bytes[at + 1] << 8);
}

unsigned Dword(const unsigned char *bytes, size_t at) {
    return Word(bytes, at) | (Word(bytes, at + 2) << 16);
}

// Steps over a menu or class field (none, an ordinal, or a name) or the
// title; 0 when the field runs past the end.
size_t SkipField(const unsigned char *bytes, size_t length, size_t at, bool maybeOrdinal) {
    if (at + 2 > length) return 0;
    if (maybeOrdinal && Word(bytes, at) == 0xFFFF) return at + 4 <= length ? at + 4 : 0;
    for (; at + 2 <= length; at += 2) {
        if (Word(bytes, at) == 0) return at + 2;
    }
    return 0;
}

const unsigned kStaticAtom = 0x82, kButtonAtom = 0x80;
const unsigned kStaticType = 0x1F, kLeft = 0x0, kLeftNoWrap = 0xC;  // SS_TYPEMASK, SS_LEFT...
const unsigned kButtonType = 0xF, kGroupBox = 0x7;                   // BS_TYPEMASK, BS_GROUPBOX
const size_t kItemHeader = 18;  // style, extended style, x, y, cx, cy, id

// A class given by name rather than by number: only the two we look at.
unsigned ClassAtom(const unsigned char *bytes, size_t length, size_t at) {
    if (Word(bytes, at) == 0xFFFF) return Word(bytes, at + 2);
    char name[8];
    if (!TitleText(bytes, length, at, name, sizeof(name))) return 0;
    const char *known[] = {"static", "button"};
    for (int k = 0; k < 2; ++k) {
        const char *a = name, *b = known[k];
        while (*a && (*a | 0x20) == *b) ++a, ++b;
        if (!*a && !*b) return k == 0 ? kStaticAtom : kButtonAtom;
    }
    return 0;
}

size_t AlignDword(size_t at) { return (at + 3) & ~static_cast<size_t>(3); }

}  // namespace

bool ReadTemplate(const unsigned char *bytes, size_t length, TemplateFacts *facts) {
    if (!bytes || length < kPlainHeader) return false;
    bool extended = Word(bytes, 0) == 1 && Word(bytes, 2) == 0xFFFF;
    size_t header = extended ? kExtendedHeader : kPlainHeader;
    if (length < header || (Dword(bytes, extended ? 12 : 0) & kSetFont) == 0) return false;
    size_t at = SkipField(bytes, length, header, true);  // menu
    if (at) at = SkipField(bytes, length, at, true);     // class
    if (at) at = SkipField(bytes, length, at, false);    // title
    if (!at || at + 2 > length) return false;
    facts->extent.width = static_cast<short>(Word(bytes, header - 4));
    facts->extent.height = static_cast<short>(Word(bytes, header - 2));
    facts->pointSize = static_cast<int>(Word(bytes, at));
    facts->pointSizeOffset = at;
    facts->itemCountOffset = header - 10;
    return true;
}

int ReadItems(const unsigned char *bytes, size_t length, const TemplateFacts &facts,
              TemplateItem *items, int capacity) {
    if (Word(bytes, 0) == 1 && Word(bytes, 2) == 0xFFFF) return 0;
    size_t at = SkipField(bytes, length, facts.pointSizeOffset + 2, false);  // font name
    int count = static_cast<int>(Word(bytes, facts.itemCountOffset));
    int read = 0;
    for (int i = 0; i < count && read < capacity; ++i) {
        at = AlignDword(at);
        if (!at || at + kItemHeader > length) return -1;
        size_t classAt = at + kItemHeader;
        size_t titleAt = SkipField(bytes, length, classAt, true);
        size_t extraAt = titleAt ? SkipField(bytes, length, titleAt, true) : 0;
        if (!extraAt || extraAt + 2 > length) return -1;
        unsigned style = Dword(bytes, at), atom = ClassAtom(bytes, length, classAt);
        int x = static_cast<short>(Word(bytes, at + 8)), y = static_cast<short>(Word(bytes, at + 10));
        TemplateItem &item = items[read++];
        item.place.left = x;
        item.place.top = y;
        item.place.right = x + static_cast<short>(Word(bytes, at + 12));
        item.place.bottom = y + static_cast<short>(Word(bytes, at + 14));
        item.widthOffset = at + 12;
        item.titleOffset = Word(bytes, titleAt) == 0xFFFF ? 0 : titleAt;
        unsigned type = style & kStaticType;
        item.leftText = atom == kStaticAtom && (type == kLeft || type == kLeftNoWrap);
        item.groupBox = atom == kButtonAtom && (style & kButtonType) == kGroupBox;
        at = extraAt + 2 + Word(bytes, extraAt);
    }
    return read;
}

bool TitleText(const unsigned char *bytes, size_t length, size_t at, char *text, size_t size) {
    size_t out = 0;
    for (; at + 2 <= length && out + 1 < size; at += 2) {
        unsigned c = Word(bytes, at);
        if (c == 0) break;
        if (c != '&') text[out++] = c < 0x80 ? static_cast<char>(c) : '?';
    }
    text[out] = '\0';
    return at + 2 <= length && Word(bytes, at) == 0;
}

}  // namespace sheet_layout
