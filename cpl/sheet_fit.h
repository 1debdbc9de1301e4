// Makes the applet's sheet as large as its pages really are, and the pages'
// font smaller where the screen cannot hold them at full size.
#ifndef PEMROSKO_SHEET_FIT_H
#define PEMROSKO_SHEET_FIT_H

#include <windows.h>

#include "sheet_layout.h"

// A page template copied into memory, so that its font size can change
// before the sheet creates the page; bytes is NULL when it could not be
// copied, and the page then comes from the resource as it is.
struct PageTemplate {
    unsigned char *bytes;
    size_t size;
    sheet_layout::TemplateFacts facts;
};

// The fit of one sheet, made before the sheet opens and ended after it has
// closed: the sheet creates its pages from the copies this holds, so they
// live as long as the sheet. One sheet is open at a time (the applet's
// mutex allows one per process); the sheet's callback, which gets no data
// of its own, finds the fit through Open().
class SheetFit {
public:
    static const UINT kMostPages = 8;

    // Copies the templates of the pages, in the sheet's page order.
    SheetFit(const WORD *templateIds, UINT count);
    ~SheetFit();
    SheetFit(const SheetFit &) = delete;
    SheetFit &operator=(const SheetFit &) = delete;

    // The template page index is made from: its copy, or NULL when it is
    // made from the resource as it is.
    const unsigned char *Template(UINT index) const;

    // Called once the sheet has laid itself out and before it creates a
    // page: chooses the pages' font size, then makes the tab area the
    // pages' real size (the sheet and its buttons following) and keeps the
    // sheet on the work area.
    void FitTo(HWND sheet);

    // The fit of the sheet that is open; NULL when none is.
    static SheetFit *Open();

private:
    HWND MakeProbe(HWND sheet, const PageTemplate &page);
    sheet_layout::Size MeasurePage(HWND sheet, const PageTemplate &page);
    sheet_layout::Size MeasurePages(HWND sheet, int pointSize);
    static sheet_layout::Size MeasureAt(int pointSize, void *context);
    void WidenPageTexts(HWND sheet);
    int TemplatePointSize() const;

    PageTemplate pages_[kMostPages];
    UINT count_;
    // The probes are made from this copy of a page, never from the page.
    unsigned char *probeBytes_;
};

#endif
