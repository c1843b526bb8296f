#pragma once

#include "views/pane_class.h"

#include <vector>

// Which panes the main window shows, in which order and how wide: directory
// panes first, then the file panes, or the start view when nothing is shown.
class CFrameArrangement
{
public:
    struct State
    {
        bool dirsShown = false;
        int fileCount = 0;
        // How many of the two file buffers are loaded.
        int buffersLoaded = 0;
        int txtViewMode = 1;
        int dirViewMode = 0;
        int dirViewType = 0;
        bool txtOverview = true;
    };

    // The overview is this wide beside a composite pane and between two
    // panes side by side.
    static constexpr int kCompositeOverviewWidth = 40;
    static constexpr int kSideBySideOverviewWidth = 90;

    explicit CFrameArrangement(const State& state);

    const std::vector<PaneClass>& Panes() const { return panes_; }
    // The width of pane i in a client area width wide.
    int WidthOf(std::size_t i, int width) const;

private:
    std::vector<PaneClass> panes_;
    int overviewWidth_ = 0;
};
