// Setup's three modal dialogs: the install/uninstall question, the choice
// of the controller's serial port, and the end of an installation with the
// offer to restart. Each is built from its template in Setup's resources
// and has no owner window (Setup has no main window).
#ifndef SETUP_DIALOGS_H
#define SETUP_DIALOGS_H

#include <stdint.h>

#include "framework.h"

// Ends with IDYES ("Yes,go next" or Enter), IDNO ("Quit") or IDCANCEL
// (Escape or the close box). Its texts follow Setup's mode.
class CQuestionDialog : public CDialog {
    DECLARE_RUNTIME_CLASS(CQuestionDialog)
public:
    explicit CQuestionDialog(BOOL install);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual BOOL OnCommand(WORD id, WORD notifyCode, HWND control);
    virtual BOOL OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);

    Text m_strStatus;
    Text m_strQuestion;

private:
    void LoadTexts(Text *caption);
    BOOL PaintMinimised();

    BOOL m_bInstall;
    HICON m_hIcon;
};

class CFindDialog;

// Lists the serial ports the system knows, sorted by name, the first one
// selected. "Find by touch..." selects the port where a touch showed a
// controller. Ends with IDOK and m_nPort set, or IDCANCEL.
class CPortDialog : public CDialog {
    DECLARE_RUNTIME_CLASS(CPortDialog)
public:
    CPortDialog();

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual BOOL OnCommand(WORD id, WORD notifyCode, HWND control);

    int m_nIndex;  // the selected list entry
    int m_nPort;   // its port number; -1 when the list is empty

private:
    void FillPortList();
    int SelectedPort();
    void FindByTouch();
    void SelectPortNumber(uint32_t number);
    void ShowFound(uint32_t number);
    void ReportNotFound(const CFindDialog &find);
};

// "Yes,reboot now>>" or Enter ends with IDOK, "No", Escape or the close box
// with IDCANCEL.
class CCompleteDialog : public CDialog {
    DECLARE_RUNTIME_CLASS(CCompleteDialog)
public:
    CCompleteDialog();

    virtual BOOL OnInitDialog();
};

#endif
