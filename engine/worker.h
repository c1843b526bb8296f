#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

// One job on a thread of its own: a file comparison or a directory
// classification. The owner starts it, may ask it to stop and waits for it;
// the job learns of a stop through its stop token and is expected to end
// soon after, with whatever it has. A worker runs its job at most once.
class CWorker
{
public:
    using Job = std::function<void(std::stop_token stop)>;

    explicit CWorker(Job job);
    // Asks the job to stop and waits for it, so that a job never outlives
    // the objects it works on.
    ~CWorker();
    CWorker(const CWorker&) = delete;
    CWorker& operator=(const CWorker&) = delete;

    // Starts the job on a new thread. onEnd, if any, is called on that thread
    // right after the job has returned and the worker counts as done. False
    // when no thread could be started: the job then never runs.
    bool Start(std::function<void()> onEnd = {});

    // Also valid before Start: a job started afterwards sees its stop token
    // already set.
    void RequestStop();
    bool StopRequested() const { return stop_.stop_requested(); }

    // Started and its job has not returned yet.
    bool Running() const { return started_ && !done_; }
    // The job has returned (onEnd may still be running).
    bool Done() const { return done_; }

    // Returns once the job has returned and its thread has ended; at once
    // when the worker was never started.
    void Wait();
    // Waits at most timeout for the job to return; true when it has, or when
    // the worker was never started.
    bool WaitFor(std::chrono::milliseconds timeout);
    // Starts the job and waits on the calling thread until it has returned,
    // calling onTick there every interval meanwhile. False when no thread
    // could be started.
    bool RunAndWait(const std::function<void()>& onTick, std::chrono::milliseconds interval);

private:
    void Body(const std::function<void()>& onEnd);

    Job job_;
    // The worker's own, not the thread's: a stop asked for before the thread
    // exists must already be set when the job first looks at its token.
    std::stop_source stop_;
    std::atomic<bool> started_{false};
    std::atomic<bool> done_{false};
    std::mutex mutex_;
    std::condition_variable ended_;
    // Last: it is joined before the members above go away.
    std::jthread thread_;
};
