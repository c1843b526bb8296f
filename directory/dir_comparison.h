#pragma once

#include "directory/dir_node_list.h"
#include "directory/name_filter.h"

#include <QObject>

#include <string>
#include <vector>

class CDirClassifier;
struct ComparisonSettings;
class CDirUserSeam;
class CFolderOpener;

// The result of the last directory comparison: the two scanned trees and
// whether they are identical. A new comparison is scanned and classified aside
// and replaces the result only when it completes, so an aborted or failed run
// leaves the previous result, and every view showing it, intact.
class CDirComparison : public QObject
{
    Q_OBJECT

public:
    explicit CDirComparison(CDirUserSeam& seam, QObject* parent = nullptr);

    // An entry that could not be read: its path on disk and the reason, as an
    // errno value.
    struct UNREADABLE
    {
        std::string path;
        int error;
    };

    // Scans both trees and classifies their nodes under the seam's progress.
    // False when a root cannot be read or the user aborted.
    bool RunDirComparison(const std::string& firstPath, const std::string& secondPath);
    // Empties both trees (the directories are closed).
    void ClearDirs();
    // Every entry of the current result that could not be read, those of the
    // first tree first, each tree in its order.
    std::vector<UNREADABLE> Unreadable() const;
    // The root that made the last RunDirComparison fail, with the reason;
    // none (an empty path) when it failed for another reason.
    const UNREADABLE& FailedRoot() const { return failedRoot_; }
    // Folders are opened through opener from now on; it must outlive the
    // comparisons that use it.
    void SetFolderOpener(const CFolderOpener& opener) { opener_ = &opener; }
    // The options of the comparisons from now on: the entries left out of
    // both trees, and whether names pair with their letter case folded.
    void SetOptions(const ComparisonSettings& settings);

    const CDirNodeList& firstList() const { return first_; }
    const CDirNodeList& secondList() const { return second_; }
    bool dirsIdentical = false;

signals:
    // A new result or closed directories: views rebuild.
    void ResultChanged();

private:
    void ScanBoth(CDirNodeList& first, const std::string& firstPath, CDirNodeList& second,
                  const std::string& secondPath) const;

    CDirUserSeam& seam_;
    const CFolderOpener* opener_;
    UNREADABLE failedRoot_{{}, 0};
    CNameFilter filter_;
    bool ignoreNameCase_ = false;
    CDirNodeList first_;
    CDirNodeList second_;
};
