#include "file_result_fixture.h"
#include "views/diff_view.h"

#include <QPalette>
#include <QScrollBar>

namespace {

// Panes whose rows are told apart by their background colours.
class DiffViewTest : public CFileResultFixture
{
protected:
    // The colours down the right edge of a pane, where no text reaches: the
    // bands of the blocks and the pane's own background below the last row.
    std::vector<QRgb> BandsDown(int sideIndex, bool composite, int height)
    {
        CDiffView view(doc_, appearance_, host_);
        view.sideIndex = sideIndex;
        view.composite = composite;
        view.resize(300, height);
        view.show();
        view.OnUpdate(UpdateHint::FileResultChanged);
        return ColoursDown(*view.viewport(), view.viewport()->width() - 2, 0,
                           view.viewport()->height());
    }

    QRgb PaneBase()
    {
        const CDiffView view(doc_, appearance_, host_);
        return view.viewport()->palette().color(QPalette::Base).rgb();
    }
};

struct BAND_CASE
{
    const char* name;
    int sideIndex;
    bool composite;
    std::vector<QRgb> bands; // from the top
};

TEST_F(DiffViewTest, DrawsTheBlocksOfItsSideInTheirBackgroundColours)
{
    CompareOneChangedLine();
    const QRgb common = Bg(16).rgb();
    const QRgb removed = Bg(7).rgb();
    const QRgb added = Bg(11).rgb();
    const std::vector<BAND_CASE> cases = {
        {"first file", 0, false, {common, removed, common, PaneBase()}},
        {"second file", 1, false, {common, added, common, PaneBase()}},
        {"composite", 0, true, {common, removed, added, common, PaneBase()}},
    };
    for (const BAND_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BandsDown(c.sideIndex, c.composite, 400), c.bands);
    }
}

TEST_F(DiffViewTest, MovedContentIsDrawnAtBothItsPlaces)
{
    CompareWithAMove();
    const QRgb common = Bg(16).rgb();
    const QRgb from = appearance_.GetMovedFromBgCol().rgb();
    const QRgb to = appearance_.GetMovedToBgCol().rgb();
    const std::vector<BAND_CASE> cases = {
        {"first file", 0, false, {common, from, common, PaneBase()}},
        {"second file", 1, false, {common, to, PaneBase()}},
        {"composite: old place in the first file's order, new place in the second's",
         0,
         true,
         {common, from, common, to, PaneBase()}},
    };
    for (const BAND_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BandsDown(c.sideIndex, c.composite, 600), c.bands);
    }
}

struct UPDATE_CASE
{
    const char* name;
    UpdateHints hints;
    bool relaidOut; // the new font size changes the scroll range
    bool backToTop;
};

TEST_F(DiffViewTest, UpdateBitsDecideWhatIsRebuilt)
{
    std::string lines;
    for (int i = 0; i < 500; ++i)
        lines += "line " + std::to_string(i) + "\n";
    ASSERT_TRUE(doc_.RunFileComparison(Write("a.txt", lines), Write("b.txt", lines + "end\n")));
    const std::vector<UPDATE_CASE> cases = {
        {"new directory result", UpdateHint::DirResultChanged, false, false},
        {"icon colours", UpdateHint::IconColorsChanged, false, false},
        {"directory sort", UpdateHint::DirSortChanged, false, false},
        {"display settings", UpdateHint::AppearanceChanged, true, false},
        {"new file result", UpdateHint::FileResultChanged, true, true},
        {"after a rearrangement", UpdateHint::AppearanceChanged | UpdateHint::IconColorsChanged,
         true, false},
    };
    for (const UPDATE_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        appearance_.fontSize = 12;
        CDiffView view(doc_, appearance_, host_);
        view.resize(300, 200);
        view.OnUpdate(UpdateHint::FileResultChanged);
        QScrollBar& bar = *view.verticalScrollBar();
        const int range = bar.maximum();
        ASSERT_GT(range, 0);
        bar.setValue(range / 2);
        appearance_.fontSize = 24;
        view.OnUpdate(c.hints);
        EXPECT_EQ(bar.maximum() != range, c.relaidOut);
        EXPECT_EQ(bar.value() == 0, c.backToTop);
    }
}

TEST_F(DiffViewTest, WithoutFilesThePaneStaysBlank)
{
    CDiffView view(doc_, appearance_, host_);
    view.resize(300, 200);
    view.show();
    view.OnUpdate(UpdateHint::FileResultChanged);
    const int x = view.viewport()->width() / 2;
    EXPECT_EQ(ColoursDown(*view.viewport(), x, 0, view.viewport()->height()),
              std::vector<QRgb>{view.viewport()->palette().color(QPalette::Base).rgb()});
}

} // namespace
