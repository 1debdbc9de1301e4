// Rules of the applet's Settings and Sound pages: every control is bounded
// to the range of the value it edits, each trackbar shows eleven ticks, the
// mouse mode decides which groups are usable, and port names are bounded.
#include <gtest/gtest.h>

#include <cstring>

#include "page_rules.h"

using namespace pages;

namespace {

struct ScaleCase {
    const char *name;
    Scale scale;
    store::ValueId value;
    uint32_t low, high, tickFrequency, tickArgument;
};

TEST(PageScales, MatchTheStoreRangesAndTheirTicks) {
    const ScaleCase cases[] = {
        {"drag delay", DragDelayScale(), store::kDragDelay, 0, 1500, 150, 0},
        {"tone", ToneScale(), store::kBeepFreq, 1000, 5000, 400, 1000},
        {"duration", DurationScale(), store::kBeepTime, 10, 200, 19, 10},
        {"double click", DoubleClickScale(), store::kDblClickRegion, 25, 100, 1, 0},
    };
    for (const ScaleCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.low, c.scale.low);
        EXPECT_EQ(c.high, c.scale.high);
        EXPECT_EQ(c.tickFrequency, c.scale.tickFrequency);
        EXPECT_EQ(c.tickArgument, c.scale.tickArgument);
        // A control bounded like this can only produce values the store
        // reads back unrepaired.
        EXPECT_EQ(c.scale.low, store::RepairValue(c.value, true, c.scale.low));
        EXPECT_EQ(c.scale.high, store::RepairValue(c.value, true, c.scale.high));
    }
}

TEST(PageScales, EachTrackbarShowsElevenTicks) {
    EXPECT_EQ(11u, TickCount(DragDelayScale()));
    EXPECT_EQ(11u, TickCount(ToneScale()));
    EXPECT_EQ(11u, TickCount(DurationScale()));
}

TEST(PageScales, TickCountOfDegenerateScales) {
    EXPECT_EQ(0u, TickCount(Scale{0, 100, 0, 0}));
    EXPECT_EQ(0u, TickCount(Scale{100, 0, 10, 0}));
    EXPECT_EQ(1u, TickCount(Scale{5, 5, 10, 0}));
    EXPECT_EQ(2u, TickCount(Scale{0, 15, 10, 0}));  // a last partial step adds no tick
}

TEST(ModeControls, EnablingTableForTheFourModes) {
    struct Row { uint32_t mode; bool doubleClick; bool dragDelay; };
    const Row rows[] = {
        {0, false, false},
        {1, false, false},
        {2, false, true},
        {3, true, true},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.mode);
        ModeControls usable = ControlsForMode(row.mode);
        EXPECT_EQ(row.doubleClick, usable.doubleClickRange);
        EXPECT_EQ(row.dragDelay, usable.dragDelay);
    }
}

TEST(ModeControls, ModesAboveDragCountAsDoubleClickDrag) {
    for (uint32_t mode : {3u, 4u, 17u, 0x80000000u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(3u, NormalisedMouseMode(mode));
        ModeControls usable = ControlsForMode(mode);
        EXPECT_TRUE(usable.doubleClickRange);
        EXPECT_TRUE(usable.dragDelay);
    }
    EXPECT_EQ(2u, NormalisedMouseMode(2));
    EXPECT_EQ(0u, NormalisedMouseMode(0));
}

TEST(PortNames, ProbedRangeIsComOneToSixteen) {
    EXPECT_EQ(1u, FirstPort());
    EXPECT_EQ(16u, LastPort());
}

TEST(PortNames, FormattedWithoutBlank) {
    char name[16];
    const struct { uint32_t number; const char *text; } cases[] = {
        {1, "COM1"}, {9, "COM9"}, {10, "COM10"}, {16, "COM16"}, {0, "COM0"},
        {4294967295u, "COM4294967295"},
    };
    for (const auto &c : cases) {
        ASSERT_TRUE(PortName(name, sizeof(name), c.number)) << c.text;
        EXPECT_STREQ(c.text, name);
    }
}

TEST(PortNames, NeverWritesPastTheBuffer) {
    char name[8];
    std::memset(name, 'x', sizeof(name));
    // "COM16" needs six bytes with its terminator.
    EXPECT_TRUE(PortName(name, 6, 16));
    EXPECT_STREQ("COM16", name);
    EXPECT_EQ('x', name[6]);

    std::memset(name, 'x', sizeof(name));
    EXPECT_FALSE(PortName(name, 5, 16));
    EXPECT_EQ('\0', name[4]);
    EXPECT_EQ('x', name[5]);

    EXPECT_FALSE(PortName(name, 3, 1));
    EXPECT_STREQ("CO", name);
    EXPECT_FALSE(PortName(name, 0, 1));
    EXPECT_EQ('C', name[0]);  // nothing written at all
}

}  // namespace
