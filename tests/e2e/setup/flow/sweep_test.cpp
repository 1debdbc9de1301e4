// Setup at every change it makes: each change point N of a run (counted by
// faultinject.dll) fails once or from N on with access denied, a sharing
// violation or a full disk, or Setup is ended there as by a power cut.
// After each run Setup must have ended on its own, another device's class
// key and another program's uninstall entry must be as they were, an
// unattended installation must have rolled back to the machine before it,
// and one further "/S /U" must leave the machine as it was before the
// package came. The unattended runs are swept at every change point, the
// interactive ones at every few (see StrideOf).
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include "fault_run.h"
#include "setup_fixture.h"

namespace {

// The folder unattended_medium.sh copied out of the floppy image.
std::string ImageFolder() { return harness::PackageDir() + "\\..\\unattended-medium\\"; }

std::string LogPath() { return harness::Join(harness::TestDir(), "sweep-setup.log"); }

const std::string kForeignClass = std::string(kClassKey) + "\\0000";

struct SweptRun {
    const char *name;
    const char *args;
    bool interactive;
    bool removal;  // of an installed package
    long stride;   // between the change points swept, unless the sweep is full
};

const SweptRun kRuns[] = {
    {"unattended installation", "/S /PORT=2 /CAL=12,34,4000,4090,1", false, false, 1},
    {"unattended removal", "/S /U", false, true, 1},
    {"interactive installation", "", true, false, 3},
    {"interactive removal", "-U", true, true, 2},
};

const DWORD kErrors[] = {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_DISK_FULL};

std::vector<FaultPlan> PlansAt(long n) {
    std::vector<FaultPlan> plans;
    for (FaultPlan::Kind kind : {FaultPlan::kOnce, FaultPlan::kAlways})
        for (DWORD error : kErrors) plans.push_back({kind, n, error});
    plans.push_back({FaultPlan::kKill, n, 0});
    return plans;
}

// ORVANTIX_SWEEP_STRIDE sets one stride for every run: 1 sweeps them all
// whole (scripts/setup-sweep.sh).
long StrideOf(const SweptRun &run) {
    const char *stride = getenv("ORVANTIX_SWEEP_STRIDE");
    long asked = stride ? atol(stride) : 0;
    return asked > 0 ? asked : run.stride;
}

// Another device of the mouse class and another program's uninstall entry
// under the name Setup's own entry would take.
void AddForeignEntries() {
    harness::WriteString(HKEY_LOCAL_MACHINE, kForeignClass, "DriverDesc", "Standard Serial Mouse");
    harness::WriteString(HKEY_LOCAL_MACHINE, kForeignClass, "StaticVxD", "*vmouse");
    harness::WriteString(HKEY_LOCAL_MACHINE, kSetupUninstallKey, "DisplayName", "Another program");
    harness::WriteString(HKEY_LOCAL_MACHINE, kSetupUninstallKey, "UninstallString",
                         "C:\\Other\\Setup.exe /x");
}

struct Foreign {
    KeyTree classKey = ReadKeyTree(HKEY_LOCAL_MACHINE, kForeignClass);
    KeyTree uninstall = ReadKeyTree(HKEY_LOCAL_MACHINE, kSetupUninstallKey);
    bool operator==(const Foreign &o) const {
        return classKey == o.classKey && uninstall == o.uninstall;
    }
};

// An unattended run logs; the dialogs' runs keep no log.
std::string ArgsOf(const SweptRun &run) {
    return run.interactive ? run.args : std::string(run.args) + " /LOG=\"" + LogPath() + "\"";
}

class SetupSweep : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(FileExists(ImageFolder() + "Setup.exe")) << "run unattended_medium.sh first";
        // Every Windows 9x has it; a new Wine prefix has not, and the first
        // installation would make it for good.
        harness::CreateKey(HKEY_LOCAL_MACHINE, "Enum\\Root");
        AddForeignEntries();
        // A first run, so that what Wine makes on first use is there before
        // the machine is taken as it was.
        Unattended("/S /U");
        m_wholeBefore = MachineSnapshot();
        m_before = MachineSnapshot(kWhereSetupWrites);
        m_foreign = Foreign();
        // Where a run left the machine as it was, the further "/S /U" is
        // this one, seen here once.
        ASSERT_EQ(1u, Unattended("/S /U"));
        ASSERT_EQ("", harness::SnapshotDifference(m_before, MachineSnapshot(kWhereSetupWrites)));
    }
    void TearDown() override { DeleteFileA(LogPath().c_str()); }

    DWORD Unattended(const std::string &args) {
        return SetupRun(ImageFolder(), args + " /LOG=\"" + LogPath() + "\"").QuietEndCode();
    }
    void Sweep(const SweptRun &run);
    void FaultedRunAt(const SweptRun &run, const FaultPlan &plan);
    void ExpectOutcome(const SweptRun &run, const FaultPlan &plan, const FaultedRun &faulted,
                       const harness::SnapshotLines &left);
    void Expect(bool holds, const std::string &what, const std::string &details = "");
    void ExpectState(bool holds, const std::string &what, const std::string &details = "");
    void CleanUpAfter();
    void BackToBefore();

    harness::MachineGuard m_guard{GuardedKeys(), GuardedFiles(), ClearPackage};
    harness::SnapshotLines m_wholeBefore, m_before;
    Foreign m_foreign{};
    std::string m_current;  // the run and plan being checked, for messages
    int m_compared = 0, m_differences = 0, m_failedRuns = 0;
    bool m_failedRun = false;
};

