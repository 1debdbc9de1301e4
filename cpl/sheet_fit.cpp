// Fits the applet's sheet to its pages. A first-version sheet sizes its tab
// area from the page templates in its own font (8-point MS Sans Serif), as
// Windows 95 and 98 do, while each page is drawn in its template's font
// (10-point Verdana), which is larger: left alone, every page is cut off on
// the right and at the bottom.
#include "sheet_fit.h"

#include <commctrl.h>
#include <prsht.h>

#include "applet.h"
#include "runtime.h"

namespace {

using sheet_layout::Box;
using sheet_layout::Size;

// Smaller than this the pages' text is no longer readable.
const int kSmallestPointSize = 6;
// More controls than any page has.
const int kMostControls = 32;
// The sheet's buttons have these ids in every version of the common
// controls; the Apply button (0x3021) has no name in the headers.
const int kSheetButtons[] = {IDOK, IDCANCEL, 0x3021, IDHELP};

// The fit of the open sheet, from the fit's making to its end.
SheetFit *g_open = NULL;

INT_PTR CALLBACK ProbeProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

int Width(const RECT &rect) { return rect.right - rect.left; }
int Height(const RECT &rect) { return rect.bottom - rect.top; }
int Larger(int a, int b) { return a > b ? a : b; }

Box BoxOf(const RECT &rect) {
    Box box = {rect.left, rect.top, rect.right, rect.bottom};
    return box;
}

// The width in dialog units that text takes in the probe's font, rounded up.
int TextWidth(HWND probe, HDC dc, const char *text) {
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &extent);
    RECT thousand = {0, 0, 1000, 0};
    MapDialogRect(probe, &thousand);
    if (thousand.right <= 0) return 0;
    return (extent.cx * 1000 + thousand.right - 1) / thousand.right + 1;
}

// A text the page's font makes wider than its box would wrap out of sight
// or be clipped: it is widened as far as its group and its row allow. A box
// that runs over its group's frame is drawn back where its text allows.
void WidenTexts(PageTemplate &page, HDC dc, HWND probe) {
    sheet_layout::TemplateItem items[kMostControls];
    int count = sheet_layout::ReadItems(page.bytes, page.size, page.facts, items, kMostControls);
    for (int i = 0; i < count; ++i) {
        char text[128];
        if (!items[i].leftText || !items[i].titleOffset ||
            !sheet_layout::TitleText(page.bytes, page.size, items[i].titleOffset, text,
                                     sizeof(text)))
            continue;
        int room = sheet_layout::RoomForText(items, count, i, page.facts.extent.width);
        WORD *cx = reinterpret_cast<WORD *>(page.bytes + items[i].widthOffset);
        *cx = static_cast<WORD>(sheet_layout::FittedWidth(*cx, TextWidth(probe, dc, text), room));
    }
}

