// The applet's sheet on the screen the rig was asked for (RIG_SCREEN as
// WIDTHxHEIGHTxDEPTH, RIG_DPI): on each of the five pages every visible
// control lies inside its page with its text whole, the page inside the
// sheet, and the sheet inside the work area.
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

// The page's font made here (another process's font handle means nothing
// in this one): Verdana at the point size whose dialog units give the page
// its 210 units of width, the units reckoned as dialogs do.
HFONT PageFont(HWND page) {
    RECT box;
    GetClientRect(page, &box);
    HDC screen = GetDC(NULL);
    HFONT found = NULL;
    for (int points = 10; points >= 6 && !found; --points) {
        HFONT font = CreateFontA(-MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72), 0, 0, 0,
                                 FW_DONTCARE, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Verdana");
        HGDIOBJ old = SelectObject(screen, font);
        SIZE letters = {0, 0};
        GetTextExtentPoint32A(screen, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                              &letters);
        SelectObject(screen, old);
        if (MulDiv(210, (letters.cx / 26 + 1) / 2, 4) == box.right) found = font;
        else DeleteObject(font);
    }
    ReleaseDC(NULL, screen);
    return found;
}

// A left-aligned static text whose words are wider than its box: the rest
// wraps out of sight or is clipped.
bool TextCutOff(HWND c, HFONT font) {
    char cls[16] = "";
    GetClassNameA(c, cls, sizeof(cls));
    LONG type = GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK;
    if (lstrcmpiA(cls, "Static") != 0 || (type != SS_LEFT && type != SS_LEFTNOWORDWRAP))
        return false;
    std::string text = harness::Text(c);
    HDC screen = GetDC(NULL);
    HGDIOBJ old = SelectObject(screen, font);
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(screen, old);
    ReleaseDC(NULL, screen);
    RECT box;
    GetClientRect(c, &box);
    return extent.cx > box.right;
}

// The page's visible controls that stick out of it or cut their text, by
// id and text.
std::string ControlsCutOff(HWND page) {
    HFONT font = PageFont(page);
    if (!font) return "no Verdana size gives the page its width";
    std::string cut;
    for (HWND c = GetWindow(page, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c) && (!Inside(Frame(c), Frame(page)) || TextCutOff(c, font)))
            cut += std::to_string(GetDlgCtrlID(c)) + " \"" + harness::Text(c) + "\" ";
    DeleteObject(font);
    return cut;
}

// The driver holds a mode and beep other than the store's, so the
// Diagnostics page shows its longest texts, each with its mark.
void HoldLongestDriverTexts() {
    harness::sim::Reset();
    harness::WriteDword(HKEY_LOCAL_MACHINE, TOUCH_PARAM_KEY, "MouseMode", 1);
    const char *const state[][2] = {{"Loaded", "1"},     {"MouseMode", "3"}, {"BeepMode", "0"},
                                    {"BeepFreq", "5000"}, {"BeepTime", "200"}};
    for (const auto &entry : state) harness::sim::Set(entry[0], entry[1]);
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
    HoldLongestDriverTexts();
    harness::Process process = harness::StartControlPanel(1, harness::TempDir());
    HWND sheet = harness::WaitProcessWindow(process.pid, "Orvantix Touchscreen Properties", 10000);
    EXPECT_TRUE(sheet != nullptr);
    RECT workArea;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    for (int index = 0; sheet && index < 5; ++index) {
        harness::SheetSelectPage(sheet, index);
        HWND page = harness::SheetPage(sheet);
        EXPECT_TRUE(page != nullptr) << "page " << index;
        EXPECT_TRUE(Inside(Frame(sheet), workArea)) << "page " << index;
        EXPECT_TRUE(Inside(Frame(page), Frame(sheet, true))) << "page " << index;
        EXPECT_EQ("", ControlsCutOff(page)) << "page " << index;
    }
    harness::PostSheetPress(sheet, PSBTN_CANCEL);
    if (!harness::WaitExit(process, 10000)) harness::Kill(process);
    harness::sim::Reset();
    harness::sim::Uninstall();
}

}  // namespace