void SetupSweep::Expect(bool holds, const std::string &what, const std::string &details) {
    if (holds) return;
    m_failedRun = true;
    // The first few in full, the rest by a line each.
    if (++m_differences <= 12)
        ADD_FAILURE() << m_current << ": " << what << "\n" << details;
    else
        printf("%s: %s\n", m_current.c_str(), what.c_str());
}

// A comparison of the machine (or part of it) with what it must be.
void SetupSweep::ExpectState(bool holds, const std::string &what, const std::string &details) {
    ++m_compared;
    Expect(holds, what, details);
}

// Puts the machine back as it was before the sweep, so that one fault
// found does not hide the next.
void SetupSweep::BackToBefore() {
    ClearPackage();
    AddForeignEntries();
}

// A run that met its fault; then one further "/S /U" must clean up.
void SetupSweep::FaultedRunAt(const SweptRun &run, const FaultPlan &plan) {
    m_current = std::string(run.name) + ", " + plan.Name();
    m_failedRun = false;
    if (run.removal) Expect(Unattended("/S /PORT=2") == 3010, "the installation to remove");
    DeleteFileA(LogPath().c_str());
    FaultedRun faulted = RunWithFault(ImageFolder(), ArgsOf(run), run.interactive, plan, LogPath());
    Expect(faulted.ended, "Setup did not end on its own");
    Expect(faulted.code < 0xC0000000, "Setup crashed", std::to_string(faulted.code));
    Expect(!faulted.windowShown, "a window showed in an unattended run");
    ExpectState(Foreign() == m_foreign, "another device's or program's key changed");
    harness::SnapshotLines left = MachineSnapshot(kWhereSetupWrites);
    if (plan.kind != FaultPlan::kKill) ExpectOutcome(run, plan, faulted, left);
    if (left != m_before) CleanUpAfter();
}

// The dialogs' run ends with 0 whatever happened. An unattended
// installation that met a failure says so and rolls back (every undo step
// fails too when the fault holds from N on); a removal may have got past
// one (a file queued twice), but success means nothing is left.
void SetupSweep::ExpectOutcome(const SweptRun &run, const FaultPlan &plan,
                               const FaultedRun &faulted, const harness::SnapshotLines &left) {
    std::string code = std::to_string(faulted.code), log = harness::ReadTextFile(LogPath());
    if (run.interactive || !faulted.Hit()) {
        Expect(!run.interactive || faulted.code == 0, "the dialogs' run ended with " + code);
        return;
    }
    if (run.removal) {
        Expect(faulted.code == 4 || left == m_before, "exit code " + code + " over leftovers", log);
        return;
    }
    Expect(faulted.code == 4, "exit code " + code + " after a failure", log);
    Expect(log.find("rolled back") != std::string::npos, "no roll-back logged", log);
    if (plan.kind == FaultPlan::kOnce)
        ExpectState(left == m_before, "not rolled back", harness::SnapshotDifference(m_before, left));
}

// One further "/S /U" must bring the machine back as it was.
void SetupSweep::CleanUpAfter() {
    DWORD further = Unattended("/S /U");
    Expect(further == 0 || further == 1, "a further /S /U ended with " + std::to_string(further),
           harness::ReadTextFile(LogPath()));
    harness::SnapshotLines after = MachineSnapshot(kWhereSetupWrites);
    ExpectState(after == m_before, "a further /S /U did not clean up",
           harness::SnapshotDifference(m_before, after));
    if (after != m_before) BackToBefore();
}

