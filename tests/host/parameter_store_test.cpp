// The parameter store's rules: value table, reading and repair of stored
// values, decoding of what the registry delivered, and the mouse metrics.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "calibration_record.h"
#include "parameter_store.h"

using namespace store;

namespace {

uint32_t ReadAs(const char *name, uint32_t stored) { return RepairValue(FindValue(name), true, stored); }

TEST(ValueTable, DefaultsAndFallbacksLieInTheirRanges) {
    for (int i = 0; i < kValueCount; ++i) {
        const ValueRule &rule = Rule(static_cast<ValueId>(i));
        EXPECT_EQ(static_cast<ValueId>(i), FindValue(rule.name)) << rule.name;
        EXPECT_LE(rule.low, rule.high) << rule.name;
        EXPECT_GE(rule.installDefault, rule.low) << rule.name;
        EXPECT_LE(rule.installDefault, rule.high) << rule.name;
        EXPECT_GE(rule.fallback, rule.low) << rule.name;
        EXPECT_LE(rule.fallback, rule.high) << rule.name;
    }
}

TEST(ValueTable, NamesAreMatchedExactly) {
    EXPECT_EQ(kBeepFreq, FindValue("BeepFreq"));
    EXPECT_EQ(kValueCount, FindValue("beepfreq"));
    EXPECT_EQ(kValueCount, FindValue("BeepFre"));
    EXPECT_EQ(kValueCount, FindValue("BeepFreqX"));
    EXPECT_EQ(kValueCount, FindValue(""));
}

TEST(ValueTable, OrdersCoverTheirListsOnce) {
    std::set<int> install(kInstallOrder, kInstallOrder + kValueCount);
    EXPECT_EQ(static_cast<size_t>(kValueCount), install.size());

    std::set<int> read(kAppletReadOrder, kAppletReadOrder + 7);
    std::set<int> save(kAppletSaveOrder, kAppletSaveOrder + 7);
    EXPECT_EQ(7u, read.size());
    EXPECT_EQ(read, save);
    for (int id : read) EXPECT_TRUE(Rule(static_cast<ValueId>(id)).appletReads) << Rule(static_cast<ValueId>(id)).name;

    // The calibration writes none of the applet's values, so neither
    // program overwrites the other's work.
    for (ValueId id : kCalibrationSaveOrder) {
        EXPECT_FALSE(Rule(id).appletReads) << Rule(id).name;
        EXPECT_EQ(0u, read.count(id));
    }
    EXPECT_STREQ("XLow", Rule(kCalibrationSaveOrder[0]).name);
    EXPECT_STREQ("SwapXY", Rule(kCalibrationSaveOrder[4]).name);
    EXPECT_STREQ("Port", Rule(kAppletReadOrder[6]).name);
    EXPECT_STREQ("DblClickRegion", Rule(kAppletSaveOrder[6]).name);
}

// The record's fields by their stored names: the driver's layout is
// XLow, YLow, XHigh, YHigh, SwapXY, which is not the order the calibration
// writes them in.
TEST(CalibrationRecordFields, EachStoredNameReachesItsOwnField) {
    const CalibrationRecord record = {11, 22, 33, 44, 1};
    const struct {
        const char *name;
        uint32_t value;
        uint32_t CalibrationRecord::*member;
    } cases[] = {{"XLow", 11, &CalibrationRecord::XLow},   {"YLow", 22, &CalibrationRecord::YLow},
                 {"XHigh", 33, &CalibrationRecord::XHigh}, {"YHigh", 44, &CalibrationRecord::YHigh},
                 {"SwapXY", 1, &CalibrationRecord::SwapXY}};
    ASSERT_EQ(5, kRecordFieldCount);
    for (int i = 0; i < kRecordFieldCount; ++i) {
        const auto &c = cases[i];
        EXPECT_STREQ(c.name, Rule(kRecordOrder[i]).name) << i;
        EXPECT_EQ(c.value, RecordField(record, FindValue(c.name))) << c.name;
        CalibrationRecord written = {};
        SetRecordField(&written, FindValue(c.name), 7);
        EXPECT_EQ(7u, written.*c.member) << c.name;
        written.*c.member = 0;  // and no other field was touched
        const CalibrationRecord zero = {};
        EXPECT_EQ(0, memcmp(&written, &zero, sizeof(written))) << c.name;
    }
}

TEST(RepairValue, MissingValuesGiveTheFallbacks) {
    const struct {
        const char *name;
        uint32_t fallback;
    } cases[] = {{"BeepMode", 2}, {"BeepFreq", 1000}, {"BeepTime", 32}, {"MouseMode", 3},
                 {"DragDelay", 0}, {"DblClickRegion", 25}, {"Port", 1}};
    for (const auto &c : cases) EXPECT_EQ(c.fallback, RepairValue(FindValue(c.name), false, 12345)) << c.name;
}

TEST(RepairValue, OutOfRangeGivesTheFallbackEdgesStay) {
    const struct {
        const char *name;
        uint32_t stored, read;
    } cases[] = {
        // Just outside: the fallback, not the nearest bound.
        {"BeepFreq", 999, 1000}, {"BeepFreq", 5001, 1000}, {"BeepTime", 9, 32},
        {"BeepTime", 201, 32}, {"DblClickRegion", 24, 25}, {"DblClickRegion", 101, 25},
        {"DragDelay", 1501, 0}, {"MouseMode", 4, 3}, {"BeepMode", 3, 2},
        // Compared unsigned: a "negative" value is far above the range.
        {"MouseMode", 0xFFFFFFFFu, 3}, {"BeepMode", 0xFFFFFFFFu, 2}, {"DragDelay", 0x80000000u, 0},
        // On the edges: kept.
        {"BeepFreq", 1000, 1000}, {"BeepFreq", 5000, 5000}, {"BeepTime", 10, 10},
        {"BeepTime", 200, 200}, {"DblClickRegion", 25, 25}, {"DblClickRegion", 100, 100},
        {"DragDelay", 1500, 1500}, {"MouseMode", 0, 0}, {"BeepMode", 0, 0},
    };
    for (const auto &c : cases) EXPECT_EQ(c.read, ReadAs(c.name, c.stored)) << c.name << " " << c.stored;
}

TEST(RepairValue, AStoredPortIsNotRangeChecked) {
    EXPECT_EQ(0u, ReadAs("Port", 0));
    EXPECT_EQ(17u, ReadAs("Port", 17));
    EXPECT_EQ(0xFFFFFFFFu, ReadAs("Port", 0xFFFFFFFFu));
}

TEST(DecodeStoredBytes, UpToFourBytesMakeALittleEndianNumber) {
    const unsigned char dword[4] = {0xE8, 0x03, 0x00, 0x00};
    uint32_t value = 0;
    ASSERT_TRUE(DecodeStoredBytes(dword, 4, &value));
    EXPECT_EQ(1000u, value);
    const unsigned char all[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    ASSERT_TRUE(DecodeStoredBytes(all, 4, &value));
    EXPECT_EQ(0xFFFFFFFFu, value);
}

TEST(DecodeStoredBytes, AShortStringIsTheNumberOfItsBytes) {
    // "2" stored as REG_SZ: the bytes '2', 0.
    const unsigned char two[2] = {'2', 0};
    uint32_t value = 0;
    ASSERT_TRUE(DecodeStoredBytes(two, 2, &value));
    EXPECT_EQ(0x32u, value);
    const unsigned char abc[4] = {'a', 'b', 'c', 0};
    ASSERT_TRUE(DecodeStoredBytes(abc, 4, &value));
    EXPECT_EQ(0x00636261u, value);
    value = 77;
    ASSERT_TRUE(DecodeStoredBytes(two, 0, &value));
    EXPECT_EQ(0u, value);
}

TEST(DecodeStoredBytes, LongerDataCountsAsMissing) {
    const unsigned char text[5] = {'1', '0', '0', '0', 0};
    uint32_t value = 77;
    EXPECT_FALSE(DecodeStoredBytes(text, 5, &value));
    EXPECT_EQ(77u, value);
}

TEST(MetricsFor, DoubleClickTimeFollowsTheMouseMode) {
    for (uint32_t mode = 0; mode < 3; ++mode) EXPECT_EQ(400u, MetricsFor(25, mode).timeMs) << mode;
    EXPECT_EQ(900u, MetricsFor(25, 3).timeMs);
    DoubleClickMetrics m = MetricsFor(60, 3);
    EXPECT_EQ(60u, m.width);
    EXPECT_EQ(60u, m.height);
}

TEST(MetricsFor, SystemParameterCodes) {
    EXPECT_EQ(29u, static_cast<uint32_t>(kSpiSetDoubleClkWidth));
    EXPECT_EQ(30u, static_cast<uint32_t>(kSpiSetDoubleClkHeight));
    EXPECT_EQ(32u, static_cast<uint32_t>(kSpiSetDoubleClickTime));
}

TEST(StoreKey, PathsUnderTheServiceKey) {
    EXPECT_EQ(std::string("System\\CurrentControlSet\\Services\\Zelvanis\\Parameters"), TOUCH_PARAM_KEY);
    EXPECT_EQ(std::string("System\\CurrentControlSet\\Services\\Zelvanis"), TOUCH_SERVICE_KEY);
}

}  // namespace
