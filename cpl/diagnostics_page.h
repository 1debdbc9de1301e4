// What the applet's Diagnostics page keeps while it lives, and the drawing
// of its miniature of the panel.
#ifndef PEMROSKO_DIAGNOSTICS_PAGE_H
#define PEMROSKO_DIAGNOSTICS_PAGE_H

#include <windows.h>

#include "diagnostics_rules.h"
#include "driver_interface.h"

// Made in WM_INITDIALOG, kept with the page (DWLP_USER), freed in WM_DESTROY.
struct DiagnosticsState {
    bool driverLoaded;       // as found when the page was last shown
    bool calibrationStored;  // all five values are in the store
    CalibrationRecord calibration;
    diag::RawWatch watch;
    HANDLE device;  // held while the watch is on, else NULL
    diag::TouchHistory history;
    char agoShown[40];  // the age text on the page, rewritten only when it changes
};

// diagnostics_panel.cpp: the panel's raw square with the kept touches as
// dots, the newest marked.
void PaintPanel(const DRAWITEMSTRUCT *item, const diag::TouchHistory &history);

#endif
