// Native tests of the touchscreen package's plan: the store's defaults with
// the port, and the package's own system files and service key.
#include <gtest/gtest.h>

#include "portable/action_lists.h"
#include "portable/touch_plan.h"
#include "setup_lists.h"

namespace {

unsigned long Word(const Text &data) {
    EXPECT_EQ(4u, data.Length());
    const unsigned char *b = reinterpret_cast<const unsigned char *>(data.c_str());
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<unsigned long>(b[3]) << 24;
}

TEST(TouchPackage, QueuesTheTwelveDefaultsWithThePort) {
    RegList keys;
    ASSERT_TRUE(AppendDefaultParameterValues(&keys, 3));
    const char *names[] = {"Port",     "XLow",     "XHigh",    "YLow",
                           "YHigh",    "SwapXY",   "BeepMode", "BeepFreq",
                           "BeepTime", "DblClickRegion", "DragDelay", "MouseMode"};
    const unsigned long values[] = {3, 0, 4096, 0, 4096, 0, 2, 1000, 32, 25, 0, 3};
    ASSERT_EQ(12u, keys.Count());
    size_t i = 0;
    for (const RegEntry *e = keys.First(); e; e = e->next, ++i) {
        EXPECT_STREQ("System\\CurrentControlSet\\Services\\Zelvanis\\Parameters",
                     e->keyPath.c_str());
        EXPECT_STREQ(names[i], e->valueName.c_str());
        EXPECT_EQ(static_cast<unsigned long>(kRegDword), e->type);
        EXPECT_EQ(values[i], Word(e->data)) << names[i];
    }
}

TEST(TouchPackage, StoresANegativePortAsItsBitPattern) {
    RegList keys;
    ASSERT_TRUE(AppendDefaultParameterValues(&keys, -1));
    EXPECT_EQ(0xFFFFFFFFUL, Word(keys.First()->data));
}

// The calibration comes in the record's order and is stored by name; one
// with an edge beyond the controller queues nothing.
TEST(TouchPackage, AGivenCalibrationTakesThePlaceOfTheFiveDefaults) {
    const unsigned long calibration[] = {100, 200, 3000, 3900, 1};
    RegList keys;
    ASSERT_TRUE(AppendDefaultParameterValues(&keys, 2, calibration));
    const unsigned long values[] = {2, 100, 3000, 200, 3900, 1, 2, 1000, 32, 25, 0, 3};
    ASSERT_EQ(12u, keys.Count());
    size_t i = 0;
    for (const RegEntry *e = keys.First(); e; e = e->next, ++i)
        EXPECT_EQ(values[i], Word(e->data)) << e->valueName.c_str();
    const unsigned long beyond[] = {100, 200, 4097, 3900, 1};
    RegList none;
    EXPECT_FALSE(AppendDefaultParameterValues(&none, 2, beyond));
    EXPECT_EQ(0u, none.Count());
}

TEST(TouchPackage, CopiesAndRemovesItsSystemFiles) {
    FileList files;
    ASSERT_TRUE(AppendPackageCopies(&files, "C:\\W\\S\\"));
    ASSERT_TRUE(AppendPackageRemovals(&files, "C:\\W\\S\\"));
    EXPECT_EQ((Strings{"Durmasel.exe > C:\\W\\S\\Durmasel.exe",
                       "Pemrosko.CPL > C:\\W\\S\\Pemrosko.CPL", "C:\\W\\S\\Durmasel.exe > ",
                       "C:\\W\\S\\Pemrosko.CPL > "}),
              Entries(files));
    RegList keys;
    ASSERT_TRUE(AppendServiceKeyRemoval(&keys));
    EXPECT_STREQ("System\\CurrentControlSet\\Services\\Zelvanis", keys.First()->keyPath.c_str());
}

}  // namespace
