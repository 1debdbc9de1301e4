// The touchscreen package's part of the installer's plan: the device's
// description, its two files in the system folder, the service key that a
// removal deletes, the twelve default parameter values queued with the
// chosen port, and the System.ini entries. Portable.
#ifndef SETUP_TOUCH_PLAN_H
#define SETUP_TOUCH_PLAN_H

#include "action_lists.h"
#include "device_plan.h"
#include "package_files.h"
#include "shared_texts.h"

// The description handed to the device installer.
extern const DeviceInfo kTouchDevice;

// Files of the package in the system folder besides the driver.
#define CALIBRATION_FILE PACKAGE_CALIBRATION_FILE
#define APPLET_FILE PACKAGE_APPLET_COPY

// System.ini (in the Windows folder) names the mouse driver at boot.
#define SYSTEM_INI_FILE "System.ini"
#define SYSTEM_INI_BOOT "boot"
#define SYSTEM_INI_DESCRIPTION "boot.description"
#define SYSTEM_INI_MOUSE_KEY "mouse.drv"
#define SYSTEM_INI_MOUSE_DRIVER "mouse.drv"
#define SYSTEM_INI_MOUSE_NAME PRODUCT_NAME

// Copies of the calibration program and the applet into the system folder.
bool AppendPackageCopies(FileList *files, const char *systemFolder);

// Removal of the same two files; none when the system folder is unknown.
bool AppendPackageRemovals(FileList *files, const char *systemFolder);

// Removal of the driver's service key with its Parameters key.
bool AppendServiceKeyRemoval(RegList *keys);

// The twelve REG_DWORD values of the parameter store with their install
// defaults, "Port" taking port unchanged (-1 is stored as FFFFFFFF). A
// calibration given (five values in the record's order, XLow, YLow, XHigh,
// YHigh, SwapXY) takes the place of the five calibration defaults; false,
// and nothing queued, when an edge of it is beyond the controller's range.
bool AppendDefaultParameterValues(RegList *keys, long port,
                                  const unsigned long *calibration = 0);

// Four little-endian bytes of a 32-bit value, as the registry stores them.
void EncodeDword(unsigned long value, unsigned char (&bytes)[4]);

#endif
