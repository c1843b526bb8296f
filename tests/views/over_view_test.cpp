#include "file_result_fixture.h"
#include "views/over_view.h"
#include "views/strip_scale.h"

#include <QApplication>
#include <QMouseEvent>

#include <functional>

namespace {

class OverViewTest : public CFileResultFixture
{
protected:
    void Show(COverView& view, bool composite, QSize size)
    {
        view.composite = composite;
        view.resize(size);
        view.show();
    }

    void Click(COverView& view, QPoint at)
    {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), view.mapToGlobal(QPointF(at)),
                          Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &press);
    }

    QRgb Outline() const { return appearance_.GetNormalTxtCol().rgb(); }
    static QRgb Background(const QWidget& view)
    {
        return view.palette().color(QPalette::Window).rgb();
    }

    // Both comparison panes show the given range of their content.
    void PanesShow(double firstTop, double firstBottom, double secondTop, double secondBottom)
    {
        host_.range = [=](int side, double* top, double* bottom) {
            *top = side == 0 ? firstTop : secondTop;
            *bottom = side == 0 ? firstBottom : secondBottom;
            return true;
        };
    }
};

struct SCALE_CASE
{
    const char* name;
    std::vector<BlockKind> kinds;
    std::vector<int> heights;
    double carry;
};

TEST(StripScaleTest, FractionsCarryAndADifferenceNeverVanishes)
{
    // Half a pixel per line; blocks of 3, 3 and 1 lines.
    const std::vector<SCALE_CASE> cases = {
        {"common last block",
         {BlockKind::Common, BlockKind::Common, BlockKind::Common},
         {1, 2, 0},
         0.5},
        {"difference last",
         {BlockKind::Common, BlockKind::Common, BlockKind::Unmatched},
         {1, 2, 1},
         -0.5},
        {"moved last", {BlockKind::Common, BlockKind::Common, BlockKind::Moved}, {1, 2, 1}, -0.5},
    };
    for (const SCALE_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CStripScale scale(0.5);
        std::vector<int> heights;
        const int lengths[] = {3, 3, 1};
        for (std::size_t i = 0; i < c.kinds.size(); ++i) {
            const DIFF_BLOCK block = c.kinds[i] == BlockKind::Common
                                         ? DIFF_BLOCK::MakeCommon(1, lengths[i], 0, 0)
                                         : DIFF_BLOCK::MakeSided(1, c.kinds[i], lengths[i], 0, 0);
            heights.push_back(scale.Next(block));
        }
        EXPECT_EQ(heights, c.heights);
        EXPECT_DOUBLE_EQ(scale.carry(), c.carry);
        EXPECT_EQ(scale.y(), c.heights[0] + c.heights[1] + c.heights[2]);
    }
}

TEST_F(OverViewTest, StripColourIsTheFirstColourThatStandsOut)
{
    COverView view(doc_, appearance_, host_);
    appearance_.normalBgCol = 16;
    appearance_.normalTxtCol = 1;
    appearance_.oldBgCol = 7;      // differs: its background
    appearance_.newBgCol = 16;     // same background,
    appearance_.newTxtCol = 4;     // other text: its text colour
    appearance_.movedToBgCol = 16; // same both ways:
    appearance_.movedToTxtCol = 1; // the fixed red
    EXPECT_EQ(view.StripColor(ContentKind::Old), Bg(7));
    EXPECT_EQ(view.StripColor(ContentKind::New), appearance_.GetTxtPaletteColor(4));
    EXPECT_EQ(view.StripColor(ContentKind::MovedTo), QColor(200, 100, 100));
}

TEST(OverViewGeometryTest, SecondStripKeepsItsDistanceFromTheRightEdge)
{
    EXPECT_EQ(COverView::SecondStripLeft(60), 45);
    EXPECT_EQ(COverView::SecondStripLeft(80), 45);
    EXPECT_EQ(COverView::SecondStripLeft(90), 55);
    EXPECT_EQ(COverView::SecondStripLeft(200), 165);
}

TEST_F(OverViewTest, CompositeStripOutlinesCommonBlocksAndFillsDifferences)
{
    // Nine composite rows at 50 pixels each: 3 common, removed, added, and 4
    // common with the empty last line both files end in.
    CompareOneChangedLine();
    ASSERT_EQ(doc_.allList().total(), 9);
    COverView view(doc_, appearance_, host_);
    PanesShow(0.25, 0.5, 0, 0);
    Show(view, true, {40, 450});
    const QRgb bg = Background(view);
    EXPECT_EQ(ColoursDown(view, 15, 0, 450),
              (std::vector<QRgb>{Outline(), bg, Outline(), Bg(7).rgb(), Bg(11).rgb(), Outline(), bg,
                                 Outline()}));
    // The marker: the shown quarter of the content, beside the strip.
    const QImage image = view.grab().toImage();
    EXPECT_EQ(image.pixel(35, 111), bg);
    EXPECT_EQ(image.pixel(35, 112), Outline());
    EXPECT_EQ(image.pixel(35, 224), Outline());
    EXPECT_EQ(image.pixel(35, 225), bg);
}

