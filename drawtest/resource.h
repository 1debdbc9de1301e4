// Resource and control identifiers of Brokasta.exe.
#ifndef BROKASTA_RESOURCE_H
#define BROKASTA_RESOURCE_H

#define IDI_BROKASTA 107   // program icon, also the window class icon

// Buttons along the top, in the order they stand (left to right).
#define IDC_DRAW 1001      // mode: strokes follow the finger
#define IDC_DRAG 1002      // mode: a full-screen crosshair follows the finger
#define IDC_CHECK 1003     // mode: tap nine crosses, each judged in pixels
#define IDC_CLEAR 1004     // wipe strokes and marks; restart a check
#define IDC_EXIT 1005      // end the program
#define IDC_APPLY 1006     // hand the check's fitted calibration over, at the right end

#define IDC_COORDS 1010    // readout of the latest screen coordinates
#define IDC_STATUS 1011    // what to do next, and the check's results

#endif
