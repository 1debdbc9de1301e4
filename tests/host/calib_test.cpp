// Durmasel's arithmetic: where the targets and the prompt box sit, how
// three raw touches become the driver's record (directions, swapped axes,
// margins and clamping on both axes), which runs are refused, plus the
// store's range rule.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <vector>

#include "calibration.h"

using calib::ComputeRecord;
using calib::RawPoint;

namespace {

CalibrationRecord Compute(const RawPoint (&p)[3]) { return ComputeRecord(p); }

void ExpectRecord(const RawPoint (&p)[3], const CalibrationRecord &e) {
    const CalibrationRecord r = Compute(p);
    EXPECT_EQ(r.XLow, e.XLow);
    EXPECT_EQ(r.YLow, e.YLow);
    EXPECT_EQ(r.XHigh, e.XHigh);
    EXPECT_EQ(r.YHigh, e.YHigh);
    EXPECT_EQ(r.SwapXY, e.SwapXY);
}

}  // namespace

// The three targets and the prompt box; odd sizes truncate.
TEST(CalibLayout, TargetsAndPromptOnEvenAndOddSizes) {
    const struct { int w, h; std::vector<int> expected; } cases[] = {
        {1024, 768, {204, 153, 820, 615, 820, 153, 312, 344}},
        {799, 599, {159, 119, 640, 480, 640, 119, 199, 259}},
    };
    for (const auto &c : cases) {
        calib::ScreenPoint t[3];
        calib::TargetPositions(c.w, c.h, t);
        const calib::ScreenPoint box = calib::PromptOrigin(c.w, c.h);
        EXPECT_EQ(c.expected, (std::vector<int>{t[0].x, t[0].y, t[1].x, t[1].y, t[2].x, t[2].y,
                                                box.x, box.y})) << c.w;
    }
    EXPECT_EQ(calib::TargetRadius(1024), 25);
}

TEST(CalibLayout, SavedSquareFitsItsBitmapOnCommonScreens) {
    // The square kept under a target must fit the bitmap it is copied to,
    // or the erase would leave a rim of the old target behind.
    for (int width : {640, 800, 1024, 1152, 1280, 1600, 1920}) {
        EXPECT_LE(calib::SavedSquareSide(width), calib::SaveBitmapSide(width)) << width;
    }
}

TEST(CalibRecord, ExamplesOfTheThreeCases) {
    ExpectRecord({{1000, 900}, {3100, 3000}, {3100, 900}}, {300, 200, 3800, 3700, 0});
    ExpectRecord({{800, 800}, {3200, 3200}, {800, 3200}}, {0, 0, 4000, 4000, 1});
    ExpectRecord({{3500, 900}, {500, 3000}, {500, 900}}, {4096, 200, 0, 3700, 0});
}

TEST(CalibRecord, ClampsBothDirectionsOnBothAxes) {
    // X forwards: low below 0, high above 4096.
    ExpectRecord({{100, 1000}, {4000, 3000}, {4000, 1000}}, {0, 334, 4096, 3666, 0});
    // Y forwards, clamped the same way.
    ExpectRecord({{1000, 200}, {3000, 3900}, {3000, 200}}, {334, 0, 3666, 4096, 0});
    // Y backwards: low above 4096, high below 0.
    ExpectRecord({{1000, 3900}, {3000, 200}, {3000, 3900}}, {334, 4096, 3666, 0, 0});
    // Both backwards, nothing reaching the limits.
    ExpectRecord({{3000, 3000}, {1200, 1200}, {1200, 3000}}, {3600, 3600, 600, 600, 0});
}

TEST(CalibRecord, SwappedAxesInEveryDirection) {
    // Raw X follows screen Y and raw Y follows screen X; P2 then has the
    // raw X of P0 and the raw Y of P1.
    ExpectRecord({{900, 1000}, {3000, 3100}, {900, 3100}}, {300, 200, 3800, 3700, 1});
    // Swapped with both raw axes running backwards.
    ExpectRecord({{3000, 3100}, {900, 1000}, {3000, 1000}}, {3800, 3700, 300, 200, 1});
}

