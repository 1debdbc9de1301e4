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
std::vector<unsigned char> Page(bool extended, unsigned style, const char *cls, unsigned count = 7) {
    std::vector<unsigned char> b;
    if (extended) Put(b, {1, 0xFFFF, 0, 0, 0, 0});
    Put(b, {style & 0xFFFF, style >> 16});
    if (!extended) Put(b, {0, 0});
    Put(b, {count, 0, 0, 210, 205, 0});  // count, x, y, cx, cy, menu
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

// A control on a DWORD boundary; cls and title "#n" are ordinals.
void Control(std::vector<unsigned char> &b, unsigned style, Box at, const char *cls,
             const char *title) {
    while (b.size() % 4) b.push_back(0);
    Put(b, {style & 0xFFFF, style >> 16, 0, 0, static_cast<unsigned>(at.left),
            static_cast<unsigned>(at.top), static_cast<unsigned>(at.right - at.left),
            static_cast<unsigned>(at.bottom - at.top), 0xFFFF});
    for (const char *field : {cls, title}) {
        if (field[0] == '#') Put(b, {0xFFFF, static_cast<unsigned>(atoi(field + 1))});
        else PutText(b, field);
    }
    Put(b, {2, 0});  // two bytes of creation data
}

// The Settings page's Port group, a label beside a trackbar and a text that
// runs over its group's frame: the room a text has ends at its group's
// inner edge and short of a control on its row; a group box, a picture or
// a button is no text.
TEST(SheetLayout, FindsTheRoomATextHasInItsGroupAndRow) {
    std::vector<unsigned char> b = Page(false, 0x40C00040, "", 8);
    Control(b, 0x7, {9, 117, 198, 160}, "#128", "&Port");                            // group box
    Control(b, 0x0, {27, 126, 181, 134}, "#130", "Note:must reboot to make changes");  // SS_LEFT
    Control(b, 0xC, {106, 137, 165, 145}, "sTaTiC", "Te&xt\xe9");  // SS_LEFTNOWORDWRAP by name
    Control(b, 0x0, {19, 87, 39, 96}, "#130", "Short");
    Control(b, 0x0, {41, 79, 168, 106}, "msctls_trackbar32", "");
    Control(b, 0x3, {150, 20, 170, 40}, "#130", "#107");  // SS_ICON
    Control(b, 0x7, {5, 170, 204, 200}, "#128", "Controller Info");
    Control(b, 0xC, {100, 180, 209, 188}, "#130", "Touchscreen and controller");
    TemplateFacts facts = {};
    ASSERT_TRUE(ReadTemplate(b.data(), b.size(), &facts));
    TemplateItem items[8];
    ASSERT_EQ(8, ReadItems(b.data(), b.size(), facts, items, 8));
    const bool texts[] = {false, true, true, true, false, false, false, true};
    // 198 - 4 - 27; 198 - 4 - 106; 41 - 2 - 19; 204 - 4 - 100
    const int rooms[] = {0, 167, 88, 20, 0, 0, 0, 100};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(texts[i], items[i].leftText) << i;
        EXPECT_EQ(i == 0 || i == 6, items[i].groupBox) << i;
        if (texts[i]) {
            EXPECT_EQ(rooms[i], RoomForText(items, 8, i, 210)) << i;
        }
    }
    EXPECT_EQ(154, b[items[1].widthOffset]);
    EXPECT_EQ(0u, items[5].titleOffset);
    char text[8];
    EXPECT_TRUE(TitleText(b.data(), b.size(), items[2].titleOffset, text, sizeof(text)));
    EXPECT_STREQ("Text?", text);
    EXPECT_FALSE(TitleText(b.data(), items[2].titleOffset + 4, items[2].titleOffset, text, 8));
    EXPECT_EQ(-1, ReadItems(b.data(), b.size() - 40, facts, items, 8)) << "cut short";
    EXPECT_EQ(2, ReadItems(b.data(), b.size(), facts, items, 2)) << "no more than there is room for";
}

