// State and procedures shared by the applet's entry, its sheet and pages.
#ifndef PEMROSKO_APPLET_H
#define PEMROSKO_APPLET_H

#include <windows.h>

#include "driver_interface.h"

// The seven user settings the sheet edits, named after their registry
// values; loaded before the sheet opens, saved on OK.
struct ProfileSettingsData {
    DWORD BeepMode;
    DWORD BeepFreq;
    DWORD BeepTime;
    DWORD MouseMode;
    DWORD DragDelay;
    DWORD DblClickRegion;
    DWORD Port;
};

extern HINSTANCE g_module;
extern ProfileSettingsData ProfileSettings;

// Class of the running Windows (os_class.h), computed when the library is
// attached to the process.
extern int OsClass;

// The Control Panel's double-click: single-instance, system, driver and
// store checks, then the modal sheet with 'parent' as its owner.
void OpenApplet(HWND parent);

// Store access (Pemrosko's seven values). Both return FALSE after a
// registry step failed; its box has then been shown.
BOOL GetProfileSetting();
BOOL SaveProfileSetting();

// Builds and runs the five-page sheet; returns when it is closed.
void ShowPropertySheet(HWND parent);

// Starts the system folder's Durmasel.exe maximised and returns at once.
BOOL LaunchCalibration();

// WM_NOTIFY handling every page shares (save and reload on OK, reload on
// Cancel). Returns what the page's dialog procedure returns.
INT_PTR HandlePageNotify(HWND page, LPARAM lParam);

INT_PTR CALLBACK CalibrationPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SettingsPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SoundPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK DiagnosticsPageProc(HWND page, UINT msg, WPARAM wParam, LPARAM lParam);

// The library's own exports, also used by the Sound and Diagnostics pages.
extern "C" BOOL WINAPI SetBeep(DWORD mode, DWORD frequency, DWORD duration);
extern "C" BOOL WINAPI GetMouseMode(DWORD *mode);
extern "C" BOOL WINAPI GetBeep(BeepRecord *beep);

#endif