TEST(CalibRecord, OneSwapConditionAloneDoesNotSwap) {
    // Only A holds: x2 near x0, y2 also near y0.
    ExpectRecord({{1000, 1000}, {3100, 3100}, {1000, 1000}}, {300, 300, 3800, 3800, 0});
    // Only B holds: x2 near x1, y2 near y1.
    ExpectRecord({{1000, 1000}, {3100, 3100}, {3100, 3100}}, {300, 300, 3800, 3800, 0});
    // A tie is not "nearer": strict comparisons.
    ExpectRecord({{1000, 1000}, {3000, 3000}, {2000, 2000}}, {334, 334, 3666, 3666, 0});
}

TEST(CalibRecord, EqualDiagonalReadingsGiveZeroMargin) {
    ExpectRecord({{2048, 1500}, {2048, 1500}, {2048, 1500}}, {2048, 1500, 2048, 1500, 0});
    EXPECT_TRUE(calib::EdgesStorable(Compute({{2048, 1500}, {2048, 1500}, {2048, 1500}})));
}

TEST(CalibRecord, RangeEndsStayInRange) {
    ExpectRecord({{0, 0}, {4096, 4096}, {4096, 0}}, {0, 0, 4096, 4096, 0});
    ExpectRecord({{4096, 4096}, {0, 0}, {0, 4096}}, {4096, 4096, 0, 0, 0});
}

TEST(CalibRecord, ReadingsOutsideTheRangeNeverOverflow) {
    // A faulty driver's reading is carried through unclamped on the inner
    // side; the store then refuses the record.
    const CalibrationRecord r = Compute({{INT32_MAX, 100}, {INT32_MIN, 4000}, {0, 100}});
    EXPECT_EQ(r.XLow, 4096u);
    EXPECT_EQ(r.XHigh, 0u);
    const CalibrationRecord high = Compute({{5000, 100}, {6000, 4000}, {6000, 100}});
    EXPECT_FALSE(calib::EdgesStorable(high));
}

TEST(CalibStore, EdgesAboveTheRangeAreRefusedSwapIsNot) {
    EXPECT_TRUE(calib::EdgesStorable({0, 0, 4096, 4096, 0}));
    EXPECT_TRUE(calib::EdgesStorable({4096, 4096, 0, 0, 7}));
    EXPECT_FALSE(calib::EdgesStorable({4097, 0, 0, 0, 0}));
    EXPECT_FALSE(calib::EdgesStorable({0, 4097, 0, 0, 0}));
    EXPECT_FALSE(calib::EdgesStorable({0, 0, 4097, 0, 0}));
    EXPECT_FALSE(calib::EdgesStorable({0, 0, 0, 0xFFFFFFFFu, 0}));
}

