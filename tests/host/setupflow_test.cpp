// Setup's command-line rules, outcome table and run-once values.
#include <gtest/gtest.h>

#include <strings.h>

#include <string>
#include <cstring>

#include "portable/flow.h"
#include "portable/unattended.h"

namespace {

// ---- command line -------------------------------------------------------------

TEST(Switches, OnlyTheFirstTwoCharactersCount) {
    const struct {
        const char *line;
        bool install, finishRemoval;
    } cases[] = {
        {"", true, false}, {nullptr, true, false}, {"-U", false, false}, {"-u", false, false},
        {"-Uninstall", false, false}, {"-u anything", false, false}, {"-L", true, true},
        {"-l", true, true}, {"-Later", true, true},
        // Anything else installs.
        {"/U", true, false}, {" -U", true, false}, {"\t-U", true, false}, {"-", true, false},
        {"-X", true, false}, {"U", true, false}, {"--U", true, false}, {"-\xfc", true, false},
    };
    for (const auto &c : cases) {
        const flow::Switches s = flow::ReadSwitches(c.line);
        // The line escaped, so that a tab or a high byte shows.
        const std::string line = c.line ? testing::PrintToString(std::string(c.line)) : "(null)";
        EXPECT_EQ(c.install, s.install) << line;
        EXPECT_EQ(c.finishRemoval, s.finishRemoval) << line;
        EXPECT_FALSE(s.takeLeftovers) << line << ": only the unattended removal takes them";
    }
}

// ---- outcome table --------------------------------------------------------------

// The finishing run does not look at the installed state; "/U" installs or
// refuses as a second install.
TEST(Outcome, EveryRowOfTheTable) {
    const struct {
        const char *line;
        bool installed;
        int action;
    } cases[] = {
        {"", false, flow::kInstallPackage},  {"", true, flow::kAlreadyInstalled},
        {"-U", true, flow::kRemovePackage},  {"-U", false, flow::kNotInstalled},
        {"-L", true, flow::kFinishRemoval},  {"-L", false, flow::kFinishRemoval},
        {"/U", false, flow::kInstallPackage}, {"/U", true, flow::kAlreadyInstalled},
    };
    for (const auto &c : cases)
        EXPECT_EQ(c.action, flow::ChooseAction(flow::ReadSwitches(c.line), c.installed))
            << c.line << " " << c.installed;
}

// The system's rule for paths, as a test sees it: letter case aside, and
// the short forms below stand for their long ones.
bool SamePathForTest(const char *a, const char *b) {
    static const char *const kShortLong[][2] = {
        {"C:\\WINDOWS\\TEMP\\\\SETUP~1.EXE", "C:\\WINDOWS\\TEMP\\\\Setup.exe"},
        {"C:\\PROGRA~1\\VENDOR\\UPDATE.EXE", "C:\\Program Files\\Vendor\\Update.exe"}};
    auto longForm = [](std::string path) {
        for (const auto &pair : kShortLong)
            if (strcasecmp(path.c_str(), pair[0]) == 0) path = pair[1];
        return path;
    };
    return strcasecmp(longForm(a).c_str(), longForm(b).c_str()) == 0;
}

// A run-once value is Setup's own only when its command is exactly the one
// Setup writes; another program's value of the same name stays, even one
// that runs an .exe with "-L".
TEST(RunOnce, OwnsOnlyTheCommandsSetupWrites) {
    const flow::RunOnceValue &cal = flow::kCalibrationRunOnce, &fin = flow::kFinishRunOnce;
    const char *durmasel = "C:\\WINDOWS\\SYSTEM\\Durmasel.exe";
    const char *copy = "C:\\WINDOWS\\TEMP\\\\Setup.exe";
    const struct {
        const flow::RunOnceValue &value;
        const char *command;
        bool own;
    } cases[] = {
        {cal, "C:\\WINDOWS\\SYSTEM\\Durmasel.exe", true},
        {cal, "c:\\windows\\system\\DURMASEL.EXE", true},
        {cal, "C:\\Tools\\Calibrate.exe", false}, {cal, "Durmasel.exe", false},
        {cal, "D:\\Other\\Durmasel.exe", false},
        {cal, "C:\\WINDOWS\\SYSTEM\\XDurmasel.exe", false}, {cal, "", false},
        {cal, nullptr, false}, {cal, "C:\\WINDOWS\\SYSTEM\\Durmasel.exe -L", false},
        {fin, "C:\\Other\\Orvantix.exe /quiet", false},
        {fin, "C:\\WINDOWS\\TEMP\\\\Setup.exe -L", true},
        {fin, "c:\\windows\\temp\\\\setup.EXE -L", true},
        {fin, "C:\\WINDOWS\\TEMP\\\\SETUP~1.EXE -L", true},
        {fin, "C:\\WINDOWS\\TEMP\\\\Setup.exe -l", false},
        {fin, "C:\\WINDOWS\\TEMP\\\\Setup.exe -Lx", false},
        {fin, "C:\\WINDOWS\\TEMP\\\\Setup.exe  -L", false},
        {fin, "C:\\WINDOWS\\TEMP\\\\Setup.exe", false}, {fin, " -L", false},
        {fin, "C:\\PROGRA~1\\Vendor\\Update.exe -L", false},
        {fin, "C:\\WINDOWS\\TEMP\\Other\\Setup.exe -L", false},
    };
    for (const auto &c : cases) {
        const char *program = &c.value == &cal ? durmasel : copy;
        EXPECT_EQ(c.own, flow::IsOwnRunOnce(c.value, c.command, program, SamePathForTest))
            << c.value.name << ": " << (c.command ? c.command : "(null)");
    }
    EXPECT_FALSE(flow::IsOwnRunOnce(fin, "C:\\X.exe -L", nullptr, SamePathForTest));
    EXPECT_FALSE(flow::IsOwnRunOnce(fin, "C:\\X.exe -L", "C:\\X.exe", nullptr));
    EXPECT_TRUE(flow::IsOwnRunOnce(fin, "C:\\X.exe -L", "c:\\x.exe", SamePathForTest));
    EXPECT_STREQ("Durmasel", cal.name);
    EXPECT_STREQ("Orvantix", fin.name);
}

// ---- unattended switches -----------------------------------------------------

// Only "/S" as the first word makes a run unattended; what follows is read
// strictly, and a refusal names the word refused.
TEST(Unattended, ReadsTheSwitchesStrictly) {
    using namespace unattended;
    const struct {
        const char *line;
        Parse parse;
        const char *bad;  // or, when parsed: "P<n>" port, "U" remove, "C<words>", "L<log>", "R"
    } cases[] = {
        {"", kInteractive, ""}, {"-U", kInteractive, ""}, {" /S", kInteractive, ""},
        {"/Sx", kInteractive, ""}, {"/U /S", kInteractive, ""},
        {"/S", kParsed, "P0"}, {"/s /port=2", kParsed, "P2"}, {"/S /PORT=16", kParsed, "P16"},
        {"/S /U /REBOOT", kParsed, "P0 U R"}, {"/S /Q /LOG=x.log", kBad, "/Q"},
        {"/S /LOG=\"C:\\My Logs\\s.log\" /PORT=1", kParsed, "P1 LC:\\My Logs\\s.log"},
        {"/S  /CAL=0,0,4096,4096,1\t/REBOOT", kParsed, "P0 C0,0,4096,4096,1 R"},
        {"/S /CAL=12,34,4000,4096,1", kParsed, "P0 C12,34,4000,4096,1"},
        {"/S /PORT=0", kBad, "/PORT=0"}, {"/S /PORT=17", kBad, "/PORT=17"},
        {"/S /PORT=", kBad, "/PORT="}, {"/S /PORT=2x", kBad, "/PORT=2x"},
        {"/S /PORT=1 /PORT=2", kBad, "/PORT=2"}, {"/S /CAL=1,2,3,4", kBad, "/CAL=1,2,3,4"},
        {"/S /CAL=1,2,3,4,2", kBad, "/CAL=1,2,3,4,2"}, {"/S /CAL=0,0,4097,4096,0", kBad,
        "/CAL=0,0,4097,4096,0"}, {"/S /CAL=1,2,3,4,0,5", kBad, "/CAL=1,2,3,4,0,5"},
        {"/S /CAL=1,,3,4,0", kBad, "/CAL=1,,3,4,0"}, {"/S /CAL=0,0,0,0,0", kBad, "/CAL=0,0,0,0,0"},
        {"/S /CAL=100,100,100,100,1", kBad, "/CAL=100,100,100,100,1"},
        {"/S /CAL=0,0,255,4096,0", kBad, "/CAL=0,0,255,4096,0"},
        {"/S /CAL=4096,0,3841,4096,0", kBad, "/CAL=4096,0,3841,4096,0"},
        {"/S /CAL=0,4096,256,3840,1", kParsed, "P0 C0,4096,256,3840,1"}, {"/S /LOG=", kBad, "/LOG="},
        {"/S /Q", kBad, "/Q"}, {"/S -U", kBad, "-U"}, {"/S /U /PORT=2", kBad, "/PORT"},
        {"/S /U /CAL=0,0,4096,4096,0", kBad, "/CAL"},
        {"/S /LOG=\"C:\\x.log /U", kBad, "/LOG=C:\\x.log /U"},
        {"/S /U /LOG=\"x.log", kBad, "/LOG=x.log"}, {"/S /Uninstall", kBad, "/Uninstall"},
        {"/S /X /PORT=2", kBad, "/X"}, {"/S /CAL=1,2,3", kBad, "/CAL=1,2,3"},
        {"/S /CAL=0,0,5000,4096,0", kBad, "/CAL=0,0,5000,4096,0"},
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
        std::string seen = "P" + std::to_string(o.port) + (o.remove ? " U" : "");
        for (int i = 0; o.calibrated && i < kCalibrationWords; ++i)
            seen += (i ? "," : " C") + std::to_string(o.calibration[i]);
        seen += (o.log[0] ? std::string(" L") + o.log : "") + (o.reboot ? " R" : "");
        EXPECT_EQ(c.bad, seen) << c.line;
    }
}

// The options give the switches the dialogs' command line gives, and both
// runs decide through the one outcome table: "/U" removes, also what runs
// cut short left; no unattended run is the finishing run; port, calibration,
// log and restart change no decision.
TEST(Unattended, OptionsDecideThroughTheDialogsSwitchesAndTable) {
    using namespace unattended;
    const struct {
        const char *line;
        const char *dialogsLine;  // the dialogs' command line that asks the same
        bool takeLeftovers;
        flow::Action ifAbsent, ifInstalled;
    } cases[] = {
        {"/S", "", false, flow::kInstallPackage, flow::kAlreadyInstalled},
        {"/s /PORT=2 /CAL=0,0,4096,4096,1 /REBOOT", "", false, flow::kInstallPackage,
         flow::kAlreadyInstalled},
        {"/S /LOG=\"C:\\My Logs\\s.log\"", "", false, flow::kInstallPackage,
         flow::kAlreadyInstalled},
        {"/S /U", "-U", true, flow::kNotInstalled, flow::kRemovePackage},
        {"/S /REBOOT /u /LOG=x.log", "-U", true, flow::kNotInstalled, flow::kRemovePackage},
    };
    for (const auto &c : cases) {
        Options o;
        char bad[64];
        ASSERT_EQ(kParsed, ReadCommandLine(c.line, &o, bad, sizeof(bad))) << c.line;
        const flow::Switches s = SwitchesOf(o), dialogs = flow::ReadSwitches(c.dialogsLine);
        EXPECT_EQ(dialogs.install, s.install) << c.line;
        EXPECT_FALSE(s.finishRemoval) << c.line;
        EXPECT_EQ(c.takeLeftovers, s.takeLeftovers) << c.line;
        EXPECT_EQ(c.ifAbsent, flow::ChooseAction(s, false)) << c.line;
        EXPECT_EQ(c.ifInstalled, flow::ChooseAction(s, true)) << c.line;
        EXPECT_EQ(flow::ChooseAction(dialogs, true), flow::ChooseAction(s, true)) << c.line;
    }
}

// A run that was done but met a failure ends with 4; the refusals keep
// their own codes. Windows restarts after the log only for a run that was
// done, and only when "/REBOOT" asks.
TEST(Unattended, FinalCodeAndRestart) {
    using namespace unattended;
    const struct {
        int outcome;
        bool anyFailure;
        int ended;
        bool restartsWhenAsked;
    } cases[] = {
        {0, false, 0, true},     {0, true, 4, false},     {3010, false, 3010, true},
        {3010, true, 4, false},  {1, false, 1, false},    {1, true, 1, false},
        {2, true, 2, false},     {3, false, 3, false},    {4, false, 4, false},
        {4, true, 4, false},
    };
    Options reboot = {}, quiet = {};
    reboot.reboot = true;
    for (const auto &c : cases) {
        const int ended = FinalCode(c.outcome, c.anyFailure);
        EXPECT_EQ(c.ended, ended) << c.outcome << " " << c.anyFailure;
        EXPECT_EQ(c.restartsWhenAsked, RestartsAfter(ended, reboot)) << c.outcome;
        EXPECT_FALSE(RestartsAfter(ended, quiet)) << c.outcome;
    }
}

}  // namespace
