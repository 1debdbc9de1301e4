// What the applet's page templates say about themselves: a dialog
// template's size, font size and controls, read from its bytes, with the
// byte offsets where the sheet fit changes them. No windows.h, so the
// reading is tested natively.
#ifndef PEMROSKO_DIALOG_TEMPLATE_H
#define PEMROSKO_DIALOG_TEMPLATE_H

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

}  // namespace sheet_layout

#endif