// A modelled panel: each raw axis runs linearly between two edge values;
// orientation bits 4, 2, 1 cross the axes and reverse X and Y. Touches
// carry a few raw units of noise.
namespace {

struct Panel {
    int w, h, low, high, bits;
    int Edge(int flipBit, bool far) const { return far != ((bits & flipBit) != 0) ? high : low; }
    int32_t Along(int flipBit, int pixel, int extent) const {
        const double from = Edge(flipBit, false), to = Edge(flipBit, true);
        return static_cast<int32_t>(std::lround(from + (to - from) * pixel / extent));
    }
};

// Every orientation on several screens and raw ranges.
void ForEachPanel(const std::function<void(const Panel &, RawPoint *)> &check) {
    const int screens[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
    const int ranges[][2] = {{0, 4096}, {150, 3950}, {900, 3100}};
    const int noise[3][2] = {{3, -2}, {-3, 3}, {2, -3}};
    for (int bits = 0; bits < 8; ++bits)
        for (const auto &s : screens)
            for (const auto &r : ranges) {
                const Panel p = {s[0], s[1], r[0], r[1], bits};
                SCOPED_TRACE(testing::Message() << s[0] << "x" << s[1] << " raw " << r[0]
                                                << ".." << r[1] << " orientation " << bits);
                calib::ScreenPoint t[3];
                calib::TargetPositions(p.w, p.h, t);
                RawPoint points[3];
                for (int i = 0; i < 3; ++i) {
                    const int32_t x = p.Along(2, t[i].x, p.w) + noise[i][0];
                    const int32_t y = p.Along(1, t[i].y, p.h) + noise[i][1];
                    points[i] = (bits & 4) ? RawPoint{y, x} : RawPoint{x, y};
                }
                check(p, points);
            }
}

}  // namespace

TEST(CalibPanels, EverySoundRunIsAcceptedAndFindsTheScreenEdges) {
    // Whole-pixel targets and a truncated margin put the edges found within
    // a few units of the panel's, noise included.
    ForEachPanel([](const Panel &p, RawPoint *points) {
        EXPECT_TRUE(calib::RunIsSound(points));
        const CalibrationRecord r = ComputeRecord(points);
        EXPECT_EQ(r.SwapXY, (p.bits & 4) ? 1u : 0u);
        EXPECT_NEAR(r.XLow, p.Edge(2, false), 12);
        EXPECT_NEAR(r.XHigh, p.Edge(2, true), 12);
        EXPECT_NEAR(r.YLow, p.Edge(1, false), 12);
        EXPECT_NEAR(r.YHigh, p.Edge(1, true), 12);
        // The rule Setup's /CAL and Brokasta's Apply judge records by.
        EXPECT_TRUE(driver::RecordUsable(r));
    });
}

TEST(CalibPanels, MisclickedAndDegenerateRunsAreRefusedInEveryOrientation) {
    // The third touch moved a share of the span towards the middle on one
    // raw axis; a negative share instead brings the diagonal touches within
    // the smallest span of each other.
    const struct { bool onY; double share; bool sound; } faults[] = {
        {false, 0.2, true}, {true, 0.2, true}, {false, 0.33, false}, {true, 0.33, false},
        {false, 1.0, false}, {true, 1.0, false}, {false, -1, false}, {true, -1, false}};
    // Whole touches in the wrong place.
    const struct { const char *what; void (*apply)(RawPoint *); } misplaced[] = {
        {"third on the first target", [](RawPoint *p) { p[2] = p[0]; }},
        {"third on the second target", [](RawPoint *p) { p[2] = p[1]; }},
        {"all three in one place", [](RawPoint *p) { p[1] = p[2] = p[0]; }},
        {"diagonal almost level on Y, the other way",
         [](RawPoint *p) { p[1].y = p[0].y - (calib::kMinRawSpan - 1); }}};
    ForEachPanel([&](const Panel &, RawPoint *points) {
        for (const auto &m : misplaced) {
            RawPoint p[3] = {points[0], points[1], points[2]};
            m.apply(p);
            EXPECT_FALSE(calib::RunIsSound(p)) << m.what;
        }
        for (const auto &f : faults) {
            RawPoint p[3] = {points[0], points[1], points[2]};
            int32_t RawPoint::*axis = f.onY ? &RawPoint::y : &RawPoint::x;
            const int32_t step = static_cast<int32_t>(std::abs(p[1].*axis - p[0].*axis) * f.share);
            const bool below = 2 * (p[2].*axis) < p[0].*axis + p[1].*axis;
            if (f.share < 0) p[1].*axis = p[0].*axis + calib::kMinRawSpan - 1;
            else p[2].*axis += below ? step : -step;
            EXPECT_EQ(calib::RunIsSound(p), f.sound) << "on Y " << f.onY << " share " << f.share;
        }
    });
}
