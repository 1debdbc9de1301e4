// Native tests of Setup's key and path rules: instance key numbers, Driver
// values, file titles, error texts, operating-system codes.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "portable/rules.h"
#include "portable/text.h"

namespace {

TEST(InstanceNumber, PadsToFourDigitsAfterTheSign) {
    const struct {
        long n;
        const char *text;
    } cases[] = {{0, "0000"}, {12, "0012"}, {9999, "9999"}, {12345, "12345"}, {-1, "-001"},
                 {-1234, "-1234"}, {-2147483647L - 1, "-2147483648"}};
    for (const auto &c : cases) {
        char out[16] = "-";
        EXPECT_TRUE(FormatInstanceNumber(out, sizeof(out), c.n)) << c.n;
        EXPECT_STREQ(c.text, out) << c.n;
    }
}

TEST(InstanceNumber, RefusesABufferTooSmall) {
    char out[5];
    EXPECT_TRUE(FormatInstanceNumber(out, sizeof(out), 7));
    EXPECT_STREQ("0007", out);
    EXPECT_FALSE(FormatInstanceNumber(out, sizeof(out), 12345));
    EXPECT_FALSE(FormatInstanceNumber(out, 0, 1));
}

TEST(InstanceNumber, AppendsToAKeyPath) {
    Text path("Enum\\Root\\Orvantix");
    ASSERT_TRUE(AppendInstance(&path, 2));
    EXPECT_STREQ("Enum\\Root\\Orvantix\\0002", path.c_str());
}

// Read like the C library's, stopping at the 32-bit bounds.
TEST(LeadingDecimal, ReadsLikeTheCLibrary) {
    const long max = 2147483647L, min = -2147483647L - 1;
    const struct {
        const char *text;
        long value;
    } cases[] = {
        {"0003", 3}, {"  \t12abc", 12}, {"+7", 7}, {"-12", -12}, {"", 0}, {"x12", 0}, {"- 5", 0},
        {nullptr, 0}, {"2147483647", max}, {"99999999999999999999", max}, {"-2147483648", min},
        {"-99999999999999999999", min},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.value, ReadLeadingDecimal(c.text)) << (c.text ? c.text : "(null)");
}

// Only class name, backslash and the four digits Setup writes name a key;
// anything else names none, so a removal can't reach another device's.
TEST(DriverValue, NamesAClassKeyOnlyInSetupsOwnForm) {
    const struct {
        const char *driver;
        long expected;  // -1: names no key
    } cases[] = {
        {"Mouse\\0003", 3},   {"mouse\\0012", 12},  {"Mouse\\12345", 12345},
        {"Mouse\\", -1},      {"Mouse\\abc", -1},   {" Mouse\\0007", -1},
        {"Ports\\0001", -1},  {"Mouse/0001", -1},   {"Mouse\\3", -1},
        {"Mouse\\00003", -1}, {"Mouse\\0003 ", -1}, {"Mouse\\-001", -1},
        {"Mouse", -1},        {"Mouse\\99999999999", -1}, {nullptr, -1},
    };
    for (const auto &c : cases) {
        long n = -1;
        EXPECT_EQ(c.expected >= 0, ClassInstanceFromDriver(c.driver, "Mouse", &n))
            << (c.driver ? c.driver : "(null)");
        EXPECT_EQ(c.expected, n) << (c.driver ? c.driver : "(null)");
    }
}

TEST(FileTitle, DropsFolderAndExtension) {
    const char *cases[][2] = {{"C:\\WINDOWS\\TEMP\\Setup.exe", "Setup"}, {"Setup.exe", "Setup"},
                              {"C:\\dir.ext\\Setup", "Setup"}, {"D:my.setup.exe", "my.setup"},
                              {"C:\\WINDOWS\\", ""}, {nullptr, ""}};
    for (const auto &c : cases) {
        char out[64] = "-";
        EXPECT_TRUE(FileTitleOf(c[0], out, sizeof(out))) << (c[0] ? c[0] : "(null)");
        EXPECT_STREQ(c[1], out) << (c[0] ? c[0] : "(null)");
    }
}

TEST(FileTitle, RefusesABufferTooSmall) {
    char out[5];
    EXPECT_FALSE(FileTitleOf("C:\\Setup.exe", out, sizeof(out)));
    EXPECT_STREQ("", out);
    EXPECT_TRUE(FileTitleOf("C:\\Setu.exe", out, sizeof(out)));
    EXPECT_STREQ("Setu", out);
}

TEST(ErrorText, BlanksControlCharactersOnly) {
    char text[] = "Access denied.\r\n\tx\xe9\x81";
    BlankControlCharacters(text);
    EXPECT_STREQ("Access denied.   x\xe9\x81", text);
    BlankControlCharacters(nullptr);
}

// Windows 95 is 4.0, 98 is 4.10, Me 4.90, XP NT 5.1.
TEST(OperatingSystem, FollowsTheCodeTable) {
    const int cases[][4] = {  // platform, major, minor, code
        {kPlatformWin32s, 3, 11, 0}, {kPlatformWindows, 4, 0, 1}, {kPlatformWindows, 4, 1, 2},
        {kPlatformWindows, 4, 10, 3}, {kPlatformWindows, 4, 90, 3}, {kPlatformNT, 4, 0, 4},
        {kPlatformNT, 5, 1, 5}, {kPlatformNT, 6, 1, 6}, {kPlatformNT, 3, 51, 6},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c[3], ClassifyOS(c[0], c[1], c[2])) << c[0] << " " << c[1] << "." << c[2];
}

TEST(OperatingSystem, RefusesTheNTFamilyAndUnknownPlatforms) {
    for (int code = 0; code <= 3; ++code) EXPECT_FALSE(IsRefusedOS(code)) << code;
    for (int code = 4; code <= 6; ++code) EXPECT_TRUE(IsRefusedOS(code)) << code;
    EXPECT_TRUE(IsRefusedOS(ClassifyOS(3, 10, 0)));
}

}  // namespace
