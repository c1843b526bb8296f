#include "file_result_fixture.h"
#include "views/diff_view.h"
#include "views/scroll_link.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

namespace {

// Panes that show only the differences of two files of 81 lines, "a0" to
// "a39", one changed line and "b0" to "b39": each run of 40 common lines
// folds 34 of them with the context of 3.
class DiffViewFoldTest : public CFileResultFixture
{
protected:
    void CompareOneChangeInTheMiddle()
    {
        std::string a;
        std::string b;
        // Appended piece by piece: GCC 12 at -O3 misjudges a join of a
        // literal and a string.
        for (int i = 0; i < 40; ++i) {
            a += 'a';
            a += std::to_string(i);
            a += '\n';
            b += "\nb";
            b += std::to_string(i);
        }
        std::string first = a;
        first += "old";
        first += b;
        std::string second = a;
        second += "new";
        second += b;
        ASSERT_TRUE(doc_.RunFileComparison(Write("old.txt", first), Write("new.txt", second)));
        ASSERT_EQ(doc_.allList().total(), 82);
    }

    void Show(CDiffView& view, int sideIndex, bool composite, QSize size = {600, 400})
    {
        view.sideIndex = sideIndex;
        view.composite = composite;
        view.onlyDifferences = true;
        view.resize(size);
        view.show();
        view.OnUpdate(UpdateHint::FileResultChanged);
    }

    static int ReadingY(const CDiffView& view) { return view.viewport()->height() / 4; }

    // The image of one shown row of a pane as it is scrolled now.
    static QImage ShownRow(CDiffView& view, long long row)
    {
        const int lineHeight = view.Metrics().lineHeight;
        const int top = static_cast<int>(row * lineHeight - view.ScrollPosition().y());
        return view.viewport()->grab().toImage().copy(0, top, view.viewport()->width(), lineHeight);
    }

    static void Press(CDiffView& view, long long shownRow,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const int lineHeight = view.Metrics().lineHeight;
        const QPointF at(20, shownRow * lineHeight + lineHeight / 2 - view.ScrollPosition().y());
        QMouseEvent event(QEvent::MouseButtonPress, at, view.viewport()->mapToGlobal(at),
                          Qt::LeftButton, Qt::LeftButton, modifiers);
        QApplication::sendEvent(view.viewport(), &event);
    }

    static void Key(CDiffView& view, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&view, &event);
    }
};

TEST_F(DiffViewFoldTest, MarkersStandForTheFoldedRowsAndOpenOnAClickOrEnter)
{
    CompareOneChangeInTheMiddle();
    CDiffView view(doc_, appearance_, host_);
    Show(view, 0, true);
    ASSERT_EQ(view.Folding().Folds().size(), 2u);
    EXPECT_EQ(view.ShownRowCount(), 82 - 2 * 33);
    EXPECT_EQ(view.ScrollSizes().totalHeight, 16LL * view.Metrics().lineHeight);

    // The marker has a band of its own, with its text on it.
    const int right = view.viewport()->width() - 2;
    EXPECT_EQ(ShownRow(view, 2).pixel(right, 3), Bg(16).rgb());
    const QImage marker = ShownRow(view, 3);
    const QRgb band = marker.pixel(right, view.Metrics().lineHeight / 2);
    EXPECT_NE(band, Bg(16).rgb());
    int ink = 0;
    for (int x = 0; x < marker.width(); ++x)
        ink += marker.pixel(x, view.Metrics().lineHeight / 2) != band ? 1 : 0;
    EXPECT_GT(ink, 0);
    // The removed line follows the second context part.
    EXPECT_EQ(ShownRow(view, 7).pixel(right, 3), Bg(7).rgb());

    // A click on a marker opens it and selects nothing.
    Press(view, 3);
    EXPECT_TRUE(view.Selection().IsEmpty());
    ASSERT_EQ(view.Folding().Folds().size(), 1u);
    EXPECT_EQ(view.ShownRowCount(), 82 - 33);
    EXPECT_EQ(view.Rows().RowString(20), "a20");

    // Enter opens the marker in sight nearest the reading line; with none
    // in sight it does nothing.
    view.SetReadingRow(60.0);
    const long long markerTop = view.Folding().MarkerRow(0) * view.Metrics().lineHeight;
    EXPECT_GE(markerTop, view.ScrollPosition().y());
    EXPECT_LT(markerTop, view.ScrollPosition().y() + view.viewport()->height());
    Key(view, Qt::Key_Return);
    EXPECT_TRUE(view.Folding().IsEmpty());
    EXPECT_EQ(view.ShownRowCount(), 82);
    Key(view, Qt::Key_Return);
    EXPECT_EQ(view.ShownRowCount(), 82);

    // Turned off, nothing folds; turned on again, all folds are closed
    // after a new result.
    view.onlyDifferences = false;
    view.OnUpdate(UpdateHint::AppearanceChanged);
    EXPECT_TRUE(view.Folding().IsEmpty());
    view.onlyDifferences = true;
    view.OnUpdate(UpdateHint::FileResultChanged);
    EXPECT_EQ(view.Folding().Folds().size(), 2u);
}

