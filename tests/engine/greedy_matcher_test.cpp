#include "engine/bin_buf.h"
#include "engine/greedy_matcher.h"
#include "tests/engine/literal/literal_diff.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

// Bytes as compiled code has them: short stretches of zeros between a few
// repeated patterns, so that runs of nearly the same length abound.
std::vector<char> CompiledLike(std::mt19937& random, int size)
{
    std::vector<std::string> patterns;
    for (int k = 0; k < 6; ++k) {
        std::string pattern;
        for (int i = 0; i < 6; ++i)
            pattern.push_back(static_cast<char>(random() % 5 == 0 ? 0 : random() % 30));
        patterns.push_back(pattern);
    }
    std::vector<char> bytes;
    while (static_cast<int>(bytes.size()) < size) {
        const unsigned what = random() % 10;
        if (what < 3)
            bytes.insert(bytes.end(), 10 + random() % 12, '\0');
        else if (what < 8) {
            const std::string& pattern = patterns[random() % patterns.size()];
            bytes.insert(bytes.end(), pattern.begin(), pattern.end());
        }
        else
            bytes.push_back(static_cast<char>(random()));
    }
    return bytes;
}

std::vector<char> Edited(std::mt19937& random, std::vector<char> bytes)
{
    for (int k = 0; k < 12; ++k) {
        const std::size_t at = random() % bytes.size();
        switch (random() % 3) {
        case 0:
            bytes[at] = static_cast<char>(random());
            break;
        case 1:
            bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(at));
            break;
        default:
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at), 3, 'x');
            break;
        }
    }
    return bytes;
}

// Two files and the matcher's settings for them.
struct BYTES_CASE
{
    const char* name;
    std::vector<char> first;
    std::vector<char> second;
    int minLength;
    int limit;
};

std::vector<DIFF_BLOCK> RunMatcher(
    const CBinBuf& a, const CBinBuf& b, int minLength, int limit, std::size_t floodBudget,
    std::size_t mostKept = CGreedyMatcher<std::uint8_t>::kMostKept,
    std::size_t floodBudgetPerRange = CGreedyMatcher<std::uint8_t>::kFloodBudgetPerRange)
{
    const std::atomic<bool> stop{false};
    const auto* e1 = reinterpret_cast<const std::uint8_t*>(a.data());
    const auto* e2 = reinterpret_cast<const std::uint8_t*>(b.data());
    CGreedyMatcher<std::uint8_t> matcher(e1, a.GetCount(), e2, b.GetCount(), minLength, limit,
                                         stop, floodBudget, mostKept, floodBudgetPerRange);
    CDiffResult result;
    matcher.Run(result, nullptr);
    std::vector<DIFF_BLOCK> blocks;
    for (const DIFF_BLOCK* block : result.all().Blocks())
        blocks.push_back(*block);
    for (const RANGE& r : matcher.Ranges1().Ranges())
        blocks.push_back(DIFF_BLOCK::MakeSided(0, BlockKind::Unmatched, r.length, 0, r.start));
    for (const RANGE& r : matcher.Ranges2().Ranges())
        blocks.push_back(DIFF_BLOCK::MakeSided(0, BlockKind::Unmatched, r.length, 1, r.start));
    return blocks;
}

bool SameBlocks(const std::vector<DIFF_BLOCK>& engine, const std::vector<DIFF_BLOCK>& literal)
{
    if (engine.size() != literal.size())
        return false;
    for (std::size_t i = 0; i < engine.size(); ++i) {
        const DIFF_BLOCK& e = engine[i];
        const DIFF_BLOCK& l = literal[i];
        if (e.kind != l.kind || e.length != l.length || e.field[0] != l.field[0] ||
            e.field[1] != l.field[1])
            return false;
    }
    return true;
}

