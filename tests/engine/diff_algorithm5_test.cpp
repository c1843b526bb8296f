#include "engine/bin_buf.h"
#include "engine/diff_algorithm5.h"
#include "engine/greedy_matcher.h"
#include "engine/text_buf.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

namespace {

// A compact, readable form of a block: "C0,3x2" Common at 0 / 3 of length 2,
// "O2x1" Old, "N2x1" New, "F0x3" moved from, "T3x3" moved to.
std::string Describe(const DIFF_BLOCK& b)
{
    std::ostringstream out;
    switch (b.kind) {
    case BlockKind::Common:
        out << 'C' << b.posA() << ',' << b.posB();
        break;
    case BlockKind::Unmatched:
        out << (b.side() == 0 ? 'O' : 'N') << b.pos();
        break;
    case BlockKind::Moved:
        out << (b.side() == 0 ? 'F' : 'T') << b.pos();
        break;
    }
    out << 'x' << b.length;
    return out.str();
}

std::string Describe(const CBlockList& list)
{
    std::string text;
    for (const DIFF_BLOCK* b : list.Blocks()) {
        if (!text.empty())
            text += ' ';
        text += Describe(*b);
    }
    return text;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\n" : "") + lines[i];
    return text;
}

struct Comparison
{
    CDiffResult result;
    std::vector<int> ids;
    const CBlockList& all() const { return result.all(); }
    const CBlockList& first() const { return result.first(); }
    const CBlockList& second() const { return result.second(); }
};

// finish false: the search alone, before the post-processing.
void CompareTexts(const std::string& a, const std::string& b, int blockSize, int limit,
                  Comparison& out, bool finish = true)
{
    CTextBuf first("a", false, false);
    CTextBuf second("b", false, false);
    ASSERT_TRUE(first.SetData(std::vector<char>(a.begin(), a.end())));
    ASSERT_TRUE(second.SetData(std::vector<char>(b.begin(), b.end())));
    const std::atomic<bool> noStop{false};
    out.result = CDiffAlgorithm5(blockSize, limit).Search(first, second, noStop);
    for (const DIFF_BLOCK* block : out.all().Blocks())
        out.ids.push_back(block->id);
    if (finish)
        out.result.Finish();
}

struct RunCase
{
    const char* name;
    std::vector<std::string> a;
    std::vector<std::string> b;
    int blockSize;
    int limit;
    const char* runOrder;  // the run's own output, before post-processing
    const char* composite; // the list of all blocks afterwards
};

TEST(DiffAlgorithm5Test, ProducesTheBlocksOfTheGreedySearch)
{
    const std::vector<RunCase> cases = {
        {"one changed line",
         {"a", "b", "c", "d", "e"},
         {"a", "b", "x", "d", "e"},
         2,
         1000,
         "C0,0x2 C3,3x2 O2x1 N2x1",
         "C0,0x2 O2x1 N2x1 C3,3x2"},
        {"halves swapped",
         {"a", "b", "c", "d", "e", "f"},
         {"d", "e", "f", "a", "b", "c"},
         2,
         1000,
         "C0,3x3 C3,0x3",
         "F0x3 C3,0x3 T3x3"},
        {"equal files", {"a", "b", "c"}, {"a", "b", "c"}, 2, 1, "C0,0x3", "C0,0x3"},
        {"shorter than the block size", {"a"}, {"a"}, 2, 1000, "O0x1 N0x1", "O0x1 N0x1"},
        {"limit 0 finds nothing", {"a", "b"}, {"a", "b"}, 1, 0, "O0x2 N0x2", "O0x2 N0x2"},
        {"both empty", {}, {}, 1, 1000, "O0x0 N0x0", "O0x0 N0x0"},
        {"first empty", {}, {"a", "b"}, 1, 1000, "O0x0 N0x2", "O0x0 N0x2"},
        {"block size 0 is used as 1",
         {"a", "x"},
         {"a", "y"},
         0,
         1000,
         "C0,0x1 O1x1 N1x1",
         "C0,0x1 O1x1 N1x1"},
        {"negative limit is used as 0", {"a"}, {"a"}, 1, -4, "O0x1 N0x1", "O0x1 N0x1"},
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.name);
        Comparison out;
        CompareTexts(JoinLines(c.a), JoinLines(c.b), c.blockSize, c.limit, out, false);
        EXPECT_EQ(Describe(out.all()), c.runOrder);
        EXPECT_TRUE(out.first().IsEmpty());
        EXPECT_TRUE(out.second().IsEmpty());
        for (std::size_t i = 1; i < out.ids.size(); ++i)
            EXPECT_EQ(out.ids[i], out.ids[i - 1] + 1);
        out.result.Finish();
        EXPECT_EQ(Describe(out.all()), c.composite);
    }
}

