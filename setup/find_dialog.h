// "Find the touchscreen": the small window that listens to every port of
// the port list at once while the user touches the screen, and closes by
// itself when the search has its answer (portable/touch_search.h) or at
// once on Cancel. Every port it opened is closed again when it ends.
#ifndef SETUP_FIND_DIALOG_H
#define SETUP_FIND_DIALOG_H

#include "framework.h"
#include "portable/touch_search.h"
#include "serial_listener.h"

class CFindDialog : public CDialog {
    DECLARE_RUNTIME_CLASS(CFindDialog)
public:
    // ports: the numbers of the port list's entries.
    CFindDialog(HWND parent, const uint32_t *ports, unsigned count);
    virtual ~CFindDialog();

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual BOOL OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT *result);

    // After IDOK: kFound with the port, kSeveralFound with the candidates,
    // or kNoneFound. IDCANCEL: the search was given up.
    touchfind::Outcome Outcome() const;
    unsigned Candidates(uint32_t *numbers, unsigned max) const;
    // The ports that were in use and not searched.
    unsigned InUse(uint32_t *numbers, unsigned max) const;

private:
    void OpenPorts();
    void ShowInUse();
    void OnTick();
    void ReadAll();
    void ListenAllAt(DWORD baud);
    void End(INT_PTR result);

    uint32_t m_listed[touchfind::kMostPorts];
    unsigned m_listedCount;
    ListenedPort m_ports[touchfind::kMostPorts];  // in the search's order
    uint32_t m_inUse[touchfind::kMostPorts];
    unsigned m_inUseCount;
    touchfind::Search m_search;
    UINT_PTR m_timer;
};

#endif
