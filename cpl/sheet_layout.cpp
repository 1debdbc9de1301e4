// Fitting the sheet to its pages: template reading, font size choice and
// placement (see sheet_layout.h).
#include "sheet_layout.h"

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

int Clamp(int low, int value, int high) {
    if (value > high) value = high;
    return value < low ? low : value;
}

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

int ChoosePointSize(int largest, int smallest, Size room, PageMeasure measure, void *context) {
    for (int points = largest; points > smallest; --points) {
        Size pages = measure(points, context);
        if (pages.width <= room.width && pages.height <= room.height) return points;
    }
    return smallest;
}

Box GrowWithin(Box sheet, int dx, int dy, Box workArea) {
    int width = sheet.right - sheet.left + dx;
    int height = sheet.bottom - sheet.top + dy;
    int left = Clamp(workArea.left, sheet.left - dx / 2, workArea.right - width);
    int top = Clamp(workArea.top, sheet.top - dy / 2, workArea.bottom - height);
    Box grown = {left, top, left + width, top + height};
    return grown;
}

}  // namespace sheet_layout