// Where short runs abound, a search below what a pass needs gives up once it
// has found more than its budget and searches further up instead, and a pass
// then takes its candidates from above the cache's threshold when there are
// enough of them. With a budget so small that this happens at almost every
// search, the matcher must still accept exactly the literal procedure's runs.
TEST(GreedyMatcherTest, SearchesGivenUpForTooManyRunsKeepTheLiteralResult)
{
    std::mt19937 random(0xf100d);
    for (const int minLength : {1, 3, 6, 10}) {
        for (const int limit : {40, 1000}) {
            SCOPED_TRACE("block size " + std::to_string(minLength) + " limit " +
                         std::to_string(limit));
            const std::vector<char> first = CompiledLike(random, 900);
            CBinBuf a("a");
            CBinBuf b("b");
            ASSERT_TRUE(a.SetData(first));
            ASSERT_TRUE(b.SetData(Edited(random, first)));
            const std::vector<DIFF_BLOCK> literal = literal::LiteralMatch(a, b, minLength, limit);
            for (const std::size_t budget : {std::size_t{0}, std::size_t{50}}) {
                EXPECT_TRUE(SameBlocks(RunMatcher(a, b, minLength, limit, budget), literal))
                    << "flood budget " << budget;
            }
        }
    }
}

// Two files drawn from a few byte values each have short runs on nearly
// every diagonal, and every cut brings a window full of them into view. With
// a cache allowed to keep only a few runs, the shortest are dropped pass
// after pass by raising its threshold, and shorter runs are searched for
// again once a pass needs them; the matcher must still accept exactly the
// literal procedure's runs.
TEST(GreedyMatcherTest, CacheKeepingFewRunsKeepsTheLiteralResult)
{
    std::mt19937 random(0xca5e);
    const auto fewValues = [&](int size, unsigned values) {
        std::vector<char> bytes;
        for (int i = 0; i < size; ++i)
            bytes.push_back(static_cast<char>(random() % values));
        return bytes;
    };
    const std::vector<BYTES_CASE> cases = {
        {"three values", fewValues(1200, 3), fewValues(1100, 3), 2, 200},
        {"five values, narrow window", fewValues(1200, 5), fewValues(1300, 5), 2, 40},
        {"compiled code", CompiledLike(random, 1200), CompiledLike(random, 1200), 3, 1000},
    };
    for (const BYTES_CASE& c : cases) {
        CBinBuf a("a");
        CBinBuf b("b");
        ASSERT_TRUE(a.SetData(c.first));
        ASSERT_TRUE(b.SetData(c.second));
        const std::vector<DIFF_BLOCK> literal = literal::LiteralMatch(a, b, c.minLength, c.limit);
        for (const std::size_t mostKept : {std::size_t{2}, std::size_t{40}, std::size_t{500}}) {
            EXPECT_TRUE(SameBlocks(RunMatcher(a, b, c.minLength, c.limit,
                                              CGreedyMatcher<std::uint8_t>::kFloodBudget, mostKept),
                                   literal))
                << c.name << ", keeping at most " << mostKept << " runs";
        }
    }
}

} // namespace

// A long run that a cut brings into view raises the cache's threshold far
// above the short runs it holds; those are kept, and the passes after the
// long run need them again. The diagonals that the cuts since the raise
// brought into the pairs' windows are then searched down to the runs kept,
// or, where they hold more runs than a search may find, the short runs are
// dropped and searched for anew.
TEST(GreedyMatcherTest, ShortRunsKeptOverARaiseKeepTheLiteralResult)
{
    std::mt19937 random(0x4a15e);
    std::vector<char> distinct;
    for (int i = 0; i < 400; ++i)
        distinct.push_back(static_cast<char>(random()));
    for (const int limit : {30, 120}) {
        for (const int minLength : {2, 5}) {
            SCOPED_TRACE("block size " + std::to_string(minLength) + " limit " +
                         std::to_string(limit));
            // The distinct block lies beyond the window from both starts, so
            // only cuts around it bring it into view, late and all at once.
            std::vector<char> first = CompiledLike(random, 1500);
            std::vector<char> second = Edited(random, first);
            first.insert(first.begin() + 700, distinct.begin(), distinct.end());
            second.insert(second.begin() + 1100, distinct.begin(), distinct.end());
            CBinBuf a("a");
            CBinBuf b("b");
            ASSERT_TRUE(a.SetData(first));
            ASSERT_TRUE(b.SetData(second));
            const std::vector<DIFF_BLOCK> literal = literal::LiteralMatch(a, b, minLength, limit);
            for (const std::size_t budget :
                 {std::size_t{0}, std::size_t{200}, CGreedyMatcher<std::uint8_t>::kFloodBudget}) {
                EXPECT_TRUE(SameBlocks(RunMatcher(a, b, minLength, limit, budget), literal))
                    << "flood budget " << budget;
            }
        }
    }
}

