// Durmasel's arithmetic: where the targets and the prompt box sit, how
// three raw touches become the driver's record (directions, swapped axes,
// margins and clamping on both axes), which runs are refused, plus the
// store's range rule.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "calibration.h"

using calib::ComputeRecord;
using calib::RawPoint;

namespace {

struct Expected {
    uint32_t xLow, yLow, xHigh, yHigh, swap;
};

CalibrationRecord Compute(const RawPoint (&p)[3]) { return ComputeRecord(p); }

void ExpectRecord(const RawPoint (&p)[3], const Expected &e) {
    const CalibrationRecord r = Compute(p);
    EXPECT_EQ(r.XLow, e.xLow);
    EXPECT_EQ(r.YLow, e.yLow);
    EXPECT_EQ(r.XHigh, e.xHigh);
    EXPECT_EQ(r.YHigh, e.yHigh);
    EXPECT_EQ(r.SwapXY, e.swap);
}

}  // namespace

TEST(CalibLayout, TargetsAndPromptOn1024x768) {
    calib::ScreenPoint t[3];
    calib::TargetPositions(1024, 768, t);
    EXPECT_EQ(t[0].x, 204); EXPECT_EQ(t[0].y, 153);
    EXPECT_EQ(t[1].x, 820); EXPECT_EQ(t[1].y, 615);
    EXPECT_EQ(t[2].x, 820); EXPECT_EQ(t[2].y, 153);
    EXPECT_EQ(calib::TargetRadius(1024), 25);
    const calib::ScreenPoint box = calib::PromptOrigin(1024, 768);
    EXPECT_EQ(box.x, 312);
    EXPECT_EQ(box.y, 344);
}

TEST(CalibLayout, SavedSquareFitsItsBitmapOnCommonScreens) {
    // The square kept under a target must fit the bitmap it is copied to,
    // or the erase would leave a rim of the old target behind.
    for (int width : {640, 800, 1024, 1152, 1280, 1600, 1920}) {
        EXPECT_LE(calib::SavedSquareSide(width), calib::SaveBitmapSide(width)) << width;
    }
}

TEST(CalibLayout, OddSizesTruncate) {
    calib::ScreenPoint t[3];
    calib::TargetPositions(799, 599, t);
    EXPECT_EQ(t[0].x, 159); EXPECT_EQ(t[0].y, 119);
    EXPECT_EQ(t[1].x, 640); EXPECT_EQ(t[1].y, 480);
    const calib::ScreenPoint box = calib::PromptOrigin(799, 599);
    EXPECT_EQ(box.x, 199);
    EXPECT_EQ(box.y, 259);
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

// ---- runs from a modelled panel ---------------------------------------------
// A panel reports, on each raw axis, a value that runs linearly from one
// screen edge to the other; it may be mounted with its axes crossed and
// either axis reversed. Touches carry a few raw units of noise.
namespace {

struct Orientation {
    bool swap, flipX, flipY;
};

struct Panel {
    int width, height;    // screen pixels
    int rawLow, rawHigh;  // raw values at the two edges of either axis
    Orientation o;

    // Raw value at the left (top) edge and at the right (bottom) edge.
    int EdgeX(bool right) const { return (right != o.flipX) ? rawHigh : rawLow; }
    int EdgeY(bool bottom) const { return (bottom != o.flipY) ? rawHigh : rawLow; }
    RawPoint Touch(calib::ScreenPoint s, int noiseX, int noiseY) const {
        const int32_t alongX = Along(EdgeX(false), EdgeX(true), s.x, width) + noiseX;
        const int32_t alongY = Along(EdgeY(false), EdgeY(true), s.y, height) + noiseY;
        return o.swap ? RawPoint{alongY, alongX} : RawPoint{alongX, alongY};
    }
    static int32_t Along(int from, int to, int pixel, int extent) {
        return from + static_cast<int32_t>(
                          std::lround(static_cast<double>(to - from) * pixel / extent));
    }
};

std::vector<Orientation> AllOrientations() {
    std::vector<Orientation> all;
    for (int bits = 0; bits < 8; ++bits) all.push_back({(bits & 4) != 0, (bits & 2) != 0,
                                                        (bits & 1) != 0});
    return all;
}

// Noise of each touch, differing in sign and size between the touches.
const int kNoise[3][2] = {{3, -2}, {-3, 3}, {2, -3}};

void TouchTargets(const Panel &panel, RawPoint points[3]) {
    calib::ScreenPoint targets[3];
    calib::TargetPositions(panel.width, panel.height, targets);
    for (int i = 0; i < 3; ++i) points[i] = panel.Touch(targets[i], kNoise[i][0], kNoise[i][1]);
}

std::string Describe(const Panel &p) {
    std::ostringstream text;
    text << p.width << "x" << p.height << " raw " << p.rawLow << ".." << p.rawHigh
         << " swap " << p.o.swap << " flipX " << p.o.flipX << " flipY " << p.o.flipY;
    return text.str();
}

const int kScreens[][2] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};
const int kRawRanges[][2] = {{0, 4096}, {150, 3950}, {900, 3100}};

}  // namespace

