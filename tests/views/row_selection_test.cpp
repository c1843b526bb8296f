#include "file_result_fixture.h"
#include "views/diff_view.h"
#include "views/row_search.h"
#include "views/row_selection.h"
#include "views/row_text.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// Selecting rows with the mouse and the keys, and the rows' text as copied.
class RowSelectionTest : public CFileResultFixture
{
protected:
    void Show(CDiffView& view, int sideIndex, bool composite)
    {
        view.sideIndex = sideIndex;
        view.composite = composite;
        view.resize(600, 400);
        view.show();
        view.OnUpdate(UpdateHint::FileResultChanged);
    }

    // Mouse events at the middle of a content row, as the viewport gets them.
    static void Mouse(CDiffView& view, QEvent::Type type, long long row,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const int lineHeight = view.Metrics().lineHeight;
        const QPointF at(20, row * lineHeight + lineHeight / 2 - view.ScrollPosition().y());
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), Qt::LeftButton, held,
                          modifiers);
        QApplication::sendEvent(view.viewport(), &event);
    }

    static void Drag(CDiffView& view, long long from, long long to)
    {
        Mouse(view, QEvent::MouseButtonPress, from);
        Mouse(view, QEvent::MouseMove, to);
        Mouse(view, QEvent::MouseButtonRelease, to);
    }

    static void Key(CDiffView& view, int key, Qt::KeyboardModifiers modifiers)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(&view, &event);
    }
};

// A: a1..a6, B: b1 b2, C: c1..c6; the second file has A C B.
TEST_F(RowSelectionTest, ACopyAcrossBlocksHasTheRowsOfEachLayout)
{
    CompareWithAMove();
    struct Case
    {
        const char* name;
        int side;
        bool composite;
        long long from;
        long long to;
        const char* text;
    };
    const Case cases[] = {
        {"old side, from A into B", 0, false, 4, 6, "a5\na6\nb1\n"},
        {"new side, from C into B", 1, false, 11, 12, "c6\nb1\n"},
        // The composite shows B at its old and its new place.
        {"composite, over all three", 0, true, 5, 8, "a6\nb1\nb2\nc1\n"},
        {"dragged upwards", 1, false, 7, 5, "a6\nc1\nc2\n"},
    };
    for (const Case& c : cases) {
        CDiffView view(doc_, appearance_, host_);
        Show(view, c.side, c.composite);
        Drag(view, c.from, c.to);
        EXPECT_EQ(view.SelectedText(), QString::fromLatin1(c.text)) << c.name;
    }
}

