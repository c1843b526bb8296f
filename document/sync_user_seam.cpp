#include "document/sync_user_seam.h"

#include "engine/diff_algorithm5.h"

CSyncUserSeam::CSyncUserSeam(ProgressObserver observer) : observer_(std::move(observer)) {}

void CSyncUserSeam::ShowMessage(const QString& text)
{
    messages_.append(text);
}

CProgressSink* CSyncUserSeam::ProgressSink()
{
    return this;
}

void CSyncUserSeam::PostProgress(int permille)
{
    {
        // Taken so that a waiter between its check of running and its wait
        // cannot miss the last report, which comes after running is cleared.
        std::lock_guard<std::mutex> lock(mutex_);
        latest_ = permille;
    }
    progressed_.notify_all();
}

void CSyncUserSeam::RunComparison(CDiffAlgorithm5& algorithm)
{
    latest_ = 0;
    algorithm.Start();
    std::unique_lock<std::mutex> lock(mutex_);
    while (algorithm.running) {
        progressed_.wait_for(lock, kObserverInterval, [&] { return !algorithm.running; });
        if (observer_ && algorithm.running) {
            lock.unlock();
            observer_(latest_);
            lock.lock();
        }
    }
    lock.unlock();
    algorithm.Wait();
}
