// Setup's small application framework: a root object that knows its
// run-time class and base, one application object whose start routine
// WinMain calls, and a modal dialog class built on DialogBoxParamA.
// Only what Setup needs; no message maps, no document classes.
#ifndef SETUP_FRAMEWORK_H
#define SETUP_FRAMEWORK_H

#include <windows.h>

#include "portable/text.h"

// Run-time class information: a name and the base class's record.
struct CRuntimeClass {
    const char *m_lpszClassName;
    const CRuntimeClass *m_pBaseClass;

    BOOL IsDerivedFrom(const CRuntimeClass *base) const;
};

// Declares the class record and the query in a class body...
#define DECLARE_RUNTIME_CLASS(name)                          \
public:                                                      \
    static const CRuntimeClass class##name;                  \
    virtual const CRuntimeClass *GetRuntimeClass() const;

// ...and defines them in one source file.
#define IMPLEMENT_RUNTIME_CLASS(name, base)                                  \
    const CRuntimeClass name::class##name = {#name, &base::class##base};     \
    const CRuntimeClass *name::GetRuntimeClass() const { return &class##name; }

#define RUNTIME_CLASS(name) (&name::class##name)

// The root of Setup's classes. Its virtual operations come first in every
// derived class: the class query, the destructor, the serialisation hook.
class CObject {
public:
    static const CRuntimeClass classCObject;
    virtual const CRuntimeClass *GetRuntimeClass() const;
    virtual ~CObject();
    // Nothing in Setup is serialised; the hook exists for derived classes.
    virtual void Serialize();

    BOOL IsKindOf(const CRuntimeClass *cls) const;

protected:
    CObject() {}

private:
    CObject(const CObject &);
    CObject &operator=(const CObject &);
};

// The application object. Exactly one exists, made by WinMain as a local
// that lives for the whole run; WinMain then calls AppMain, which stores
// the start-up data and calls InitInstance, the program's start routine.
class CApplication : public CObject {
    DECLARE_RUNTIME_CLASS(CApplication)
public:
    CApplication();
    virtual ~CApplication();

    // The start routine: does the program's work. Its result becomes the
    // process exit code through ExitInstance.
    virtual BOOL InitInstance();
    // Called after InitInstance; returns the exit code (0 by default).
    virtual int ExitInstance();

    // Three-dimensional dialog controls: programs marked for Windows 4.0
    // get them from the system on Windows 95 and later, so this only
    // records the wish.
    BOOL Enable3dControls();

    HINSTANCE m_hInstance;
    LPSTR m_lpCmdLine;
    int m_nCmdShow;
    BOOL m_b3dControls;
};

// The one application object, or null before it is constructed.
CApplication *AppGetApp();
// The module that holds the program's resources.
HINSTANCE AppGetInstanceHandle();
// WinMain's body: stores the arguments, runs InitInstance and ExitInstance.
int AppMain(HINSTANCE instance, LPSTR cmdLine, int cmdShow);

// A modal dialog from a template in the program's resources.
class CDialog : public CObject {
    DECLARE_RUNTIME_CLASS(CDialog)
public:
    explicit CDialog(UINT templateId, HWND parent = NULL);
    virtual ~CDialog();

    // Runs the dialog; returns the value passed to EndDialog, or -1 when the
    // dialog could not be made.
    INT_PTR DoModal();

    // Called for WM_INITDIALOG; TRUE gives the focus to the default control.
    virtual BOOL OnInitDialog();
    // IDOK (button or Enter): ends with IDOK.
    virtual void OnOK();
    // IDCANCEL (button, Escape or the close box): ends with IDCANCEL.
    virtual void OnCancel();
    // WM_COMMAND. The default calls OnOK for IDOK and OnCancel for IDCANCEL;
    // return TRUE when the command was handled.
    virtual BOOL OnCommand(WORD id, WORD notifyCode, HWND control);
    // Every other message. Return TRUE when handled and put the message's
    // answer into *result; FALSE lets the system's dialog handling run.
    virtual BOOL OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);

    void EndDialog(INT_PTR result);
    HWND GetDlgItem(int id) const;
    BOOL SetDlgItemText(int id, const char *text);
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;

protected:
    UINT m_nTemplateId;
    HWND m_hWndParent;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
};

// Loads string resource id into out (at most 255 bytes); FALSE when absent.
BOOL LoadResourceText(UINT id, Text *out);

#endif