TEST(CalibPanels, EverySoundRunIsAcceptedAndFindsTheScreenEdges) {
    // The targets sit on whole pixels and the margin is truncated, so the
    // edges found lie within a few units of the panel's, noise included.
    const int64_t tolerance = 12;
    for (const Orientation &o : AllOrientations()) {
        for (const auto &screen : kScreens) {
            for (const auto &range : kRawRanges) {
                const Panel panel = {screen[0], screen[1], range[0], range[1], o};
                SCOPED_TRACE(Describe(panel));
                RawPoint points[3];
                TouchTargets(panel, points);
                EXPECT_TRUE(calib::RunIsSound(points));
                const CalibrationRecord r = ComputeRecord(points);
                EXPECT_EQ(r.SwapXY, o.swap ? 1u : 0u);
                EXPECT_NEAR(r.XLow, panel.EdgeX(false), tolerance);
                EXPECT_NEAR(r.XHigh, panel.EdgeX(true), tolerance);
                EXPECT_NEAR(r.YLow, panel.EdgeY(false), tolerance);
                EXPECT_NEAR(r.YHigh, panel.EdgeY(true), tolerance);
            }
        }
    }
}

namespace {

// Moves one raw coordinate of a touch a share of its axis's span towards
// the middle of the two diagonal touches.
int32_t Shifted(int32_t value, int32_t a, int32_t b, double share) {
    const double span = std::abs(static_cast<double>(b) - a);
    const double middle = (static_cast<double>(a) + b) / 2;
    const int32_t step = static_cast<int32_t>(span * share);
    return value < middle ? value + step : value - step;
}

struct Fault {
    const char *name;
    void (*apply)(RawPoint p[3]);
    bool sound;
};

const Fault kFaults[] = {
    {"third touch a fifth off on raw X",
     [](RawPoint p[3]) { p[2].x = Shifted(p[2].x, p[0].x, p[1].x, 0.2); }, true},
    {"third touch a fifth off on raw Y",
     [](RawPoint p[3]) { p[2].y = Shifted(p[2].y, p[0].y, p[1].y, 0.2); }, true},
    {"third touch a third off on raw X",
     [](RawPoint p[3]) { p[2].x = Shifted(p[2].x, p[0].x, p[1].x, 0.33); }, false},
    {"third touch a third off on raw Y",
     [](RawPoint p[3]) { p[2].y = Shifted(p[2].y, p[0].y, p[1].y, 0.33); }, false},
    {"third touch on the first target", [](RawPoint p[3]) { p[2] = p[0]; }, false},
    {"third touch on the second target", [](RawPoint p[3]) { p[2] = p[1]; }, false},
    {"diagonal touches almost level on raw X",
     [](RawPoint p[3]) { p[1].x = p[0].x + calib::kMinRawSpan - 1; }, false},
    {"diagonal touches almost level on raw Y",
     [](RawPoint p[3]) { p[1].y = p[0].y - (calib::kMinRawSpan - 1); }, false},
    {"all three touches in one place", [](RawPoint p[3]) { p[1] = p[2] = p[0]; }, false},
};

}  // namespace

TEST(CalibPanels, MisclickedAndDegenerateRunsAreRefusedInEveryOrientation) {
    for (const Orientation &o : AllOrientations()) {
        for (const auto &range : kRawRanges) {
            for (const Fault &fault : kFaults) {
                const Panel panel = {1024, 768, range[0], range[1], o};
                SCOPED_TRACE(Describe(panel) + ": " + fault.name);
                RawPoint points[3];
                TouchTargets(panel, points);
                fault.apply(points);
                EXPECT_EQ(calib::RunIsSound(points), fault.sound);
            }
        }
    }
}