// A plain template laid out byte by byte by hand: a 100 x 50 page in 8-point
// "A" with a group box, a text inside it and a button on the text's row.
// The controls start on DWORD boundaries (32, 60 and 92); each is its
// style, extended style, x, y, cx, cy and id (18 bytes), then its class,
// title and creation data.
const unsigned char kWorkedPage[] = {
    0x40, 0x00, 0xC0, 0x40, 0, 0, 0, 0,  // 0: style, extended style
    3, 0, 0, 0, 0, 0, 100, 0, 50, 0,     // 8: three controls, x, y, cx 100, cy 50
    0, 0, 0, 0, 'P', 0, 0, 0,            // 18: no menu, no class, title "P"
    8, 0, 'A', 0, 0, 0,                  // 26: 8 points, font "A"
    // 32: a group box at (5, 5), 90 x 40, titled "G"
    0x07, 0x00, 0x00, 0x50, 0, 0, 0, 0, 5, 0, 5, 0, 90, 0, 40, 0, 1, 0,
    0xFF, 0xFF, 0x80, 0, 'G', 0, 0, 0, 0, 0,
    // 60: a left-aligned text at (10, 15), 30 x 8, "Hi"; two bytes of padding
    0x00, 0x00, 0x00, 0x50, 0, 0, 0, 0, 10, 0, 15, 0, 30, 0, 8, 0, 2, 0,
    0xFF, 0xFF, 0x82, 0, 'H', 0, 'i', 0, 0, 0, 0, 0, 0, 0,
    // 92: a push button at (60, 14), 25 x 12, its title the ordinal 5
    0x00, 0x00, 0x01, 0x50, 0, 0, 0, 0, 60, 0, 14, 0, 25, 0, 12, 0, 3, 0,
    0xFF, 0xFF, 0x80, 0, 0xFF, 0xFF, 5, 0, 0, 0,
};

// The text's room: the page's edge less 4 is 96, its group's right edge
// (5 + 90 = 95) less 4 is 91, the button on its row (rows 15..23 and
// 14..26 overlap) at 60 less 2 is 58; from its left edge at 10 that is 48.
// A text that needs 50 grows from 30 to those 48.
TEST(SheetLayout, ReadsAndFitsAPageWorkedByHand) {
    TemplateFacts facts = {};
    ASSERT_TRUE(ReadTemplate(kWorkedPage, sizeof(kWorkedPage), &facts));
    EXPECT_EQ(100, facts.extent.width);
    EXPECT_EQ(50, facts.extent.height);
    EXPECT_EQ(8, facts.pointSize);
    EXPECT_EQ(26u, facts.pointSizeOffset);
    EXPECT_EQ(8u, facts.itemCountOffset);
    TemplateItem items[3];
    ASSERT_EQ(3, ReadItems(kWorkedPage, sizeof(kWorkedPage), facts, items, 3));
    const struct { Box place; size_t widthAt, titleAt; bool text, group; } want[] = {
        {{5, 5, 95, 45}, 44, 54, false, true},
        {{10, 15, 40, 23}, 72, 82, true, false},
        {{60, 14, 85, 26}, 104, 0, false, false},
    };
    for (int i = 0; i < 3; ++i) {
        const TemplateItem &got = items[i];
        EXPECT_EQ(want[i].place.left, got.place.left) << i;
        EXPECT_EQ(want[i].place.top, got.place.top) << i;
        EXPECT_EQ(want[i].place.right, got.place.right) << i;
        EXPECT_EQ(want[i].place.bottom, got.place.bottom) << i;
        EXPECT_EQ(want[i].widthAt, got.widthOffset) << i;
        EXPECT_EQ(want[i].titleAt, got.titleOffset) << i;
        EXPECT_EQ(want[i].text, got.leftText) << i;
        EXPECT_EQ(want[i].group, got.groupBox) << i;
    }
    char title[8];
    ASSERT_TRUE(TitleText(kWorkedPage, sizeof(kWorkedPage), 82, title, sizeof(title)));
    EXPECT_STREQ("Hi", title);
    EXPECT_EQ(48, RoomForText(items, 3, 1, 100));
    EXPECT_EQ(48, FittedWidth(30, 50, 48));
}

TEST(SheetLayout, FitsATextBoxToItsTextWithinItsRoom) {
    const struct { int width, needed, room, fitted; } cases[] = {
        {154, 170, 167, 167}, {154, 160, 167, 160},  // widened, as far as the room allows
        {20, 22, 20, 20}, {20, 25, 18, 20},          // no room: as it is, never narrower
        {109, 95, 100, 100}, {109, 105, 100, 109},   // drawn back off the frame if the text allows
        {40, 30, 100, 40},                           // room to spare: as it is
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.fitted, FittedWidth(c.width, c.needed, c.room)) << c.width << " " << c.needed;
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
