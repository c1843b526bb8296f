#include "file_result_fixture.h"
#include "views/diff_view.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

// A pane whose client area is exactly the given size: no frame and no scroll
// bars taking room from it, and metrics set by the test rather than by the
// fonts of the machine.
class DiffViewScrollTest : public CFileResultFixture
{
protected:
    void Place(CDiffView& view, int sideIndex, bool composite, QSize client = {500, 400})
    {
        view.setFrameShape(QFrame::NoFrame);
        view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.sideIndex = sideIndex;
        view.composite = composite;
        view.resize(client);
        view.show();
        view.OnUpdate(UpdateHint::FileResultChanged);
        view.SetMetrics({16, 9, 8});
        ASSERT_EQ(view.viewport()->size(), client);
    }

    // 1000 lines, the widest of 120 columns.
    void CompareThousandLines()
    {
        std::string old;
        for (int i = 0; i < 999; ++i)
            old += "line\n";
        old += std::string(120, 'w');
        ASSERT_TRUE(doc_.RunFileComparison(Write("old.txt", old), Write("new.txt", "other\n")));
        ASSERT_EQ(doc_.firstBuf()->GetCount(), 1000);
    }
};

struct SIZES_CASE
{
    const char* name;
    long long totalWidth;
    long long totalHeight;
};

TEST_F(DiffViewScrollTest, ScrollSizesFollowTheContentAndTheMetrics)
{
    {
        SCOPED_TRACE("no files: 80 columns by 10 rows");
        CDiffView view(doc_, appearance_, host_);
        Place(view, 0, false);
        EXPECT_EQ(view.ScrollSizes().totalWidth, 80 * 8);
        EXPECT_EQ(view.ScrollSizes().totalHeight, 10 * 16);
    }
    CompareThousandLines();
    CDiffView view(doc_, appearance_, host_);
    Place(view, 0, false);
    const CDiffView::SCROLL_SIZES& sizes = view.ScrollSizes();
    EXPECT_EQ(sizes.totalWidth, 960);
    EXPECT_EQ(sizes.totalHeight, 16000);
    EXPECT_EQ(sizes.pageWidth, 495) << "the client width down to whole widest characters";
    EXPECT_EQ(sizes.pageHeight, 400);
    EXPECT_EQ(sizes.lineWidth, 9);
    EXPECT_EQ(sizes.lineHeight, 16);

    // The second file's pane: one line and a final empty one, raised to the
    // least layout of 10 columns by 10 rows.
    view.sideIndex = 1;
    view.SetMetrics({16, 9, 8});
    EXPECT_EQ(view.ScrollSizes().totalWidth, 10 * 8);
    EXPECT_EQ(view.ScrollSizes().totalHeight, 10 * 16);
}

TEST_F(DiffViewScrollTest, HexScrollSizesCountBytesPerRowAndTheShownColumns)
{
    // 32 bytes: two full rows and the row after them, raised to 10 rows.
    std::string bytes(32, '\0');
    ASSERT_TRUE(doc_.RunFileComparison(Write("a.bin", bytes), Write("b.bin", bytes + "x")));
    ASSERT_EQ(doc_.firstBuf()->type(), CDiffBuf::Binary);
    struct HEX_CASE
    {
        const char* name;
        int bytesPerRow;
        bool showIndex;
        bool showAscii;
        long long columns;
        int boundedBytesPerRow;
    };
    const std::vector<HEX_CASE> cases = {
        {"both columns", 16, true, true, 3 * 16 + 1 + 10 + 2 * 16, 16},
        {"hex only", 16, false, false, 3 * 16 + 1, 16},
        {"stored 0 reads as 1", 0, false, false, 10, 1},
        {"stored 500 reads as 100", 500, true, true, 3 * 100 + 1 + 10 + 2 * 100, 100},
    };
    for (const HEX_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        appearance_.bytesPerRow = c.bytesPerRow;
        appearance_.showIndex = c.showIndex;
        appearance_.showAscii = c.showAscii;
        CDiffView view(doc_, appearance_, host_);
        Place(view, 0, false);
        EXPECT_EQ(view.BytesPerRow(), c.boundedBytesPerRow);
        EXPECT_EQ(view.ScrollSizes().totalWidth, std::max(c.columns, 10LL) * 8);
        const long long rows = std::max(32LL / c.boundedBytesPerRow + 1, 10LL);
        EXPECT_EQ(view.ScrollSizes().totalHeight, rows * 16);
    }
}

