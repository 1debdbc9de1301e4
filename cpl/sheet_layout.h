// The arithmetic of fitting the applet's sheet to its pages: where a page
// template keeps its size, font size and controls, which font size lets the
// pages fit the screen, how wide a text's box may become, and where the
// grown sheet goes. No windows.h, so the rules are tested natively.
#ifndef PEMROSKO_SHEET_LAYOUT_H
#define PEMROSKO_SHEET_LAYOUT_H

#include <stddef.h>

namespace sheet_layout {

struct Size {
    int width;
    int height;
};

// Screen rectangle: left and top inside, right and bottom just outside.
struct Box {
    int left;
    int top;
    int right;
    int bottom;
};

// What a dialog template says about itself.
struct TemplateFacts {
    Size extent;             // in dialog units of the template's own font
    int pointSize;           // of the template's own font
    size_t pointSizeOffset;  // byte offset of that point size
    size_t itemCountOffset;  // byte offset of the number of controls
};

// Reads a dialog template, plain or extended. False when it is cut short or
// names no font of its own (so its font size cannot be changed).
bool ReadTemplate(const unsigned char *bytes, size_t length, TemplateFacts *facts);

// One control of a plain dialog template, as far as fitting its text needs.
struct TemplateItem {
    Box place;           // in dialog units
    size_t widthOffset;  // byte offset of its width
    size_t titleOffset;  // byte offset of its title's text; 0 for none or an ordinal
    bool leftText;       // a static text drawn from its left edge
    bool groupBox;
};

// Reads the controls of a plain template (extended ones have none for us),
// up to capacity; how many, or -1 when the template is cut short.
int ReadItems(const unsigned char *bytes, size_t length, const TemplateFacts &facts,
              TemplateItem *items, int capacity);

// A title's text (UTF-16 in the template) as plain text, without its "&"
// marks; characters outside ASCII become "?". False when cut short.
bool TitleText(const unsigned char *bytes, size_t length, size_t at, char *text, size_t size);

// The widest, in dialog units, that text control index may be: up to the
// inner edge of the group box around it (or the page's) and short of any
// control that starts to its right on its row.
int RoomForText(const TemplateItem *items, int count, int index, int pageWidth);

// A text box's new width: wide enough for the text it needs where the room
// allows, and drawn back within the room (off its group's frame) where the
// text allows; otherwise as it is.
int FittedWidth(int width, int needed, int room);

// Measures the pages with their font at the given point size.
typedef Size (*PageMeasure)(int pointSize, void *context);

// The largest point size from largest down to smallest at which the pages
// fit into room; smallest when none does.
int ChoosePointSize(int largest, int smallest, Size room, PageMeasure measure, void *context);

// The sheet grown by dx and dy (shrunk when negative) about its centre, then
// moved wholly into the work area; a sheet larger than the work area keeps
// its top left corner on the work area's, so caption and tabs stay visible.
Box GrowWithin(Box sheet, int dx, int dy, Box workArea);

}  // namespace sheet_layout

#endif
