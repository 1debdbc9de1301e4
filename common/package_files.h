// The names of the package's files and folder, written once for the
// installer, the applet and the tests of both. Portable; the names are
// macros so that texts can be joined to them at compile time.
#ifndef COMMON_PACKAGE_FILES_H
#define COMMON_PACKAGE_FILES_H

// In the system folder.
#define PACKAGE_CALIBRATION_FILE "Durmasel.exe"
#define PACKAGE_APPLET_FILE "Pemrosko.Cpl"
#define PACKAGE_DRIVER_FILE "ZELVANIS.VxD"
// The applet as Setup's copy list has always spelt it; Windows folders
// ignore case, so it is the same file.
#define PACKAGE_APPLET_COPY "Pemrosko.CPL"

// The program folder below the Windows folder, and what it holds.
#define PACKAGE_PROGRAM_FOLDER "Zelvanis"
#define PACKAGE_SWITCH_FILE "Fennock.exe"
#define PACKAGE_DRAWTEST_FILE "Brokasta.exe"
#define PACKAGE_SETUP_FILE "Setup.exe"

#endif
