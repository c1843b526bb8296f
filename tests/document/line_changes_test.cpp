#include "document/line_changes.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using Spans = std::vector<LineChanges::Span>;

struct LINE_CHANGES_CASE
{
    const char* name;
    std::string first;
    std::string second;
    bool ignoreCase;
    bool ignoreBlanks;
    Spans inFirst;
    Spans inSecond;

    friend void PrintTo(const LINE_CHANGES_CASE& c, std::ostream* out) { *out << c.name; }
};

class FindLineChangesCase : public ::testing::TestWithParam<LINE_CHANGES_CASE>
{
};

std::string LongLine(char last)
{
    std::string line(static_cast<std::size_t>(kLongestMarkedLine), 'a');
    line.back() = last;
    return line;
}

const LINE_CHANGES_CASE kCases[] = {
    {"EqualLines", "int x = 1;", "int x = 1;", false, false, {}, {}},
    {"UnrelatedWordMarkedWhole", "int count = 0;", "int total = 0;", false, false, {{4, 5}},
     {{4, 5}}},
    {"SimilarWordMarkedByCharacters", "colour = 1", "color = 1", false, false, {{4, 1}}, {}},
    {"AddedArgument", "x = foo(1)", "x = foo(1, 2)", false, false, {}, {{9, 3}}},
    {"CaseMarkedWhenItCounts", "Hello World", "hello world", false, false, {{0, 1}, {6, 1}},
     {{0, 1}, {6, 1}}},
    {"CaseIgnored", "Hello World", "hello world", true, false, {}, {}},
    {"CaseIgnoredNextToRealChange", "Hello World", "hello there", true, false, {{6, 5}},
     {{6, 5}}},
    {"BlanksMarkedWhenTheyCount", "a = b", "a=b", false, false, {{1, 1}, {3, 1}}, {}},
    {"BlanksIgnored", "a = b", "a=b", false, true, {}, {}},
    {"BlanksIgnoredNextToRealChange", "return  x", "return y", false, true, {{8, 1}}, {{7, 1}}},
    {"EmptyAgainstText", "", "abc", false, false, {}, {{0, 3}}},
    {"Utf8CharacterIsOneUnit", "caf\xc3\xa9 au lait", "cafe au lait", false, false, {{3, 2}},
     {{3, 1}}},
    {"InvalidUtf8ByteByByte", "ab\xff", "ab\xfe", false, false, {{2, 1}}, {{2, 1}}},
    {"LongLineNotMarked", LongLine('x'), LongLine('y') + "z", false, false, {}, {}},
};

TEST_P(FindLineChangesCase, MarksWhatDiffers)
{
    const LINE_CHANGES_CASE& c = GetParam();
    const LineChanges changes = FindLineChanges(c.first, c.second, c.ignoreCase, c.ignoreBlanks);
    EXPECT_EQ(changes.first, c.inFirst);
    EXPECT_EQ(changes.second, c.inSecond);
}

// The diff library swaps its inputs when the first is the longer one; the
// spans must still land on the right line.
TEST_P(FindLineChangesCase, SwappedLinesSwapTheMarks)
{
    const LINE_CHANGES_CASE& c = GetParam();
    const LineChanges changes = FindLineChanges(c.second, c.first, c.ignoreCase, c.ignoreBlanks);
    EXPECT_EQ(changes.first, c.inSecond);
    EXPECT_EQ(changes.second, c.inFirst);
}

INSTANTIATE_TEST_SUITE_P(LineChanges, FindLineChangesCase, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FindLineChanges, LongestMarkedLineIsStillMarked)
{
    const std::string first(static_cast<std::size_t>(kLongestMarkedLine), 'a');
    const std::string second = first.substr(1) + "+";
    const LineChanges changes = FindLineChanges(first, second, false, false);
    EXPECT_FALSE(changes.empty());
}

} // namespace
