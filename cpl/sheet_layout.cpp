// Fitting the sheet to its pages: font size choice, text box widths and
// placement (see sheet_layout.h).
#include "sheet_layout.h"

namespace sheet_layout {

namespace {

// Space kept between a widened text and a group's edge or the next control.
const int kGroupMargin = 4, kControlGap = 2;

int Clamp(int low, int value, int high) {
    if (value > high) value = high;
    return value < low ? low : value;
}

}  // namespace

int RoomForText(const TemplateItem *items, int count, int index, int pageWidth) {
    const Box &text = items[index].place;
    int right = pageWidth - kGroupMargin;
    for (int i = 0; i < count; ++i) {
        const Box &other = items[i].place;
        if (i == index) continue;
        bool around = other.left <= text.left && text.left < other.right &&
                      other.top <= text.top && text.bottom <= other.bottom;
        bool onRow = other.top < text.bottom && text.top < other.bottom;
        if (items[i].groupBox && around && other.right - kGroupMargin < right)
            right = other.right - kGroupMargin;
        if (!items[i].groupBox && onRow && other.left >= text.right &&
            other.left - kControlGap < right)
            right = other.left - kControlGap;
    }
    return right - text.left;
}

int FittedWidth(int width, int needed, int room) {
    if (needed > width) return needed < room ? needed : (room > width ? room : width);
    return width > room && needed <= room ? room : width;
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
