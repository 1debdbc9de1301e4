// One serial port opened only to listen: exclusive open, a baud with 8 data
// bits, no parity, 1 stop bit and DTR and RTS on, reads that return at once
// with what has arrived, and on closing the port's own settings put back.
// Nothing is ever written to the port.
#ifndef SETUP_SERIAL_LISTENER_H
#define SETUP_SERIAL_LISTENER_H

#include <windows.h>

struct ListenedPort {
    HANDLE handle;
    DWORD number;
    DCB saved;
    COMMTIMEOUTS savedTimeouts;
};

enum ListenOpen { kListening, kPortInUse, kNoSuchPort };

// Opens COM<number>. A port that is there but can't be opened (a modem's
// program or the touchscreen driver holds it) is kPortInUse.
ListenOpen OpenToListen(DWORD number, ListenedPort *port);

// Sets the baud and empties what arrived before; FALSE when the port
// refused the settings.
BOOL ListenAt(ListenedPort *port, DWORD baud);

// Reads what has arrived (at most size bytes) without waiting; *lineErrors
// tells whether the port saw framing or parity errors since the last read.
DWORD ReadArrived(ListenedPort *port, BYTE *bytes, DWORD size, bool *lineErrors);

// Puts the port's settings back and closes it; a closed port is left alone.
void StopListening(ListenedPort *port);

#endif
