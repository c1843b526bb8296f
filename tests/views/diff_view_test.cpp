#include "file_result_fixture.h"
#include "views/diff_view.h"

#include <QPalette>
#include <QScrollBar>

namespace {

using DiffViewTest = CFileResultFixture;

struct BAND_CASE
{
    const char* name;
    int sideIndex;
    bool composite;
    std::vector<int> bands; // background palette indices from the top
};

TEST_F(DiffViewTest, DrawsTheBlocksOfItsSideInTheirBackgroundColours)
{
    CompareOneChangedLine();
    const std::vector<BAND_CASE> cases = {
        {"first file", 0, false, {16, 7, 16}},
        {"second file", 1, false, {16, 11, 16}},
        {"composite", 0, true, {16, 7, 11, 16}},
    };
    for (const BAND_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CDiffView view(doc_, appearance_, host_);
        view.sideIndex = c.sideIndex;
        view.composite = c.composite;
        view.resize(300, 400);
        view.show();
        view.OnUpdate(CDiffDoc::FileResultChanged);
        // Down the right edge, where no text reaches: the bands, then the
        // pane's own background below the last row.
        std::vector<QRgb> expected;
        for (int index : c.bands)
            expected.push_back(Bg(index).rgb());
        expected.push_back(view.viewport()->palette().color(QPalette::Base).rgb());
        const int x = view.viewport()->width() - 2;
        EXPECT_EQ(ColoursDown(*view.viewport(), x, 0, view.viewport()->height()), expected);
    }
}

TEST_F(DiffViewTest, MovedContentIsDrawnAtBothItsPlaces)
{
    CompareWithAMove();
    const QRgb common = Bg(16).rgb();
    const QRgb from = appearance_.GetMovedFromBgCol().rgb();
    const QRgb to = appearance_.GetMovedToBgCol().rgb();
    const std::vector<std::pair<BAND_CASE, std::vector<QRgb>>> cases = {
        {{"first file", 0, false, {}}, {common, from, common}},
        {{"second file", 1, false, {}}, {common, to}},
        {{"composite: old place in the first file's order, new place in the second's", 0, true,
          {}},
         {common, from, common, to}},
    };
    for (const auto& [c, bands] : cases) {
        SCOPED_TRACE(c.name);
        CDiffView view(doc_, appearance_, host_);
        view.sideIndex = c.sideIndex;
        view.composite = c.composite;
        view.resize(300, 600);
        view.show();
        view.OnUpdate(CDiffDoc::FileResultChanged);
        std::vector<QRgb> expected = bands;
        expected.push_back(view.viewport()->palette().color(QPalette::Base).rgb());
        const int x = view.viewport()->width() - 2;
        EXPECT_EQ(ColoursDown(*view.viewport(), x, 0, view.viewport()->height()), expected);
    }
}

struct UPDATE_CASE
{
    const char* name;
    int hint;
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
        {"new directory result", CDiffDoc::DirResultChanged, false, false},
        {"icon colours", CDiffDoc::IconColorsChanged, false, false},
        {"directory sort", CDiffDoc::DirSortChanged, false, false},
        {"display settings", CDiffDoc::AppearanceChanged, true, false},
        {"new file result", CDiffDoc::FileResultChanged, true, true},
        {"after a rearrangement", CDiffDoc::AppearanceChanged | CDiffDoc::IconColorsChanged, true,
         false},
    };
    for (const UPDATE_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        appearance_.fontSize = 12;
        CDiffView view(doc_, appearance_, host_);
        view.resize(300, 200);
        view.OnUpdate(CDiffDoc::FileResultChanged);
        QScrollBar& bar = *view.verticalScrollBar();
        const int range = bar.maximum();
        ASSERT_GT(range, 0);
        bar.setValue(range / 2);
        appearance_.fontSize = 24;
        view.OnUpdate(c.hint);
        EXPECT_EQ(bar.maximum() != range, c.relaidOut);
        EXPECT_EQ(bar.value() == 0, c.backToTop);
    }
}

TEST_F(DiffViewTest, WithoutFilesThePaneStaysBlank)
{
    CDiffView view(doc_, appearance_, host_);
    view.resize(300, 200);
    view.show();
    view.OnUpdate(CDiffDoc::FileResultChanged);
    const int x = view.viewport()->width() / 2;
    EXPECT_EQ(ColoursDown(*view.viewport(), x, 0, view.viewport()->height()),
              std::vector<QRgb>{view.viewport()->palette().color(QPalette::Base).rgb()});
}

} // namespace
