// The stroke rule of the drawing test; see stroke.h.
#include "stroke.h"

namespace drawtest {

void BeginStroke(Stroke *stroke, Point at) {
    stroke->active = true;
    stroke->last = at;
}

bool ContinueStroke(Stroke *stroke, Point to, bool buttonDown, Point *from) {
    if (!stroke->active || !buttonDown) return false;
    *from = stroke->last;
    stroke->last = to;
    return true;
}

void EndStroke(Stroke *stroke) { stroke->active = false; }

}  // namespace drawtest
