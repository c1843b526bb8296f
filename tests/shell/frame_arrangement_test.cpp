#include "shell/frame_arrangement.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The row as "Class(width)" words for a client area 1000 wide.
std::string Row(const CFrameArrangement& arrangement)
{
    std::string row;
    for (std::size_t i = 0; i < arrangement.Panes().size(); ++i) {
        if (!row.empty())
            row += ' ';
        row += PaneClassName(arrangement.Panes()[i]);
        row += '(';
        row += std::to_string(arrangement.WidthOf(i, 1000));
        row += ')';
    }
    return row;
}

struct RowCase
{
    const char* name;
    CFrameArrangement::State state;
    const char* row;
};

TEST(FrameArrangementTest, ResultingRows)
{
    using S = CFrameArrangement::State;
    // dirsShown, fileCount, buffersLoaded, txtViewMode, dirViewMode, dirViewType, txtOverview
    const std::vector<RowCase> cases = {
        {"nothing shown", S{false, 0, 0, 1, 0, 0, true}, "License(1000)"},
        {"directories, composite", S{true, 0, 0, 1, 0, 0, true}, "DirTree(1000)"},
        {"directories, side by side", S{true, 0, 0, 1, 1, 0, true}, "DirTree(500) DirTree(500)"},
        {"directory lists", S{true, 0, 0, 1, 1, 1, true}, "DirList(500) DirList(500)"},
        {"two files, composite, overview", S{false, 2, 2, 0, 0, 0, true}, "Overview(40) Diff(960)"},
        {"two files, composite, no overview", S{false, 2, 2, 0, 0, 0, false}, "Diff(1000)"},
        {"two files, side by side, overview", S{false, 2, 2, 1, 0, 0, true},
         "Diff(455) Overview(90) Diff(455)"},
        {"two files, side by side, no overview", S{false, 2, 2, 1, 0, 0, false},
         "Diff(500) Diff(500)"},
        {"one file alone", S{false, 1, 1, 1, 0, 0, true}, "Diff(1000)"},
        {"directories and files", S{true, 2, 2, 1, 1, 0, true},
         "DirTree(227) DirTree(227) Diff(227) Overview(90) Diff(227)"},
    };
    for (const RowCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Row(CFrameArrangement(c.state)), c.row);
    }
}

} // namespace
