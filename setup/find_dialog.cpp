// The "Find the touchscreen" window; see find_dialog.h.
#include "find_dialog.h"

#include "resource.h"
#include "runtime.h"

// Each tick reads every port once; at 19200 baud 50 ms bring under 100 bytes.
static const UINT kTickMs = 50;
static const UINT_PTR kTickTimer = 1;

IMPLEMENT_RUNTIME_CLASS(CFindDialog, CDialog)

CFindDialog::CFindDialog(HWND parent, const uint32_t *ports, unsigned count)
    : CDialog(IDD_FIND, parent), m_listedCount(0), m_inUseCount(0), m_timer(0) {
    for (unsigned i = 0; i < count && i < touchfind::kMostPorts; ++i)
        m_listed[m_listedCount++] = ports[i];
}

CFindDialog::~CFindDialog() {
    for (unsigned i = 0; i < m_search.PortCount(); ++i) StopListening(&m_ports[i]);
}

void CFindDialog::OpenPorts() {
    for (unsigned i = 0; i < m_listedCount; ++i) {
        ListenedPort &port = m_ports[m_search.PortCount()];
        switch (OpenToListen(m_listed[i], &port)) {
        case kListening:
            m_search.AddPort(m_listed[i]);
            break;
        case kPortInUse:
            m_inUse[m_inUseCount++] = m_listed[i];
            break;
        case kNoSuchPort:
            break;
        }
    }
}

void CFindDialog::ShowInUse() {
    if (m_inUseCount == 0) return;
    char names[128];
    Text format;
    LoadResourceText(IDS_FIND_IN_USE, &format);
    touchfind::FormatPortList(names, sizeof(names), m_inUse, m_inUseCount);
    char line[1024];  // wsprintf's own limit
    wsprintfA(line, format.c_str(), names);
    SetDlgItemText(IDC_FIND_IN_USE, line);
}

BOOL CFindDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    OpenPorts();
    ShowInUse();
    if (m_search.PortCount() == 0) {
        End(IDOK);
        return TRUE;
    }
    m_timer = SetTimer(m_hWnd, kTickTimer, kTickMs, NULL);
    OnTick();
    return TRUE;
}

void CFindDialog::ReadAll() {
    BYTE bytes[512];
    for (unsigned i = 0; i < m_search.PortCount(); ++i) {
        bool lineErrors = false;
        DWORD got = ReadArrived(&m_ports[i], bytes, sizeof(bytes), &lineErrors);
        m_search.Received(i, bytes, got, lineErrors);
    }
}

// A port that refuses the baud stays silent at it, as an empty one does.
void CFindDialog::ListenAllAt(DWORD baud) {
    for (unsigned i = 0; i < m_search.PortCount(); ++i) ListenAt(&m_ports[i], baud);
}

void CFindDialog::OnTick() {
    ReadAll();
    touchfind::Order order = m_search.Advance(GetTickCount());
    if (order.setBaud) ListenAllAt(order.baud);
    if (order.askTouch) {
        Text ask;
        LoadResourceText(IDS_FIND_TOUCH, &ask);
        SetDlgItemText(IDC_FIND_TEXT, ask.c_str());
    }
    if (order.finished) End(IDOK);
}

// The ports are closed before the window goes, so the dialog that follows
// (and the driver after the installation) finds them free.
void CFindDialog::End(INT_PTR result) {
    if (m_timer) KillTimer(m_hWnd, m_timer);
    m_timer = 0;
    for (unsigned i = 0; i < m_search.PortCount(); ++i) StopListening(&m_ports[i]);
    EndDialog(result);
}

// Enter arrives as IDOK, as in any dialog without a default button; the
// search goes on until it ends or the user cancels it.
void CFindDialog::OnOK() {}

void CFindDialog::OnCancel() { End(IDCANCEL); }

BOOL CFindDialog::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT *result) {
    if (message != WM_TIMER || wParam != kTickTimer || m_timer == 0) return FALSE;
    OnTick();
    *result = 0;
    return TRUE;
}

touchfind::Outcome CFindDialog::Outcome() const {
    touchfind::Outcome outcome = m_search.Result();
    return outcome == touchfind::kSearching ? touchfind::kNoneFound : outcome;
}

unsigned CFindDialog::Candidates(uint32_t *numbers, unsigned max) const {
    return m_search.Candidates(numbers, max);
}

unsigned CFindDialog::InUse(uint32_t *numbers, unsigned max) const {
    unsigned count = m_inUseCount < max ? m_inUseCount : max;
    for (unsigned i = 0; i < count; ++i) numbers[i] = m_inUse[i];
    return count;
}
