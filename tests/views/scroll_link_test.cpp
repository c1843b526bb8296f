#include "file_result_fixture.h"
#include "document/block_partners.h"
#include "views/diff_view.h"
#include "views/scroll_link.h"

#include <QScrollBar>

namespace {

// Side-by-side panes that scroll together, and the places in the other file
// they follow.
class ScrollLinkTest : public CFileResultFixture
{
protected:
    // The first file: A (6 lines) B (2) C (6) D (6) X (2) E (20); the
    // second: A C B D Y (3) E, so that B moved, X was removed and Y added in
    // its place, and E gives room to scroll.
    void CompareStretchesOfEveryKind()
    {
        const auto lines = [](const char* name, int count) {
            std::string text;
            for (int i = 1; i <= count; ++i)
                text += name + std::to_string(i) + "\n";
            return text;
        };
        const std::string a = lines("a", 6), b = lines("b", 2), c = lines("c", 6),
                          d = lines("d", 6), e = lines("e", 20);
        ASSERT_TRUE(doc_.RunFileComparison(Write("old.txt", a + b + c + d + lines("x", 2) + e),
                                           Write("new.txt", a + c + b + d + lines("y", 3) + e)));
        int moved = 0;
        for (const DIFF_BLOCK* block : doc_.allList().Blocks())
            moved += block->kind == BlockKind::Moved ? 1 : 0;
        ASSERT_EQ(moved, 2);
    }

    void Show(CDiffView& view, int sideIndex)
    {
        view.sideIndex = sideIndex;
        view.resize(300, 80);
        view.show();
        view.OnUpdate(UpdateHint::FileResultChanged);
    }
};

struct PLACE_CASE
{
    const char* name;
    int side;
    double line;
    double other;
};

TEST_F(ScrollLinkTest, EachLineHasItsPlaceInTheOtherFile)
{
    CompareStretchesOfEveryKind();
    CBlockPartners partners;
    partners.Refresh(doc_);
    // First file: A 0-5, B 6-7, C 8-13, D 14-19, X 20-21, E 22-41.
    // Second file: A 0-5, C 6-11, B 12-13, D 14-19, Y 20-22, E 23-42.
    const std::vector<PLACE_CASE> cases = {
        {"common A, with the fraction of the line", 0, 2.5, 2.5},
        {"moved B, to its other half", 0, 7.25, 13.25},
        {"moved B, back", 1, 12.0, 6.0},
        {"common C after the move", 0, 11.0, 9.0},
        {"removed X, to the added line opposite", 0, 20.5, 20.5},
        {"added Y, to the removed line opposite", 1, 21.0, 21.0},
        {"added Y past the removed lines: their end", 1, 22.5, 22.0},
        {"common E", 1, 30.0, 29.0},
    };
    for (const PLACE_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_DOUBLE_EQ(partners.OtherSideLine(doc_, c.side, c.line), c.other);
    }
}

TEST_F(ScrollLinkTest, UnmatchedLinesWithNothingOppositeFollowToTheOtherFilesPlace)
{
    // X is removed with nothing in its place: the second file stands at the
    // line after the common lines before it.
    ASSERT_TRUE(doc_.RunFileComparison(Write("old.txt", "1\n2\n3\nx1\nx2\nx3\n4\n5\n6\n"),
                                       Write("new.txt", "1\n2\n3\n4\n5\n6\n")));
    CBlockPartners partners;
    partners.Refresh(doc_);
    EXPECT_DOUBLE_EQ(partners.OtherSideLine(doc_, 0, 4.5), 3.0);
    EXPECT_DOUBLE_EQ(partners.OtherSideLine(doc_, 1, 3.5), 6.5);
}

TEST_F(ScrollLinkTest, TheSecondPaneFollowsTheFirstAndBackUntilUnlinked)
{
    CompareStretchesOfEveryKind();
    CDiffView first(doc_, appearance_, host_);
    CDiffView second(doc_, appearance_, host_);
    Show(first, 0);
    Show(second, 1);
    CScrollLink link(doc_);
    link.Link(&first, &second);
    ASSERT_TRUE(link.IsLinked());
    const double pixel = 1.0 / first.Metrics().lineHeight;

    // Through the moved block, then by the keys into the common block after.
    first.SetReadingRow(7.0);
    EXPECT_NEAR(second.ReadingRow(), 13.0, pixel);
    first.Scroll(CDiffView::ScrollCommand::LineDown);
    first.Scroll(CDiffView::ScrollCommand::LineDown);
    EXPECT_NEAR(first.ReadingRow(), 9.0, pixel);
    EXPECT_NEAR(second.ReadingRow(), 7.0, pixel);
    // The second pane's scroll bar, into the added lines, moves the first to
    // the removed line opposite.
    second.SetReadingRow(21.0);
    EXPECT_NEAR(first.ReadingRow(), 21.0, pixel);
    // Sideways too.
    first.horizontalScrollBar()->setValue(5);
    EXPECT_EQ(second.horizontalScrollBar()->value(), first.horizontalScrollBar()->value());

    link.Unlink();
    const int before = second.verticalScrollBar()->value();
    first.Scroll(CDiffView::ScrollCommand::Home);
    EXPECT_EQ(second.verticalScrollBar()->value(), before);
}

TEST_F(ScrollLinkTest, HexPanesFollowByBytesNotByRows)
{
    // 50 bytes inserted after the first 200 of 400: byte 300 of the first
    // file is byte 350 of the second, ten bytes a row.
    const std::string old = RandomBytes(400, 7);
    const std::string now = old.substr(0, 200) + std::string(50, '\x01') + old.substr(200);
    ASSERT_TRUE(doc_.RunFileComparison(Write("old.bin", old), Write("new.bin", now)));
    ASSERT_EQ(doc_.firstBuf()->type(), CDiffBuf::Binary);
    CDiffView first(doc_, appearance_, host_);
    CDiffView second(doc_, appearance_, host_);
    Show(first, 0);
    Show(second, 1);
    ASSERT_EQ(first.BytesPerRow(), 10);
    CScrollLink link(doc_);
    link.Link(&first, &second);
    first.SetReadingRow(30.0);
    EXPECT_NEAR(second.ReadingRow(), 35.0, 1.0 / second.Metrics().lineHeight);
}

} // namespace
