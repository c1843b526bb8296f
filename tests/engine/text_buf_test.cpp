#include "engine/text_buf.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::unique_ptr<CTextBuf> MakeText(const std::string& content, bool ignoreCase = false,
                                   bool ignoreBlanks = false)
{
    auto buf = std::make_unique<CTextBuf>("t.txt", ignoreCase, ignoreBlanks);
    EXPECT_TRUE(buf->SetData(std::vector<char>(content.begin(), content.end())));
    return buf;
}

std::vector<std::string> Lines(const CTextBuf& buf)
{
    std::vector<std::string> lines;
    for (int n = 0; n < buf.lineCount(); ++n) {
        int length = 0;
        const char* text = buf.GetLine(n, &length);
        lines.emplace_back(text, static_cast<std::size_t>(length));
    }
    return lines;
}

struct LineCase
{
    const char* name;
    std::string content;
    std::vector<std::string> lines;
};

TEST(TextBufTest, SplitsLinesAndStripsCarriageReturnsAtTheEdges)
{
    const std::vector<LineCase> cases = {
        {"empty", "", {}},
        {"no final LF", "abc", {"abc"}},
        {"final LF gives an empty last line", "abc\n", {"abc", ""}},
        {"CR LF", "abc\r\nde\r\n", {"abc", "de", ""}},
        {"leading CRs skipped", "\r\rabc\nx", {"abc", "x"}},
        {"only CRs", "\r\r\nx\r", {"", "x"}},
        {"CR inside stays part of the text", "a\rb\na\rc", {"a\rb", "a\rc"}},
        {"CRs before the end dropped", "ab\r\r\ncd\r", {"ab", "cd"}},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(c.name);
        const auto buf = MakeText(c.content);
        EXPECT_EQ(buf->GetCount(), static_cast<int>(c.lines.size()));
        EXPECT_EQ(Lines(*buf), c.lines);
    }
}

struct EqualityCase
{
    const char* a;
    const char* b;
    bool ignoreCase;
    bool ignoreBlanks;
    bool equal;
};

TEST(TextBufTest, ComparesLinesUnderTheOptions)
{
    const std::vector<EqualityCase> cases = {
        {"abc\r", "abc", false, false, true}, {"a\rb", "a\rc", false, false, false},
        {"a b", "ab", false, true, true},     {"  ab\t", "a b", false, true, true},
        {"a b", "ab", false, false, false},   {"Abc", "aBC", true, false, true},
        {"Abc", "aBC", false, false, false},  {"\xC4", "\xE4", true, false, false},
        {"a B", "Ab ", true, true, true},     {"\n", "   ", false, true, true},
        {"\n", "   ", false, false, false},   {"ab", "abc", false, true, false},
    };
    for (const EqualityCase& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        const auto a = MakeText(c.a, c.ignoreCase, c.ignoreBlanks);
        const auto b = MakeText(c.b, c.ignoreCase, c.ignoreBlanks);
        EXPECT_EQ(a->IsEqual(0, b.get(), 0), c.equal);
        EXPECT_EQ(b->IsEqual(0, a.get(), 0), c.equal);
    }
}

TEST(TextBufTest, MatchLengthCountsEqualLinesUpToMax)
{
    const auto a = MakeText("x\ny\nz\nw");
    const auto b = MakeText("x\ny\nz\nq");
    EXPECT_EQ(a->MatchLength(b.get(), 0, 0, 0), 0);
    EXPECT_EQ(a->MatchLength(b.get(), 0, 0, -5), 0);
    EXPECT_EQ(a->MatchLength(b.get(), 0, 0, 2), 2);
    EXPECT_EQ(a->MatchLength(b.get(), 0, 0, 100), 3);
    EXPECT_EQ(a->MatchLength(b.get(), 1, 0, 100), 0);
}

TEST(TextBufTest, MaxWidthCountsTabsAsTabSizeAndTheLastLine)
{
    EXPECT_EQ(MakeText("a\tb\n")->GetMaxWidth(4), 6);
    EXPECT_EQ(MakeText("ab\nabcdef")->GetMaxWidth(4), 6);
    EXPECT_EQ(MakeText("")->GetMaxWidth(4), 0);
    EXPECT_EQ(MakeText("ab\r\n")->GetMaxWidth(4), 3);
}

struct COLUMNS_CASE
{
    const char* name;
    std::string line;
    long long columns;
};

TEST(TextBufTest, DisplayColumnsCountCodePointsOfValidUtf8AndBytesOtherwise)
{
    const std::vector<COLUMNS_CASE> cases = {
        {"ascii", "abc", 3},
        {"two-byte letters", "caf\xC3\xA9 d\xC3\xA9j\xC3\xA0", 9},
        {"three-byte sign", "\xE2\x82\xAC 5", 3},
        {"four-byte emoji", "\xF0\x9F\x98\x80", 1},
        {"tab in utf-8", "\xC3\xA9\t.", 6},
        {"latin-1 byte", "caf\xE9", 4},
        {"truncated sequence", "ab\xE2\x82", 4},
        {"overlong slash", "\xC0\xAF", 2},
        {"surrogate", "\xED\xA0\x80", 3},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", 4},
        {"stray continuation",
         "a\x80"
         "b",
         3},
    };
    for (const COLUMNS_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CTextBuf::DisplayColumns(c.line.data(), c.line.size(), 4), c.columns);
    }
    // The widest line is measured the same way.
    EXPECT_EQ(MakeText("\xC3\xA9\xC3\xA9\xC3\xA9\nabcd\n")->GetMaxWidth(4), 4);
}

struct SEQUENCE_CASE
{
    const char* name;
    std::string bytes;
    std::size_t length;
};

// The one validity rule that the views and the JSON report share: what it
// accepts at the start of some bytes, and how far.
TEST(TextBufTest, Utf8SequenceLengthIsTheWellFormedSequenceAtTheStart)
{
    const std::vector<SEQUENCE_CASE> cases = {
        {"nothing", "", 0},
        {"ascii", "a", 1},
        {"two bytes", "\xC3\xA9", 2},
        {"three bytes", "\xE2\x82\xAC", 3},
        {"four bytes", "\xF0\x9F\x98\x80", 4},
        {"highest code point", "\xF4\x8F\xBF\xBF", 4},
        {"stray continuation", "\x80", 0},
        {"overlong two bytes", "\xC1\xBF", 0},
        {"overlong three bytes", "\xE0\x9F\xBF", 0},
        {"surrogate", "\xED\xA0\x80", 0},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", 0},
        {"cut short", "\xE2\x82", 0},
        {"ascii where a continuation belongs", "\xE2\x82x", 0},
        {"lead byte F5", "\xF5\x80\x80\x80", 0},
    };
    for (const SEQUENCE_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CTextBuf::Utf8SequenceLength(c.bytes.data(), c.bytes.size()), c.length);
        const bool whole = c.length == c.bytes.size();
        EXPECT_EQ(CTextBuf::IsValidUtf8(c.bytes.data(), c.bytes.size()), whole || c.bytes.empty());
    }
}

} // namespace