TEST_F(OverViewTest, SideStripsJoinTheTwoPlacesOfAMovedBlock)
{
    CompareWithAMove();
    COverView view(doc_, appearance_, host_);
    PanesShow(0, 0.5, 0.5, 1.0);
    Show(view, false, {90, 420});
    const QImage image = view.grab().toImage();
    // Both files have 14 lines: 30 pixels a line.
    EXPECT_EQ(view.leftStripHeight, 420);
    EXPECT_EQ(view.rightStripHeight, 420);
    // B is lines 6 and 7 of the first file and 12 and 13 of the second.
    EXPECT_EQ(image.pixel(20, 7 * 30), appearance_.GetMovedFromBgCol().rgb());
    EXPECT_EQ(image.pixel(65, 13 * 30), appearance_.GetMovedToBgCol().rgb());
    // The line runs between the strips, from the lower place to the upper.
    int linePixels = 0;
    for (int x = 37; x < 53; ++x) {
        for (int y = 0; y < 420; ++y)
            linePixels += image.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
    }
    EXPECT_GE(linePixels, 16);
    EXPECT_EQ(image.pixel(45, 5), Background(view)) << "nothing but the line between the strips";
    // Markers: the first pane shows the upper half, the second the lower.
    EXPECT_EQ(image.pixel(5, 100), Outline());
    EXPECT_EQ(image.pixel(5, 300), Background(view));
    EXPECT_EQ(image.pixel(85, 300), Outline());
    EXPECT_EQ(image.pixel(80, 300), Background(view));
    EXPECT_EQ(image.pixel(85, 100), Background(view));
}

TEST_F(OverViewTest, ALongFileKeepsAOneLineDifferenceVisible)
{
    std::string old;
    for (int i = 0; i < 100000; ++i)
        old += std::to_string(i) + "\n";
    std::string now = old;
    now.replace(now.find("\n50000\n") + 1, 5, "fifty");
    ASSERT_TRUE(doc_.RunFileComparison(Write("old.txt", old), Write("new.txt", now)));
    for (bool composite : {false, true}) {
        SCOPED_TRACE(composite ? "composite" : "side by side");
        COverView view(doc_, appearance_, host_);
        Show(view, composite, {90, 400});
        const std::vector<QRgb> colours = ColoursDown(view, 20, 0, 400);
        EXPECT_NE(std::find(colours.begin(), colours.end(), Bg(7).rgb()), colours.end());
    }
}

TEST_F(OverViewTest, ClicksMoveThePaneOfTheStripClicked)
{
    // The second file is shorter, so its strip is too.
    ASSERT_TRUE(doc_.RunFileComparison(Write("old.txt", "1\n2\n3\n4\n5\n6\n7\n"),
                                       Write("new.txt", "1\n2\n3\n")));
    COverView side(doc_, appearance_, host_);
    Click(side, {20, 50});
    EXPECT_TRUE(host_.positions.empty()) << "no strip drawn yet to map the click to";
    Show(side, false, {90, 400});
    side.grab();
    ASSERT_EQ(side.leftStripHeight, 400);
    ASSERT_EQ(side.rightStripHeight, 400 * 4 / 8);
    Click(side, {49, 100});
    Click(side, {50, 100});
    Click(side, {70, 300}); // below the end of the second strip
    ASSERT_EQ(host_.positions.size(), 3u);
    EXPECT_EQ(host_.positions[0].sideIndex, 0);
    EXPECT_DOUBLE_EQ(host_.positions[0].fraction, 100.0 / 400);
    EXPECT_EQ(host_.positions[1].sideIndex, 1);
    EXPECT_DOUBLE_EQ(host_.positions[1].fraction, 100.0 / 200);
    EXPECT_GT(host_.positions[2].fraction, 1.0) << "the pane takes it as its end";

    host_.positions.clear();
    COverView composite(doc_, appearance_, host_);
    Show(composite, true, {40, 400});
    Click(composite, {60, 100});
    ASSERT_EQ(host_.positions.size(), 1u);
    EXPECT_EQ(host_.positions[0].sideIndex, 0);
    EXPECT_DOUBLE_EQ(host_.positions[0].fraction, 0.25);
}

TEST_F(OverViewTest, WithoutContentToScaleTheStripIsBlank)
{
    struct BLANK_CASE
    {
        const char* name;
        std::function<bool()> open;
    };
    const std::vector<BLANK_CASE> cases = {
        {"a single file", [&] { return doc_.OpenSingleFile(Write("one.txt", "a\nb\n")); }},
        {"two empty files",
         [&] { return doc_.RunFileComparison(Write("e1.txt", ""), Write("e2.txt", "")); }},
    };
    for (const BLANK_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(c.open());
        for (bool composite : {false, true}) {
            COverView view(doc_, appearance_, host_);
            Show(view, composite, {90, 400});
            EXPECT_EQ(ColoursDown(view, 20, 0, view.height()), std::vector<QRgb>{Background(view)});
            if (!composite) {
                Click(view, {20, 100});
                EXPECT_TRUE(host_.positions.empty()) << "no strip to map the click to";
            }
        }
    }
}

} // namespace