// Records of one fixed pattern with a byte of their own between them, drawn
// anew for each file: every record meets every other in the windows, and
// once the few longer runs are taken, thousands are exactly as long as the
// pattern. A search for the runs one shorter than all the cache holds that
// finds more than its budget takes those of the first ranges only, up to a
// horizon, and searches the ranges beyond when a pass needs them, while cuts
// bring new runs into view on both sides of the horizon. With budgets down
// to nothing, the horizon moves a range at a time. The matcher must still
// accept exactly the literal procedure's runs.
TEST(GreedyMatcherTest, RunsOfOneLengthHeldUpToAHorizonKeepTheLiteralResult)
{
    std::mt19937 random(0x40c1);
    const auto records = [&](int count, int patternLength) {
        std::vector<char> bytes;
        for (int k = 0; k < count; ++k) {
            for (int i = 0; i < patternLength; ++i)
                bytes.push_back(static_cast<char>(1 + i));
            bytes.push_back(static_cast<char>(100 + random() % 100));
        }
        return bytes;
    };
    // Zero-filled fields, some long enough for their runs to be held as
    // stand-ins, between records.
    const auto fields = [&](int count) {
        std::vector<char> bytes = records(count, 10);
        for (int k = count / 8; k > 0; --k)
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(random() % bytes.size()),
                         8 + random() % 200, '\0');
        return bytes;
    };
    // A distinct block beyond the window from the first file's start: only
    // cuts bring it into view, a run far longer than those held, and the
    // runs of one length are held up to a horizon after it.
    const auto withDistinctBlock = [&](std::vector<char> bytes, std::size_t at) {
        std::mt19937 same(7);
        for (int i = 0; i < 300; ++i)
            bytes.insert(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                         static_cast<char>(same()));
        return bytes;
    };
    const std::vector<char> compiled = CompiledLike(random, 1500);
    const std::vector<BYTES_CASE> cases = {
        {"records as long as a block", records(300, 10), records(300, 10), 10, 1000},
        {"records longer than a block, narrow window", records(200, 12), records(200, 12), 6,
         300},
        {"compiled code", compiled, Edited(random, compiled), 4, 1000},
        {"zero-filled fields", fields(200), fields(200), 8, 1000},
        {"a long run late", withDistinctBlock(records(200, 10), 150 * 11),
         withDistinctBlock(records(200, 10), 5 * 11), 5, 300},
    };
    struct BUDGET
    {
        std::size_t runs;
        std::size_t perRange;
    };
    for (const BYTES_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CBinBuf a("a");
        CBinBuf b("b");
        ASSERT_TRUE(a.SetData(c.first));
        ASSERT_TRUE(b.SetData(c.second));
        const std::vector<DIFF_BLOCK> literal = literal::LiteralMatch(a, b, c.minLength, c.limit);
        for (const BUDGET budget : {BUDGET{0, 0}, BUDGET{0, 1}, BUDGET{300, 8}}) {
            EXPECT_TRUE(SameBlocks(RunMatcher(a, b, c.minLength, c.limit, budget.runs,
                                              CGreedyMatcher<std::uint8_t>::kMostKept,
                                              budget.perRange),
                                   literal))
                << "flood budget " << budget.runs << " and " << budget.perRange << " per range";
        }
    }
}
