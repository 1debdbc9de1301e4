// The drawing test's plane: a point and a box in screen pixels, shared by
// the check, the board's layout and the stroke. No windows.h.
#ifndef BROKASTA_POINT_H
#define BROKASTA_POINT_H

namespace drawtest {

struct Point {
    int x;
    int y;
};

struct Box {
    int left;
    int top;
    int right;
    int bottom;
};

}  // namespace drawtest

#endif