TEST_F(DiffViewFoldTest, PositionsAreOfTheWholeContentFoldedOrNot)
{
    CompareOneChangeInTheMiddle();
    CDiffView view(doc_, appearance_, host_, nullptr);
    Show(view, 0, true, {600, 120});
    const double pixel = 1.0 / view.Metrics().lineHeight;

    // The removed line is content row 40 and shown row 7.
    view.SetReadingRow(40.5);
    EXPECT_EQ(view.ReadingLineRow(), 40);
    EXPECT_NEAR(view.ReadingRow(), 40.5, pixel);
    EXPECT_EQ(view.ShownRowAt(ReadingY(view)), 7);
    EXPECT_NEAR(view.GetPosition(), 40.5 / 82, pixel / 82);

    // A fraction lands on its content row, past the folded rows above it.
    view.SetPosition(42.5 / 82);
    EXPECT_EQ(view.ReadingLineRow(), 42);
    // One inside a fold brings the fold's marker to the reading line.
    view.SetPosition(20.0 / 82);
    EXPECT_EQ(view.Folding().FoldShownAt(view.ShownRowAt(ReadingY(view))), 0);

    // The visible range is of the content: at the top the pane shows the
    // context, the marker and more, far beyond the rows it draws.
    view.Scroll(CDiffView::ScrollCommand::Home);
    double top = -1;
    double bottom = -1;
    view.GetVisibleRange(&top, &bottom);
    EXPECT_EQ(top, 0.0);
    const double rowsInSight =
        static_cast<double>(view.viewport()->height()) / view.Metrics().lineHeight;
    EXPECT_GT(bottom * 82, rowsInSight + 30);

    // Turning the folding off and on keeps the line at the reading line,
    // and a pane at its top at its top.
    view.onlyDifferences = false;
    view.OnUpdate(UpdateHint::AppearanceChanged);
    EXPECT_EQ(view.ScrollPosition().y(), 0);
    view.SetReadingRow(40.5);
    view.onlyDifferences = true;
    view.OnUpdate(UpdateHint::AppearanceChanged);
    EXPECT_FALSE(view.Folding().IsEmpty());
    EXPECT_EQ(view.ReadingLineRow(), 40);
    view.onlyDifferences = false;
    view.OnUpdate(UpdateHint::AppearanceChanged);
    EXPECT_EQ(view.ReadingLineRow(), 40);
    view.onlyDifferences = true;
    view.OnUpdate(UpdateHint::AppearanceChanged);

    // Navigation's mark of a difference stands at its shown row.
    view.SetReadingRow(40.5);
    view.MarkDifferenceAtReadingLine();
    EXPECT_TRUE(view.HasDifferenceMark());
    const QImage row = ShownRow(view, 7);
    EXPECT_EQ(row.pixel(1, 2), appearance_.GetNormalTxtCol().rgb());
}

TEST_F(DiffViewFoldTest, ANewPaneStartsAtTheTop)
{
    // The first change at line 3 and a context of 20: the rows above the
    // first fold reach far past the reading line, where a kept place would
    // move the pane once the fonts give the rows their height.
    std::string common;
    for (int i = 0; i < 60; ++i) {
        common += "\nc";
        common += std::to_string(i);
    }
    ASSERT_TRUE(doc_.RunFileComparison(Write("old.txt", "1\n2\n3\nold" + common),
                                       Write("new.txt", "1\n2\n3\nnew" + common)));
    // As the window makes a pane: its settings, then the first update with
    // the fonts.
    CDiffView view(doc_, appearance_, host_);
    view.sideIndex = 0;
    view.composite = true;
    view.onlyDifferences = true;
    view.foldContext = 20;
    view.resize(600, 800);
    view.show();
    ASSERT_EQ(view.Metrics().lineHeight, 14);
    view.OnUpdate(UpdateHint::AppearanceChanged);
    // The fonts change the rows' height.
    ASSERT_NE(view.Metrics().lineHeight, 14);
    EXPECT_FALSE(view.Folding().IsEmpty());
    EXPECT_EQ(view.ScrollPosition().y(), 0);
}

