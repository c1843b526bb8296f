#include "report/html_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct HTML_TEXT_CASE
{
    const char* name;
    std::string input;
    std::string escaped;
};

// clang-format off
const HTML_TEXT_CASE kEscapeCases[] = {
    {"MarkupCharacters", "<a href=\"x\">&amp;</a>", "&lt;a href=&quot;x&quot;&gt;&amp;amp;&lt;/a&gt;"},
    {"TabAndLineFeedStay", "a\tb\nc", "a\tb\nc"},
    // A parser would fold a raw carriage return into a line feed.
    {"CarriageReturnAsReference", "a\rb", "a&#13;b"},
    // XML allows neither, even as references.
    {"OtherControlCharacters", std::string("a\x01" "b\x1b", 4), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD"},
    {"NonCharacters", "\xEF\xBF\xBE\xEF\xBF\xBF", "\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"OtherUtf8Stays", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"},
};
// clang-format on

class HtmlTextEscape : public ::testing::TestWithParam<HTML_TEXT_CASE>
{
};

} // namespace

TEST_P(HtmlTextEscape, LeavesNothingAParserReadsAsMarkup)
{
    EXPECT_EQ(CHtmlText::Escaped(GetParam().input), GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(Cases, HtmlTextEscape, ::testing::ValuesIn(kEscapeCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HtmlText, DecodesBytesAsTheWindowShowsThem)
{
    EXPECT_EQ(CHtmlText::Decoded("caf\xC3\xA9"), "caf\xC3\xA9");
    EXPECT_EQ(CHtmlText::Decoded("caf\xE9"), "caf\xC3\xA9");
    // One byte that is not UTF-8 makes the whole text Latin-1.
    EXPECT_EQ(CHtmlText::Decoded("\xC3\xA9\xFF"), "\xC3\x83\xC2\xA9\xC3\xBF");
}

TEST(HtmlText, NamesKeepToTheirRowAndLinesWidenTabs)
{
    EXPECT_EQ(CHtmlText::Name("a\nb<c>"), "a\\nb&lt;c&gt;");
    EXPECT_EQ(CHtmlText::Name("tab\there"), "tab\\there");
    std::string line;
    CHtmlText::AppendLine(line, "\tx & y\t", true, 3);
    EXPECT_EQ(line, "   x &amp; y   ");
    line.clear();
    CHtmlText::AppendLine(line, "\xE9<", false, 4);
    EXPECT_EQ(line, "\xC3\xA9&lt;");
}
