#include "shell/frame_arrangement.h"

CFrameArrangement::CFrameArrangement(const State& state)
{
    if (state.dirsShown) {
        const PaneClass dirPane = state.dirViewType == 0 ? PaneClass::DirTree : PaneClass::DirList;
        panes_.push_back(dirPane);
        if (state.dirViewMode == 1)
            panes_.push_back(dirPane);
    }
    if (state.fileCount > 0) {
        if (state.buffersLoaded == 1) {
            panes_.push_back(PaneClass::Diff);
        } else if (state.txtViewMode == 0) {
            if (state.txtOverview) {
                panes_.push_back(PaneClass::Overview);
                overviewWidth_ = kCompositeOverviewWidth;
            }
            panes_.push_back(PaneClass::Diff);
        } else {
            panes_.push_back(PaneClass::Diff);
            if (state.txtOverview) {
                panes_.push_back(PaneClass::Overview);
                overviewWidth_ = kSideBySideOverviewWidth;
            }
            panes_.push_back(PaneClass::Diff);
        }
    }
    if (panes_.empty())
        panes_.push_back(PaneClass::License);
}

int CFrameArrangement::WidthOf(std::size_t i, int width) const
{
    if (panes_[i] == PaneClass::Overview)
        return overviewWidth_;
    const int n = static_cast<int>(panes_.size());
    if (overviewWidth_ > 0)
        return (width - overviewWidth_) / (n - 1);
    return width / n;
}
