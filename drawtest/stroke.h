// The drawing test's stroke rule: a line follows the finger from its
// button-down to its button-up and never joins two touches. No windows.h,
// so it is tested natively.
#ifndef BROKASTA_STROKE_H
#define BROKASTA_STROKE_H

#include "point.h"

namespace drawtest {

// A stroke follows the finger from its button-down to its button-up; moves
// outside a stroke draw nothing, so no line ever crosses a lift.
struct Stroke {
    bool active;
    Point last;
};

void BeginStroke(Stroke *stroke, Point at);
// The segment to draw for a move to 'to' (from *from); false when none is
// due because no stroke is active or the button is not down.
bool ContinueStroke(Stroke *stroke, Point to, bool buttonDown, Point *from);
void EndStroke(Stroke *stroke);

}  // namespace drawtest

#endif
