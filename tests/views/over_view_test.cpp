#include "file_result_fixture.h"
#include "views/over_view.h"

namespace {

using OverViewTest = CFileResultFixture;

TEST_F(OverViewTest, StripShowsEachDifferenceInItsColourInContentOrder)
{
    CompareOneChangedLine();
    COverView view(doc_, appearance_, host_);
    view.resize(40, 400);
    // Down the middle of the strip, inside its outline.
    EXPECT_EQ(ColoursDown(view, view.width() / 2, 1, view.height() - 1),
              (std::vector<QRgb>{Bg(16).rgb(), Bg(7).rgb(), Bg(11).rgb(), Bg(16).rgb()}));
}

TEST_F(OverViewTest, WithoutBothFilesTheStripIsBlank)
{
    ASSERT_TRUE(doc_.OpenSingleFile(Write("one.txt", "a\nb\n")));
    COverView view(doc_, appearance_, host_);
    view.resize(40, 400);
    const std::vector<QRgb> colours = ColoursDown(view, view.width() / 2, 0, view.height());
    EXPECT_EQ(colours.size(), 1u);
    EXPECT_NE(colours.front(), Bg(16).rgb());
}

} // namespace
