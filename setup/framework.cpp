// The application framework's run-time classes, application object and
// modal dialog; see framework.h.
#include "framework.h"

const CRuntimeClass CObject::classCObject = {"CObject", 0};

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass *base) const {
    for (const CRuntimeClass *cls = this; cls; cls = cls->m_pBaseClass) {
        if (cls == base) return TRUE;
    }
    return FALSE;
}

const CRuntimeClass *CObject::GetRuntimeClass() const { return &classCObject; }

CObject::~CObject() {}

void CObject::Serialize() {}

BOOL CObject::IsKindOf(const CRuntimeClass *cls) const {
    return GetRuntimeClass()->IsDerivedFrom(cls);
}

// ---- application object ---------------------------------------------------

static CApplication *g_app = 0;

IMPLEMENT_RUNTIME_CLASS(CApplication, CObject)

CApplication::CApplication()
    : m_hInstance(0), m_lpCmdLine(0), m_nCmdShow(SW_SHOWDEFAULT), m_b3dControls(FALSE) {
    g_app = this;
}

CApplication::~CApplication() {
    if (g_app == this) g_app = 0;
}

BOOL CApplication::InitInstance() { return TRUE; }

int CApplication::ExitInstance() { return 0; }

BOOL CApplication::Enable3dControls() {
    m_b3dControls = TRUE;
    return TRUE;
}

CApplication *AppGetApp() { return g_app; }

HINSTANCE AppGetInstanceHandle() {
    if (g_app && g_app->m_hInstance) return g_app->m_hInstance;
    return GetModuleHandleA(NULL);
}

int AppMain(HINSTANCE instance, LPSTR cmdLine, int cmdShow) {
    if (!g_app) return 0;
    g_app->m_hInstance = instance;
    g_app->m_lpCmdLine = cmdLine;
    g_app->m_nCmdShow = cmdShow;
    g_app->InitInstance();
    return g_app->ExitInstance();
}

// ---- modal dialog ----------------------------------------------------------

IMPLEMENT_RUNTIME_CLASS(CDialog, CObject)

CDialog::CDialog(UINT templateId, HWND parent)
    : m_hWnd(0), m_nTemplateId(templateId), m_hWndParent(parent) {}

CDialog::~CDialog() {}

INT_PTR CDialog::DoModal() {
    INT_PTR result = DialogBoxParamA(AppGetInstanceHandle(), MAKEINTRESOURCEA(m_nTemplateId),
                                     m_hWndParent, DialogProc, reinterpret_cast<LPARAM>(this));
    m_hWnd = 0;
    return result;
}

BOOL CDialog::OnInitDialog() { return TRUE; }

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::OnCommand(WORD id, WORD, HWND) {
    switch (id) {
    case IDOK:
        OnOK();
        return TRUE;
    case IDCANCEL:
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

BOOL CDialog::OnMessage(UINT, WPARAM, LPARAM, LRESULT *) { return FALSE; }

void CDialog::EndDialog(INT_PTR result) { ::EndDialog(m_hWnd, result); }

HWND CDialog::GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

BOOL CDialog::SetDlgItemText(int id, const char *text) {
    return ::SetDlgItemTextA(m_hWnd, id, text ? text : "");
}

LRESULT CDialog::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
}

// The object rides in the window's DWLP_USER slot from WM_INITDIALOG on;
// messages that come before it (WM_SETFONT) go to the system's handling.
INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CDialog *dialog;
    if (message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog *>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->m_hWnd = window;
    } else {
        dialog = reinterpret_cast<CDialog *>(GetWindowLongPtrA(window, DWLP_USER));
    }
    return dialog ? dialog->Dispatch(message, wParam, lParam) : FALSE;
}

// Messages whose answer a dialog procedure returns directly; every other
// answer goes through DWLP_MSGRESULT.
static BOOL AnswersDirectly(UINT message) {
    switch (message) {
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
        return TRUE;
    }
    return FALSE;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND:
        return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    }
    LRESULT answer = 0;
    if (!OnMessage(message, wParam, lParam, &answer)) return FALSE;
    if (AnswersDirectly(message)) return static_cast<INT_PTR>(answer);
    SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, answer);
    return TRUE;
}

BOOL LoadResourceText(UINT id, Text *out) {
    char buffer[256];
    int length = LoadStringA(AppGetInstanceHandle(), id, buffer, sizeof(buffer));
    if (length <= 0) {
        out->Clear();
        return FALSE;
    }
    return out->Assign(buffer) ? TRUE : FALSE;
}