TEST_F(RowSelectionTest, ShiftClickAndShiftKeysExtendFromTheAnchor)
{
    CompareOneChangedLine();
    CDiffView view(doc_, appearance_, host_);
    Show(view, 1, false);
    Mouse(view, QEvent::MouseButtonPress, 2);
    Mouse(view, QEvent::MouseButtonRelease, 2);
    Mouse(view, QEvent::MouseButtonPress, 4, Qt::ShiftModifier);
    EXPECT_EQ(view.SelectedText(), "3\nnew\n4\n");
    Key(view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(view.SelectedText(), "3\nnew\n4\n5\n");
    Key(view, Qt::Key_Up, Qt::ShiftModifier);
    Key(view, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(view.SelectedText(), "3\nnew\n");
    Key(view, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(view.SelectedText(), "3\n");
    Key(view, Qt::Key_Home, Qt::ShiftModifier);
    EXPECT_EQ(view.SelectedText(), "1\n2\n3\n");
    Key(view, Qt::Key_End, Qt::ShiftModifier);
    EXPECT_EQ(view.SelectedText(), "3\nnew\n4\n5\n6\n");
    // Without shift the keys only scroll.
    Key(view, Qt::Key_Up, Qt::NoModifier);
    EXPECT_EQ(view.Selection().Last(), view.Rows().RowCount() - 1);

    view.SelectAll();
    EXPECT_EQ(view.SelectedText(), "1\n2\n3\nnew\n4\n5\n6\n");
    // A new result starts without a selection.
    CompareOneChangedLine();
    view.OnUpdate(UpdateHint::FileResultChanged);
    EXPECT_TRUE(view.Selection().IsEmpty());
    EXPECT_EQ(view.SelectedText(), "");
}

TEST_F(RowSelectionTest, SelectedRowsAreDrawnInTheHighlightColours)
{
    CompareOneChangedLine();
    CDiffView view(doc_, appearance_, host_);
    Show(view, 0, false);
    Drag(view, 1, 2);
    const QColor highlight = view.palette().color(QPalette::Highlight);
    const int x = view.viewport()->width() - 3;
    const int lineHeight = view.Metrics().lineHeight;
    const QImage image = view.viewport()->grab().toImage();
    EXPECT_EQ(image.pixelColor(x, lineHeight / 2).rgb(), Bg(16).rgb());
    EXPECT_EQ(image.pixelColor(x, lineHeight + lineHeight / 2).rgb(), highlight.rgb());
    EXPECT_EQ(image.pixelColor(x, 2 * lineHeight + lineHeight / 2).rgb(), highlight.rgb());
    EXPECT_EQ(image.pixelColor(x, 3 * lineHeight + lineHeight / 2).rgb(), Bg(7).rgb());
}

TEST_F(RowSelectionTest, TextRowsAreDecodedAsShownAndKeepTheirTabs)
{
    ASSERT_TRUE(doc_.OpenSingleFile(Write("mixed.txt", "caf\xC3\xA9\n\tcaf\xE9\n")));
    CDiffView view(doc_, appearance_, host_);
    Show(view, 0, false);
    view.SelectAll();
    EXPECT_EQ(view.SelectedText(), QString::fromUtf8("caf\xC3\xA9\n\tcaf\xC3\xA9\n"));
}

TEST_F(RowSelectionTest, HexRowsCopyTheirBytesAsHexPairs)
{
    appearance_.bytesPerRow = 4;
    const std::string common("\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B", 12);
    ASSERT_TRUE(doc_.RunFileComparison(Write("old.bin", common + std::string("\xFF\xFE", 2)),
                                       Write("new.bin", common + std::string("\x7F", 1))));
    for (const bool composite : {false, true}) {
        CDiffView view(doc_, appearance_, host_);
        Show(view, 0, composite);
        Drag(view, 1, 3);
        const QString expected = composite ? "04 05 06 07\n08 09 0A 0B\nFF FE 7F\n"
                                           : "04 05 06 07\n08 09 0A 0B\nFF FE\n";
        EXPECT_EQ(view.SelectedText(), expected) << composite;
    }
}

TEST(RowSelectionLogic, AnchorStaysWhileTheActiveEndMoves)
{
    CRowSelection selection;
    EXPECT_FALSE(selection.Contains(0));
    selection.ExtendTo(5);
    EXPECT_EQ(selection.First(), 5);
    selection.ExtendTo(2);
    EXPECT_EQ(selection.First(), 2);
    EXPECT_EQ(selection.Last(), 5);
    EXPECT_TRUE(selection.Contains(3));
    EXPECT_FALSE(selection.Contains(6));
    selection.SelectAll(0);
    EXPECT_TRUE(selection.IsEmpty());
}

// --- Finding ---------------------------------------------------------------------------

TEST_F(RowSelectionTest, FindGoesRowByRowWithCaseAndWrapping)
{
    ASSERT_TRUE(doc_.OpenSingleFile(Write("find.txt", "Alpha\nbeta\nALPHA\ngamma\nalpha\n")));
    const CRowText rows(doc_, doc_.allList(), 0, 16);
    struct Case
    {
        const char* needle;
        long long from;
        bool forwards;
        bool matchCase;
        long long row;
        bool wrapped;
    };
    const Case cases[] = {
        {"alpha", -1, true, false, 0, false},  {"alpha", 0, true, false, 2, false},
        {"alpha", 2, true, true, 4, false},    {"alpha", 4, true, true, 4, true},
        {"alpha", 4, true, false, 0, true},    {"alpha", 0, false, false, 4, true},
        {"ALPHA", 4, false, true, 2, false},   {"delta", 0, true, false, -1, false},
        {"gamma", -1, false, false, 3, false},
    };
    for (const Case& c : cases) {
        const CRowSearch::MATCH match =
            CRowSearch::Find(rows, QString::fromLatin1(c.needle), c.from, c.forwards, c.matchCase);
        EXPECT_EQ(match.firstRow, c.row) << c.needle << " from " << c.from;
        EXPECT_EQ(match.wrapped, c.wrapped) << c.needle << " from " << c.from;
    }
}

TEST_F(RowSelectionTest, HexRowsFindHexBytesOrTextOverRowEnds)
{
    appearance_.bytesPerRow = 4;
    ASSERT_TRUE(
        doc_.OpenSingleFile(Write("find.bin", std::string("\x00\x01zzHeLLo\x00\xAB\xCD\x02", 13))));
    ASSERT_EQ(doc_.firstBuf()->type(), CDiffBuf::Binary);
    const CRowText rows(doc_, doc_.allList(), 0, 4);
    EXPECT_EQ(CRowSearch::HexNeedle("ab cd"), QByteArray("\xAB\xCD"));
    EXPECT_EQ(CRowSearch::HexNeedle("abc"), QByteArray("abc"));
    struct Case
    {
        const char* needle;
        bool matchCase;
        long long first;
        long long last;
    };
    const Case cases[] = {
        {"cd 02", false, 2, 3},    // the bytes CD 02, from the third row into the fourth
        {"00 AB cd", true, 2, 2},  // hex pairs match whatever the case option
        {"zzhello", false, 0, 2},  // text over three rows
        {"zzhello", true, -1, -1}, // not with the case kept
        {"HeLLo", true, 1, 2},
    };
    for (const Case& c : cases) {
        const CRowSearch::MATCH match =
            CRowSearch::Find(rows, QString::fromLatin1(c.needle), -1, true, c.matchCase);
        EXPECT_EQ(match.firstRow, c.first) << c.needle;
        EXPECT_EQ(match.lastRow, c.last) << c.needle;
    }
}

} // namespace
