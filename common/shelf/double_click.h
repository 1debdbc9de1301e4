// The double-click metrics a touch setting implies, applied to the system.
#ifndef SHELF_DOUBLE_CLICK_H
#define SHELF_DOUBLE_CLICK_H

#include <windows.h>

namespace shelf {

// Sets the double-click width, height and time the store's rules derive
// from the range and mouse mode. Kept in the user profile; other programs
// are not told (no broadcast). FALSE when the system refused one of the
// three (all three are tried).
BOOL ApplyDoubleClickMetrics(DWORD dblClickRegion, DWORD mouseMode);

}  // namespace shelf

#endif
