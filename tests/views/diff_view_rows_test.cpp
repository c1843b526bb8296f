#include "file_result_fixture.h"
#include "views/diff_view.h"
#include "document/hex_format.h"

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>

#include <functional>

namespace {

// Panes drawn into images and read back row by row.
class DiffViewRowsTest : public CFileResultFixture
{
protected:
    void Show(CDiffView& view, int sideIndex, bool composite, QSize size = {600, 400})
    {
        view.sideIndex = sideIndex;
        view.composite = composite;
        view.resize(size);
        view.show();
        view.OnUpdate(UpdateHint::FileResultChanged);
    }

    // The image of one content row of a pane as it is scrolled now.
    static QImage Row(CDiffView& view, long long row)
    {
        const int lineHeight = view.Metrics().lineHeight;
        const int top = static_cast<int>(row * lineHeight - view.ScrollPosition().y());
        return view.viewport()->grab().toImage().copy(0, top, view.viewport()->width(), lineHeight);
    }

    static bool IsInk(QRgb pixel, QRgb background)
    {
        return std::abs(qGray(pixel) - qGray(background)) > 80;
    }

    // The longest run of ink on any pixel row of an image: a struck-out text
    // has a line through all of its characters, a plain one has gaps.
    static int LongestInkRun(const QImage& image, QRgb background)
    {
        int longest = 0;
        for (int y = 0; y < image.height(); ++y) {
            int run = 0;
            for (int x = 0; x < image.width(); ++x) {
                run = IsInk(image.pixel(x, y), background) ? run + 1 : 0;
                longest = std::max(longest, run);
            }
        }
        return longest;
    }