void SetupSweep::Sweep(const SweptRun &run) {
    DWORD start = GetTickCount();
    m_current = std::string(run.name) + ", counting";
    if (run.removal) {
        ASSERT_EQ(3010u, Unattended("/S /PORT=2"));
    }
    FaultedRun counted = RunWithFault(ImageFolder(), ArgsOf(run), run.interactive,
                                      {FaultPlan::kCount, 0, 0}, LogPath());
    ASSERT_TRUE(counted.ended);
    long points = static_cast<long>(counted.changes.size());
    ASSERT_GT(points, 0) << "faultinject.dll saw no change";
    if (!run.removal) Unattended("/S /U");
    ExpectState(MachineSnapshot(kWhereSetupWrites) == m_before, "the unfaulted run did not come back");
    long stride = StrideOf(run);
    int runs = 0;
    // One point past the last: a plan that is never met changes nothing.
    // Strided, each change point swept meets the next kind of fault.
    for (long n = 1, k = 0; n <= points + 1; n += stride) {
        std::vector<FaultPlan> plans = PlansAt(n);
        if (stride > 1) plans = {plans[k++ % plans.size()]};
        for (const FaultPlan &plan : plans) {
            FaultedRunAt(run, plan);
            m_failedRuns += m_failedRun ? 1 : 0;
            ++runs;
        }
    }
    ExpectState(MachineSnapshot() == m_wholeBefore, "the whole machine is not as before the sweep",
           harness::SnapshotDifference(m_wholeBefore, MachineSnapshot()));
    printf("[ sweep ] %s: %ld change points, %d faulted runs (%d failed), %d states compared, "
           "%d differences, %lu s\n",
           run.name, points, runs, m_failedRuns, m_compared, m_differences,
           static_cast<unsigned long>((GetTickCount() - start) / 1000));
    for (const std::string &change : counted.changes) printf("            %s\n", change.c_str());
    fflush(stdout);
    EXPECT_EQ(0, m_differences);
}

TEST_F(SetupSweep, UnattendedInstallation) { Sweep(kRuns[0]); }
TEST_F(SetupSweep, UnattendedRemoval) { Sweep(kRuns[1]); }
TEST_F(SetupSweep, InteractiveInstallation) { Sweep(kRuns[2]); }
TEST_F(SetupSweep, InteractiveRemoval) { Sweep(kRuns[3]); }

}  // namespace

namespace {

// Sets a file's time of writing to a day long past, as an older file has.
void MakeOld(const std::string &path) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, NULL, OPEN_EXISTING, 0, NULL);
    SYSTEMTIME day = {2001, 5, 0, 17, 9, 30, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&day, &time);
    SetFileTime(file, NULL, NULL, &time);
    CloseHandle(file);
}

// An older calibration program and its first-start value, which the
// installation overwrites: a failure at its last change brings both back
// byte for byte, and the log names each step undone.
TEST_F(SetupSweep, RollsBackOverwrittenFilesAndValues) {
    const std::string older = SystemFolder() + "Durmasel.exe";
    harness::WriteTextFile(older, "an older calibration program");
    MakeOld(older);
    harness::WriteString(HKEY_LOCAL_MACHINE, kRunOnceKey, "Durmasel", "C:\\Old\\Durmasel.exe");
    harness::SnapshotLines before = MachineSnapshot(kWhereSetupWrites);
    const std::string args = "/S /PORT=2 /LOG=\"" + LogPath() + "\"";
    // The last change of the installation itself: the last link saved.
    long points = 0;
    for (const std::string &change :
         RunWithFault(ImageFolder(), args, false, {FaultPlan::kCount, 0, 0}, LogPath()).changes)
        if (change.find("IPersistFile::Save") != std::string::npos) points = atol(change.c_str());
    ClearPackage();
    AddForeignEntries();
    harness::WriteTextFile(older, "an older calibration program");
    MakeOld(older);
    harness::WriteString(HKEY_LOCAL_MACHINE, kRunOnceKey, "Durmasel", "C:\\Old\\Durmasel.exe");
    DeleteFileA(LogPath().c_str());
    FaultPlan last = {FaultPlan::kOnce, points, ERROR_DISK_FULL};
    EXPECT_EQ(4u, RunWithFault(ImageFolder(), args, false, last, LogPath()).code);
    EXPECT_EQ("", harness::SnapshotDifference(before, MachineSnapshot(kWhereSetupWrites)));
    EXPECT_EQ("an older calibration program", harness::ReadTextFile(older));
    std::string log = harness::ReadTextFile(LogPath());
    for (const std::string &step :
         {"Undone: restored " + older, "Undone: restored HKLM\\" + std::string(kRunOnceKey) +
                                           " value Durmasel",
          "Undone: deleted " + ProgramFolder() + "Setup.exe", std::string("rolled back")})
        EXPECT_NE(std::string::npos, log.find(step)) << step << "\n" << log;
}

}  // namespace
