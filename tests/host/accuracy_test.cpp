// The nine-cross check's judgement: the least-squares fit of the driver's
// calibration model against a floating-point reference, the verdicts, the
// Apply rule and the report's lines.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <string>

#include "accuracy.h"

using drawtest::Point;

namespace {

const CalibrationRecord kStored = {400, 300, 3600, 3700, 0};

// Where the nine touches land: a linear panel error (scale and shift per
// axis) plus an extra shift of the middle row, the bent panel's mark.
struct Panel {
    double scaleX, shiftX, scaleY, shiftY;
    int middleRowShiftX;
};

drawtest::CheckRun Tapped(int width, int height, const Panel &p) {
    drawtest::CheckRun run;
    drawtest::StartCheck(&run, width, height);
    for (int i = 0; i < drawtest::kCrossCount; ++i) {
        Point t = drawtest::CrossPosition(i, width, height);
        int x = static_cast<int>(std::lround(t.x * p.scaleX + p.shiftX));
        int y = static_cast<int>(std::lround(t.y * p.scaleY + p.shiftY));
        if (i / 3 == 1) x += p.middleRowShiftX;
        drawtest::RecordTap(&run, Point{x, y});
    }
    return run;
}

// The same model fitted in floating point: raw = low + touch * span / size
// regressed on the target; the residual is where the touch lands with it.
struct Reference {
    double low[2], high[2];
    double largestResidual;
};

Reference Fit(const drawtest::CheckRun &run, const CalibrationRecord &stored) {
    Reference r = {};
    const double lows[2] = {double(stored.XLow), double(stored.YLow)};
    const double highs[2] = {double(stored.XHigh), double(stored.YHigh)};
    double residual[2][drawtest::kCrossCount];
    for (int axis = 0; axis < 2; ++axis) {
        double size = axis ? run.height : run.width, t[9], u[9], st = 0, su = 0;
        for (int i = 0; i < 9; ++i) {
            Point target = drawtest::CrossPosition(i, run.width, run.height);
            Point tap = run.results[i].tap;
            t[i] = axis ? target.y : target.x;
            u[i] = lows[axis] + (axis ? tap.y : tap.x) * (highs[axis] - lows[axis]) / size;
            st += t[i], su += u[i];
        }
        double stt = 0, stu = 0;
        for (int i = 0; i < 9; ++i) {
            stt += (t[i] - st / 9) * (t[i] - st / 9);
            stu += (t[i] - st / 9) * (u[i] - su / 9);
        }
        double slope = stu / stt, offset = su / 9 - slope * st / 9;
        r.low[axis] = offset;
        r.high[axis] = offset + slope * size;
        for (int i = 0; i < 9; ++i) residual[axis][i] = (u[i] - offset) / slope - t[i];
    }
    for (int i = 0; i < 9; ++i)
        r.largestResidual = std::max(r.largestResidual, std::hypot(residual[0][i], residual[1][i]));
    return r;
}

struct FitCase {
    const char *what;
    int width, height;
    Panel panel;
    CalibrationRecord stored;
    drawtest::Verdict verdict;
};

const FitCase kFitCases[] = {
    {"on target", 1024, 768, {1, 0, 1, 0, 0}, kStored, drawtest::VERDICT_PASS},
    {"just within", 1024, 768, {1, 7, 1, -7, 0}, kStored, drawtest::VERDICT_PASS},
    {"20 px right", 1024, 768, {1, 20, 1, 0, 0}, kStored, drawtest::VERDICT_RECALIBRATE},
    {"15 px up", 800, 600, {1, 0, 1, -15, 0}, kStored, drawtest::VERDICT_RECALIBRATE},
    {"stretched 5 %", 1024, 768, {1.05, -25.6, 1.05, -19.2, 0}, kStored,
     drawtest::VERDICT_RECALIBRATE},
    {"shrunk and shifted", 640, 480, {0.9, 40, 0.93, 3, 0}, kStored,
     drawtest::VERDICT_RECALIBRATE},
    {"reversed axis", 1024, 768, {1, 20, 1, 0, 0}, {3600, 300, 400, 3700, 0},
     drawtest::VERDICT_RECALIBRATE},
    {"swapped axes", 1024, 768, {1, 0, 1, 18, 0}, {500, 250, 3500, 3800, 1},
     drawtest::VERDICT_RECALIBRATE},
    {"middle row 40 px", 1024, 768, {1, 0, 1, 0, 40}, kStored,
     drawtest::VERDICT_PANEL_GEOMETRY},
    {"shifted and bent", 1280, 1024, {1, 30, 1, 10, -45}, kStored,
     drawtest::VERDICT_PANEL_GEOMETRY},
    {"bend within reach", 1024, 768, {1, 20, 1, 0, 12}, kStored,
     drawtest::VERDICT_RECALIBRATE},
};

TEST(Fit, AgreesWithAFloatingPointFitAndGivesTheVerdict) {
    for (const FitCase &c : kFitCases) {
        SCOPED_TRACE(c.what);
        drawtest::CheckRun run = Tapped(c.width, c.height, c.panel);
        drawtest::Judgement j = drawtest::JudgeCheck(run, &c.stored);
        Reference ref = Fit(run, c.stored);
        EXPECT_EQ(j.verdict, c.verdict);
        ASSERT_TRUE(j.fitted);
        ASSERT_TRUE(j.recordFitted);
        EXPECT_EQ(j.tolerance, static_cast<unsigned>(c.width / 100));
        // Whole raw units, rounded: within half a unit of the exact fit.
        EXPECT_NEAR(j.record.XLow, ref.low[0], 0.5);
        EXPECT_NEAR(j.record.XHigh, ref.high[0], 0.5);
        EXPECT_NEAR(j.record.YLow, ref.low[1], 0.5);
        EXPECT_NEAR(j.record.YHigh, ref.high[1], 0.5);
        EXPECT_EQ(j.record.SwapXY, c.stored.SwapXY);
        EXPECT_NEAR(j.largestResidual, ref.largestResidual, 0.5 + 1.0 / 16);
    }
}

TEST(Fit, TheIssuesShiftMovesXLowAndXHighBy62AndAHalfRawUnits) {
    // 20 px of 3200 raw units per 1024 px is 62.5: rounded up to 63.
    drawtest::Judgement j = drawtest::JudgeCheck(Tapped(1024, 768, {1, 20, 1, 0, 0}), &kStored);
    const CalibrationRecord expected = {463, 300, 3663, 3700, 0};
    EXPECT_EQ(0, memcmp(&j.record, &expected, sizeof(expected)));
    EXPECT_EQ(j.meanError, 20u);
    EXPECT_EQ(j.largestError, 20u);
    EXPECT_EQ(j.largestResidual, 0u);
    EXPECT_TRUE(j.recordStorable);
}

TEST(Fit, TheMiddleRowsBendRemainsAfterTheBestCalibration) {
    // The best straight line runs a third of the bend from the outer rows.
    drawtest::Judgement j = drawtest::JudgeCheck(Tapped(1024, 768, {1, 0, 1, 0, 40}), &kStored);
    EXPECT_EQ(j.largestError, 40u);
    EXPECT_EQ(j.largestResidual, 27u);
    EXPECT_EQ(j.residual[0], 13u);
    EXPECT_EQ(j.meanResidual, 18u);
}

TEST(Fit, DegenerateAndWildTouchesGiveNoRecordAndNoOverflow) {
    struct Case {
        const char *what;
        Point taps[2];  // the first for crosses 1 to 4, the second for the rest
        bool fitted;
    };
    const Case cases[] = {
        {"all on one spot", {{300, 300}, {300, 300}}, false},
        {"far off the screen", {{INT_MIN, INT_MAX}, {INT_MAX, INT_MIN}}, true},
        {"16-bit extremes", {{-32768, 32767}, {32767, -32768}}, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        drawtest::CheckRun run;
        drawtest::StartCheck(&run, 1024, 768);
        for (int i = 0; i < drawtest::kCrossCount; ++i) drawtest::RecordTap(&run, c.taps[i < 4 ? 0 : 1]);
        drawtest::Judgement j = drawtest::JudgeCheck(run, &kStored);
        EXPECT_EQ(j.fitted, c.fitted);
        EXPECT_EQ(j.verdict, drawtest::VERDICT_PANEL_GEOMETRY);
    }
}

TEST(Apply, IsOfferedOnlyForARecalibrationThatCanBeStored) {
    struct Case {
        const char *what;
        Panel panel;
        const CalibrationRecord *stored;
        bool driver;
        drawtest::ApplyState state;
    };
    const CalibrationRecord fullRange = {0, 0, 4096, 4096, 0};
    const CalibrationRecord flat = {400, 300, 400, 3700, 0};
    const Case cases[] = {
        {"recalibrate", {1, 20, 1, 0, 0}, &kStored, true, drawtest::APPLY_OFFERED},
        {"pass", {1, 0, 1, 0, 0}, &kStored, true, drawtest::APPLY_NOT_NEEDED},
        {"bent", {1, 0, 1, 0, 40}, &kStored, true, drawtest::APPLY_NOT_NEEDED},
        {"no driver", {1, 20, 1, 0, 0}, &kStored, false, drawtest::APPLY_NO_DRIVER},
        {"nothing stored", {1, 20, 1, 0, 0}, nullptr, true, drawtest::APPLY_NO_STORED},
        {"no span stored", {1, 20, 1, 0, 0}, &flat, true, drawtest::APPLY_NO_STORED},
        {"past raw 0", {1, -20, 1, 0, 0}, &fullRange, true, drawtest::APPLY_OUT_OF_RANGE},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        drawtest::Judgement j = drawtest::JudgeCheck(Tapped(1024, 768, c.panel), c.stored);
        drawtest::ApplyState state = drawtest::ApplyStateFor(j, c.driver);
        EXPECT_EQ(state, c.state);
        EXPECT_EQ(*drawtest::ApplyReason(state) != '\0', state >= drawtest::APPLY_NO_DRIVER);
    }
}

std::string Report(const drawtest::CheckRun &run, const drawtest::Judgement &j,
                   const CalibrationRecord *stored, drawtest::ApplyState apply, size_t size) {
    std::string out(size, 'x');
    drawtest::ReportTime time = {2026, 12, 8, 1, 5, 9};
    bool fits = drawtest::FormatReport(&out[0], size, run, j, stored, apply, time);
    out.resize(strlen(out.c_str()));
    return fits ? out : "(cut) " + out;
}

TEST(Report, CarriesEveryPointTheVerdictAndBothRecordsInCrlfLines) {
    drawtest::CheckRun run = Tapped(1024, 768, {1, 20, 1, 0, 0});
    drawtest::Judgement j = drawtest::JudgeCheck(run, &kStored);
    std::string text = Report(run, j, &kStored, drawtest::ApplyStateFor(j, true), 4096);
    const char *const lines[] = {
        "Date: 2026-12-08 01:05:09\r\n",
        "Screen: 1024 x 768 pixels\r\n",
        "Tolerance: 10 px (1 % of the screen width)\r\n",
        "Point 1: target 51 38, touch 71 38, error 20 px, after fit 0 px\r\n",
        "Point 9: target 973 730, touch 993 730, error 20 px, after fit 0 px\r\n",
        "Mean error: 20 px\r\nLargest error: 20 px\r\n",
        "Verdict: RECALIBRATE\r\n",
        "Stored record: XLow 400, YLow 300, XHigh 3600, YHigh 3700, SwapXY 0\r\n",
        "Fitted record: XLow 463, YLow 300, XHigh 3663, YHigh 3700, SwapXY 0\r\n",
    };
    for (const char *line : lines) EXPECT_NE(text.find(line), std::string::npos) << line;
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        ASSERT_EQ(text[at - 1], '\r') << "at " << at;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    std::string none = Report(run, drawtest::JudgeCheck(run, nullptr), nullptr,
                              drawtest::APPLY_NO_STORED, 4096);
    EXPECT_NE(none.find("Stored record: none\r\nFitted record: none\r\nNo Apply: no usable"),
              std::string::npos);
    EXPECT_EQ(Report(run, j, &kStored, drawtest::APPLY_OFFERED, 40),
              "(cut) Brokasta touchscreen accuracy check\r\nDa");
}

}  // namespace
