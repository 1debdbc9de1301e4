// The nine-cross check's judgement: the least-squares fit of the driver's
// calibration model against a floating-point reference, the verdicts, the
// Apply rule and the report's lines.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "accuracy.h"
#include "accuracy_report.h"

using namespace drawtest;

namespace {

// Where the nine touches land: a linear panel error (scale and shift per
// axis) plus an extra shift of the middle row, the bent panel's mark.
struct Panel {
    double scaleX, shiftX, scaleY, shiftY;
    int middleRowShiftX;
};

CheckRun Tapped(int width, int height, const Panel &p) {
    CheckRun run;
    StartCheck(&run, width, height);
    for (int i = 0; i < kCrossCount; ++i) {
        Point t = CrossPosition(i, width, height);
        RecordTap(&run, Point{static_cast<int>(std::lround(t.x * p.scaleX + p.shiftX)) +
                                  (i / 3 == 1 ? p.middleRowShiftX : 0),
                              static_cast<int>(std::lround(t.y * p.scaleY + p.shiftY))});
    }
    return run;
}

// The same model fitted in floating point, in raw units as the issue puts
// it: each touch mapped back through the stored record, raw regressed on
// the target; the residual is where the touch lands with the fitted line.
// edge[] is in the record's order: XLow, YLow, XHigh, YHigh.
struct Reference {
    double edge[4], largestResidual;
};

Reference Fit(const CheckRun &run, const CalibrationRecord &s) {
    Reference r = {};
    const double lows[2] = {double(s.XLow), double(s.YLow)};
    const double spans[2] = {double(s.XHigh) - s.XLow, double(s.YHigh) - s.YLow};
    double miss[2][9];
    for (int axis = 0; axis < 2; ++axis) {
        double size = axis ? run.height : run.width, t[9], u[9], st = 0, su = 0, stt = 0, stu = 0;
        for (int i = 0; i < 9; ++i) {
            Point target = CrossPosition(i, run.width, run.height), tap = run.results[i].tap;
            t[i] = axis ? target.y : target.x;
            u[i] = lows[axis] + (axis ? tap.y : tap.x) * spans[axis] / size;
            st += t[i], su += u[i], stt += t[i] * t[i], stu += t[i] * u[i];
        }
        double slope = (9 * stu - st * su) / (9 * stt - st * st), low = (su - slope * st) / 9;
        r.edge[axis] = low, r.edge[axis + 2] = low + slope * size;
        for (int i = 0; i < 9; ++i) miss[axis][i] = (u[i] - low) / slope - t[i];
    }
    for (int i = 0; i < 9; ++i)
        r.largestResidual = std::fmax(r.largestResidual, std::hypot(miss[0][i], miss[1][i]));
    return r;
}

const CalibrationRecord kStored = {400, 300, 3600, 3700, 0}, kReversed = {3600, 300, 400, 3700, 0};
const CalibrationRecord kSwapped = {500, 250, 3500, 3800, 1}, kFullRange = {0, 0, 4096, 4096, 0};
const Verdict kPass = VERDICT_PASS, kRecal = VERDICT_RECALIBRATE, kBent = VERDICT_PANEL_GEOMETRY;

TEST(Fit, AgreesWithAFloatingPointFitAndGivesTheVerdictAndApply) {
    const struct {
        const char *what;
        int width, height;
        Panel panel;
        CalibrationRecord stored;
        Verdict verdict;
        ApplyState apply;  // with the driver there
    } cases[] = {
        {"on target", 1024, 768, {1, 0, 1, 0, 0}, kStored, kPass, APPLY_NOT_NEEDED},
        {"just within", 1024, 768, {1, 7, 1, -7, 0}, kStored, kPass, APPLY_NOT_NEEDED},
        {"20 px right", 1024, 768, {1, 20, 1, 0, 0}, kStored, kRecal, APPLY_OFFERED},
        {"15 px up", 800, 600, {1, 0, 1, -15, 0}, kStored, kRecal, APPLY_OFFERED},
        {"stretched 5 %", 1024, 768, {1.05, -25.6, 1.05, -19.2, 0}, kStored, kRecal, APPLY_OFFERED},
        {"shrunk, shifted", 640, 480, {0.9, 40, 0.93, 3, 0}, kStored, kRecal, APPLY_OFFERED},
        {"reversed axis", 1024, 768, {1, 20, 1, 0, 0}, kReversed, kRecal, APPLY_OFFERED},
        {"swapped axes", 1024, 768, {1, 0, 1, 18, 0}, kSwapped, kRecal, APPLY_OFFERED},
        {"past raw 0", 1024, 768, {1, -20, 1, 0, 0}, kFullRange, kRecal, APPLY_OUT_OF_RANGE},
        {"bend within reach", 1024, 768, {1, 20, 1, 0, 12}, kStored, kRecal, APPLY_OFFERED},
        {"middle row 40 px", 1024, 768, {1, 0, 1, 0, 40}, kStored, kBent, APPLY_NOT_NEEDED},
        {"shifted and bent", 1280, 1024, {1, 30, 1, 10, -45}, kStored, kBent, APPLY_NOT_NEEDED},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        CheckRun run = Tapped(c.width, c.height, c.panel);
        Judgement j = JudgeCheck(run, &c.stored);
        Reference ref = Fit(run, c.stored);
        EXPECT_EQ(j.verdict, c.verdict);
        EXPECT_EQ(ApplyStateFor(j, true), c.apply);
        ASSERT_TRUE(j.fitted && j.recordFitted);
        // Whole raw units, rounded: within half a unit of the exact fit.
        const uint32_t got[4] = {j.record.XLow, j.record.YLow, j.record.XHigh, j.record.YHigh};
        for (int e = 0; e < 4; ++e) EXPECT_NEAR(int32_t(got[e]), ref.edge[e], 0.5) << "edge " << e;
        EXPECT_EQ(j.record.SwapXY, c.stored.SwapXY);
        EXPECT_NEAR(j.largestResidual, ref.largestResidual, 0.5 + 1.0 / 16);
    }
}

// Two checks worked by hand, not by the normal equations, on a 1000 x 500
// screen (crosses at x 50, 500, 950 and y 25, 250, 475; tolerance 10 px)
// with the stored record 400..3600 across (3.2 raw units a pixel) and
// 300..3700 down (6.8 a pixel).
// Stretched: every touch lands at x' = 1.1 x - 30, y' = 0.8 y + 50, so the
// crosses' touches are at x 25, 520, 1015 and y 70, 250, 430. Errors by
// row: hypot(25, 45) = 51.5, hypot(20, 45) = 49.2, hypot(65, 45) = 79.1,
// then 25, 20, 65, then as the first row: mean 468 / 9 = 52, largest 79.
// The map is exact, so nothing is left after the fit. The fitted record
// puts the touch expected at the screen's edges there: x' = -30 at x = 0
// is raw 400 - 96 = 304, x' = 1070 at x = 1000 is 400 + 3424 = 3824;
// y' = 50 at y = 0 is 300 + 340 = 640, y' = 450 at y = 500 is 300 + 3060
// = 3360.
// Bent: every touch on its cross but the middle column's, 30 px right
// (x 50, 530, 950). Errors 0, 30, 0 a row: mean 10, largest 30. Targets
// -450, 0, 450 from their mean 500 and touches -460, 20, 440 from theirs,
// 510, give the slope (450 * 460 + 450 * 440) / (2 * 450 * 450) = 1 and
// the offset 510 - 500 = 10: the
// touches miss the fitted line by -10, 20, -10 (mean 120 / 9 = 13, largest
// 20), too far for a recalibration. Fitting the target on the touch
// instead would give the slope 405000 / 405600 and XHigh 3634, not 3632.
// Its record: x' = 10 at 0 is 400 + 32 = 432, x' = 1010 at 1000 is 3632.
TEST(Fit, MatchesTwoChecksWorkedByHand) {
    const struct {
        const char *what;
        int tapX[3], tapY[3];  // by column, by row
        unsigned meanError, largestError, meanResidual, largestResidual;
        Verdict verdict;
        ApplyState apply;
        CalibrationRecord record;
    } cases[] = {
        {"stretched", {25, 520, 1015}, {70, 250, 430}, 52, 79, 0, 0, kRecal, APPLY_OFFERED,
         {304, 640, 3824, 3360, 0}},
        {"bent", {50, 530, 950}, {25, 250, 475}, 10, 30, 13, 20, kBent, APPLY_NOT_NEEDED,
         {432, 300, 3632, 3700, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        CheckRun run;
        StartCheck(&run, 1000, 500);
        for (int i = 0; i < kCrossCount; ++i) RecordTap(&run, Point{c.tapX[i % 3], c.tapY[i / 3]});
        Judgement j = JudgeCheck(run, &kStored);
        EXPECT_EQ(10u, j.tolerance);
        EXPECT_EQ(c.meanError, j.meanError);
        EXPECT_EQ(c.largestError, j.largestError);
        ASSERT_TRUE(j.fitted && j.recordFitted);
        EXPECT_EQ(c.meanResidual, j.meanResidual);
        EXPECT_EQ(c.largestResidual, j.largestResidual);
        EXPECT_EQ(c.verdict, j.verdict);
        EXPECT_EQ(c.apply, ApplyStateFor(j, true));
        const uint32_t got[5] = {j.record.XLow, j.record.YLow, j.record.XHigh, j.record.YHigh,
                                 j.record.SwapXY};
        const uint32_t want[5] = {c.record.XLow, c.record.YLow, c.record.XHigh, c.record.YHigh,
                                  c.record.SwapXY};
        for (int e = 0; e < 5; ++e) EXPECT_EQ(want[e], got[e]) << "field " << e;
    }
}

TEST(Fit, WithoutADriverOrAStoredSpanNoApplyAndLostTouchesNoFit) {
    CheckRun right = Tapped(1024, 768, {1, 20, 1, 0, 0});
    const CalibrationRecord flat = {400, 300, 400, 3700, 0};
    EXPECT_EQ(ApplyStateFor(JudgeCheck(right, &kStored), false), APPLY_NO_DRIVER);
    EXPECT_EQ(ApplyStateFor(JudgeCheck(right, nullptr), true), APPLY_NO_STORED);
    EXPECT_EQ(ApplyStateFor(JudgeCheck(right, &flat), true), APPLY_NO_STORED);
    // A stored sliver of a span carries the fit over to edges no
    // calibration would make: no Apply, and the reason says why.
    const CalibrationRecord sliver = {400, 300, 402, 3700, 0};
    Judgement thin = JudgeCheck(right, &sliver);
    ASSERT_TRUE(thin.recordFitted && thin.recordStorable);
    EXPECT_LT(thin.record.XHigh - thin.record.XLow, uint32_t{TOUCH_MIN_RAW_SPAN});
    EXPECT_EQ(ApplyStateFor(thin, true), APPLY_NO_SPAN);
    EXPECT_NE(std::string(ApplyReason(APPLY_NO_SPAN)).find("span"), std::string::npos);
    // All nine on one spot: no calibration tells them apart. Then touches
    // far off the screen: no overflow on the way to the verdict.
    const Point taps[][2] = {{{300, 300}, {300, 300}}, {{INT_MIN, INT_MAX}, {INT_MAX, INT_MIN}}};
    for (const auto &pair : taps) {
        CheckRun run;
        StartCheck(&run, 1024, 768);
        for (int i = 0; i < 9; ++i) RecordTap(&run, pair[i < 4 ? 0 : 1]);
        Judgement j = JudgeCheck(run, &kStored);
        EXPECT_EQ(j.fitted, pair[0].x != pair[1].x);
        EXPECT_EQ(j.verdict, VERDICT_PANEL_GEOMETRY);
    }
}

std::string Report(const CheckRun &run, const Judgement &j, const CalibrationRecord *stored,
                   ApplyState apply, size_t size) {
    std::string out(size, 'x');
    bool fits = FormatReport(&out[0], size, run, j, stored, apply, {2026, 12, 8, 1, 5, 9});
    return std::string(fits ? "" : "(cut) ") + out.c_str();
}

TEST(Report, CarriesEveryPointTheVerdictAndBothRecordsInCrlfLines) {
    CheckRun run = Tapped(1024, 768, {1, 20, 1, 0, 0});
    Judgement j = JudgeCheck(run, &kStored);
    std::string text = Report(run, j, &kStored, ApplyStateFor(j, true), 4096);
    const char *const lines[] = {
        "Date: 2026-12-08 01:05:09\r\nScreen: 1024 x 768 pixels\r\n",
        "Point 9: target 973 730, touch 993 730, error 20 px, after fit 0 px\r\n",
        "Mean error: 20 px\r\nLargest error: 20 px\r\n",
        "Verdict: RECALIBRATE\r\n",
        // 20 px of 3200 raw units per 1024 px is 62.5, rounded up.
        "Stored record: XLow 400, YLow 300, XHigh 3600, YHigh 3700, SwapXY 0\r\n"
        "Fitted record: XLow 463, YLow 300, XHigh 3663, YHigh 3700, SwapXY 0\r\n"
        "Stored orientation: X runs left to right, Y runs top to bottom, axes not swapped\r\n",
    };
    for (const char *line : lines) EXPECT_NE(text.find(line), std::string::npos) << line;
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        ASSERT_EQ(text[at - 1], '\r') << "at " << at;
    std::string none = Report(run, JudgeCheck(run, nullptr), nullptr, APPLY_NO_STORED, 4096);
    EXPECT_NE(none.find("Stored record: none\r\nFitted record: none\r\nNo Apply: no usable"),
              std::string::npos);
    EXPECT_EQ(Report(run, j, &kStored, APPLY_OFFERED, 30), "(cut) Brokasta accuracy check\r\nDate");
}

}  // namespace
