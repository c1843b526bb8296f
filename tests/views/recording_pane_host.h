#pragma once

#include "views/pane_host.h"

#include <functional>
#include <string>
#include <vector>

// A pane host that records what the panes ask of it. Ranges and positions go
// to functions a test may set, so that a test can join an overview to real
// comparison panes.
class CRecordingPaneHost : public CPaneHost
{
public:
    void InvalidateOverView() override { ++overviewInvalidations; }
    bool GetDiffViewRange(int sideIndex, double* top, double* bottom) const override
    {
        return range ? range(sideIndex, top, bottom) : false;
    }
    void SetDiffViewPosition(int sideIndex, double fraction) override
    {
        positions.push_back({sideIndex, fraction});
    }

    int GetDirSort() const override { return dirSort; }
    const std::string& CurrentDir() const override { return currentDir; }
    void SetCurrentDir(const std::string& relativePath) override { currentDir = relativePath; }
    void CompareFiles(const std::string& first, const std::string& second) override
    {
        opened.push_back(first + " | " + second);
    }
    void ShowSingleFile(const std::string& path) override { opened.push_back(path); }
    void ClearOtherTreeSelections(const QWidget* keep) override { clearedExcept.push_back(keep); }
    void FollowListSelection(const QWidget* from, const CDirNode* node) override
    {
        if (followSelection)
            followSelection(from, node);
        followed.push_back(node);
    }

    struct POSITION
    {
        int sideIndex;
        double fraction;
    };

    int overviewInvalidations = 0;
    std::function<bool(int, double*, double*)> range;
    std::vector<POSITION> positions;
    int dirSort = 0;
    std::string currentDir;
    // "first | second" for a pair, the path alone for a single file.
    std::vector<std::string> opened;
    std::vector<const QWidget*> clearedExcept;
    // The nodes list panes selected, in order, and what a test does with
    // each, as the window passes it to the other list.
    std::vector<const CDirNode*> followed;
    std::function<void(const QWidget*, const CDirNode*)> followSelection;
};
