#include "file_result_fixture.h"
#include "views/diff_view.h"

#include <QFontMetrics>

namespace {

// Removed and added lines that stand opposite each other, drawn with the
// changed characters on the stronger shade of their background.
class LineChangesViewTest : public CFileResultFixture
{
protected:
    // Line 4 of each file differs in the letter case of its first word and
    // in the first letter of its second.
    void CompareAChangedWord()
    {
        ASSERT_TRUE(doc_.RunFileComparison(Write("old.txt", "1\n2\n3\nHello brave world\n4\n5\n6\n"),
                                           Write("new.txt", "1\n2\n3\nhello grave world\n4\n5\n6\n")));
    }

    void Show(CDiffView& view, int sideIndex, bool composite)
    {
        view.sideIndex = sideIndex;
        view.composite = composite;
        view.showLineChanges = true;
        view.resize(500, 300);
        view.show();
        view.OnUpdate(UpdateHint::FileResultChanged);
    }

    // Which character columns of a content row lie on the stronger shade,
    // read along the row's top pixel line, above every glyph.
    std::vector<bool> ShadedColumns(CDiffView& view, long long row, ContentKind kind, int columns)
    {
        const QImage image = view.viewport()->grab().toImage();
        const QFont font = appearance_.MakeFont(kind, view.logicalDpiY());
        const int width = QFontMetrics(font).horizontalAdvance(QLatin1Char('x'));
        const int y = static_cast<int>(row * view.Metrics().lineHeight) + 1;
        const QRgb shade = appearance_.ChangedBgColor(kind).rgb();
        std::vector<bool> shaded;
        for (int c = 0; c < columns; ++c)
            shaded.push_back(image.pixel(c * width + width / 2, y) == shade);
        return shaded;
    }
};

struct MARK_CASE
{
    const char* name;
    int sideIndex;
    bool composite;
    long long row;
    ContentKind kind;
};

TEST_F(LineChangesViewTest, AChangedWordIsMarkedOnBothSidesInBothLayouts)
{
    CompareAChangedWord();
    // "Hello brave world": H and b changed, the rest not.
    const std::vector<bool> marked = {true,  false, false, false, false, false, true,
                                      false, false, false, false, false, false, false};
    const std::vector<MARK_CASE> cases = {
        {"first file", 0, false, 3, ContentKind::Old},
        {"second file", 1, false, 3, ContentKind::New},
        {"composite, removed", 0, true, 3, ContentKind::Old},
        {"composite, added", 0, true, 4, ContentKind::New},
    };
    for (const MARK_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CDiffView view(doc_, appearance_, host_);
        Show(view, c.sideIndex, c.composite);
        EXPECT_EQ(ShadedColumns(view, c.row, c.kind, 14), marked);
        // Common rows never are.
        EXPECT_EQ(ShadedColumns(view, 0, ContentKind::Normal, 1), std::vector<bool>{false});
    }
}

TEST_F(LineChangesViewTest, AnIgnoredCaseDifferenceIsNotMarked)
{
    doc_.settings.ignoreCase = true;
    CompareAChangedWord();
    CDiffView view(doc_, appearance_, host_);
    Show(view, 0, false);
    const std::vector<bool> shaded = ShadedColumns(view, 3, ContentKind::Old, 7);
    EXPECT_FALSE(shaded[0]) << "H and h are the same letter here";
    EXPECT_TRUE(shaded[6]) << "b and g are not";
}

TEST_F(LineChangesViewTest, NothingIsMarkedWhenSwitchedOffOrWithoutALineOpposite)
{
    CompareAChangedWord();
    CDiffView view(doc_, appearance_, host_);
    Show(view, 0, false);
    view.showLineChanges = false;
    view.viewport()->update();
    EXPECT_EQ(ShadedColumns(view, 3, ContentKind::Old, 7), std::vector<bool>(7, false));

    // A removed line with no added line opposite has nothing to differ from.
    ASSERT_TRUE(doc_.RunFileComparison(Write("old.txt", "1\n2\n3\ngone\n4\n5\n6\n"),
                                       Write("new.txt", "1\n2\n3\n4\n5\n6\n")));
    CDiffView alone(doc_, appearance_, host_);
    Show(alone, 0, false);
    EXPECT_EQ(ShadedColumns(alone, 3, ContentKind::Old, 4), std::vector<bool>(4, false));
}

TEST(ChangedBgColorTest, IsAStrongerShadeOfEachKindsOwnBackground)
{
    CAppearance appearance;
    for (ContentKind kind : {ContentKind::Old, ContentKind::New}) {
        const QColor bg = appearance.BgColor(kind);
        const QColor shade = appearance.ChangedBgColor(kind);
        EXPECT_NE(shade, bg);
        // Black text on a light background: a darker shade of it.
        EXPECT_LT(shade.lightness(), bg.lightness());
        EXPECT_NEAR(shade.hue(), bg.hue(), 2);
    }
    // Light text on a dark background: a lighter one, so that the user's
    // own dark colours keep working.
    appearance.oldTxtCol = 1; // White
    appearance.oldBgCol = 3;  // Grey
    EXPECT_GT(appearance.ChangedBgColor(ContentKind::Old).lightness(),
              appearance.BgColor(ContentKind::Old).lightness());
}

} // namespace
