#include "directory/sync_dir_user_seam.h"

#include "directory/dir_classifier.h"

#include <chrono>
#include <thread>

namespace {

// The waiting thread looks at the worker this often, so a short comparison
// ends without delay, and tells the observer every so many looks, often
// enough for a progress line to move smoothly.
constexpr std::chrono::milliseconds kPollInterval{1};
constexpr int kLooksPerReport = 100;

} // namespace

CSyncDirUserSeam::CSyncDirUserSeam(std::function<void(int)> observer)
    : observer_(std::move(observer))
{
}

void CSyncDirUserSeam::SetBusy(bool) {}

void CSyncDirUserSeam::RunClassification(CDirClassifier& classifier)
{
    std::thread worker([&classifier] { classifier.Run(); });
    for (int looks = 1; !classifier.workerDone; ++looks) {
        std::this_thread::sleep_for(kPollInterval);
        if (observer_ && looks % kLooksPerReport == 0)
            observer_(classifier.progressPermille);
    }
    worker.join();
    if (observer_)
        observer_(classifier.progressPermille);
}
