// Setup's question, port and completion dialogs; see dialogs.h.
#include "dialogs.h"

#include "com_ports.h"
#include "find_dialog.h"
#include "resource.h"
#include "runtime.h"
#include "win95_abi.h"

// Setup has no main window to sit on: its dialogs open in the middle of
// the screen, as a dialog without an owner is expected to.
static void CenterOnScreen(HWND dialog) {
    RECT box;
    GetWindowRect(dialog, &box);
    int x = (GetSystemMetrics(SM_CXSCREEN) - (box.right - box.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (box.bottom - box.top)) / 2;
    SetWindowPos(dialog, NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- question --------------------------------------------------------------

IMPLEMENT_RUNTIME_CLASS(CQuestionDialog, CDialog)

CQuestionDialog::CQuestionDialog(BOOL install)
    : CDialog(IDD_QUESTION), m_bInstall(install),
      m_hIcon(LoadIconA(AppGetInstanceHandle(), MAKEINTRESOURCEA(IDI_SETUP))) {}

void CQuestionDialog::LoadTexts(Text *caption) {
    LoadResourceText(m_bInstall ? IDS_CAPTION_INSTALL : IDS_CAPTION_UNINSTALL, caption);
    LoadResourceText(m_bInstall ? IDS_STATUS_NOT_INSTALLED : IDS_STATUS_INSTALLED,
                     &m_strStatus);
    LoadResourceText(m_bInstall ? IDS_QUESTION_INSTALL : IDS_QUESTION_UNINSTALL,
                     &m_strQuestion);
}

BOOL CQuestionDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterOnScreen(m_hWnd);
    SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    Text caption;
    LoadTexts(&caption);
    SetWindowTextA(m_hWnd, caption.c_str());
    SetDlgItemText(IDC_QUESTION_STATUS, m_strStatus.c_str());
    SetDlgItemText(IDC_QUESTION_TEXT, m_strQuestion.c_str());
    return TRUE;
}

// Enter without a default button arrives as IDOK: it answers "Yes,go next".
void CQuestionDialog::OnOK() { EndDialog(IDYES); }

BOOL CQuestionDialog::OnCommand(WORD id, WORD notifyCode, HWND control) {
    switch (id) {
    case IDC_QUESTION_YES:
        EndDialog(IDYES);
        return TRUE;
    case IDC_QUESTION_QUIT:
        EndDialog(IDNO);
        return TRUE;
    }
    return CDialog::OnCommand(id, notifyCode, control);
}

// A minimised dialog has no class icon to show, so it draws its own.
BOOL CQuestionDialog::PaintMinimised() {
    if (!IsIconic(m_hWnd)) return FALSE;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    GetClientRect(m_hWnd, &client);
    int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
    return TRUE;
}

BOOL CQuestionDialog::OnMessage(UINT message, WPARAM, LPARAM, LRESULT *result) {
    switch (message) {
    case WM_PAINT:
        return PaintMinimised();
    case WM_QUERYDRAGICON:
        *result = reinterpret_cast<LRESULT>(m_hIcon);
        return TRUE;
    }
    return FALSE;
}

// ---- port --------------------------------------------------------------------

IMPLEMENT_RUNTIME_CLASS(CPortDialog, CDialog)

CPortDialog::CPortDialog() : CDialog(IDD_PORT), m_nIndex(0), m_nPort(0) {}

// The first entry is chosen by OnInitDialog, not by the list.
void CPortDialog::FillPortList() { shelf::FillPortList(GetDlgItem(IDC_PORT_LIST), 0); }

// The port number of the selected entry; CB_ERR (-1) when none is.
int CPortDialog::SelectedPort() {
    LRESULT index = SendDlgItemMessage(IDC_PORT_LIST, CB_GETCURSEL, 0, 0);
    if (index < 0) return CB_ERR;
    return static_cast<int>(SendDlgItemMessage(IDC_PORT_LIST, CB_GETITEMDATA, index, 0));
}

BOOL CPortDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterOnScreen(m_hWnd);
    FillPortList();
    SendDlgItemMessage(IDC_PORT_LIST, CB_SETCURSEL, 0, 0);
    m_nPort = SelectedPort();
    SendDlgItemMessage(IDC_PORT_LIST, CB_SETCURSEL, m_nIndex, 0);
    return TRUE;
}

void CPortDialog::OnOK() {
    m_nIndex = static_cast<int>(SendDlgItemMessage(IDC_PORT_LIST, CB_GETCURSEL, 0, 0));
    m_nPort = SelectedPort();
    EndDialog(IDOK);
}

BOOL CPortDialog::OnCommand(WORD id, WORD notifyCode, HWND control) {
    if (id != IDC_PORT_FIND) return CDialog::OnCommand(id, notifyCode, control);
    FindByTouch();
    return TRUE;
}

// Searches the ports of the list; Cancel leaves the dialog as it was.
void CPortDialog::FindByTouch() {
    uint32_t listed[touchfind::kMostPorts];
    unsigned count = 0;
    LRESULT entries = SendDlgItemMessage(IDC_PORT_LIST, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < entries && count < touchfind::kMostPorts; ++i)
        listed[count++] =
            static_cast<uint32_t>(SendDlgItemMessage(IDC_PORT_LIST, CB_GETITEMDATA, i, 0));
    CFindDialog find(m_hWnd, listed, count);
    if (find.DoModal() != IDOK) return;
    uint32_t found;
    if (find.Outcome() == touchfind::kFound && find.Candidates(&found, 1) == 1)
        ShowFound(found);
    else
        ReportNotFound(find);
}

void CPortDialog::SelectPortNumber(uint32_t number) {
    LRESULT entries = SendDlgItemMessage(IDC_PORT_LIST, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < entries; ++i) {
        LRESULT data = SendDlgItemMessage(IDC_PORT_LIST, CB_GETITEMDATA, i, 0);
        if (static_cast<uint32_t>(data) == number)
            SendDlgItemMessage(IDC_PORT_LIST, CB_SETCURSEL, i, 0);
    }
}

// Fills format (a string resource with one %s) with the names of ports.
static void FormatWithPorts(UINT format, const uint32_t *ports, unsigned count, char *out) {
    Text pattern;
    LoadResourceText(format, &pattern);
    char names[128];
    touchfind::FormatPortList(names, sizeof(names), ports, count);
    wsprintfA(out, pattern.c_str(), names);
}

void CPortDialog::ShowFound(uint32_t number) {
    SelectPortNumber(number);
    char line[1024];  // wsprintf's own limit
    FormatWithPorts(IDS_FOUND_ON, &number, 1, line);
    SetDlgItemText(IDC_PORT_FOUND, line);
}

// None or several: the user chooses; the ports in use are named too.
void CPortDialog::ReportNotFound(const CFindDialog &find) {
    uint32_t ports[touchfind::kMostPorts];
    char text[1024], inUse[1024];  // wsprintf's own limit
    unsigned count = find.Candidates(ports, touchfind::kMostPorts);
    bool several = find.Outcome() == touchfind::kSeveralFound;
    FormatWithPorts(several ? IDS_FOUND_SEVERAL : IDS_FOUND_NONE, ports, count, text);
    count = find.InUse(ports, touchfind::kMostPorts);
    if (count > 0) {
        FormatWithPorts(IDS_FIND_IN_USE, ports, count, inUse);
        rt::Append(text, sizeof(text), "\r\n\r\n");
        rt::Append(text, sizeof(text), inUse);
    }
    Text caption;
    LoadResourceText(IDS_FIND_CAPTION, &caption);
    MessageBoxA(m_hWnd, text, caption.c_str(), MB_OK | MB_ICONINFORMATION);
}

// ---- completion ----------------------------------------------------------------

IMPLEMENT_RUNTIME_CLASS(CCompleteDialog, CDialog)

CCompleteDialog::CCompleteDialog() : CDialog(IDD_COMPLETE) {}

BOOL CCompleteDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    CenterOnScreen(m_hWnd);
    return TRUE;
}
