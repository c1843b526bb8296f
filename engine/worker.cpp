#include "engine/worker.h"

#include <system_error>
#include <utility>

CWorker::CWorker(Job job) : job_(std::move(job)) {}

CWorker::~CWorker()
{
    RequestStop();
    Wait();
}

bool CWorker::Start(std::function<void()> onEnd)
{
    if (started_)
        return true;
    started_ = true;
    try {
        thread_ = std::jthread([this, onEnd = std::move(onEnd)] { Body(onEnd); });
    } catch (const std::system_error&) {
        started_ = false;
        return false;
    }
    return true;
}

void CWorker::Body(const std::function<void()>& onEnd)
{
    job_(stop_.get_token());
    {
        // Taken so that a waiter between its look at done_ and its wait
        // cannot miss the notification.
        std::lock_guard<std::mutex> lock(mutex_);
        done_ = true;
    }
    ended_.notify_all();
    if (onEnd)
        onEnd();
}

void CWorker::RequestStop()
{
    stop_.request_stop();
}

void CWorker::Wait()
{
    if (thread_.joinable())
        thread_.join();
}

bool CWorker::WaitFor(std::chrono::milliseconds timeout)
{
    if (!started_)
        return true;
    std::unique_lock<std::mutex> lock(mutex_);
    return ended_.wait_for(lock, timeout, [this] { return done_.load(); });
}

bool CWorker::RunAndWait(const std::function<void()>& onTick, std::chrono::milliseconds interval)
{
    if (!Start())
        return false;
    while (!WaitFor(interval)) {
        if (onTick)
            onTick();
    }
    Wait();
    return true;
}
