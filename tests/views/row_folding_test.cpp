#include "engine/block_list.h"
#include "views/grouped_number.h"
#include "views/row_folding.h"

#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

namespace {

// A composite list of 20 common lines, one removed, one added and 20 common
// lines: with the context of 3 each run folds 14 rows.
class RowFoldingTest : public ::testing::Test
{
protected:
    RowFoldingTest()
    {
        Add(DIFF_BLOCK::MakeCommon(1, 20, 0, 0));
        Add(DIFF_BLOCK::MakeSided(2, BlockKind::Unmatched, 1, 0, 20));
        Add(DIFF_BLOCK::MakeSided(3, BlockKind::Unmatched, 1, 1, 20));
        Add(DIFF_BLOCK::MakeCommon(4, 20, 21, 21));
    }

    void Add(const DIFF_BLOCK& block)
    {
        blocks_.push_back(std::make_unique<DIFF_BLOCK>(block));
        list_.AddTail(blocks_.back().get());
    }

    std::vector<std::unique_ptr<DIFF_BLOCK>> blocks_;
    CBlockList list_;
    CRowFolding folding_;
};

TEST_F(RowFoldingTest, EachLongCommonRunKeepsItsContextAroundOneMarker)
{
    folding_.Build(list_, 0, 3, true);
    ASSERT_EQ(folding_.Folds().size(), 2u);
    EXPECT_EQ(folding_.Folds()[0].first, 3);
    EXPECT_EQ(folding_.Folds()[0].count, 14);
    EXPECT_EQ(folding_.Folds()[1].first, 25);
    EXPECT_EQ(folding_.Folds()[1].count, 14);
    EXPECT_EQ(folding_.MarkerRow(0), 3);
    EXPECT_EQ(folding_.MarkerRow(1), 12);
    EXPECT_EQ(folding_.ShownCount(42), 16);

    // Content row to shown row and back; hidden rows show as their marker,
    // a marker stands for the first row it hides.
    struct ROW
    {
        long long content;
        long long shown;
    };
    for (const ROW& row : std::vector<ROW>{{0, 0},
                                           {2, 2},
                                           {3, 3},
                                           {16, 3},
                                           {17, 4},
                                           {20, 7},
                                           {21, 8},
                                           {24, 11},
                                           {30, 12},
                                           {39, 13},
                                           {41, 15}}) {
        SCOPED_TRACE(row.content);
        EXPECT_EQ(folding_.ShownRowOf(row.content), row.shown);
    }
    for (const ROW& row : std::vector<ROW>{{0, 0}, {3, 3}, {17, 4}, {21, 8}, {25, 12}, {41, 15}}) {
        SCOPED_TRACE(row.shown);
        EXPECT_EQ(folding_.ContentRowOf(row.shown), row.content);
    }
    EXPECT_EQ(folding_.FoldHolding(2), -1);
    EXPECT_EQ(folding_.FoldHolding(3), 0);
    EXPECT_EQ(folding_.FoldHolding(16), 0);
    EXPECT_EQ(folding_.FoldHolding(17), -1);
    EXPECT_EQ(folding_.FoldShownAt(12), 1);
    EXPECT_EQ(folding_.FoldShownAt(13), -1);

    // Places between rows spread a marker over the rows it hides, and come
    // back to where they were.
    EXPECT_DOUBLE_EQ(folding_.ShownPlaceOf(10.0), 3.5);
    EXPECT_DOUBLE_EQ(folding_.ContentPlaceOf(3.5), 10.0);
    for (double place : {0.0, 2.75, 3.0, 9.9, 17.0, 20.5, 33.25, 41.5, 45.0})
        EXPECT_NEAR(folding_.ContentPlaceOf(folding_.ShownPlaceOf(place)), place, 1e-9) << place;
}

TEST_F(RowFoldingTest, PiecesSplitTheShownRowsAtTheMarkers)
{
    folding_.Build(list_, 0, 3, true);
    const std::vector<CRowFolding::PIECE> pieces = folding_.Pieces(1, 100, 16);
    ASSERT_EQ(pieces.size(), 5u);
    const std::vector<CRowFolding::PIECE> expected = {
        {1, 1, 2, -1}, {3, 3, 1, 0}, {4, 17, 8, -1}, {12, 25, 1, 1}, {13, 39, 3, -1}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(pieces[i].shownFirst, expected[i].shownFirst);
        EXPECT_EQ(pieces[i].contentFirst, expected[i].contentFirst);
        EXPECT_EQ(pieces[i].count, expected[i].count);
        EXPECT_EQ(pieces[i].fold, expected[i].fold);
    }
}

TEST_F(RowFoldingTest, TheContextDecidesWhatFolds)
{
    struct CASE
    {
        int context;
        bool on;
        std::size_t folds;
        long long firstHidden; // rows the first fold hides
    };
    const std::vector<CASE> cases = {
        {3, false, 0, 0},  // off: nothing folds
        {0, true, 2, 20},  // no context: every common row folds
        {9, true, 2, 2},   // 20 rows are longer than twice 9
        {10, true, 0, 0},  // but not than twice 10
        {-2, true, 2, 20}, // a negative context counts as none
    };
    for (const CASE& c : cases) {
        SCOPED_TRACE(c.context);
        folding_.Build(list_, 0, c.context, c.on);
        ASSERT_EQ(folding_.Folds().size(), c.folds);
        if (c.folds > 0) {
            EXPECT_EQ(folding_.Folds()[0].count, c.firstHidden);
        }
    }
}

TEST(RowFoldingRunTest, AMarkerNeverStandsForASingleRow)
{
    // Runs of 7 and 8 common lines with the context of 3: the first would
    // hide one line behind a marker as tall as the line, the second hides 2.
    std::vector<std::unique_ptr<DIFF_BLOCK>> blocks;
    CBlockList list;
    for (const DIFF_BLOCK& block : {DIFF_BLOCK::MakeCommon(1, 7, 0, 0),
                                    DIFF_BLOCK::MakeSided(2, BlockKind::Unmatched, 1, 0, 7),
                                    DIFF_BLOCK::MakeCommon(3, 8, 8, 7)}) {
        blocks.push_back(std::make_unique<DIFF_BLOCK>(block));
        list.AddTail(blocks.back().get());
    }
    CRowFolding folding;
    folding.Build(list, 0, 3, true);
    ASSERT_EQ(folding.Folds().size(), 1u);
    EXPECT_EQ(folding.Folds()[0].first, 11);
    EXPECT_EQ(folding.Folds()[0].count, 2);
}

TEST_F(RowFoldingTest, AnOpenedFoldStaysOpenUntilForgotten)
{
    folding_.Build(list_, 0, 3, true);
    folding_.Open(0);
    ASSERT_EQ(folding_.Folds().size(), 1u);
    EXPECT_EQ(folding_.Folds()[0].first, 25);
    EXPECT_EQ(folding_.MarkerRow(0), 25);
    EXPECT_EQ(folding_.ShownCount(42), 29);
    // Found anew, with another context, the opened run stays open.
    folding_.Build(list_, 0, 2, true);
    ASSERT_EQ(folding_.Folds().size(), 1u);
    EXPECT_EQ(folding_.Folds()[0].first, 24);
    folding_.Forget();
    folding_.Build(list_, 0, 3, true);
    EXPECT_EQ(folding_.Folds().size(), 2u);
    folding_.Open(7); // no such fold
    EXPECT_EQ(folding_.Folds().size(), 2u);
}

TEST_F(RowFoldingTest, HexRowsFoldOnlyWhereWhollyCommon)
{
    // Bytes: 20 common, 1 removed, 1 added, 20 common; 4 bytes a row. The
    // first run fills rows 0 to 4; the second starts in row 5 (bytes 20 to
    // 23 hold the two differing bytes) and its rows 6 to 10 are common, the
    // last one short.
    folding_.Build(list_, 4, 1, true);
    ASSERT_EQ(folding_.Folds().size(), 2u);
    EXPECT_EQ(folding_.Folds()[0].first, 1);
    EXPECT_EQ(folding_.Folds()[0].count, 3);
    EXPECT_EQ(folding_.Folds()[1].first, 7);
    EXPECT_EQ(folding_.Folds()[1].count, 3);
}

TEST(GroupedNumberTest, DigitsStandInGroupsOfThree)
{
    struct CASE
    {
        long long n;
        const char* text;
    };
    for (const CASE& c : std::vector<CASE>{{0, "0"},
                                           {7, "7"},
                                           {999, "999"},
                                           {1000, "1 000"},
                                           {1234, "1 234"},
                                           {1234567, "1 234 567"},
                                           {-1234, "-1 234"},
                                           {LLONG_MIN, "-9 223 372 036 854 775 808"}}) {
        EXPECT_EQ(CGroupedNumber::Format(c.n), QString::fromLatin1(c.text));
    }
    EXPECT_EQ(CRowFolding::MarkerText(1234), QStringLiteral("1 234 identical lines"));
    EXPECT_EQ(CRowFolding::MarkerText(14), QStringLiteral("14 identical lines"));
    EXPECT_EQ(CRowFolding::MarkerText(1), QStringLiteral("1 identical line"));
}

} // namespace
