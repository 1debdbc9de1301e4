// The driver contract: control-code table, buffer sizes and argument checks.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "driver_interface.h"

namespace {

struct CodeRow {
    uint32_t code;
    uint32_t function;
    const char *name;
    uint32_t in, out;
};

const CodeRow kTable[] = {
    {0x000F2004, 0x801, "IOCTL_TOUCH_SET_CALIBRATION", 20, 0},
    {0x000F2014, 0x805, "IOCTL_TOUCH_GET_RAW_POINT", 0, 12},
    {0x000F201C, 0x807, "IOCTL_TOUCH_START_RAW_CAPTURE", 0, 0},
    {0x000F202C, 0x80B, "IOCTL_TOUCH_SET_MOUSE_MODE", 4, 0},
    {0x000F2034, 0x80D, "IOCTL_TOUCH_GET_MOUSE_MODE", 0, 4},
    {0x000F203C, 0x80F, "IOCTL_TOUCH_SET_BEEP", 12, 0},
    {0x000F2040, 0x810, "IOCTL_TOUCH_GET_BEEP", 0, 12},
    {0x000F204C, 0x813, "IOCTL_TOUCH_ENABLE", 0, 0},
    {0x000F2050, 0x814, "IOCTL_TOUCH_DISABLE", 0, 0},
    {0x000F2054, 0x815, "IOCTL_TOUCH_RIGHT_BUTTON_ONCE", 0, 0},
    {0x000F205C, 0x817, "IOCTL_TOUCH_RELOAD_PARAMETERS", 0, 0},
    {0x000F2064, 0x819, "IOCTL_TOUCH_QUERY_RIGHT_BUTTON", 0, 4},
};

TEST(ControlCodes, TableGivesNamesAndBufferSizes) {
    for (const CodeRow &row : kTable) {
        ASSERT_NE(nullptr, driver::ControlCodeName(row.code)) << std::hex << row.code;
        EXPECT_STREQ(row.name, driver::ControlCodeName(row.code));
        EXPECT_EQ(row.in, driver::InputSize(row.code)) << row.name;
        EXPECT_EQ(row.out, driver::OutputSize(row.code)) << row.name;
    }
}

TEST(ControlCodes, AreMouseDeviceBufferedAnyAccess) {
    std::set<uint32_t> seen;
    for (const CodeRow &row : kTable) {
        EXPECT_EQ(row.code, TOUCH_CTL_CODE(row.function)) << row.name;
        EXPECT_EQ(0x000Fu, row.code >> 16) << row.name;      // FILE_DEVICE_MOUSE
        EXPECT_EQ(0u, row.code & 3u) << row.name;            // METHOD_BUFFERED
        EXPECT_EQ(0u, (row.code >> 14) & 3u) << row.name;    // FILE_ANY_ACCESS
        EXPECT_TRUE(seen.insert(row.code).second) << row.name;
    }
    EXPECT_EQ(IOCTL_TOUCH_SET_BEEP, TOUCH_CTL_CODE(0x80F));
    EXPECT_EQ(IOCTL_TOUCH_GET_RAW_POINT, TOUCH_CTL_CODE(0x805));
}

TEST(ControlCodes, UnknownCodesHaveNoNameAndNoBuffers) {
    for (uint32_t code : {0u, 0x000F2008u, 0x000F2005u, 0x0022203Cu, 0xFFFFFFFFu}) {
        EXPECT_EQ(nullptr, driver::ControlCodeName(code)) << std::hex << code;
        EXPECT_EQ(0u, driver::InputSize(code));
        EXPECT_EQ(0u, driver::OutputSize(code));
    }
}

TEST(ArgumentChecks, MouseModeUpToThree) {
    for (uint32_t mode = 0; mode <= 3; ++mode) EXPECT_TRUE(driver::IsValidMouseMode(mode)) << mode;
    EXPECT_FALSE(driver::IsValidMouseMode(4));
    EXPECT_FALSE(driver::IsValidMouseMode(0x80000000u));
    EXPECT_FALSE(driver::IsValidMouseMode(0xFFFFFFFFu));  // a negative mode
}

TEST(ArgumentChecks, BeepAcceptsTheEdgesOfEachRange) {
    EXPECT_TRUE(driver::IsValidBeep(2, 1000, 10));
    EXPECT_TRUE(driver::IsValidBeep(0, 5000, 200));
    EXPECT_TRUE(driver::IsValidBeep(1, 1000, 32));
}

TEST(ArgumentChecks, BeepRefusesEachValueJustOutside) {
    EXPECT_FALSE(driver::IsValidBeep(3, 1000, 32));
    EXPECT_FALSE(driver::IsValidBeep(1, 999, 32));
    EXPECT_FALSE(driver::IsValidBeep(1, 5001, 32));
    EXPECT_FALSE(driver::IsValidBeep(1, 1000, 9));
    EXPECT_FALSE(driver::IsValidBeep(1, 1000, 201));
    EXPECT_FALSE(driver::IsValidBeep(0xFFFFFFFFu, 1000, 32));
    EXPECT_FALSE(driver::IsValidBeep(1, 0xFFFFFFFFu, 32));
    EXPECT_FALSE(driver::IsValidBeep(1, 1000, 0xFFFFFFFFu));
}

TEST(Records, LayoutsOfTheBuffers) {
    EXPECT_EQ(20u, sizeof(CalibrationRecord));
    EXPECT_EQ(12u, sizeof(RawPointReply));
    EXPECT_EQ(12u, sizeof(BeepRecord));
    EXPECT_EQ(0u, offsetof(CalibrationRecord, XLow));
    EXPECT_EQ(4u, offsetof(CalibrationRecord, YLow));
    EXPECT_EQ(8u, offsetof(CalibrationRecord, XHigh));
    EXPECT_EQ(12u, offsetof(CalibrationRecord, YHigh));
    EXPECT_EQ(16u, offsetof(CalibrationRecord, SwapXY));
    EXPECT_EQ(4u, offsetof(BeepRecord, frequency));
    EXPECT_EQ(8u, offsetof(BeepRecord, duration));
    EXPECT_EQ(4141u, RAW_POINT_MARKER_NONE);
    EXPECT_EQ(4096u, TOUCH_RAW_MAX);
}

}  // namespace
