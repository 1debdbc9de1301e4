// The list of serial ports present on this machine, as the applet and
// Setup offer it in a combo box.
#ifndef SHELF_COM_PORTS_H
#define SHELF_COM_PORTS_H

#include <windows.h>

namespace shelf {

// Empties the combo box list and adds each present port of the package's
// range, in order, with its number as the item data; selects the entry of
// port selected (none when it is absent or 0).
void FillPortList(HWND list, DWORD selected);

// True when the system knows the port of that number; it is not opened.
bool PortPresent(DWORD number);

}  // namespace shelf

#endif
