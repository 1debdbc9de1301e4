// Fitting the applet's sheet: reading page templates of either form, the
// font size chosen for the room on the screen, and where the grown sheet
// goes on the work area.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet_layout.h"

namespace {

using sheet_layout::Box;
using sheet_layout::Size;

const unsigned kSetFont = 0x40;
const unsigned kChildCaption = 0x40C00000;  // WS_CHILD | WS_CAPTION

struct Bytes {
    std::vector<unsigned char> data;
    void Word(unsigned value) {
        data.push_back(value & 0xFF);
        data.push_back((value >> 8) & 0xFF);
    }
    void Dword(unsigned value) {
        Word(value & 0xFFFF);
        Word(value >> 16);
    }
    void Text(const std::string &text) {
        for (char c : text) Word(static_cast<unsigned char>(c));
        Word(0);
    }
    // A menu or class field: "" none, "#n" an ordinal, else a name.
    void Field(const std::string &field) {
        if (field.empty()) return Word(0);
        if (field[0] != '#') return Text(field);
        Word(0xFFFF);
        Word(std::stoi(field.substr(1)));
    }
};

struct TemplateCase {
    const char *name;
    bool extended;
    unsigned style;
    const char *menu, *cls, *title;
    size_t cutTo;  // 0: whole
    bool readable;
};

// A 210 by 205 template with a 10-point "Verdana" font (when it has one).
std::vector<unsigned char> MakeTemplate(const TemplateCase &c) {
    Bytes b;
    if (c.extended) {
        b.Word(1), b.Word(0xFFFF), b.Dword(0), b.Dword(0), b.Dword(c.style);
    } else {
        b.Dword(c.style), b.Dword(0);
    }
    b.Word(0), b.Word(0), b.Word(0), b.Word(210), b.Word(205);
    b.Field(c.menu), b.Field(c.cls), b.Text(c.title);
    b.Word(10);
    if (c.extended) b.Word(400), b.Word(0);
    b.Text("Verdana");
    if (c.cutTo) b.data.resize(c.cutTo);
    return b.data;
}

class TemplateTable : public testing::TestWithParam<TemplateCase> {};

TEST_P(TemplateTable, FindsTheExtentAndTheFontSize) {
    const TemplateCase &c = GetParam();
    std::vector<unsigned char> bytes = MakeTemplate(c);
    sheet_layout::TemplateFacts facts = {};
    ASSERT_EQ(c.readable, sheet_layout::ReadTemplate(bytes.data(), bytes.size(), &facts));
    if (!c.readable) return;
    EXPECT_EQ(210, facts.extent.width);
    EXPECT_EQ(205, facts.extent.height);
    EXPECT_EQ(10, facts.pointSize);
    // Changing the word found changes the template's font size and nothing else.
    bytes[facts.pointSizeOffset] = 8;
    sheet_layout::TemplateFacts again = {};
    ASSERT_TRUE(sheet_layout::ReadTemplate(bytes.data(), bytes.size(), &again));
    EXPECT_EQ(8, again.pointSize);
    EXPECT_EQ(facts.pointSizeOffset, again.pointSizeOffset);
}

const unsigned kPage = kChildCaption | kSetFont;

INSTANTIATE_TEST_SUITE_P(
    Forms, TemplateTable,
    testing::Values(
        TemplateCase{"PlainPage", false, kPage, "", "", "Calibration", 0, true},
        TemplateCase{"OrdinalMenuAndClass", false, kPage, "#7", "#32770", "Sound", 0, true},
        TemplateCase{"NamedMenuAndClass", false, kPage, "Menu", "PageClass", "Setting", 0, true},
        TemplateCase{"EmptyTitle", false, kPage, "", "", "", 0, true},
        TemplateCase{"Extended", true, kPage, "", "", "About", 0, true},
        TemplateCase{"ExtendedNamedClass", true, kPage, "#3", "PageClass", "About", 0, true},
        TemplateCase{"NoFontOfItsOwn", false, kChildCaption, "", "", "Sound", 0, false},
        TemplateCase{"CutInTheHeader", false, kPage, "", "", "Sound", 12, false},
        TemplateCase{"CutInTheClassName", false, kPage, "", "PageClass", "Sound", 26, false},
        TemplateCase{"CutInTheTitle", false, kPage, "", "", "Calibration", 30, false},
        TemplateCase{"CutBeforeTheFontSize", false, kPage, "", "", "Sound", 34, false}),
    [](const testing::TestParamInfo<TemplateCase> &info) { return std::string(info.param.name); });

// Pages of 210 by 205 dialog units: a dialog unit is a quarter of the
// font's average width across and an eighth of its height down.
Size PagesAt(int pointSize, void *) {
    Size size = {210 * (pointSize * 3 / 4) / 4 + 2, 205 * (pointSize * 3 / 2) / 8};
    return size;
}

struct RoomCase {
    Size room;
    int expected;
};

class PointSizeTable : public testing::TestWithParam<RoomCase> {};

TEST_P(PointSizeTable, TakesTheLargestThatFits) {
    const RoomCase &c = GetParam();
    EXPECT_EQ(c.expected, sheet_layout::ChoosePointSize(10, 6, c.room, PagesAt, nullptr))
        << "room " << c.room.width << "x" << c.room.height;
}

INSTANTIATE_TEST_SUITE_P(
    Rooms, PointSizeTable,
    testing::Values(RoomCase{{900, 700}, 10},   // a large screen: the template's own size
                    RoomCase{{369, 384}, 10},   // exactly the full size
                    RoomCase{{368, 384}, 9},    // one pixel too narrow
                    RoomCase{{600, 383}, 9},    // one pixel too low
                    RoomCase{{600, 332}, 8},
                    RoomCase{{600, 300}, 7},
                    RoomCase{{600, 200}, 6},    // nothing fits: the smallest
                    RoomCase{{0, 0}, 6}));

struct PlaceCase {
    const char *name;
    Box sheet;
    int dx, dy;
    Box workArea;
    Box expected;
};

class PlacementTable : public testing::TestWithParam<PlaceCase> {};

TEST_P(PlacementTable, GrowsAboutTheCentreAndStaysOnTheWorkArea) {
    const PlaceCase &c = GetParam();
    Box placed = sheet_layout::GrowWithin(c.sheet, c.dx, c.dy, c.workArea);
    EXPECT_EQ(c.expected.left, placed.left);
    EXPECT_EQ(c.expected.top, placed.top);
    EXPECT_EQ(c.expected.right, placed.right);
    EXPECT_EQ(c.expected.bottom, placed.bottom);
}

const Box kScreen = {0, 0, 1024, 768};

INSTANTIATE_TEST_SUITE_P(
    Places, PlacementTable,
    testing::Values(
        PlaceCase{"Centred", {300, 200, 700, 600}, 40, 60, kScreen, {280, 170, 720, 630}},
        PlaceCase{"NotGrown", {300, 200, 700, 600}, 0, 0, kScreen, {300, 200, 700, 600}},
        PlaceCase{"Shrunk", {300, 200, 700, 600}, -40, -20, kScreen, {320, 210, 680, 590}},
        PlaceCase{"AtTheTopLeft", {0, 0, 400, 430}, 40, 90, kScreen, {0, 0, 440, 520}},
        PlaceCase{"AtTheBottomRight", {700, 400, 1024, 768}, 20, 30, kScreen, {680, 370, 1024, 768}},
        PlaceCase{"TaskbarOnTop", {100, 0, 500, 400}, 0, 20, {0, 30, 1024, 768}, {100, 30, 500, 450}},
        PlaceCase{"LargerThanTheWorkArea", {100, 50, 500, 450}, 200, 100, {0, 0, 640, 480},
                  {0, 0, 600, 500}}),
    [](const testing::TestParamInfo<PlaceCase> &info) { return std::string(info.param.name); });

}  // namespace