TEST(DiffAlgorithm5Test, PerFileListsTileTheirFiles)
{
    Comparison out;
    CompareTexts("a\nb\nc\nd\ne", "a\nb\nx\nd\ne", 2, 1000, out);
    EXPECT_EQ(Describe(out.first()), "C0,0x2 O2x1 C3,3x2");
    EXPECT_EQ(Describe(out.second()), "C0,0x2 N2x1 C3,3x2");
    EXPECT_EQ(out.first().total(), 5);
    EXPECT_EQ(out.second().total(), 5);
    EXPECT_EQ(out.all().total(), 6);
}

TEST(DiffAlgorithm5Test, EqualRunsAreAcceptedInScanOrder)
{
    // Both runs "a b" lie on the first diagonal and are equally long: the one
    // met first is accepted first.
    Comparison out;
    CompareTexts("a\nb\nx\na\nb", "a\nb\ny\na\nb", 2, 1000, out, false);
    EXPECT_EQ(Describe(out.all()), "C0,0x2 C3,3x2 O2x1 N2x1");
}

class RecordingSink : public CProgressSink
{
public:
    void PostProgress(int permille) override
    {
        std::lock_guard<std::mutex> lock(mutex_);
        values_.push_back(permille);
    }
    std::vector<int> Values()
    {
        std::lock_guard<std::mutex> lock(mutex_);
        return values_;
    }

private:
    std::mutex mutex_;
    std::vector<int> values_;
};

// Two equal four-line texts.
struct EqualTexts
{
    EqualTexts()
    {
        const std::string text = "a\nb\nc\nd";
        EXPECT_TRUE(first.SetData(std::vector<char>(text.begin(), text.end())));
        EXPECT_TRUE(second.SetData(std::vector<char>(text.begin(), text.end())));
    }

    CTextBuf first{"a", false, false};
    CTextBuf second{"b", false, false};
};

TEST(DiffAlgorithm5Test, RunEndsWithFullProgressAndAFinishedResult)
{
    EqualTexts texts;
    RecordingSink sink;
    const std::atomic<bool> noStop{false};
    const CDiffResult result =
        CDiffAlgorithm5(2, 1000).Run(texts.first, texts.second, noStop, &sink);
    ASSERT_FALSE(sink.Values().empty());
    EXPECT_EQ(sink.Values().back(), 1000);
    EXPECT_EQ(Describe(result.all()), "C0,0x4");
    EXPECT_EQ(Describe(result.first()), "C0,0x4");
    EXPECT_EQ(Describe(result.second()), "C0,0x4");
}

TEST(DiffAlgorithm5Test, StopBeforeTheFirstPassLeavesEverythingUnmatched)
{
    EqualTexts texts;
    RecordingSink sink;
    const std::atomic<bool> stop{true};
    const CDiffResult result = CDiffAlgorithm5(2, 1000).Run(texts.first, texts.second, stop, &sink);
    EXPECT_EQ(Describe(result.all()), "O0x4 N0x4");
    EXPECT_EQ(Describe(result.first()), "O0x4");
    EXPECT_EQ(Describe(result.second()), "N0x4");
    EXPECT_EQ(sink.Values(), std::vector<int>{1000});
}

// Whether the blocks of a per-file list cover the elements 0..count-1 of
// their file each exactly once, in order.
bool TilesItsFile(const CBlockList& list, int count)
{
    long long next = 0;
    for (const DIFF_BLOCK* block : list.Blocks()) {
        if (block->PosIn(list.sortSide()) != next)
            return false;
        next += block->length;
    }
    return next == count;
}

