// The arithmetic of fitting the applet's sheet to its pages: which font
// size lets the pages fit the screen, how wide a text's box may become, and
// where the grown sheet goes. No windows.h, so the rules are tested
// natively.
#ifndef PEMROSKO_SHEET_LAYOUT_H
#define PEMROSKO_SHEET_LAYOUT_H

#include "dialog_template.h"

namespace sheet_layout {

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
