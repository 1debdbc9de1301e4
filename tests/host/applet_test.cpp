// The applet's Windows classification: every version of the Windows 95
// family passes, every NT version and every unknown platform is refused.
#include <gtest/gtest.h>

#include "os_class.h"

namespace {

struct VersionCase {
    uint32_t platform, major, minor;
    int expected;
};

class OsClassTable : public ::testing::TestWithParam<VersionCase> {};

TEST_P(OsClassTable, ClassifiesAsTheTableSays) {
    const VersionCase &c = GetParam();
    EXPECT_EQ(osclass::Classify(c.platform, c.major, c.minor), c.expected)
        << "platform " << c.platform << " version " << c.major << "." << c.minor;
}

INSTANTIATE_TEST_SUITE_P(
    KnownSystems, OsClassTable,
    ::testing::Values(
        VersionCase{0, 3, 11, osclass::kWin32s},                   // Win32s on 3.11
        VersionCase{1, 4, 0, osclass::kWindows95},                 // Windows 95
        VersionCase{1, 4, 1, osclass::kWindows95Minor1},
        VersionCase{1, 4, 10, osclass::kWindows98Me},              // Windows 98
        VersionCase{1, 4, 90, osclass::kWindows98Me},              // Windows Me
        VersionCase{1, 4, 2, osclass::kWindows98Me},               // first minor above 1
        VersionCase{2, 4, 0, osclass::kNt4},                       // NT 4
        VersionCase{2, 5, 0, osclass::kWindows2000},               // 2000
        VersionCase{2, 5, 1, osclass::kWindowsXpFamily},           // XP
        VersionCase{2, 5, 2, osclass::kWindowsXpFamily}));         // Server 2003

INSTANTIATE_TEST_SUITE_P(
    UnknownSystems, OsClassTable,
    ::testing::Values(
        VersionCase{2, 3, 51, osclass::kUnknown},  // NT 3.51: no class of its own
        VersionCase{2, 6, 0, osclass::kUnknown},   // Vista and later
        VersionCase{2, 10, 0, osclass::kUnknown},
        VersionCase{3, 4, 0, osclass::kUnknown},   // a platform id Windows never gave
        VersionCase{0xFFFFFFFFu, 4, 10, osclass::kUnknown}));

// For the Windows 95 family only the minor version decides.
TEST(OsClass, Windows9xMajorVersionIsNotLookedAt) {
    for (uint32_t major : {0u, 3u, 4u, 5u, 0xFFFFFFFFu}) {
        EXPECT_EQ(osclass::Classify(1, major, 0), osclass::kWindows95) << major;
        EXPECT_EQ(osclass::Classify(1, major, 1), osclass::kWindows95Minor1) << major;
        EXPECT_EQ(osclass::Classify(1, major, 0xFFFFFFFFu), osclass::kWindows98Me) << major;
    }
}

TEST(OsClass, AcceptsOnlyTheWindows95Family) {
    EXPECT_TRUE(osclass::IsAccepted(osclass::Classify(1, 4, 0)));
    EXPECT_TRUE(osclass::IsAccepted(osclass::Classify(1, 4, 1)));
    EXPECT_TRUE(osclass::IsAccepted(osclass::Classify(1, 4, 10)));
    EXPECT_TRUE(osclass::IsAccepted(osclass::Classify(1, 4, 90)));
    EXPECT_FALSE(osclass::IsAccepted(osclass::Classify(0, 3, 11)));
    EXPECT_FALSE(osclass::IsAccepted(osclass::Classify(2, 4, 0)));
    EXPECT_FALSE(osclass::IsAccepted(osclass::Classify(2, 5, 0)));
    EXPECT_FALSE(osclass::IsAccepted(osclass::Classify(2, 5, 1)));
    EXPECT_FALSE(osclass::IsAccepted(osclass::Classify(2, 6, 1)));
    EXPECT_FALSE(osclass::IsAccepted(osclass::kUnknown));
    EXPECT_FALSE(osclass::IsAccepted(7));
}

}  // namespace