TEST_F(DiffViewFoldTest, ASelectionAcrossAFoldHoldsTheFoldedRows)
{
    CompareOneChangeInTheMiddle();
    CDiffView view(doc_, appearance_, host_);
    Show(view, 0, false);

    view.SelectRows(1, 40);
    const QStringList lines = view.SelectedText().split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 40);
    EXPECT_EQ(lines[0], "a1");
    EXPECT_EQ(lines[19], "a20");
    EXPECT_EQ(lines[39], "old");

    // The keys step over a marker as over one row and take in all it hides.
    Press(view, 2);
    Key(view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(view.Selection().First(), 2);
    EXPECT_EQ(view.Selection().Last(), 36);
    Key(view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(view.Selection().Last(), 37);
    EXPECT_EQ(view.SelectedText().count('\n'), 36);
    Key(view, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(view.Selection().Last(), 3);
}

TEST_F(DiffViewFoldTest, SideBySidePanesFoldEachFileAndStayTogether)
{
    CompareOneChangeInTheMiddle();
    CDiffView first(doc_, appearance_, host_);
    CDiffView second(doc_, appearance_, host_);
    Show(first, 0, false, {400, 120});
    Show(second, 1, false, {400, 120});
    EXPECT_EQ(first.ShownRowCount(), 81 - 66);
    EXPECT_EQ(second.ShownRowCount(), 81 - 66);
    // Opened while the panes scroll alone, the first fold is open on the
    // first side only.
    first.OpenFold(0);
    EXPECT_EQ(second.Folding().Folds().size(), 2u);
    CScrollLink link(doc_);
    link.Link(&first, &second);
    const double pixel = 1.0 / first.Metrics().lineHeight;

    first.SetReadingRow(40.5);
    EXPECT_NEAR(second.ReadingRow(), 40.5, pixel);
    EXPECT_EQ(second.ReadingLineRow(), 40);
    // A place the other side folds follows to its marker, which spreads its
    // rows over its height.
    first.SetReadingRow(20.5);
    EXPECT_EQ(first.ReadingLineRow(), 20);
    EXPECT_EQ(second.Folding().FoldShownAt(second.ShownRowAt(ReadingY(second))), 0);
    EXPECT_NEAR(second.ReadingRow(), 20.5, 34 * pixel);

    // Linked, a fold opened on one side opens the same lines on the other,
    // and the other follows to the same place.
    first.SetReadingRow(40.5);
    first.OpenFold(first.Folding().FoldHolding(60));
    EXPECT_TRUE(first.Folding().IsEmpty());
    ASSERT_EQ(second.Folding().Folds().size(), 1u);
    EXPECT_EQ(second.Folding().FoldHolding(60), -1);
    EXPECT_EQ(second.Folding().FoldHolding(20), 0);
    first.SetReadingRow(60.5);
    EXPECT_NEAR(second.ReadingRow(), 60.5, pixel);
}

TEST_F(DiffViewFoldTest, CommonHexRowsFoldLikeLines)
{
    // 640 bytes of which four in the middle differ: 10 bytes a row, rows 0
    // to 31 and 33 to 64 are wholly common.
    const std::string old = RandomBytes(640, 11);
    std::string now = old;
    for (int i = 320; i < 324; ++i)
        now[static_cast<std::size_t>(i)] = static_cast<char>(~old[static_cast<std::size_t>(i)]);
    ASSERT_TRUE(doc_.RunFileComparison(Write("old.bin", old), Write("new.bin", now)));
    ASSERT_EQ(doc_.firstBuf()->type(), CDiffBuf::Binary);
    CDiffView view(doc_, appearance_, host_);
    Show(view, 0, true);
    ASSERT_EQ(view.BytesPerRow(), 10);
    ASSERT_FALSE(view.Folding().IsEmpty());
    EXPECT_EQ(view.Folding().Folds()[0].first, 3);
    EXPECT_EQ(view.Folding().Folds()[0].count, 26);
    EXPECT_EQ(view.Folding().Folds().back().first + view.Folding().Folds().back().count, 62);

    // The rows after a marker are the right bytes, and hex rows copy
    // across the fold whole.
    const long long afterMarker = view.Folding().Folds()[0].first + 26;
    view.SelectRows(afterMarker, afterMarker);
    EXPECT_EQ(view.SelectedText().left(2),
              QString::asprintf("%02X", static_cast<unsigned char>(old[29 * 10])));
    view.SelectRows(0, 19);
    EXPECT_EQ(view.SelectedText().count('\n'), 20);
    const QImage marker = ShownRow(view, 3);
    EXPECT_NE(marker.pixel(view.viewport()->width() - 2, view.Metrics().lineHeight / 2),
              ShownRow(view, 2).pixel(view.viewport()->width() - 2, 1));
}

} // namespace
