#include "document/sync_user_seam.h"

#include "engine/worker.h"

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
    latest_ = permille;
}

// The calling thread sleeps until the job returns, waking only to pass the
// progress on to the observer.
void CSyncUserSeam::RunComparison(CWorker& worker)
{
    latest_ = 0;
    worker.RunAndWait([this] { Observe(); }, kObserverInterval);
}

void CSyncUserSeam::Observe() const
{
    if (observer_)
        observer_(latest_);
}
