// Brokasta's portable rules: where the check crosses stand, how a tap is
// measured and judged, the check's run through its crosses, the stroke
// rule that never joins two touches, and the bar layout on common screens.
#include <gtest/gtest.h>

#include <cmath>
#include <climits>

#include "board_layout.h"
#include "check.h"
#include "stroke.h"

using namespace drawtest;

namespace {

bool Same(Point a, Point b) { return a.x == b.x && a.y == b.y; }

TEST(CrossPosition, AGridAtFiveFiftyAndNinetyFivePercentRoundedRowByRow) {
    struct Case {
        int width, height;
        int xs[3], ys[3];
    };
    // 5 % of 1024 is 51.2, 95 % is 972.8; 50 % of 1023 is 511.5 (rounded up).
    const Case cases[] = {{1024, 768, {51, 512, 973}, {38, 384, 730}},
                          {1023, 767, {51, 512, 972}, {38, 384, 729}},
                          {640, 480, {32, 320, 608}, {24, 240, 456}},
                          {1600, 1200, {80, 800, 1520}, {60, 600, 1140}}};
    for (const Case &c : cases) {
        for (int i = 0; i < kCrossCount; ++i) {
            Point p = CrossPosition(i, c.width, c.height);
            EXPECT_TRUE(Same(p, Point{c.xs[i % 3], c.ys[i / 3]}))
                << c.width << "x" << c.height << " cross " << i << " at " << p.x << "," << p.y;
        }
    }
}

TEST(IntegerSqrt, IsTheFloorOfTheRootForSmallAndHugeValues) {
    for (unsigned long long n = 0; n < 200000; ++n) {
        unsigned long long r = IntegerSqrt(n);
        ASSERT_LE(r * r, n);
        ASSERT_GT((r + 1) * (r + 1), n);
    }
    EXPECT_EQ(IntegerSqrt(1ULL << 62), 1ULL << 31);
    EXPECT_EQ(IntegerSqrt(0xFFFFFFFEULL * 0xFFFFFFFEULL), 0xFFFFFFFEULL);
    EXPECT_EQ(IntegerSqrt(ULLONG_MAX), 0xFFFFFFFFULL);
}

TEST(RoundedDistance, RoundsToTheNearestPixelLikeTheRealDistance) {
    for (int dx = -60; dx <= 60; ++dx)
        for (int dy = -60; dy <= 60; ++dy)
            ASSERT_EQ(RoundedDistance(Point{100, 200}, Point{100 + dx, 200 + dy}),
                      static_cast<unsigned>(std::lround(std::hypot(dx, dy))))
                << dx << "," << dy;
}

TEST(RoundedDistance, KnownValuesAndExtremeCoordinates) {
    EXPECT_EQ(RoundedDistance(Point{0, 0}, Point{3, 4}), 5u);
    EXPECT_EQ(RoundedDistance(Point{7, 7}, Point{7, 7}), 0u);
    EXPECT_EQ(RoundedDistance(Point{0, 0}, Point{10, 3}), 10u);  // 10.44
    EXPECT_EQ(RoundedDistance(Point{0, 0}, Point{10, 5}), 11u);  // 11.18
    // Coordinates from a captured pointer may be anywhere in 16 bits.
    EXPECT_EQ(RoundedDistance(Point{-32768, -32768}, Point{32767, 32767}), 92680u);
    EXPECT_EQ(RoundedDistance(Point{INT_MIN, 0}, Point{INT_MAX, 0}), 4294967295u);
    EXPECT_EQ(RoundedDistance(Point{INT_MIN, INT_MIN}, Point{INT_MAX, INT_MAX}), 4294967295u);
    EXPECT_EQ(RoundedDistance(Point{INT_MAX, 5}, Point{INT_MIN, 5}), 4294967295u);
}

TEST(Tolerance, IsOnePercentOfTheWidthInWholePixelsAndNeverZero) {
    const unsigned widthAndTolerance[][2] = {{1024, 10}, {640, 6}, {1600, 16},
                                             {100, 1},   {99, 1},  {0, 1}};
    for (const auto &c : widthAndTolerance) EXPECT_EQ(TolerancePixels(c[0]), c[1]) << c[0];
    EXPECT_TRUE(TapPasses(10, 10));
    EXPECT_FALSE(TapPasses(11, 10));
    EXPECT_TRUE(TapPasses(0, 1));
}

CheckRun Started(int width, int height) {
    CheckRun run;
    StartCheck(&run, width, height);
    return run;
}

void TapAll(CheckRun *run, int dx, int dy) {
    for (int i = 0; i < kCrossCount; ++i) {
        Point c = CrossPosition(i, run->width, run->height);
        ASSERT_TRUE(RecordTap(run, Point{c.x + dx, c.y + dy}));
    }
}

TEST(CheckRun, TapsOnTheCrossesPassAndAFurtherTapIsRefused) {
    CheckRun run = Started(1024, 768);
    EXPECT_EQ(run.next, 0);
    EXPECT_FALSE(CheckDone(run));
    TapAll(&run, 0, 0);
    EXPECT_TRUE(CheckDone(run));
    EXPECT_EQ(PassedCount(run), kCrossCount);
    EXPECT_FALSE(RecordTap(&run, Point{0, 0}));
    EXPECT_EQ(run.next, kCrossCount);
    EXPECT_EQ(run.results[4].distance, 0u);
}

TEST(CheckRun, JudgesEachTapAtTheToleranceEdge) {
    CheckRun run = Started(1024, 768);
    TapAll(&run, 7, 7);  // 9.9 px: within 10
    EXPECT_EQ(PassedCount(run), kCrossCount);
    EXPECT_EQ(run.results[2].distance, 10u);
    StartCheck(&run, 1024, 768);
    TapAll(&run, -8, 7);  // 10.6 px: shown as 11, beyond 10
    EXPECT_EQ(PassedCount(run), 0);
    EXPECT_EQ(run.results[0].distance, 11u);
    EXPECT_FALSE(run.results[0].passed);
}

TEST(CheckRun, ATapIsJudgedAgainstTheWaitingCrossNotTheNearestOne) {
    CheckRun run = Started(1024, 768);
    // The centre tapped first: far from the upper-left cross that waits.
    ASSERT_TRUE(RecordTap(&run, Point{512, 384}));
    EXPECT_FALSE(run.results[0].passed);
    EXPECT_EQ(run.results[0].distance, RoundedDistance(Point{512, 384}, Point{51, 38}));
    EXPECT_TRUE(Same(run.results[0].tap, Point{512, 384}));
    ASSERT_TRUE(RecordTap(&run, Point{514, 35}));
    EXPECT_TRUE(run.results[1].passed);
    EXPECT_EQ(PassedCount(run), 1);
    EXPECT_EQ(run.next, 2);
}

TEST(CheckRun, StartingAgainForgetsEarlierTaps) {
    CheckRun run = Started(800, 600);
    TapAll(&run, 0, 0);
    StartCheck(&run, 800, 600);
    EXPECT_EQ(run.next, 0);
    EXPECT_EQ(PassedCount(run), 0);
    EXPECT_FALSE(CheckDone(run));
}

TEST(Stroke, SegmentsChainFromTheButtonDownAndStopAtTheLift) {
    Stroke stroke = {false, {0, 0}};
    Point from;
    EXPECT_FALSE(ContinueStroke(&stroke, Point{5, 5}, true, &from));
    BeginStroke(&stroke, Point{10, 10});
    ASSERT_TRUE(ContinueStroke(&stroke, Point{20, 15}, true, &from));
    EXPECT_TRUE(Same(from, Point{10, 10}));
    ASSERT_TRUE(ContinueStroke(&stroke, Point{30, 40}, true, &from));
    EXPECT_TRUE(Same(from, Point{20, 15}));
    EndStroke(&stroke);
    // After the lift nothing joins the old stroke to the new touch.
    EXPECT_FALSE(ContinueStroke(&stroke, Point{300, 400}, true, &from));
    BeginStroke(&stroke, Point{300, 400});
    ASSERT_TRUE(ContinueStroke(&stroke, Point{310, 400}, true, &from));
    EXPECT_TRUE(Same(from, Point{300, 400}));
}

TEST(Stroke, AMoveWithoutTheButtonDrawsNothingAndKeepsTheStrokesEnd) {
    Stroke stroke;
    Point from;
    BeginStroke(&stroke, Point{10, 10});
    EXPECT_FALSE(ContinueStroke(&stroke, Point{90, 90}, false, &from));
    ASSERT_TRUE(ContinueStroke(&stroke, Point{12, 10}, true, &from));
    EXPECT_TRUE(Same(from, Point{10, 10}));
}

bool Inside(const Box &box, int width, int height) {
    return box.left >= 0 && box.top >= 0 && box.right <= width && box.bottom <= height &&
           box.left < box.right && box.top < box.bottom;
}

TEST(BarLayout, FingerSizedButtonsInOrderAndAResultPictureOfEveryCrossOnEveryCommonScreen) {
    const int screens[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1152, 864}, {1280, 1024},
                              {1600, 1200}};
    for (const auto &s : screens) {
        const int width = s[0], height = s[1];
        BarLayout bar = LayOutBar(width, height);
        SCOPED_TRACE(testing::Message() << width << "x" << height);
        for (int i = 0; i < BAR_BUTTONS; ++i) {
            const Box &b = bar.buttons[i];
            EXPECT_TRUE(Inside(b, width, bar.height));
            EXPECT_GE(b.right - b.left, 56);
            EXPECT_GE(b.bottom - b.top, 36);
            if (i > 0) {
                EXPECT_GT(b.left, bar.buttons[i - 1].right);
            }
        }
        EXPECT_GT(bar.readout.left, bar.buttons[BAR_EXIT].right);
        EXPECT_TRUE(Inside(bar.readout, width, bar.height));
        EXPECT_TRUE(Inside(bar.status, width, height));
        EXPECT_TRUE(Inside(bar.legend, width, height));
        EXPECT_LE(bar.status.bottom, bar.legend.top);
        // The result picture shows every cross between the bar and the status line.
        EXPECT_GT(bar.apply.left, bar.readout.right);
        EXPECT_TRUE(Inside(bar.apply, width, bar.height));
        EXPECT_GT(bar.picture.top, bar.height);
        EXPECT_LT(bar.picture.bottom, bar.status.top);
        for (int i = 0; i < kCrossCount; ++i) {
            Point at = PicturePoint(bar.picture, CrossPosition(i, width, height), width, height);
            EXPECT_GE(at.x, bar.picture.left);
            EXPECT_LT(at.x, bar.picture.right);
            EXPECT_GE(at.y, bar.picture.top);
            EXPECT_LT(at.y, bar.picture.bottom);
        }
    }
}

TEST(MagnifiedEnd, IsFiveTimesTheErrorAndStaysInSixteenBitDrawingRange) {
    EXPECT_TRUE(Same(MagnifiedEnd(Point{100, 100}, Point{51, 38}, Point{71, 35}), Point{200, 85}));
    EXPECT_TRUE(Same(MagnifiedEnd(Point{0, 0}, Point{0, 0}, Point{INT_MAX, INT_MIN}),
                     Point{32767, -32768}));
}

}  // namespace
