// CTouchInstaller makes the device installer the installer of the
// touchscreen package: it describes the touchscreen device, adds the
// calibration program and the applet to the file list, the driver's
// service key to a removal, the default parameters with the chosen port,
// sets the double-click metrics, and writes the System.ini entries.
#ifndef SETUP_TOUCH_INSTALLER_H
#define SETUP_TOUCH_INSTALLER_H

#include "device_installer.h"

class CTouchInstaller : public CDeviceInstaller {
    DECLARE_RUNTIME_CLASS(CTouchInstaller)
public:
    CTouchInstaller();
    virtual ~CTouchInstaller();

    // The base class's update, then the package's two system-folder files.
    virtual BOOL PrepareUpdate();

    // Describes the device, detects it and queues the package's own
    // actions; on a machine without it, writes System.ini at once unless
    // told not to (an unattended run writes it only when it installs).
    BOOL Prepare(BOOL writeSystemIni = TRUE);
    // Queues the twelve parameter values with port and sets the
    // double-click metrics at once; nothing on an installed device.
    // A calibration (the record's five words) replaces the calibration
    // defaults.
    void AddDefaultParameters(int port, const unsigned long *calibration = NULL);
    // The device's leftovers (CDeviceInstaller::QueueLeftovers), and the
    // driver's service key with the parameter store; TRUE when a key of
    // either is there.
    BOOL QueueLeftovers();
    // [boot] mouse.drv=mouse.drv, [boot.description] mouse.drv=<product name>;
    // FALSE, with a failure line, when an entry could not be written.
    BOOL WriteSystemIni();
};

#endif
