// The applet's property sheet: five pages with OK and Cancel only, no help
// button, and the notifications every page answers alike (save and reload
// on OK, reload on Cancel).
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "applet.h"
#include "driver_interface.h"
#include "driver_device.h"
#include "resource.h"
#include "runtime.h"
#include "shared_texts.h"
#include "sheet_fit.h"
#include "win95_abi.h"

namespace {

struct PageEntry {
    WORD templateId;
    const char *title;
    DLGPROC procedure;
};

// In tab order; the first is the start page.
const PageEntry kPages[] = {
    {IDD_PAGE_CALIBRATION, "Calibration", CalibrationPageProc},
    {IDD_PAGE_SETTINGS, "Settings", SettingsPageProc},
    {IDD_PAGE_SOUND, "Sound", SoundPageProc},
    {IDD_PAGE_ABOUT, "About", AboutPageProc},
    {IDD_PAGE_DIAGNOSTICS, "Diagnostics", DiagnosticsPageProc},
};
const UINT kPageCount = sizeof(kPages) / sizeof(kPages[0]);
static_assert(kPageCount <= SheetFit::kMostPages, "every page fitted");

// DLGTEMPLATEEX begins with version 1 and the signature 0xFFFF; its style
// sits after the help id and the extended style. A plain DLGTEMPLATE starts
// with its style. Windows 95 hands the plain form; later systems may not.
DWORD *TemplateStyle(void *dialogTemplate) {
    WORD *words = static_cast<WORD *>(dialogTemplate);
    if (words[0] == 1 && words[1] == 0xFFFF) return reinterpret_cast<DWORD *>(words + 6);
    return static_cast<DWORD *>(dialogTemplate);
}

// PSCB_INITIALIZED comes when the sheet has laid itself out and before it
// creates the start page: the last moment to size the sheet and choose the
// pages' font before anything is shown.
int CALLBACK PropSheetCallback(HWND sheet, UINT msg, LPARAM lParam) {
    if (msg == PSCB_PRECREATE && lParam) {
        *TemplateStyle(reinterpret_cast<void *>(lParam)) &= ~static_cast<DWORD>(DS_CONTEXTHELP);
    } else if (msg == PSCB_INITIALIZED && SheetFit::Open()) {
        SheetFit::Open()->FitTo(sheet);
    }
    return 0;
}

// A page record of the first version. The sheet steps through the page
// array by each record's size field, so the records must lie 40 bytes
// apart: Windows 95's own common controls refuse any other size, and every
// later version accepts it.
struct PageRecordV1 {
    DWORD dwSize;
    DWORD dwFlags;
    HINSTANCE hInstance;
    LPCSTR pszTemplate;
    HICON hIcon;
    LPCSTR pszTitle;
    DLGPROC pfnDlgProc;
    LPARAM lParam;
    LPFNPSPCALLBACKA pfnCallback;
    UINT *pcRefParent;
};
static_assert(sizeof(PageRecordV1) == kPropSheetPageV1Size, "first-version page record");
static_assert(offsetof(PageRecordV1, pcRefParent) == offsetof(PROPSHEETPAGEA, pcRefParent),
              "page record fields where the system expects them");

// A page comes from its copied template when there is one, so that its
// font can still be made smaller for a small screen.
void DescribePage(PageRecordV1 *page, const PageEntry &entry, const unsigned char *copy) {
    memset(page, 0, sizeof(*page));
    page->dwSize = sizeof(*page);
    page->dwFlags = copy ? PSP_USETITLE | PSP_DLGINDIRECT : PSP_USETITLE;
    page->hInstance = g_module;
    page->pszTemplate = copy ? reinterpret_cast<LPCSTR>(copy) : MAKEINTRESOURCEA(entry.templateId);
    page->pszTitle = entry.title;
    page->pfnDlgProc = entry.procedure;
    page->lParam = 0;
}

void DescribeSheet(PROPSHEETHEADERA *header, HWND parent, PageRecordV1 *pages) {
    memset(header, 0, sizeof(*header));
    header->dwSize = kPropSheetHeaderV1Size;
    header->dwFlags = PSH_PROPSHEETPAGE | PSH_USEICONID | PSH_NOAPPLYNOW | PSH_USECALLBACK;
    header->hwndParent = parent;
    header->hInstance = g_module;
    header->pszIcon = MAKEINTRESOURCEA(IDI_APPLET);
    header->pszCaption = PRODUCT_NAME " Properties";
    header->nPages = kPageCount;
    header->nStartPage = 0;
    header->ppsp = reinterpret_cast<LPCPROPSHEETPAGEA>(pages);
    header->pfnCallback = PropSheetCallback;
}

// Without the driver nothing is sent and nothing is shown.
void RequestReload() { shelf::RequestOnce(IOCTL_TOUCH_RELOAD_PARAMETERS, NULL, 0, NULL, 0); }

INT_PTR Answer(HWND page, LONG result) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace

void ShowPropertySheet(HWND parent) {
    // Registers the sheet's, the trackbars' and the up-down's classes.
    InitCommonControls();
    WORD templateIds[kPageCount];
    for (UINT i = 0; i < kPageCount; ++i) templateIds[i] = kPages[i].templateId;
    // The sheet creates its pages from the fit's copies until it closes.
    SheetFit fit(templateIds, kPageCount);
    PageRecordV1 pages[kPageCount];
    for (UINT i = 0; i < kPageCount; ++i) DescribePage(&pages[i], kPages[i], fit.Template(i));
    PROPSHEETHEADERA header;
    DescribeSheet(&header, parent, pages);
    PropertySheetA(&header);
}

// OK delivers PSN_APPLY to every page created so far, so each visited page
// saves (the same settings) and asks for a reload. Cancel reaches only the
// active page; its reload undoes the beep changes the Sound page sent live.
INT_PTR HandlePageNotify(HWND page, LPARAM lParam) {
    const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
    switch (header->code) {
    case PSN_SETACTIVE:
    case PSN_KILLACTIVE:
        return Answer(page, 0);
    case PSN_APPLY:
        SaveProfileSetting();
        RequestReload();
        return Answer(page, PSNRET_NOERROR);
    case PSN_QUERYCANCEL:
        RequestReload();
        return FALSE;
    default:
        return FALSE;
    }
}
