#include "file_result_fixture.h"
#include "views/diff_view.h"

namespace {

// The line number column at the left of text rows.
class LineNumbersTest : public CFileResultFixture
{
protected:
    void Show(CDiffView& view, int sideIndex, bool composite, bool numbers)
    {
        view.sideIndex = sideIndex;
        view.composite = composite;
        view.showLineNumbers = numbers;
        view.resize(400, 300);
        view.show();
        view.OnUpdate(UpdateHint::FileResultChanged);
    }

    // Whether any pixel of a row between two x positions differs from the
    // identical content's background: a number drawn there.
    bool InkIn(CDiffView& view, long long row, int left, int right)
    {
        const QImage image = view.viewport()->grab().toImage();
        const int lineHeight = view.Metrics().lineHeight;
        const QRgb ground = appearance_.GetNormalBgCol().rgb();
        for (int y = static_cast<int>(row * lineHeight); y < (row + 1) * lineHeight; ++y) {
            for (int x = left; x < right; ++x) {
                if (image.pixel(x, y) != ground)
                    return true;
            }
        }
        return false;
    }
};

TEST_F(LineNumbersTest, SideBySideEachRowHasItsNumberAndTheTextStandsAfterThem)
{
    CompareOneChangedLine();
    CDiffView plain(doc_, appearance_, host_);
    Show(plain, 0, false, false);
    EXPECT_EQ(plain.GutterWidth(), 0);
    CDiffView numbered(doc_, appearance_, host_);
    Show(numbered, 0, false, true);
    const int gutter = numbered.GutterWidth();
    ASSERT_GT(gutter, 0);
    // One digit and a blank either side, and half a blank before the text.
    EXPECT_EQ(gutter, numbered.Metrics().aveCharWidth * 3 + numbered.Metrics().aveCharWidth / 2);
    for (long long row : {0, 3, 6}) {
        SCOPED_TRACE(row);
        EXPECT_TRUE(InkIn(numbered, row, 0, gutter - numbered.Metrics().aveCharWidth));
    }
    // The text moved right by the column: the common first row of the
    // numbered pane, from the column on, is the plain pane's row.
    const int lineHeight = numbered.Metrics().lineHeight;
    const QImage withNumbers = numbered.viewport()->grab().toImage().copy(gutter, 0, 200, lineHeight);
    const QImage without = plain.viewport()->grab().toImage().copy(0, 0, 200, lineHeight);
    EXPECT_EQ(withNumbers, without);
    // Hex rows keep their offsets and get no column.
    ASSERT_TRUE(doc_.RunFileComparison(Write("a.bin", std::string("\x01\x02\x03", 3)),
                                       Write("b.bin", std::string("\x01\x05\x03", 3))));
    numbered.OnUpdate(UpdateHint::FileResultChanged);
    EXPECT_EQ(numbered.GutterWidth(), 0);
}

TEST_F(LineNumbersTest, CompositeRowsShowTheOldAndTheNewNumber)
{
    CompareOneChangedLine();
    CDiffView view(doc_, appearance_, host_);
    Show(view, 0, true, true);
    const int column = view.Metrics().aveCharWidth * 3;
    ASSERT_EQ(view.GutterWidth(), 2 * column + view.Metrics().aveCharWidth / 2);
    // Row 0 is common: both numbers. Row 3 was removed: only the old one;
    // row 4 was added: only the new one.
    EXPECT_TRUE(InkIn(view, 0, 0, column));
    EXPECT_TRUE(InkIn(view, 0, column, 2 * column));
    EXPECT_TRUE(InkIn(view, 3, 0, column));
    EXPECT_FALSE(InkIn(view, 3, column, 2 * column));
    EXPECT_FALSE(InkIn(view, 4, 0, column));
    EXPECT_TRUE(InkIn(view, 4, column, 2 * column));
}

} // namespace
