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

bool CopyPageTemplate(WORD resourceId, PageTemplate *page);
void FreePageTemplate(PageTemplate *page);

// The pages of the sheet about to open; FitSheetToPages works on them.
void UsePageTemplates(PageTemplate *pages, UINT count);

// Called once the sheet has laid itself out and before it creates a page:
// chooses the pages' font size, then makes the tab area the pages' real size
// (the sheet and its buttons following) and keeps the sheet on the work area.
void FitSheetToPages(HWND sheet);

#endif
