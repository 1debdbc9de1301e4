// The calibration model: raw touches mapped to the screen for plain,
// reversed and swapped records, the way back to raw units, the records
// the driver cannot use and the orientation words.
#include <gtest/gtest.h>

#include <string>

#include "calibration_model.h"

namespace {

using calmodel::ScreenPoint;

struct MapCase {
    const char *what;
    CalibrationRecord record;
    uint32_t rawX, rawY;
    long x, y;  // on a 1024 x 768 screen
};

// Edges at 400..3600 (X) and 300..3700 (Y): 3200 raw units per 1024 pixels
// and 3400 per 768.
const MapCase kMaps[] = {
    {"plain, left top edge", {400, 300, 3600, 3700, 0}, 400, 300, 0, 0},
    {"plain, right bottom edge", {400, 300, 3600, 3700, 0}, 3600, 3700, 1024, 768},
    {"plain, middle", {400, 300, 3600, 3700, 0}, 2000, 2000, 512, 384},
    {"plain, a third of a pixel rounds down", {400, 300, 3600, 3700, 0}, 401, 301, 0, 0},
    {"plain, beyond the edge", {400, 300, 3600, 3700, 0}, 0, 4096, -128, 857},
    {"X reversed", {3600, 300, 400, 3700, 0}, 3600, 300, 0, 0},
    {"X reversed, right side", {3600, 300, 400, 3700, 0}, 1200, 2000, 768, 384},
    {"Y reversed", {400, 3700, 3600, 300, 0}, 2000, 1000, 512, 610},
    {"swapped: raw Y follows the screen's X", {300, 400, 3700, 3600, 1}, 400, 3700, 1024, 0},
    {"swapped and both reversed", {3700, 3600, 300, 400, 1}, 1200, 2000, 512, 576},
};

TEST(CalibrationModel, RawTouchesLandWhereTheRecordPutsThem) {
    for (const MapCase &c : kMaps) {
        ScreenPoint point = {-1, -1};
        ASSERT_TRUE(calmodel::MapRawPoint(c.record, c.rawX, c.rawY, 1024, 768, &point)) << c.what;
        EXPECT_EQ(c.x, point.x) << c.what;
        EXPECT_EQ(c.y, point.y) << c.what;
    }
}

TEST(CalibrationModel, ScreenAndRawAreEachOthersInverse) {
    const uint32_t edges[][2] = {{400, 3600}, {3600, 400}, {0, 4096}, {4095, 4096}};
    for (const auto &e : edges) {
        for (double position : {0.0, 1.0, 333.0, 1023.0, 1024.0}) {
            double raw = calmodel::RawAlong(e[0], e[1], 1024, position);
            EXPECT_NEAR(position, calmodel::ScreenAlong(e[0], e[1], 1024, raw), 1e-9)
                << e[0] << ".." << e[1] << " at " << position;
        }
    }
    EXPECT_EQ(calmodel::Round(2.5), 3);
    EXPECT_EQ(calmodel::Round(-2.5), -3);
    EXPECT_EQ(calmodel::Round(-2.4), -2);
}

TEST(CalibrationModel, RecordsTheDriverCannotUseAreNamedAndMapNothing) {
    const struct {
        CalibrationRecord record;
        const char *problem;
    } kCases[] = {
        {{400, 300, 400, 3700, 0}, "unusable: XLow equals XHigh, X has no span"},
        {{400, 300, 3600, 300, 0}, "unusable: YLow equals YHigh, Y has no span"},
        {{0, 0, 0, 0, 0}, "unusable: XLow equals XHigh, X has no span"},
        {{400, 300, 4097, 3700, 0}, "unusable: an edge is beyond 0..4096"},
        {{400, 300, 3600, 3700, 2}, "unusable: SwapXY is neither 0 nor 1"},
    };
    for (const auto &c : kCases) {
        ASSERT_TRUE(calmodel::RecordProblem(c.record));
        EXPECT_STREQ(c.problem, calmodel::RecordProblem(c.record));
        ScreenPoint point = {7, 7};
        EXPECT_FALSE(calmodel::MapRawPoint(c.record, 100, 100, 1024, 768, &point));
        EXPECT_EQ(7, point.x);
        char words[96];
        EXPECT_TRUE(calmodel::FormatOrientation(words, sizeof(words), c.record));
        EXPECT_STREQ(c.problem, words);
    }
    EXPECT_TRUE(calmodel::RecordMappable({0, 0, 4096, 4096, 1}));
}

TEST(CalibrationModel, OrientationInWords) {
    const struct {
        CalibrationRecord record;
        const char *words;
    } kCases[] = {
        {{400, 300, 3600, 3700, 0}, "X runs left to right, Y runs top to bottom, axes not swapped"},
        {{3600, 300, 400, 3700, 0}, "X runs right to left, Y runs top to bottom, axes not swapped"},
        {{400, 3700, 3600, 300, 0}, "X runs left to right, Y runs bottom to top, axes not swapped"},
        {{3700, 3600, 300, 400, 1}, "X runs right to left, Y runs bottom to top, axes swapped"},
    };
    for (const auto &c : kCases) {
        char words[96];
        EXPECT_TRUE(calmodel::FormatOrientation(words, sizeof(words), c.record));
        EXPECT_STREQ(c.words, words);
    }
    // Cut short, but always terminated.
    char small[12];
    EXPECT_FALSE(calmodel::FormatOrientation(small, sizeof(small), kCases[0].record));
    EXPECT_STREQ("X runs left", small);
}

}  // namespace
