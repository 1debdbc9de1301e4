// Listening to a serial port without writing to it; see serial_listener.h.
#include "serial_listener.h"

#include "port_names.h"

ListenOpen OpenToListen(DWORD number, ListenedPort *port) {
    char name[16];
    port->handle = INVALID_HANDLE_VALUE;
    port->number = number;
    if (!ports::PortName(name, sizeof(name), number)) return kNoSuchPort;
    HANDLE handle =
        CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING, 0, NULL);
    if (handle == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        bool absent = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return absent ? kNoSuchPort : kPortInUse;
    }
    port->saved.DCBlength = sizeof(port->saved);
    // Reads return at once with whatever has arrived: the search polls all
    // ports in turn, and waiting on events fails on some serial devices.
    // A port whose settings can't be read is no serial port to listen to.
    COMMTIMEOUTS atOnce = {MAXDWORD, 0, 0, 0, 0};
    if (!GetCommState(handle, &port->saved) || !GetCommTimeouts(handle, &port->savedTimeouts) ||
        !SetCommTimeouts(handle, &atOnce)) {
        CloseHandle(handle);
        return kNoSuchPort;
    }
    port->handle = handle;
    return kListening;
}

// Plain 8N1 with both modem lines on (some controllers draw their power
// from them) and no flow control that could hold the bytes back.
static void SetListeningState(DCB *dcb, DWORD baud) {
    dcb->BaudRate = baud;
    dcb->ByteSize = 8;
    dcb->Parity = NOPARITY;
    dcb->StopBits = ONESTOPBIT;
    dcb->fBinary = TRUE;
    dcb->fParity = FALSE;
    dcb->fOutxCtsFlow = FALSE;
    dcb->fOutxDsrFlow = FALSE;
    dcb->fDtrControl = DTR_CONTROL_ENABLE;
    dcb->fRtsControl = RTS_CONTROL_ENABLE;
    dcb->fDsrSensitivity = FALSE;
    dcb->fOutX = FALSE;
    dcb->fInX = FALSE;
    dcb->fErrorChar = FALSE;
    dcb->fNull = FALSE;
    dcb->fAbortOnError = FALSE;
}

BOOL ListenAt(ListenedPort *port, DWORD baud) {
    if (port->handle == INVALID_HANDLE_VALUE) return FALSE;
    DCB dcb = port->saved;
    SetListeningState(&dcb, baud);
    if (!SetCommState(port->handle, &dcb)) return FALSE;
    // Bytes that waited in the port came at another baud.
    PurgeComm(port->handle, PURGE_RXABORT | PURGE_RXCLEAR);
    return TRUE;
}

DWORD ReadArrived(ListenedPort *port, BYTE *bytes, DWORD size, bool *lineErrors) {
    *lineErrors = false;
    if (port->handle == INVALID_HANDLE_VALUE) return 0;
    DWORD got = 0;
    if (!ReadFile(port->handle, bytes, size, &got, NULL)) got = 0;
    DWORD errors = 0;
    if (ClearCommError(port->handle, &errors, NULL))
        *lineErrors = (errors & (CE_FRAME | CE_RXPARITY)) != 0;
    return got;
}

void StopListening(ListenedPort *port) {
    if (port->handle == INVALID_HANDLE_VALUE) return;
    SetCommState(port->handle, &port->saved);
    SetCommTimeouts(port->handle, &port->savedTimeouts);
    CloseHandle(port->handle);
    port->handle = INVALID_HANDLE_VALUE;
}
