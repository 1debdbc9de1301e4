// The applet's sheet on the screen the rig was asked for (RIG_SCREEN as
// WIDTHxHEIGHTxDEPTH, RIG_DPI): on each of the four pages every visible
// control lies inside its page, the page inside the sheet, and the sheet
// inside the work area.
#include <gtest/gtest.h>

#include <windows.h>
#include <prsht.h>

#include <stdio.h>
#include <stdlib.h>
#include <string>

#include "harness.h"
#include "parameter_store.h"

namespace {

bool Inside(const RECT &inner, const RECT &outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// The window's frame, or its client area, on the screen.
RECT Frame(HWND window, bool client = false) {
    RECT box = {0, 0, 0, 0};
    if (!client) GetWindowRect(window, &box);
    else if (GetClientRect(window, &box))
        MapWindowPoints(window, NULL, reinterpret_cast<POINT *>(&box), 2);
    return box;
}

// "640x480x16 96": size, colour depth (a 24-bit X screen reports 32) and dpi.
std::string ActualScreen() {
    HDC dc = GetDC(NULL);
    int bits = GetDeviceCaps(dc, BITSPIXEL);
    char text[64];
    snprintf(text, sizeof(text), "%dx%dx%d %d", GetSystemMetrics(SM_CXSCREEN),
             GetSystemMetrics(SM_CYSCREEN), bits == 32 ? 24 : bits, GetDeviceCaps(dc, LOGPIXELSY));
    ReleaseDC(NULL, dc);
    return text;
}

// The page's visible controls that stick out of it, by id and text.
std::string ControlsCutOff(HWND page) {
    std::string cut;
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c) && !Inside(Frame(c), Frame(page)))
            cut += std::to_string(GetDlgCtrlID(c)) + " \"" + harness::Text(c) + "\" ";
    return cut;
}

TEST(SheetFit, EveryPageLiesWholeOnTheScreen) {
    const char *size = getenv("RIG_SCREEN"), *dpi = getenv("RIG_DPI");
    ASSERT_TRUE(size && dpi);
    ASSERT_EQ(std::string(size) + " " + dpi, ActualScreen());
    harness::StoreSnapshot store;
    for (int i = 0; i < store::kValueCount; ++i) {  // as installed: the sheet opens at once
        const store::ValueRule &rule = store::Rule(static_cast<store::ValueId>(i));
        harness::WriteDword(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, rule.name, rule.installDefault);
    }
    ASSERT_TRUE(harness::sim::Install());
    harness::Process process = harness::StartControlPanel(1, harness::TempDir());
    HWND sheet = harness::WaitProcessWindow(process.pid, "Orvantix Touchscreen Properties", 10000);
    EXPECT_TRUE(sheet != nullptr);
    RECT workArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    for (int index = 0; sheet && index < 4; ++index) {
        harness::SheetSelectPage(sheet, index);
        HWND page = harness::SheetPage(sheet);
        EXPECT_TRUE(page != nullptr) << "page " << index;
        EXPECT_TRUE(Inside(Frame(sheet), workArea)) << "page " << index;
        EXPECT_TRUE(Inside(Frame(page), Frame(sheet, true))) << "page " << index;
        EXPECT_EQ("", ControlsCutOff(page)) << "page " << index;
    }
    harness::PostSheetPress(sheet, PSBTN_CANCEL);
    if (!harness::WaitExit(process, 10000)) harness::Kill(process);
    harness::sim::Uninstall();
}

}  // namespace