TEST_F(DiffViewScrollTest, PositionsAreFractionsAtTheReadingLine)
{
    CompareThousandLines();
    CDiffView view(doc_, appearance_, host_);
    Place(view, 0, false);
    struct POSITION_CASE
    {
        const char* name;
        double fraction;
        int y;
    };
    const std::vector<POSITION_CASE> cases = {
        {"top", 0.0, 0},
        {"middle at the reading line", 0.5, 7900},
        {"a half pixel rounds down the page", 200.5 / 16000, 101},
        {"less than half rounds up the page", 200.4 / 16000, 100},
        {"above the top", -1.0, 0},
        {"beyond the end stops at the last page", 2.0, 16000 - 400},
    };
    for (const POSITION_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        view.horizontalScrollBar()->setValue(40);
        view.SetPosition(c.fraction);
        EXPECT_EQ(view.ScrollPosition(), QPoint(0, c.y));
    }
    view.SetPosition(0.5);
    EXPECT_DOUBLE_EQ(view.GetPosition(), 0.5);
    double top = 0;
    double bottom = 0;
    view.GetVisibleRange(&top, &bottom);
    EXPECT_DOUBLE_EQ(top, 7900.0 / 16000);
    EXPECT_DOUBLE_EQ(bottom, 8300.0 / 16000);

    // A pane taller than its content shows a range reaching beyond 1.
    view.sideIndex = 1;
    view.SetMetrics({16, 9, 8});
    view.GetVisibleRange(&top, &bottom);
    EXPECT_DOUBLE_EQ(bottom, 400.0 / 160);
    EXPECT_DOUBLE_EQ(view.GetPosition(), 100.0 / 160);
}

struct KEY_CASE
{
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    QPoint from;
    QPoint to;
};

TEST_F(DiffViewScrollTest, ScrollKeysMoveByLinesAndPagesWithinTheContent)
{
    CompareThousandLines();
    CDiffView view(doc_, appearance_, host_);
    Place(view, 0, false);
    // Scroll range: x 0 to 960 - 500, y 0 to 16000 - 400.
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const std::vector<KEY_CASE> cases = {
        {"Home", Qt::Key_Home, none, {45, 800}, {0, 0}},
        {"End", Qt::Key_End, none, {45, 800}, {0, 15600}},
        {"Page Down", Qt::Key_PageDown, none, {45, 800}, {45, 1200}},
        {"Page Down at the end", Qt::Key_PageDown, none, {0, 15500}, {0, 15600}},
        {"Page Up", Qt::Key_PageUp, none, {0, 200}, {0, 0}},
        {"Down", Qt::Key_Down, none, {0, 800}, {0, 816}},
        {"Up", Qt::Key_Up, none, {0, 800}, {0, 784}},
        {"Left", Qt::Key_Left, none, {45, 0}, {36, 0}},
        {"Right", Qt::Key_Right, none, {45, 0}, {54, 0}},
        {"Ctrl+Left", Qt::Key_Left, Qt::ControlModifier, {45, 0}, {0, 0}},
        {"Ctrl+Right", Qt::Key_Right, Qt::ControlModifier, {45, 0}, {460, 0}},
    };
    for (const KEY_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        view.horizontalScrollBar()->setValue(c.from.x());
        view.verticalScrollBar()->setValue(c.from.y());
        QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers);
        QApplication::sendEvent(&view, &press);
        EXPECT_EQ(view.ScrollPosition(), c.to);
    }
}

TEST_F(DiffViewScrollTest, AWheelNotchMovesItsDeltaInPixels)
{
    CompareThousandLines();
    CDiffView view(doc_, appearance_, host_);
    Place(view, 0, false);
    view.verticalScrollBar()->setValue(1000);
    const QPointF at(10, 10);
    QWheelEvent down(at, view.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &down);
    EXPECT_EQ(view.ScrollPosition(), QPoint(0, 1120));
    QWheelEvent up(at, view.mapToGlobal(at), QPoint(), QPoint(0, 360), Qt::NoButton, Qt::NoModifier,
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &up);
    EXPECT_EQ(view.ScrollPosition(), QPoint(0, 760));
}

} // namespace
