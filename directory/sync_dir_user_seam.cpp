#include "directory/sync_dir_user_seam.h"

#include "directory/dir_classifier.h"

#include <chrono>
#include <thread>

namespace {

// How often the waiting thread looks at the worker: often enough for a
// progress line to move smoothly, rarely enough to cost nothing.
constexpr std::chrono::milliseconds kPollInterval{100};

} // namespace

CSyncDirUserSeam::CSyncDirUserSeam(std::function<void(int)> observer)
    : observer_(std::move(observer))
{
}

void CSyncDirUserSeam::SetBusy(bool) {}

void CSyncDirUserSeam::RunClassification(CDirClassifier& classifier)
{
    std::thread worker([&classifier] { classifier.Run(); });
    while (!classifier.workerDone) {
        std::this_thread::sleep_for(kPollInterval);
        if (observer_)
            observer_(classifier.progressPermille);
    }
    worker.join();
    if (observer_)
        observer_(classifier.progressPermille);
}
