// Fennock's watch loop run on a real second thread, the way the dialog
// drives it: orders written by one thread must be seen by the other, the
// loop polls only while watching, reports each switch once, and always
// ends on SWITCH_QUIT.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <thread>

#include "switch_worker.h"

using namespace fennock;
using namespace std::chrono_literals;

namespace {

// Stands in for the driver, the dialog's message queue and the sleep.
struct FakeWorld {
    volatile uint32_t command = SWITCH_IDLE;
    std::atomic<int> queries{0};
    std::atomic<int> reports{0};
    std::atomic<int> pauses{0};
    std::atomic<uint32_t> commandAtReport{0};
    int overFromQuery = 1 << 30;  // the query that first answers "over"
    bool quitDuringQuery = false;

    static bool Query(void *context) {
        FakeWorld *world = static_cast<FakeWorld *>(context);
        int n = ++world->queries;
        if (world->quitDuringQuery) world->command = SWITCH_QUIT;
        return n >= world->overFromQuery;
    }
    static void Report(void *context) {
        FakeWorld *world = static_cast<FakeWorld *>(context);
        world->commandAtReport = world->command;
        ++world->reports;
    }
    static void Pause(void *context) {
        ++static_cast<FakeWorld *>(context)->pauses;
        std::this_thread::sleep_for(1ms);
    }
    WorkerOps Ops() { return WorkerOps{this, Query, Report, Pause}; }
};

// Runs the loop on its own thread, as the program's worker does.
class WorkerThread {
public:
    explicit WorkerThread(FakeWorld &world)
        : world_(world), ops_(world.Ops()),
          result_(std::async(std::launch::async,
                             [this] { return RunSwitchWorker(&world_.command, ops_); })) {}

    // Exit code of the loop; a loop that never ends fails the test and,
    // since a spinning thread cannot be joined, ends the test program.
    uint32_t Join(std::chrono::milliseconds limit = 2000ms) {
        if (result_.wait_for(limit) == std::future_status::ready) return result_.get();
        ADD_FAILURE() << "the worker did not end; command word last read as " << world_.command;
        std::fflush(stdout);
        std::_Exit(1);
    }

private:
    FakeWorld &world_;
    WorkerOps ops_;
    std::future<uint32_t> result_;
};

bool WaitFor(const std::atomic<int> &counter, int atLeast) {
    auto end = std::chrono::steady_clock::now() + 2s;
    while (counter < atLeast) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

TEST(FennockWorker, QuitOrderedBeforeTheFirstPassEndsAtOnce) {
    FakeWorld world;
    world.command = SWITCH_QUIT;
    WorkerThread worker(world);
    EXPECT_EQ(worker.Join(), kWorkerExitCode);
    EXPECT_EQ(world.queries, 0);
    EXPECT_EQ(world.reports, 0);
}

TEST(FennockWorker, IdleLoopMakesNoRequestAndStillSeesLaterOrders) {
    FakeWorld world;
    WorkerThread worker(world);
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(world.queries, 0) << "idle must not poll the driver";
    // Written by this thread while the worker spins: only a loop that
    // re-reads the word on every pass notices.
    world.overFromQuery = 3;
    world.command = SWITCH_WATCH;
    ASSERT_TRUE(WaitFor(world.reports, 1));
    world.command = SWITCH_QUIT;
    EXPECT_EQ(worker.Join(), kWorkerExitCode);
}

TEST(FennockWorker, WatchPollsUntilOverThenGoesIdleBeforeItReports) {
    FakeWorld world;
    world.overFromQuery = 4;
    world.command = SWITCH_WATCH;
    WorkerThread worker(world);
    ASSERT_TRUE(WaitFor(world.reports, 1));
    ASSERT_TRUE(WaitFor(world.pauses, 4));
    std::this_thread::sleep_for(20ms);
    world.command = SWITCH_QUIT;
    EXPECT_EQ(worker.Join(), kWorkerExitCode);
    EXPECT_EQ(world.queries, 4) << "no poll after the switch is over";
    EXPECT_EQ(world.reports, 1) << "one report per switch";
    EXPECT_EQ(world.pauses, 4) << "a pause after every query, the last one too";
    EXPECT_EQ(world.commandAtReport, uint32_t(SWITCH_IDLE)) << "idle must be set before the report";
}

// The window closes while the query of the last poll is under way: the
// worker's own "idle" must not overwrite the dialog's "quit".
TEST(FennockWorker, QuitWrittenDuringTheFinalQueryIsNotLost) {
    FakeWorld world;
    world.overFromQuery = 1;
    world.quitDuringQuery = true;
    world.command = SWITCH_WATCH;
    WorkerThread worker(world);
    EXPECT_EQ(worker.Join(), kWorkerExitCode);
    EXPECT_EQ(world.reports, 0) << "nobody is left to tell";
    EXPECT_EQ(world.command, uint32_t(SWITCH_QUIT));
}

struct AnswerCase {
    bool requestSucceeded;
    uint32_t bytesReturned;
    uint32_t answer;
    bool over;
};

// Only a full answer of 1 to a request that worked means over; refused or
// short answers count as over too, so the button never sticks.
TEST(FennockQueryAnswer, DecidesOverFromTheRequestAndTheWord) {
    const AnswerCase cases[] = {
        {true, 4, 1, true},   {true, 4, 0, false}, {true, 4, 2, false},
        {true, 4, 0xFFFFFFFFu, false}, {true, 8, 0, false},  {false, 4, 0, true},
        {false, 0, 0, true},  {true, 0, 0, true},  {true, 3, 0, true},
    };
    for (const AnswerCase &c : cases) {
        EXPECT_EQ(c.over, QueryMeansOver(c.requestSucceeded, c.bytesReturned, c.answer))
            << c.requestSucceeded << " " << c.bytesReturned << " " << c.answer;
    }
}

}  // namespace
