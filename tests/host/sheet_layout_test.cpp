// Fitting the applet's sheet: page templates of either form, and where the
// resized sheet goes. (The font size choice is proven at 640x480 and 120 dpi
// under Wine.)
#include <gtest/gtest.h>

#include <stdlib.h>
#include <vector>

#include "sheet_layout.h"

namespace {

using namespace sheet_layout;

void Put(std::vector<unsigned char> &b, std::initializer_list<unsigned> words) {
    for (unsigned w : words) b.push_back(w & 0xFF), b.push_back(w >> 8);
}

void PutText(std::vector<unsigned char> &b, const char *text) {
    do Put(b, {static_cast<unsigned char>(*text)}); while (*text++);
}

// A 210 x 205 page titled "Sound" in 10-point Verdana; cls "#n" is an ordinal.
std::vector<unsigned char> Page(bool extended, unsigned style, const char *cls) {
    std::vector<unsigned char> b;
    if (extended) Put(b, {1, 0xFFFF, 0, 0, 0, 0});
    Put(b, {style & 0xFFFF, style >> 16});
    if (!extended) Put(b, {0, 0});
    Put(b, {7, 0, 0, 210, 205, 0});  // count, x, y, cx, cy, menu
    if (cls[0] == '#') Put(b, {0xFFFF, static_cast<unsigned>(atoi(cls + 1))});
    else PutText(b, cls);
    PutText(b, "Sound");
    Put(b, {10});
    if (extended) Put(b, {400, 0});
    PutText(b, "Verdana");
    return b;
}

TEST(SheetLayout, ReadsTheSizeAndFontSizeOfEitherTemplateForm) {
    const unsigned kPage = 0x40C00040;  // WS_CHILD | WS_CAPTION | DS_SETFONT
    const struct { bool extended; unsigned style; const char *cls; size_t cutTo; bool readable; }
        cases[] = {  // cutTo 0: the whole template
        {false, kPage, "", 0, true}, {false, kPage, "#32770", 0, true},
        {true, kPage, "PageClass", 0, true}, {false, kPage & ~0x40u, "", 0, false},  // no font
        {false, kPage, "PageClass", 26, false}, {false, kPage, "", 34, false},       // cut short
    };
    for (const auto &c : cases) {
        std::vector<unsigned char> bytes = Page(c.extended, c.style, c.cls);
        if (c.cutTo) bytes.resize(c.cutTo);
        TemplateFacts facts = {};
        ASSERT_EQ(c.readable, ReadTemplate(bytes.data(), bytes.size(), &facts)) << c.cls << c.cutTo;
        if (!c.readable) continue;
        EXPECT_EQ(210, facts.extent.width);
        EXPECT_EQ(205, facts.extent.height);
        EXPECT_EQ(10, facts.pointSize);
        EXPECT_EQ(10, bytes[facts.pointSizeOffset]);
        EXPECT_EQ(7, bytes[facts.itemCountOffset] | bytes[facts.itemCountOffset + 1] << 8);
    }
}

TEST(SheetLayout, KeepsTheCentreAndStaysOnTheWorkArea) {
    const Box screen = {0, 0, 1024, 768}, small = {0, 0, 640, 480};
    const struct { Box sheet; int dx, dy; Box work, expected; } cases[] = {
        {{300, 200, 700, 600}, 40, 60, screen, {280, 170, 720, 630}},    // about the centre
        {{300, 200, 700, 600}, -40, -20, screen, {320, 210, 680, 590}},  // shrunk
        {{0, 0, 400, 430}, 40, 90, screen, {0, 0, 440, 520}},            // at the top left
        {{700, 400, 1024, 768}, 20, 30, screen, {680, 370, 1024, 768}},  // at the bottom right
        {{100, 0, 500, 400}, 0, 20, {0, 30, 1024, 768}, {100, 30, 500, 450}},  // taskbar on top
        {{100, 50, 500, 450}, 200, 100, small, {0, 0, 600, 500}},  // larger than the screen
    };
    auto text = [](Box b) {
        return testing::PrintToString(std::vector<int>{b.left, b.top, b.right, b.bottom});
    };
    for (const auto &c : cases)
        EXPECT_EQ(text(c.expected), text(GrowWithin(c.sheet, c.dx, c.dy, c.work)));
}

}  // namespace
