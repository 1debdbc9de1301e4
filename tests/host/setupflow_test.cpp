// Setup's command-line rules, outcome table and path texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <cstring>

#include "portable/flow.h"
#include "portable/unattended.h"

namespace {

// ---- command line -------------------------------------------------------------

struct SwitchCase {
    const char *line;
    bool install;
    bool finishRemoval;
};

// Test names show the command line ("-U") instead of the record's bytes.
void PrintTo(const SwitchCase &c, std::ostream *os) {
    if (!c.line) {
        *os << "(null)";
        return;
    }
    static const char kHex[] = "0123456789abcdef";
    *os << '"';
    for (const char *p = c.line; *p; ++p) {
        unsigned char byte = static_cast<unsigned char>(*p);
        if (byte >= 0x20 && byte < 0x7f) {
            *os << *p;
        } else {
            *os << "\\x" << kHex[byte >> 4] << kHex[byte & 15];
        }
    }
    *os << '"';
}

class SwitchTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(SwitchTest, OnlyTheFirstTwoCharactersCount) {
    const SwitchCase &c = GetParam();
    flow::Switches s = flow::ReadSwitches(c.line);
    EXPECT_EQ(c.install, s.install) << ::testing::PrintToString(c);
    EXPECT_EQ(c.finishRemoval, s.finishRemoval) << ::testing::PrintToString(c);
}

INSTANTIATE_TEST_SUITE_P(
    Flow, SwitchTest,
    ::testing::Values(SwitchCase{"", true, false}, SwitchCase{nullptr, true, false},
                      SwitchCase{"-U", false, false}, SwitchCase{"-u", false, false},
                      SwitchCase{"-Uninstall", false, false}, SwitchCase{"-u anything", false, false},
                      SwitchCase{"-L", true, true}, SwitchCase{"-l", true, true},
                      SwitchCase{"-Later", true, true},
                      // Anything else installs.
                      SwitchCase{"/U", true, false}, SwitchCase{" -U", true, false},
                      SwitchCase{"\t-U", true, false}, SwitchCase{"-", true, false},
                      SwitchCase{"-X", true, false}, SwitchCase{"U", true, false},
                      SwitchCase{"--U", true, false}, SwitchCase{"-\xfc", true, false}));

// ---- outcome table --------------------------------------------------------------

TEST(Outcome, EveryRowOfTheTable) {
    flow::Switches none = flow::ReadSwitches("");
    flow::Switches remove = flow::ReadSwitches("-U");
    flow::Switches finish = flow::ReadSwitches("-L");
    EXPECT_EQ(flow::kInstallPackage, flow::ChooseAction(none, false));
    EXPECT_EQ(flow::kAlreadyInstalled, flow::ChooseAction(none, true));
    EXPECT_EQ(flow::kRemovePackage, flow::ChooseAction(remove, true));
    EXPECT_EQ(flow::kNotInstalled, flow::ChooseAction(remove, false));
    // The finishing run does not look at the installed state.
    EXPECT_EQ(flow::kFinishRemoval, flow::ChooseAction(finish, true));
    EXPECT_EQ(flow::kFinishRemoval, flow::ChooseAction(finish, false));
}

TEST(Outcome, SlashUInstallsOrRefusesAsASecondInstall) {
    flow::Switches slash = flow::ReadSwitches("/U");
    EXPECT_EQ(flow::kInstallPackage, flow::ChooseAction(slash, false));
    EXPECT_EQ(flow::kAlreadyInstalled, flow::ChooseAction(slash, true));
}

// ---- Join --------------------------------------------------------------------------

TEST(Join, JoinsUpToFourParts) {
    char out[64];
    ASSERT_TRUE(flow::Join(out, sizeof(out), "C:\\WINDOWS", "\\", "Zelvanis"));
    EXPECT_STREQ("C:\\WINDOWS\\Zelvanis", out);
    ASSERT_TRUE(flow::Join(out, sizeof(out), "C:\\WINDOWS\\TEMP\\", "\\", "Setup", ".exe"));
    EXPECT_STREQ("C:\\WINDOWS\\TEMP\\\\Setup.exe", out);
    ASSERT_TRUE(flow::Join(out, sizeof(out), "", nullptr, "x", nullptr));
    EXPECT_STREQ("x", out);
}

TEST(Join, ExactFitAndOneByteTooMany) {
    char out[6];
    memset(out, 'z', sizeof(out));
    ASSERT_TRUE(flow::Join(out, sizeof(out), "ab", "cde"));  // five characters and the NUL
    EXPECT_STREQ("abcde", out);
    EXPECT_FALSE(flow::Join(out, sizeof(out), "ab", "cdef"));
    EXPECT_STREQ("", out) << "a path cut short must not be used";
}

TEST(Join, NeverWritesPastTheBuffer) {
    // The guard bytes around the buffer must stay as they are.
    char area[3 + 260 + 3];
    memset(area, '#', sizeof(area));
    char *out = area + 3;
    std::string longFolder(300, 'a');
    EXPECT_FALSE(flow::Join(out, 260, longFolder.c_str(), "\\*.*"));
    std::string almost(255, 'b');
    EXPECT_FALSE(flow::Join(out, 260, almost.c_str(), "\\", "Setup", ".exe"));
    EXPECT_TRUE(flow::Join(out, 260, almost.c_str(), "\\*.*"));
    EXPECT_EQ(259u, strlen(out));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ('#', area[i]);
        EXPECT_EQ('#', area[3 + 260 + i]);
    }
}

