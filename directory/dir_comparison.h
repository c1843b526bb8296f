#pragma once

#include "directory/dir_node_list.h"

#include <QObject>

#include <string>

class CDirClassifier;
class CDirUserSeam;

// The result of the last directory comparison: the two scanned trees and
// whether they are identical. A new comparison is scanned and classified aside
// and replaces the result only when it completes, so an aborted or failed run
// leaves the previous result, and every view showing it, intact.
class CDirComparison : public QObject
{
    Q_OBJECT

public:
    explicit CDirComparison(CDirUserSeam& seam, QObject* parent = nullptr);

    // Scans both trees and classifies their nodes under the seam's progress.
    // False when a root cannot be read or the user aborted.
    bool RunDirComparison(const std::string& firstPath, const std::string& secondPath);
    // Empties both trees (the directories are closed).
    void ClearDirs();

    const CDirNodeList& firstList() const { return first_; }
    const CDirNodeList& secondList() const { return second_; }
    bool dirsIdentical = false;

signals:
    // A new result or closed directories: views rebuild.
    void ResultChanged();

private:
    CDirUserSeam& seam_;
    CDirNodeList first_;
    CDirNodeList second_;
};
