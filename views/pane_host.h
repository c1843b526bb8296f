#pragma once

#include <string>

class QWidget;
struct CDirNode;

// What the panes ask of the window that holds them. The panes never see the
// window class itself: the frame implements this, and tests implement it
// with a recording fake.
class CPaneHost
{
public:
    virtual ~CPaneHost();

    // File comparison panes. The overview follows every scroll of a
    // comparison pane, and moves a pane when the user clicks in it.
    virtual void InvalidateOverView() = 0;
    // The visible range of the comparison pane of a side as content
    // fractions; false when no pane shows that side.
    virtual bool GetDiffViewRange(int sideIndex, double* top, double* bottom) const = 0;
    virtual void SetDiffViewPosition(int sideIndex, double fraction) = 0;

    // Directory panes: the sort order (0 by name, 1 by status), the relative
    // path of the file chosen last, and opening what the user chose.
    virtual int GetDirSort() const = 0;
    virtual const std::string& CurrentDir() const = 0;
    virtual void SetCurrentDir(const std::string& relativePath) = 0;
    virtual void CompareFiles(const std::string& first, const std::string& second) = 0;
    virtual void ShowSingleFile(const std::string& path) = 0;
    // Clears the selection of every directory tree pane but the given one.
    virtual void ClearOtherTreeSelections(const QWidget* keep) = 0;
    // The file a list pane selected, or none: every other list pane selects
    // the same file of its own tree, or nothing when its tree has no such
    // file, so that two lists never show different files as chosen.
    virtual void FollowListSelection(const QWidget* from, const CDirNode* node) = 0;
};