TEST(Join, RejectsAnEmptyBuffer) {
    char out[1] = {'q'};
    EXPECT_FALSE(flow::Join(out, 0, "a", ""));
    EXPECT_EQ('q', out[0]);
    EXPECT_FALSE(flow::Join(nullptr, 10, "a", ""));
    EXPECT_TRUE(flow::Join(out, 1, "", ""));
    EXPECT_EQ('\0', out[0]);
}

// ---- folders and names ----------------------------------------------------------------

TEST(FolderOf, KeepsTheTrailingBackslash) {
    char out[260];
    ASSERT_TRUE(flow::FolderOf("C:\\WINDOWS\\Zelvanis\\Setup.exe", out, sizeof(out)));
    EXPECT_STREQ("C:\\WINDOWS\\Zelvanis\\", out);
    ASSERT_TRUE(flow::FolderOf("C:\\Setup.exe", out, sizeof(out)));
    EXPECT_STREQ("C:\\", out);
    ASSERT_TRUE(flow::FolderOf("Setup.exe", out, sizeof(out)));
    EXPECT_STREQ("", out);
    ASSERT_TRUE(flow::FolderOf("", out, sizeof(out)));
    EXPECT_STREQ("", out);
}

TEST(FolderOf, TooSmallABufferGivesNothing) {
    char out[8];
    EXPECT_FALSE(flow::FolderOf("C:\\LONGER\\Setup.exe", out, sizeof(out)));
    EXPECT_STREQ("", out);
    ASSERT_TRUE(flow::FolderOf("C:\\ABC\\x", out, sizeof(out)));  // seven and the NUL fit
    EXPECT_STREQ("C:\\ABC\\", out);
    EXPECT_FALSE(flow::FolderOf("C:\\ABCD\\x", out, sizeof(out)));
}

TEST(CutAtLastBackslash, FolderPathLosesOnlyItsBackslash) {
    char group[] = "C:\\WINDOWS\\Start Menu\\Programs\\Orvantix Touchscreen\\";
    flow::CutAtLastBackslash(group);
    EXPECT_STREQ("C:\\WINDOWS\\Start Menu\\Programs\\Orvantix Touchscreen", group);
}

TEST(CutAtLastBackslash, FilePathBecomesItsParent) {
    char link[] = "C:\\Programs\\Orvantix Touchscreen\\Button Switch.lnk";
    flow::CutAtLastBackslash(link);
    EXPECT_STREQ("C:\\Programs\\Orvantix Touchscreen", link);
    char bare[] = "Zelvanis";
    flow::CutAtLastBackslash(bare);
    EXPECT_STREQ("Zelvanis", bare);
    flow::CutAtLastBackslash(nullptr);  // nothing to cut, no crash
}

