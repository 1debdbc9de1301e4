// The calibration record's codec in one table: each row a record as its
// five stored values, what reading makes of it, which range rules it meets,
// and what a save stores for it, read back again.
#include <gtest/gtest.h>

#include <cstring>

#include "calibration_model.h"
#include "calibration_record.h"

using namespace store;

namespace {

// A stored value: the first size little-endian bytes of number (beyond
// four, zero bytes follow); size -1: nothing stored.
struct Stored {
    int size;
    uint32_t number;
};

struct Row {
    const char *what;
    Stored stored[kRecordFieldCount];  // XLow, YLow, XHigh, YHigh, SwapXY
    bool read;
    CalibrationRecord record;  // the numbers, as a reader that took them has them
    bool edgesStorable, inRange, mappable, usable;
};

const Row kRows[] = {
    {"full range", {{4, 0}, {4, 0}, {4, 4096}, {4, 4096}, {4, 0}}, true, {0, 0, 4096, 4096, 0},
     true, true, true, true},
    {"both axes reversed, swapped", {{4, 3600}, {4, 300}, {4, 400}, {4, 3700}, {4, 1}}, true,
     {3600, 300, 400, 3700, 1}, true, true, true, true},
    {"two bytes 90 01 make 400", {{2, 400}, {4, 300}, {4, 3600}, {4, 3700}, {4, 0}}, true,
     {400, 300, 3600, 3700, 0}, true, true, true, true},
    {"the text \"1\" with its end is 49", {{4, 0}, {4, 0}, {4, 4096}, {4, 4096}, {2, '1'}}, true,
     {0, 0, 4096, 4096, '1'}, true, false, false, false},
    {"no bytes make 0, three make A0 0F 00", {{0, 0}, {4, 0}, {3, 4000}, {4, 4096}, {4, 0}},
     true, {0, 0, 4000, 4096, 0}, true, true, true, true},
    {"five bytes count as missing", {{4, 0}, {4, 0}, {4, 4096}, {5, 4096}, {4, 0}}, false,
     {0, 0, 4096, 4096, 0}, true, true, true, true},
    {"SwapXY missing", {{4, 0}, {4, 0}, {4, 4096}, {4, 4096}, {-1, 0}}, false,
     {0, 0, 4096, 4096, 0}, true, true, true, true},
    {"XLow beyond the controller", {{4, 4097}, {4, 0}, {4, 0}, {4, 4096}, {4, 0}}, true,
     {4097, 0, 0, 4096, 0}, false, false, false, false},
    {"YHigh all ones", {{4, 0}, {4, 0}, {4, 4096}, {4, 0xFFFFFFFFu}, {4, 0}}, true,
     {0, 0, 4096, 0xFFFFFFFFu, 0}, false, false, false, false},
    {"SwapXY 2", {{4, 0}, {4, 0}, {4, 4096}, {4, 4096}, {4, 2}}, true, {0, 0, 4096, 4096, 2},
     true, false, false, false},
    {"X without span", {{4, 2000}, {4, 0}, {4, 2000}, {4, 4096}, {4, 0}}, true,
     {2000, 0, 2000, 4096, 0}, true, true, false, false},
    {"X one short of 256 apart", {{4, 400}, {4, 0}, {4, 655}, {4, 4096}, {4, 0}}, true,
     {400, 0, 655, 4096, 0}, true, true, true, false},
    {"Y just 256 apart, reversed", {{4, 0}, {4, 3000}, {4, 4096}, {4, 2744}, {4, 1}}, true,
     {0, 3000, 4096, 2744, 1}, true, true, true, true},
};

bool Same(const CalibrationRecord &a, const CalibrationRecord &b) {
    return memcmp(&a, &b, sizeof(a)) == 0;
}

// Reads the row's stored values as the registry would hand them over.
bool ReadRow(const Row &row, CalibrationRecord *record) {
    unsigned char bytes[kRecordFieldCount][8] = {};
    StoredBytes values[kRecordFieldCount];
    for (int i = 0; i < kRecordFieldCount; ++i) {
        const Stored &s = row.stored[i];
        for (int b = 0; b < 4; ++b) bytes[i][b] = static_cast<unsigned char>(s.number >> (8 * b));
        values[i] = {s.size >= 0, bytes[i], s.size < 0 ? 0u : static_cast<size_t>(s.size)};
    }
    return ReadRecord(values, record);
}

// What a save stores for the row's record, by name; read back in the
// record's order, it must give the record again.
void CheckWrite(const Row &row) {
    RecordValue written[kRecordFieldCount];
    ASSERT_EQ(row.edgesStorable, WriteRecord(row.record, written));
    if (!row.edgesStorable) return;
    const char *names[] = {"XLow", "XHigh", "YLow", "YHigh", "SwapXY"};
    const uint32_t expected[] = {row.record.XLow, row.record.XHigh, row.record.YLow,
                                 row.record.YHigh, row.record.SwapXY};
    for (int i = 0; i < kRecordFieldCount; ++i) {
        EXPECT_STREQ(names[i], Rule(written[i].id).name);
        EXPECT_EQ(expected[i], written[i].value) << names[i];
    }
    const int inRecordOrder[] = {0, 2, 1, 3, 4};
    StoredBytes back[kRecordFieldCount];
    for (int i = 0; i < kRecordFieldCount; ++i)
        back[i] = {true, reinterpret_cast<const unsigned char *>(&written[inRecordOrder[i]].value),
                   4};
    CalibrationRecord again = {};
    ASSERT_TRUE(ReadRecord(back, &again));
    EXPECT_TRUE(Same(row.record, again));
}

TEST(CalibrationRecordCodec, ReadsChecksAndWritesEachRecord) {
    ASSERT_EQ(5, kRecordFieldCount);
    for (const Row &row : kRows) {
        SCOPED_TRACE(row.what);
        const CalibrationRecord untouched = {1, 2, 3, 4, 5};
        CalibrationRecord read = untouched;
        ASSERT_EQ(row.read, ReadRow(row, &read));
        EXPECT_TRUE(Same(row.read ? row.record : untouched, read));

        unsigned long numbers[kRecordFieldCount];
        for (int i = 0; i < kRecordFieldCount; ++i) numbers[i] = row.stored[i].number;
        EXPECT_TRUE(Same(row.record, RecordFromValues(numbers)));

        EXPECT_EQ(row.edgesStorable, EdgesStorable(row.record));
        EXPECT_EQ(row.inRange, RecordInRange(row.record));
        EXPECT_EQ(row.mappable, RecordSpans(row.record, 1));
        EXPECT_EQ(row.mappable, calmodel::RecordMappable(row.record));
        EXPECT_EQ(row.usable, RecordSpans(row.record, TOUCH_MIN_RAW_SPAN));
        EXPECT_EQ(row.usable, driver::RecordUsable(row.record));
        CheckWrite(row);
    }
}

}  // namespace
