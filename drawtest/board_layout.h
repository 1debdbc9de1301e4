// Portable layout of the drawing test's board: where the finger-sized
// buttons, the readout, the status line and the legend sit, and how the
// check's result picture shows the screen in miniature. No windows.h, so
// all of it is tested natively.
#ifndef BROKASTA_BOARD_LAYOUT_H
#define BROKASTA_BOARD_LAYOUT_H

#include "point.h"

namespace drawtest {

enum BarItem { BAR_DRAW, BAR_DRAG, BAR_CHECK, BAR_CLEAR, BAR_EXIT, BAR_BUTTONS };

// The bar along the top: five finger-sized buttons from the left, the
// check's Apply button of the same size at the right end and the
// coordinate readout between them; scaled with the screen within limits a
// finger can still hit. Two thinner rows along the bottom hold the status
// line and, below it, the legend of the event marks. The check's result
// picture fills the space between the bar and the status line, less room
// for the rings and labels around its crosses.
struct BarLayout {
    int height;
    Box buttons[BAR_BUTTONS];
    Box apply;
    Box readout;
    Box legend;
    Box status;
    Box picture;
};

BarLayout LayOutBar(int width, int height);

// The result picture is the screen in miniature: where a point of the
// screen stands in it...
Point PicturePoint(const Box &picture, Point at, int width, int height);

// ...and where a touch's error line ends: drawn kMagnification times as
// long as the error, so a few pixels show. start and target lie on the
// screen, tap anywhere; the end is kept within 16-bit drawing coordinates.
const int kMagnification = 5;
Point MagnifiedEnd(Point start, Point target, Point tap);

}  // namespace drawtest

#endif
