// Sizes of the system structures whose size fields the programs fill in.
// Windows 95 checks some of them exactly (its first common controls refuse
// any property sheet record but the first version's), so a header or
// packing change must break the build, not the installed product.
#ifndef ORVANTIX_WIN95_ABI_H
#define ORVANTIX_WIN95_ABI_H

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#ifndef ABI_EXPECT_OSVERSIONINFOA
#define ABI_EXPECT_OSVERSIONINFOA 148
#endif

// The sizes are Windows 95's, so they hold for the 32-bit build only; the
// test-only 64-bit build has pointer-sized fields of its own.
#ifndef _WIN64
static_assert(sizeof(OSVERSIONINFOA) == ABI_EXPECT_OSVERSIONINFOA, "OSVERSIONINFOA is 148 bytes");
static_assert(sizeof(COMMCONFIG) == 52, "COMMCONFIG is 52 bytes");
static_assert(sizeof(STARTUPINFOA) == 68, "STARTUPINFOA is 68 bytes");
#endif
#include <stddef.h>

// First-version record sizes: every field up to the callback, which all
// common-control versions accept.
const unsigned kPropSheetHeaderV1Size =
    offsetof(PROPSHEETHEADERA, pfnCallback) + sizeof(PFNPROPSHEETCALLBACK);
const unsigned kPropSheetPageV1Size = offsetof(PROPSHEETPAGEA, pcRefParent) + sizeof(UINT *);
#ifndef _WIN64
static_assert(kPropSheetHeaderV1Size == 40, "first-version property sheet header is 40 bytes");
static_assert(kPropSheetPageV1Size == 40, "first-version property sheet page is 40 bytes");
#endif

#endif
