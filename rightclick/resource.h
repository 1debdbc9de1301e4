// Resource identifiers of Fennock.exe.
#ifndef FENNOCK_RESOURCE_H
#define FENNOCK_RESOURCE_H

#define IDI_FENNOCK 102          // program file icon (shown by the shell only)
#define IDD_FENNOCK 105          // the tool window with its one button
#define IDB_SWITCH_PENDING 107   // mouse with the right button hatched
#define IDB_SWITCH_IDLE 108      // mouse with the left button hatched
#define IDC_SWITCH_BUTTON 1003   // push-like check box showing one of the two

#endif