// A run-once value is Setup's own only when its command ends as Setup
// writes it; another program's value of the same name stays.
TEST(RunOnce, OwnsOnlyTheCommandsSetupWrites) {
    const struct {
        const flow::RunOnceValue &value;
        const char *command;
        bool own;
    } cases[] = {
        {flow::kCalibrationRunOnce, "C:\\WINDOWS\\SYSTEM\\Durmasel.exe", true},
        {flow::kCalibrationRunOnce, "c:\\windows\\system\\DURMASEL.EXE", true},
        {flow::kCalibrationRunOnce, "C:\\Tools\\Calibrate.exe", false},
        {flow::kCalibrationRunOnce, "C:\\WINDOWS\\SYSTEM\\XDurmasel.exe", false},
        {flow::kCalibrationRunOnce, "Durmasel.exe", false},
        {flow::kCalibrationRunOnce, "", false},
        {flow::kCalibrationRunOnce, nullptr, false},
        {flow::kFinishRunOnce, "C:\\WINDOWS\\TEMP\\\\Setup.exe -L", true},
        {flow::kFinishRunOnce, "c:\\windows\\temp\\\\setup.EXE -l", true},
        {flow::kFinishRunOnce, "C:\\WINDOWS\\TEMP\\\\Setup.exe -Lx", false},
        {flow::kFinishRunOnce, "C:\\Other\\Orvantix.exe /quiet", false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(c.own, flow::IsOwnRunOnce(c.value, c.command))
            << c.value.name << ": " << (c.command ? c.command : "(null)");
    }
    EXPECT_STREQ("Durmasel", flow::kCalibrationRunOnce.name);
    EXPECT_STREQ("Orvantix", flow::kFinishRunOnce.name);
}

// ---- unattended switches -----------------------------------------------------

// Only "/S" as the first word makes a run unattended; what follows is read
// strictly, and a refusal names the word refused.
TEST(Unattended, ReadsTheSwitchesStrictly) {
    using namespace unattended;
    const struct {
        const char *line;
        Parse parse;
        const char *bad;  // or, when parsed: "U" remove, "P<n>" port, "C" calibrated, "L<log>", "R"
    } cases[] = {
        {"", kInteractive, ""}, {"-U", kInteractive, ""}, {" /S", kInteractive, ""},
        {"/Sx", kInteractive, ""}, {"/U /S", kInteractive, ""},
        {"/S", kParsed, "P0"}, {"/s /port=2", kParsed, "P2"}, {"/S /PORT=16", kParsed, "P16"},
        {"/S /U /REBOOT", kParsed, "P0 U R"}, {"/S /Q /LOG=x.log", kBad, "/Q"},
        {"/S /LOG=\"C:\\My Logs\\s.log\" /PORT=1", kParsed, "P1 LC:\\My Logs\\s.log"},
        {"/S  /CAL=0,0,4096,4096,1\t/REBOOT", kParsed, "P0 C R"},
        {"/S /PORT=0", kBad, "/PORT=0"}, {"/S /PORT=17", kBad, "/PORT=17"},
        {"/S /PORT=", kBad, "/PORT="}, {"/S /PORT=2x", kBad, "/PORT=2x"},
        {"/S /PORT=1 /PORT=2", kBad, "/PORT=2"}, {"/S /CAL=1,2,3,4", kBad, "/CAL=1,2,3,4"},
        {"/S /CAL=1,2,3,4,2", kBad, "/CAL=1,2,3,4,2"}, {"/S /CAL=0,0,4097,4096,0", kBad,
        "/CAL=0,0,4097,4096,0"}, {"/S /CAL=1,2,3,4,0,5", kBad, "/CAL=1,2,3,4,0,5"},
        {"/S /CAL=1,,3,4,0", kBad, "/CAL=1,,3,4,0"}, {"/S /LOG=", kBad, "/LOG="},
        {"/S /Q", kBad, "/Q"}, {"/S -U", kBad, "-U"}, {"/S /U /PORT=2", kBad, "/PORT"},
        {"/S /U /CAL=0,0,1,1,0", kBad, "/CAL"}, {"/S /Uninstall", kBad, "/Uninstall"},
    };
    for (const auto &c : cases) {
        Options o;
        char bad[64];
        ASSERT_EQ(c.parse, ReadCommandLine(c.line, &o, bad, sizeof(bad))) << c.line;
        if (c.parse != kParsed) {
            EXPECT_STREQ(c.bad, bad) << c.line;
            // The log is still taken, to tell the refusal.
            EXPECT_STREQ(strstr(c.line, "/LOG=x") ? "x.log" : "", o.log) << c.line;
            continue;
        }
        std::string seen = "P" + std::to_string(o.port) + (o.remove ? " U" : "") +
                           (o.calibrated ? " C" : "") + (o.log[0] ? std::string(" L") + o.log : "") +
                           (o.reboot ? " R" : "");
        EXPECT_EQ(c.bad, seen) << c.line;
    }
}

TEST(Unattended, TakesTheCalibrationInTheRecordsOrder) {
    unattended::Options o;
    char bad[64];
    ASSERT_EQ(unattended::kParsed,
              unattended::ReadCommandLine("/S /CAL=12,34,4000,4096,1", &o, bad, sizeof(bad)));
    const unsigned long expected[] = {12, 34, 4000, 4096, 1};
    EXPECT_TRUE(std::equal(expected, expected + 5, o.calibration));
}

}  // namespace
