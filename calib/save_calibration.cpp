// The end of a calibration run: the record computed from the three raw
// touches goes to the driver at once, and after the user's Yes into the
// parameter store through the shelf's calibration save.
#include "durmasel.h"

#include "calibration_save.h"

BOOL ComputeAndTransfer(void) {
    g_state.record = calib::ComputeRecord(g_state.rawPoints);
    if (SetTouchCalibration(g_state.device, &g_state.record)) return TRUE;
    MessageBoxA(NULL, "Could not transfer calibration parameters to device driver!",
                GENERAL_CAPTION, MB_OK);
    return FALSE;
}

void SaveAcceptedRecord(void) {
    if (!shelf::SaveCalibration(g_state.record))
        MessageBoxA(NULL, "Cannot update touchscreen parameters to registry!", GENERAL_CAPTION,
                    MB_OK);
}
