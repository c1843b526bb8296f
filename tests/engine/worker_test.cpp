#include "engine/worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <stop_token>
#include <thread>

namespace {

// A job that holds still until the test lets it go, so that the test can look
// at a worker that surely runs.
struct HeldJob
{
    void operator()(std::stop_token stop)
    {
        sawStopAtStart = stop.stop_requested();
        release.get_future().wait();
        sawStopAtEnd = stop.stop_requested();
        ran = true;
    }

    std::promise<void> release;
    std::atomic<bool> sawStopAtStart{false};
    std::atomic<bool> sawStopAtEnd{false};
    std::atomic<bool> ran{false};
};

TEST(WorkerTest, RunsItsJobOnceAndIsDoneAfterwards)
{
    std::atomic<int> runs{0};
    CWorker worker([&](std::stop_token) { ++runs; });
    EXPECT_FALSE(worker.Running());
    EXPECT_FALSE(worker.Done());

    ASSERT_TRUE(worker.Start());
    worker.Wait();
    EXPECT_TRUE(worker.Done());
    EXPECT_FALSE(worker.Running());
    EXPECT_FALSE(worker.StopRequested());
    EXPECT_TRUE(worker.Start()) << "a second start is no new run";
    worker.Wait();
    EXPECT_EQ(runs, 1);
}

TEST(WorkerTest, RunningUntilTheJobReturns)
{
    HeldJob job;
    CWorker worker([&job](std::stop_token stop) { job(stop); });
    ASSERT_TRUE(worker.Start());
    EXPECT_TRUE(worker.Running());
    EXPECT_FALSE(worker.Done());
    EXPECT_FALSE(worker.WaitFor(std::chrono::milliseconds(0)));

    job.release.set_value();
    EXPECT_TRUE(worker.WaitFor(std::chrono::hours(1)));
    EXPECT_TRUE(worker.Done());
    worker.Wait();
    EXPECT_TRUE(job.ran);
}

// The job learns of a stop through its token, whether the stop was asked for
// while it ran or before it started.
TEST(WorkerTest, AStopReachesTheJob)
{
    for (const bool beforeStart : {false, true}) {
        SCOPED_TRACE(beforeStart ? "before the start" : "while running");
        HeldJob job;
        CWorker worker([&job](std::stop_token stop) { job(stop); });
        if (beforeStart)
            worker.RequestStop();
        ASSERT_TRUE(worker.Start());
        if (!beforeStart)
            worker.RequestStop();
        EXPECT_TRUE(worker.StopRequested());
        job.release.set_value();
        worker.Wait();
        EXPECT_TRUE(job.sawStopAtEnd);
        if (beforeStart) {
            EXPECT_TRUE(job.sawStopAtStart);
        }
    }
}

// onEnd runs on the worker's thread after the job has returned; Wait returns
// only after it.
TEST(WorkerTest, TellsOfItsEndAfterTheJob)
{
    std::atomic<bool> jobReturned{false};
    std::atomic<bool> doneSeenAtEnd{false};
    std::thread::id endThread;
    CWorker worker([&](std::stop_token) { jobReturned = true; });
    CWorker* self = &worker;
    ASSERT_TRUE(worker.Start([&] {
        doneSeenAtEnd = jobReturned && self->Done();
        endThread = std::this_thread::get_id();
    }));
    worker.Wait();
    EXPECT_TRUE(doneSeenAtEnd);
    EXPECT_NE(endThread, std::this_thread::get_id());
}

// The caller waits on its own thread, ticking while the job still runs, and
// is back only once the job has returned.
TEST(WorkerTest, RunAndWaitTicksUntilTheJobReturns)
{
    HeldJob job;
    CWorker worker([&job](std::stop_token stop) { job(stop); });
    int ticks = 0;
    const bool started = worker.RunAndWait(
        [&] {
            // The job is let go only after the caller has ticked twice.
            if (++ticks == 2)
                job.release.set_value();
        },
        std::chrono::milliseconds(1));
    EXPECT_TRUE(started);
    EXPECT_GE(ticks, 2);
    EXPECT_TRUE(job.ran);
    EXPECT_TRUE(worker.Done());
}

TEST(WorkerTest, ANeverStartedWorkerNeedsNoWaiting)
{
    bool ran = false;
    {
        CWorker worker([&](std::stop_token) { ran = true; });
        EXPECT_TRUE(worker.WaitFor(std::chrono::milliseconds(0)));
        worker.Wait();
        EXPECT_FALSE(worker.Running());
    }
    EXPECT_FALSE(ran);
}

// Destroyed while its job runs, a worker asks the job to stop and waits for it.
TEST(WorkerTest, DestructionStopsAndJoinsTheJob)
{
    std::atomic<bool> stoppedAndReturned{false};
    {
        CWorker worker([&](std::stop_token stop) {
            while (!stop.stop_requested())
                std::this_thread::yield();
            stoppedAndReturned = true;
        });
        ASSERT_TRUE(worker.Start());
    }
    EXPECT_TRUE(stoppedAndReturned);
}

} // namespace
