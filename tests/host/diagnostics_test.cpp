// Rules of the applet's Diagnostics page: the watch's requests and the
// marker rule, the ring of kept touches, where their dots go in the
// miniature, and the page's texts.
#include <gtest/gtest.h>

#include "diagnostics_rules.h"

using namespace diag;

namespace {

RawPointReply Delivered(uint32_t x, uint32_t y) { return RawPointReply{0, x, y}; }

// A whole session: off, on, captures and polls until touches come, off.
TEST(Watch, CapturesPollsAndCapturesAgainOnlyWhileOn) {
    RawWatch watch = {};
    EXPECT_EQ(kNothing, NextStep(watch));
    SwitchOn(&watch);
    EXPECT_EQ(kStartCapture, NextStep(watch));
    CaptureStarted(&watch, false);  // refused: tried again on the next tick
    EXPECT_EQ(kStartCapture, NextStep(watch));
    CaptureStarted(&watch, true);
    EXPECT_EQ(kAskRawPoint, NextStep(watch));

    const struct {
        bool answered;
        RawPointReply reply;
        bool touch;
    } kReplies[] = {
        {true, PresetReply(), false},                 // no touch yet: the marker stays
        {false, Delivered(10, 20), false},            // a failed request delivers nothing
        {true, {RAW_POINT_MARKER_NONE, 5, 5}, false}, // coordinates without a new marker
        {true, Delivered(0, 0), true},                // a touch at the corner is a touch
    };
    for (const auto &r : kReplies) {
        ASSERT_EQ(kAskRawPoint, NextStep(watch));
        EXPECT_EQ(r.touch, TouchDelivered(&watch, r.answered, r.reply));
    }
    // The touch used the capture up: the next request arms a new one.
    EXPECT_EQ(kStartCapture, NextStep(watch));
    CaptureStarted(&watch, true);
    SwitchOff(&watch);
    EXPECT_EQ(kNothing, NextStep(watch));
    EXPECT_FALSE(TouchDelivered(&watch, true, Delivered(1, 1)));
    CaptureStarted(&watch, true);  // a late answer does not switch it on again
    EXPECT_EQ(kNothing, NextStep(watch));
    EXPECT_EQ(RAW_POINT_MARKER_NONE, PresetReply().marker);
}

TEST(History, KeepsTheLastTouchesOldestFirstAndCountsAll) {
    TouchHistory history;
    ClearHistory(&history);
    EXPECT_EQ(0, history.count);
    for (uint32_t i = 1; i <= kKeptTouches + 3; ++i) AddTouch(&history, RawTouch{i, 100 * i}, 1000 * i);
    EXPECT_EQ(kKeptTouches, history.count);
    EXPECT_EQ(static_cast<unsigned long>(kKeptTouches + 3), history.total);
    EXPECT_EQ(1000UL * (kKeptTouches + 3), history.lastMs);
    for (int i = 0; i < history.count; ++i) {
        EXPECT_EQ(uint32_t(4 + i), KeptTouch(history, i).x) << i;
        EXPECT_EQ(uint32_t(400 + 100 * i), KeptTouch(history, i).y) << i;
    }
    ClearHistory(&history);
    AddTouch(&history, RawTouch{7, 8}, 5);
    EXPECT_EQ(1, history.count);
    EXPECT_EQ(7u, KeptTouch(history, 0).x);
}

TEST(Miniature, SquareCentredAndDotsOnIt) {
    const Box wide = {10, 20, 110, 60};
    const Box square = PanelSquare(wide);
    EXPECT_EQ(40, square.right - square.left);
    EXPECT_EQ(40, square.bottom - square.top);
    EXPECT_EQ(40, square.left);
    EXPECT_EQ(20, square.top);
    const Box tall = PanelSquare(Box{0, 0, 30, 90});
    EXPECT_EQ((Box{0, 30, 30, 60}).top, tall.top);
    const struct {
        RawTouch touch;
        int x, y;
    } kDots[] = {
        {{0, 0}, 40, 20},
        {{TOUCH_RAW_MAX, TOUCH_RAW_MAX}, 79, 59},
        {{2048, 1024}, 60, 30},
        {{0xFFFFFFFF, 5000}, 79, 59},  // beyond the range: on the edge
    };
    for (const auto &d : kDots) {
        int x = -1, y = -1;
        DotPosition(square, d.touch, &x, &y);
        EXPECT_EQ(d.x, x) << d.touch.x;
        EXPECT_EQ(d.y, y) << d.touch.y;
    }
    int x = -1, y = -1;
    DotPosition(PanelSquare(Box{5, 5, 5, 5}), RawTouch{4096, 4096}, &x, &y);
    EXPECT_EQ(5, x);
}

// What the page shows when the driver or the store hands over odd values,
// and texts cut short by their buffer.
TEST(Texts, OddValuesAndShortBuffers) {
    char t[96];
    EXPECT_TRUE(FormatMouseMode(t, sizeof(t), 7, true));
    EXPECT_STREQ("* 7", t);
    EXPECT_TRUE(FormatBeep(t, sizeof(t), {9, 5000, 200}, true));
    EXPECT_STREQ("* 9 5000 200", t);
    EXPECT_TRUE(FormatSwap(t, sizeof(t), {400, 300, 400, 3700, 5}));
    EXPECT_STREQ("SwapXY 5", t);  // unusable: no words for it
    EXPECT_TRUE(FormatDirections(t, sizeof(t), {400, 300, 400, 3700, 0}));
    EXPECT_STREQ("unusable: XLow equals XHigh, X has no span", t);
    const calmodel::ScreenPoint off = {-12, 384};
    EXPECT_TRUE(FormatScreen(t, sizeof(t), &off));
    EXPECT_STREQ("Screen: X -12, Y 384", t);
    EXPECT_TRUE(FormatCount(t, sizeof(t), 4294967295UL));
    EXPECT_STREQ("Touches: 4294967295", t);
    EXPECT_FALSE(FormatCount(t, 5, 12));
    EXPECT_STREQ("Touc", t);
    EXPECT_FALSE(FormatEdges(t, 12, 'Y', 300, 3700));
    EXPECT_STREQ("YLow 300, Y", t);
    EXPECT_FALSE(BeepsDiffer({2, 1000, 32}, {2, 1000, 32}));
    EXPECT_TRUE(BeepsDiffer({2, 1000, 32}, {2, 1000, 33}));
}

TEST(Texts, AgeOfTheLastTouch) {
    const struct {
        unsigned long now, then;
        const char *text;
    } kAges[] = {
        {1000, 1000, "Last touch: 0 s ago"},
        {5999, 1000, "Last touch: 4 s ago"},
        {126000, 1000, "Last touch: 2 min 5 s ago"},
        {3601000, 1000, "Last touch: over an hour ago"},
        {500, 0xFFFFFFFFUL - 1499, "Last touch: 2 s ago"},  // the tick count wrapped
    };
    for (const auto &a : kAges) {
        char text[40];
        EXPECT_TRUE(FormatAgo(text, sizeof(text), a.now, a.then));
        EXPECT_STREQ(a.text, text);
    }
}

}  // namespace
