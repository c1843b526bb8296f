#include "directory/sync_dir_user_seam.h"

#include "engine/worker.h"

CSyncDirUserSeam::CSyncDirUserSeam(std::function<void(int)> observer)
    : observer_(std::move(observer))
{
}

void CSyncDirUserSeam::SetBusy(bool) {}

CProgressSink* CSyncDirUserSeam::ProgressSink()
{
    return this;
}

void CSyncDirUserSeam::PostProgress(int permille)
{
    latest_ = permille;
}

// The calling thread sleeps until the job returns, waking only to pass the
// progress on. A worker that cannot start counts as aborted: no result is
// better than trees left unclassified.
void CSyncDirUserSeam::RunClassification(CWorker& worker)
{
    latest_ = 0;
    if (!worker.RunAndWait([this] { Observe(); }, kObserverInterval)) {
        worker.RequestStop();
        return;
    }
    Observe();
}

void CSyncDirUserSeam::Observe() const
{
    if (observer_)
        observer_(latest_);
}