// A stop asked for while the first pass accepts its runs ends the search
// after that pass. What the search left unmatched still becomes blocks, so
// the finished result covers both files completely, only with less detail.
TEST(DiffAlgorithm5Test, AStopDuringTheFirstPassStillCoversBothFiles)
{
    // Distinct elements; the second sequence changes every 10th of them and
    // swaps two stretches, so that a full search needs many passes.
    std::vector<std::uint32_t> first;
    for (std::uint32_t i = 0; i < 300; ++i)
        first.push_back(i);
    std::vector<std::uint32_t> second(first.begin() + 150, first.end());
    second.insert(second.end(), first.begin(), first.begin() + 150);
    for (std::size_t i = 0; i < second.size(); i += 10)
        second[i] += 1000;
    const auto count1 = static_cast<int>(first.size());
    const auto count2 = static_cast<int>(second.size());

    const auto search = [&](bool stopAfterFirstAccept, int& accepted) {
        std::atomic<bool> stop{false};
        CGreedyMatcher<std::uint32_t> matcher(first.data(), count1, second.data(), count2, 2, 1000,
                                              stop);
        CDiffResult result;
        accepted = 0;
        matcher.Run(result, [&](long long) {
            ++accepted;
            if (stopAfterFirstAccept)
                stop = true;
        });
        // As the engine does once the matcher has returned.
        for (int side = 0; side < 2; ++side) {
            for (const RANGE& r : (side == 0 ? matcher.Ranges1() : matcher.Ranges2()).Ranges())
                result.Append(DIFF_BLOCK::MakeSided(NextBlockId(), BlockKind::Unmatched, r.length,
                                                    side, r.start));
        }
        result.Finish();
        return result;
    };

    int acceptedInFull = 0;
    const CDiffResult full = search(false, acceptedInFull);
    int acceptedWhenStopped = 0;
    const CDiffResult stopped = search(true, acceptedWhenStopped);

    // The first pass accepts more than one run, and the full search more passes.
    EXPECT_GT(acceptedWhenStopped, 1);
    EXPECT_LT(acceptedWhenStopped, acceptedInFull);
    for (const CDiffResult* result : {&full, &stopped}) {
        EXPECT_TRUE(TilesItsFile(result->first(), count1)) << Describe(result->first());
        EXPECT_TRUE(TilesItsFile(result->second(), count2)) << Describe(result->second());
        EXPECT_EQ(result->first().total(), count1);
        EXPECT_EQ(result->second().total(), count2);
    }
}

// The same through a whole engine run on texts, with the stop asked for before
// the worker starts: the files are covered, by one unmatched block each.
TEST(DiffAlgorithm5Test, AStoppedRunCoversBothFiles)
{
    CTextBuf first("a", false, false);
    CTextBuf second("b", false, false);
    const std::string a = "1\n2\n3\n4\n5\n6\n";
    const std::string b = "4\n5\n6\n1\n2\n3\n";
    ASSERT_TRUE(first.SetData(std::vector<char>(a.begin(), a.end())));
    ASSERT_TRUE(second.SetData(std::vector<char>(b.begin(), b.end())));
    const std::atomic<bool> stop{true};
    const CDiffResult result = CDiffAlgorithm5(2, 1000).Run(first, second, stop);
    EXPECT_TRUE(TilesItsFile(result.first(), first.GetCount()));
    EXPECT_TRUE(TilesItsFile(result.second(), second.GetCount()));
}

TEST(DiffAlgorithm5Test, ComparesBinaryFilesByteByByte)
{
    const auto bytes = [](const std::string& text) {
        return std::vector<char>(text.begin(), text.end());
    };
    CBinBuf first("a.bin");
    CBinBuf second("b.bin");
    CBinBuf empty("e.bin");
    ASSERT_TRUE(first.SetData(bytes(std::string("0123456789\0ABCDEFGHIJ", 21))));
    ASSERT_TRUE(second.SetData(bytes(std::string("ABCDEFGHIJ\0"
                                                 "0123456789",
                                                 21))));
    ASSERT_TRUE(empty.SetData({}));
    EXPECT_EQ(empty.size(), 0);

    const std::atomic<bool> noStop{false};
    const CDiffResult result = CDiffAlgorithm5(10, 1000).Run(first, second, noStop);
    EXPECT_EQ(Describe(result.all()), "F0x10 O10x1 C11,0x10 N10x1 T11x10");
}

} // namespace