    QColor Fg(int index) const { return appearance_.GetTxtPaletteColor(index); }
};

TEST_F(DiffViewRowsTest, RemovedRowsAreStruckOutByDefault)
{
    // The same text once common (row 0) and once removed (row 4).
    ASSERT_TRUE(doc_.RunFileComparison(Write("old.txt", "oooo\n1\n2\n3\noooo\n4\n5\n6\n"),
                                       Write("new.txt", "oooo\n1\n2\n3\n4\n5\n6\n")));
    CDiffView view(doc_, appearance_, host_);
    Show(view, 0, false);
    const int glyph = view.Metrics().aveCharWidth;
    EXPECT_LT(LongestInkRun(Row(view, 0), Bg(16).rgb()), 2 * glyph);
    EXPECT_GT(LongestInkRun(Row(view, 4), Bg(7).rgb()), 3 * glyph);
    EXPECT_EQ(Row(view, 4).pixel(view.viewport()->width() - 2, 1), Bg(7).rgb());

    // Without the emphasis the removed row has gaps like any other.
    appearance_.oldEmphasis = QStringLiteral("Normal");
    view.OnUpdate(UpdateHint::AppearanceChanged);
    EXPECT_LT(LongestInkRun(Row(view, 4), Bg(7).rgb()), 2 * glyph);
}

TEST_F(DiffViewRowsTest, ATabIsTabSizeBlanksWhereverItStands)
{
    ASSERT_TRUE(doc_.OpenSingleFile(Write("tabs.txt", "\tX\n    X\n  X\nab\tX\nab    X\n")));
    CDiffView view(doc_, appearance_, host_);
    Show(view, 0, false);
    EXPECT_EQ(Row(view, 0), Row(view, 1));
    EXPECT_NE(Row(view, 0), Row(view, 2));
    EXPECT_EQ(Row(view, 3), Row(view, 4)) << "no tab stops: four blanks after two letters too";
}

TEST_F(DiffViewRowsTest, RowsFarDownAreFoundAmongManyBlocks)
{
    // 3000 lines; every hundredth, from line 50 on, differs.
    std::string old;
    std::string now;
    for (int i = 0; i < 3000; ++i) {
        old += "line " + std::to_string(i) + "\n";
        now += (i % 100 == 50 ? "changed " : "line ") + std::to_string(i) + "\n";
    }
    ASSERT_TRUE(doc_.RunFileComparison(Write("old.txt", old), Write("new.txt", now)));
    ASSERT_GT(doc_.firstList().GetCount(), 50);
    CDiffView view(doc_, appearance_, host_);
    Show(view, 0, false);
    const int lineHeight = view.Metrics().lineHeight;
    const int x = view.viewport()->width() - 2;
    for (long long top : {1540LL, 2940LL}) {
        SCOPED_TRACE(top);
        view.verticalScrollBar()->setValue(static_cast<int>(top * lineHeight));
        ASSERT_EQ(view.ScrollPosition().y(), top * lineHeight);
        const long long removed = top + 10;
        EXPECT_EQ(Row(view, removed - 1).pixel(x, 1), Bg(16).rgb());
        EXPECT_EQ(Row(view, removed).pixel(x, 1), Bg(7).rgb());
        EXPECT_EQ(Row(view, removed + 1).pixel(x, 1), Bg(16).rgb());
    }
    // Scrolled to the right, the bands still reach the pane's right edge.
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
    EXPECT_EQ(Row(view, 2950).pixel(x, 1), Bg(7).rgb());
}

TEST(HexFormatTest, ColumnsAreUpperCaseDigitsAndCharactersEachFollowedByABlank)
{
    EXPECT_EQ(CHexFormat::FormatOffset(0), QStringLiteral("00000000: "));
    EXPECT_EQ(CHexFormat::FormatOffset(0x1A2Bu), QStringLiteral("00001A2B: "));
    EXPECT_EQ(CHexFormat::FormatOffset(0xFFFFFFFFu), QStringLiteral("FFFFFFFF: "));
    const unsigned char bytes[] = {0x0A, 0xE9, 0x7F, 0x20, 'a', 0x00, 0x1F};
    EXPECT_EQ(CHexFormat::FormatHexBytes(bytes, 7), QStringLiteral("0A E9 7F 20 61 00 1F "));
    EXPECT_EQ(CHexFormat::FormatAsciiBytes(bytes, 7),
              QString::fromUtf8("# \xC3\xA9 \x7F   a # # "));
    EXPECT_EQ(CHexFormat::FormatHexBytes(bytes, 0), QString());
}

TEST_F(DiffViewRowsTest, HexRowShowsOffsetDigitsAndCharactersInTheirColumns)
{
    appearance_.bytesPerRow = 16;
    appearance_.showIndex = true;
    appearance_.showAscii = true;
    ASSERT_TRUE(doc_.OpenSingleFile(Write("abc.bin", std::string("abc\0", 4))));
    ASSERT_EQ(doc_.firstBuf()->type(), CDiffBuf::Binary);
    CDiffView view(doc_, appearance_, host_);
    Show(view, 0, true);
    const QImage row = Row(view, 0);

    // The same row drawn by hand: the label at the left, the digits right
    // after it, the characters from 16 * 3 + 1 + 10 average widths on.
    QImage expected(row.size(), row.format());
    expected.fill(view.viewport()->palette().color(QPalette::Base));
    QPainter painter(&expected);
    const QFont font = appearance_.MakeFont(ContentKind::Normal, view.logicalDpiY());
    painter.setFont(font);
    const QFontMetrics metrics(font);
    int x = 0;
    const auto draw = [&](const QString& text, int at) {
        const int width = metrics.horizontalAdvance(text);
        painter.fillRect(at, 0, width, row.height(), Bg(16));
        painter.setPen(appearance_.GetNormalTxtCol());
        painter.drawText(at, metrics.ascent(), text);
        return width;
    };
    x += draw(QStringLiteral("00000000: "), x);
    draw(QStringLiteral("61 62 63 00 "), x);
    draw(QString::fromLatin1("a b c # "), view.Metrics().aveCharWidth * (16 * 3 + 1 + 10));
    painter.end();
    EXPECT_EQ(row, expected);
}

TEST_F(DiffViewRowsTest, HexRowHoldsPiecesOfConsecutiveBlocks)
{
    appearance_.bytesPerRow = 10;
    appearance_.showIndex = false;
    appearance_.showAscii = true;
    std::string common;
    for (int i = 0; i < 40; ++i)
        common += static_cast<char>('A' + i % 26);
    ASSERT_TRUE(doc_.RunFileComparison(Write("old.bin", std::string("\x01\x02\x03", 3) + common),
                                       Write("new.bin", std::string("\x7F", 1) + common)));
    ASSERT_EQ(doc_.firstBuf()->type(), CDiffBuf::Binary);
    ASSERT_GE(doc_.firstList().GetCount(), 2);
    ASSERT_EQ(doc_.firstList().At(0)->length, 3);
    ASSERT_EQ(doc_.firstList().At(0)->kind, BlockKind::Unmatched);

    CDiffView view(doc_, appearance_, host_);
    Show(view, 0, false);
    const QImage row = Row(view, 0);
    const int digit = QFontMetrics(appearance_.MakeFont(ContentKind::Normal, view.logicalDpiY()))
                          .horizontalAdvance('0');
    const int charStart = view.Metrics().aveCharWidth * (3 * 10 + 1);
    for (int byte = 0; byte < 10; ++byte) {
        SCOPED_TRACE(byte);
        const QRgb expected = byte < 3 ? Bg(7).rgb() : Bg(16).rgb();
        // Just inside each piece's cell, above the glyphs.
        EXPECT_EQ(row.pixel(byte * 3 * digit + 1, 0), expected);
        EXPECT_EQ(row.pixel(charStart + byte * 2 * digit + 1, 0), expected);
    }
    // No band: past the last piece the pane's own background shows.
    EXPECT_EQ(row.pixel(view.viewport()->width() - 2, 0),
              view.viewport()->palette().color(QPalette::Base).rgb());
}

TEST_F(DiffViewRowsTest, HexRowsFarDownStartAtTheirRowsFirstByte)
{
    appearance_.bytesPerRow = 16;
    appearance_.showIndex = true;
    std::string old(100000, '\0');
    for (std::size_t i = 0; i < old.size(); ++i)
        old[i] = static_cast<char>((i * 7919) >> 3);
    std::string now = old;
    now[50000] = static_cast<char>(~now[50000]);
    ASSERT_TRUE(doc_.RunFileComparison(Write("old.bin", old), Write("new.bin", now)));
    CDiffView view(doc_, appearance_, host_);
    Show(view, 1, false);
    const int lineHeight = view.Metrics().lineHeight;
    const long long row = 50000 / 16; // byte 50000 is the row's first byte
    view.verticalScrollBar()->setValue(static_cast<int>((row - 5) * lineHeight));
    const QFont font = appearance_.MakeFont(ContentKind::Normal, view.logicalDpiY());
    const int label = QFontMetrics(font).horizontalAdvance(QStringLiteral("00000000: "));
    const QImage changed = Row(view, row);
    EXPECT_EQ(changed.pixel(label + 1, 0), Bg(11).rgb()) << "the added byte";
    EXPECT_EQ(changed.pixel(label + 3 * QFontMetrics(font).horizontalAdvance('0') + 1, 0),
              Bg(16).rgb());
    EXPECT_EQ(Row(view, row - 1).pixel(label + 1, 0), Bg(16).rgb());

    // The label carries the row's offset: the same text as a row drawn by
    // hand would show, so the row above differs from it only in its digits.
    EXPECT_NE(Row(view, row).copy(0, 0, label, lineHeight),
              Row(view, row - 1).copy(0, 0, label, lineHeight));
}

// A user seam that paints the panes while the worker runs, as the progress
// dialog's event loop does in the window.
class PaintingSeam : public CSyncUserSeam
{
public:
    void RunComparison(CWorker& worker) override
    {
        if (whileRunning)
            whileRunning();
        CSyncUserSeam::RunComparison(worker);
    }
    std::function<void()> whileRunning;
};

TEST_F(DiffViewRowsTest, WhileAComparisonRunsThePanesDrawNothingFromIt)
{
    PaintingSeam seam;
    CDiffDoc doc(seam);
    ASSERT_TRUE(doc.RunFileComparison(Write("a.txt", "1\n2\n3\n"), Write("b.txt", "1\n3\n")));
    CDiffView view(doc, appearance_, host_);
    view.composite = true;
    view.resize(300, 200);
    view.show();
    view.OnUpdate(UpdateHint::FileResultChanged);
    const QRgb base = view.viewport()->palette().color(QPalette::Base).rgb();
    ASSERT_NE(view.viewport()->grab().toImage().pixel(2, 2), base);

    int paints = 0;
    seam.whileRunning = [&] {
        ASSERT_TRUE(doc.IsComparing());
        view.OnUpdate(UpdateHint::AppearanceChanged);
        EXPECT_EQ(ColoursDown(*view.viewport(), 2, 0, view.viewport()->height()),
                  std::vector<QRgb>{base});
        ++paints;
    };
    ASSERT_TRUE(doc.RunFileComparison(Write("c.txt", "x\ny\n"), Write("d.txt", "y\nz\n")));
    EXPECT_EQ(paints, 1);
}

} // namespace
