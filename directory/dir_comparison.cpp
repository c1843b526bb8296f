#include "directory/dir_comparison.h"

#include "directory/dir_classifier.h"
#include "directory/dir_user_seam.h"
#include "directory/folder_opener.h"
#include "document/comparison_settings.h"
#include "engine/worker.h"

#include <system_error>
#include <thread>
#include <utility>

namespace {

// Shows the busy state for as long as it lives, however the scan ends.
class BusyWhileScanning
{
public:
    explicit BusyWhileScanning(CDirUserSeam& seam) : seam_(seam) { seam_.SetBusy(true); }
    ~BusyWhileScanning() { seam_.SetBusy(false); }
    BusyWhileScanning(const BusyWhileScanning&) = delete;
    BusyWhileScanning& operator=(const BusyWhileScanning&) = delete;

private:
    CDirUserSeam& seam_;
};

} // namespace

CDirComparison::CDirComparison(CDirUserSeam& seam, QObject* parent)
    : QObject(parent), seam_(seam), opener_(&CFolderOpener::System())
{
}

bool CDirComparison::RunDirComparison(const std::string& firstPath, const std::string& secondPath)
{
    CDirNodeList first;
    CDirNodeList second;
    failedRoot_ = {{}, 0};
    {
        BusyWhileScanning busy(seam_);
        ScanBoth(first, firstPath, second, secondPath);
        // The first root is named when both fail, as it is looked at first.
        for (const CDirNodeList* list : {&first, &second}) {
            if (list->rootError) {
                failedRoot_ = {list->rootPath, list->rootError};
                return false;
            }
        }
    }
    CDirClassifier classifier(first, second, seam_.ProgressSink(), ignoreNameCase_);
    CWorker worker([&classifier](std::stop_token stop) { classifier.Run(stop); });
    seam_.RunClassification(worker);
    worker.Wait();
    // A stop asked for after the last node still counts as an abort: the user
    // asked for no result.
    if (worker.StopRequested())
        return false;

    // The views still hold nodes of the previous result: those are destroyed
    // only after every view has rebuilt from the new one.
    CDirNodeList previousFirst = std::exchange(first_, std::move(first));
    CDirNodeList previousSecond = std::exchange(second_, std::move(second));
    dirsIdentical = classifier.allIdentical;
    emit ResultChanged();
    return true;
}

// The two trees are scanned side by side: a scan mostly waits for the file
// system, and each writes only its own list. Without a second thread they are
// scanned one after the other.
void CDirComparison::ScanBoth(CDirNodeList& first, const std::string& firstPath,
                              CDirNodeList& second, const std::string& secondPath) const
{
    const CFolderOpener& opener = *opener_;
    std::thread other;
    try {
        other = std::thread([&] { first.Scan(firstPath, true, opener, filter_); });
    } catch (const std::system_error&) {
        first.Scan(firstPath, true, opener, filter_);
    }
    second.Scan(secondPath, false, opener, filter_);
    if (other.joinable())
        other.join();
}

void CDirComparison::SetOptions(const ComparisonSettings& settings)
{
    std::vector<std::string> patterns;
    if (settings.skipVersionControl)
        patterns = CNameFilter::VersionControlPatterns();
    for (std::string& pattern : CNameFilter::Split(settings.exclude))
        patterns.push_back(std::move(pattern));
    filter_ = CNameFilter(patterns);
    ignoreNameCase_ = settings.ignoreNameCase;
}

std::vector<CDirComparison::UNREADABLE> CDirComparison::Unreadable() const
{
    std::vector<UNREADABLE> found;
    for (const CDirNodeList* list : {&first_, &second_}) {
        for (const auto& node : list->Nodes()) {
            if (node->error)
                found.push_back({list->FullPath(*node), node->error});
        }
    }
    return found;
}

void CDirComparison::ClearDirs()
{
    CDirNodeList previousFirst = std::move(first_);
    CDirNodeList previousSecond = std::move(second_);
    first_ = CDirNodeList();
    second_ = CDirNodeList();
    emit ResultChanged();
}