// Where the sheet shows its pages, in the sheet's client coordinates.
RECT DisplayArea(HWND sheet, HWND tab) {
    RECT area;
    GetClientRect(tab, &area);
    SendMessageA(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    MapWindowPoints(tab, sheet, reinterpret_cast<POINT *>(&area), 2);
    return area;
}

// What the sheet adds around its pages (frame, caption, tabs, buttons) is
// taken off the work area; the rest is the pages' room.
Size RoomForPages(HWND sheet, const RECT &display, const RECT &workArea) {
    RECT frame;
    GetWindowRect(sheet, &frame);
    Size room = {Width(workArea) - (Width(frame) - Width(display)),
                 Height(workArea) - (Height(frame) - Height(display))};
    return room;
}

void MoveChildBy(HWND sheet, HWND child, int dx, int dy) {
    RECT place;
    GetWindowRect(child, &place);
    MapWindowPoints(NULL, sheet, reinterpret_cast<POINT *>(&place), 2);
    SetWindowPos(child, NULL, place.left + dx, place.top + dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void GrowWindowBy(HWND window, int dx, int dy) {
    RECT place;
    GetWindowRect(window, &place);
    SetWindowPos(window, NULL, 0, 0, Width(place) + dx, Height(place) + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The grown sheet keeps its centre where it can and stays on the work area.
void PlaceSheet(HWND sheet, int dx, int dy, const RECT &workArea) {
    RECT frame;
    GetWindowRect(sheet, &frame);
    Box placed = sheet_layout::GrowWithin(BoxOf(frame), dx, dy, BoxOf(workArea));
    SetWindowPos(sheet, NULL, placed.left, placed.top, placed.right - placed.left,
                 placed.bottom - placed.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

// Grows (or shrinks) the tab control and the sheet by the same amount; the
// buttons keep their distance to the sheet's lower right corner.
void GrowSheet(HWND sheet, HWND tab, int dx, int dy, const RECT &workArea) {
    GrowWindowBy(tab, dx, dy);
    for (UINT i = 0; i < sizeof(kSheetButtons) / sizeof(kSheetButtons[0]); ++i) {
        HWND button = GetDlgItem(sheet, kSheetButtons[i]);
        if (button) MoveChildBy(sheet, button, dx, dy);
    }
    PlaceSheet(sheet, dx, dy, workArea);
}

// A sheet that made its start page before telling us keeps that page's
// font; the page still gets the whole new display area.
void FitShownPage(HWND sheet, HWND tab) {
    HWND page = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
    if (!page) return;
    RECT area = DisplayArea(sheet, tab);
    SetWindowPos(page, NULL, area.left, area.top, Width(area), Height(area),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void FreePageTemplate(PageTemplate *page) {
    if (page->bytes) HeapFree(GetProcessHeap(), 0, page->bytes);
    page->bytes = NULL;
}

void CopyPageTemplate(WORD resourceId, PageTemplate *page) {
    memset(page, 0, sizeof(*page));
    HRSRC found = FindResourceA(g_module, MAKEINTRESOURCEA(resourceId), RT_DIALOG);
    DWORD length = found ? SizeofResource(g_module, found) : 0;
    HGLOBAL loaded = length ? LoadResource(g_module, found) : NULL;
    const void *original = loaded ? LockResource(loaded) : NULL;
    if (original)
        page->bytes = static_cast<unsigned char *>(HeapAlloc(GetProcessHeap(), 0, length));
    if (page->bytes) {
        memcpy(page->bytes, original, length);
        page->size = length;
        if (!sheet_layout::ReadTemplate(page->bytes, length, &page->facts)) FreePageTemplate(page);
    }
}

// The sheet's pages are measured from probes; one the size of the largest
// page holds each page in turn.
unsigned char *AllocateProbeBytes(const PageTemplate *pages, UINT count) {
    size_t largest = 0;
    for (UINT i = 0; i < count; ++i) {
        if (pages[i].bytes && pages[i].size > largest) largest = pages[i].size;
    }
    return largest ? static_cast<unsigned char *>(HeapAlloc(GetProcessHeap(), 0, largest)) : NULL;
}

// What the font size choice measures the pages with.
struct Measuring {
    SheetFit *fit;
    HWND sheet;
};

}  // namespace

SheetFit::SheetFit(const WORD *templateIds, UINT count) : count_(0), probeBytes_(NULL) {
    for (; count_ < count && count_ < kMostPages; ++count_)
        CopyPageTemplate(templateIds[count_], &pages_[count_]);
    probeBytes_ = AllocateProbeBytes(pages_, count_);
    g_open = this;
}

SheetFit::~SheetFit() {
    g_open = NULL;
    if (probeBytes_) HeapFree(GetProcessHeap(), 0, probeBytes_);
    for (UINT i = 0; i < count_; ++i) FreePageTemplate(&pages_[i]);
}

SheetFit *SheetFit::Open() { return g_open; }

const unsigned char *SheetFit::Template(UINT index) const {
    return index < count_ ? pages_[index].bytes : NULL;
}

// A dialog made from the page's template knows the page's font and its
// dialog units. The probe is never shown, and is made without the page's
// controls: nothing is created for it but the dialog and its font, and no
// picture is loaded. It is made from a copy of the page whose control
// count is zero, so the page the sheet will create stays whole throughout.
// A dialog is made from its template within the call and keeps no hold on
// it after, and with no controls nothing past the font's name is read.
HWND SheetFit::MakeProbe(HWND sheet, const PageTemplate &page) {
    memcpy(probeBytes_, page.bytes, page.size);
    WORD noControls = 0;
    memcpy(probeBytes_ + page.facts.itemCountOffset, &noControls, sizeof(noControls));
    return CreateDialogIndirectParamA(g_module, reinterpret_cast<LPCDLGTEMPLATEA>(probeBytes_),
                                      sheet, ProbeProc, 0);
}

// A page's real size: its extent mapped in its own font.
Size SheetFit::MeasurePage(HWND sheet, const PageTemplate &page) {
    Size size = {0, 0};
    HWND probe = MakeProbe(sheet, page);
    if (!probe) return size;
    RECT extent = {0, 0, page.facts.extent.width, page.facts.extent.height};
    MapDialogRect(probe, &extent);
    DestroyWindow(probe);
    size.width = extent.right;
    size.height = extent.bottom;
    return size;
}

// Sets every copied page to the point size and measures the largest.
Size SheetFit::MeasurePages(HWND sheet, int pointSize) {
    Size largest = {0, 0};
    for (UINT i = 0; i < count_; ++i) {
        PageTemplate &page = pages_[i];
        if (!page.bytes) continue;
        WORD *points = reinterpret_cast<WORD *>(page.bytes + page.facts.pointSizeOffset);
        *points = static_cast<WORD>(pointSize);
        Size size = MeasurePage(sheet, page);
        largest.width = Larger(largest.width, size.width);
        largest.height = Larger(largest.height, size.height);
    }
    return largest;
}

Size SheetFit::MeasureAt(int pointSize, void *context) {
    Measuring *measuring = static_cast<Measuring *>(context);
    return measuring->fit->MeasurePages(measuring->sheet, pointSize);
}

void SheetFit::WidenPageTexts(HWND sheet) {
    for (UINT i = 0; i < count_; ++i) {
        PageTemplate &page = pages_[i];
        HWND probe = page.bytes ? MakeProbe(sheet, page) : NULL;
        if (!probe) continue;
        HDC dc = GetDC(probe);
        HGDIOBJ pageFont = reinterpret_cast<HGDIOBJ>(SendMessageA(probe, WM_GETFONT, 0, 0));
        HGDIOBJ font = SelectObject(dc, pageFont);
        WidenTexts(page, dc, probe);
        SelectObject(dc, font);
        ReleaseDC(probe, dc);
        DestroyWindow(probe);
    }
}

int SheetFit::TemplatePointSize() const {
    for (UINT i = 0; i < count_; ++i) {
        if (pages_[i].bytes) return pages_[i].facts.pointSize;
    }
    return 0;
}

void SheetFit::FitTo(HWND sheet) {
    HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    int largest = TemplatePointSize();
    if (!tab || !largest || !probeBytes_) return;
    RECT workArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    RECT display = DisplayArea(sheet, tab);
    Size room = RoomForPages(sheet, display, workArea);
    Measuring measuring = {this, sheet};
    int points =
        sheet_layout::ChoosePointSize(largest, kSmallestPointSize, room, MeasureAt, &measuring);
    // The tab area becomes exactly the pages' size: larger as a rule, smaller
    // where the sheet's own font alone would not fit the screen.
    Size pages = MeasurePages(sheet, points);
    // No page could be measured: the sheet stays as the system laid it out
    // rather than shrinking to nothing.
    if (pages.width <= 0 || pages.height <= 0) return;
    WidenPageTexts(sheet);
    GrowSheet(sheet, tab, pages.width - Width(display), pages.height - Height(display), workArea);
    FitShownPage(sheet, tab);
}
