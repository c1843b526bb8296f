#include "report/json_text.h"
#include "report/output_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

namespace {

// What CJsonText wrote, read back through a pipe (the buffer writes to a file
// descriptor); the strings here are far smaller than a pipe holds.
template<typename Writer> std::string Written(Writer write)
{
    int ends[2] = {-1, -1};
    if (::pipe(ends) != 0) {
        ADD_FAILURE() << "no pipe";
        return {};
    }
    {
        COutputBuffer out(ends[1]);
        write(out);
        EXPECT_TRUE(out.Flush());
    }
    ::close(ends[1]);
    std::string text;
    char chunk[256];
    ssize_t got = 0;
    while ((got = ::read(ends[0], chunk, sizeof chunk)) > 0)
        text.append(chunk, static_cast<std::size_t>(got));
    ::close(ends[0]);
    return text;
}

struct BYTES_CASE
{
    const char* name;
    std::string bytes;
    std::string json;

    friend void PrintTo(const BYTES_CASE& c, std::ostream* out) { *out << c.name; }
};

// clang-format off
const BYTES_CASE kBytesCases[] = {
    {"Ascii", "plain name.txt", R"("plain name.txt")"},
    {"QuoteAndBackslash", "a\"b\\c", R"("a\"b\\c")"},
    {"ControlBytes", "a\nb\x01\x1f\x7f", "\"a\\nb\\u0001\\u001f\x7f\""},
    {"TwoByteUtf8", "caf\xc3\xa9", "\"caf\xc3\xa9\""},
    {"ThreeByteUtf8", "\xe2\x82\xac", "\"\xe2\x82\xac\""},
    {"FourByteUtf8", "\xf0\x9f\x98\x80", "\"\xf0\x9f\x98\x80\""},
    {"Latin1Byte", "caf\xe9", R"("caf\udce9")"},
    {"LoneContinuationByte", "\x80x", R"("\udc80x")"},
    {"OverlongSlash", "\xc0\xaf", R"("\udcc0\udcaf")"},
    {"EncodedSurrogate", "\xed\xa0\x80", R"("\udced\udca0\udc80")"},
    {"AboveTheLastCodePoint", "\xf4\x90\x80\x80", R"("\udcf4\udc90\udc80\udc80")"},
    {"CutShortAtTheEnd", "x\xe2\x82", R"("x\udce2\udc82")"},
    {"CutShortBeforeAscii", "\xe2\x82x\xc3\xa9", "\"\\udce2\\udc82x\xc3\xa9\""},
};
// clang-format on

class JsonBytes : public ::testing::TestWithParam<BYTES_CASE>
{
};

} // namespace

TEST_P(JsonBytes, KeepValidUtf8AndEscapeEveryOtherByte)
{
    const std::string written =
        Written([](COutputBuffer& out) { CJsonText::AppendBytes(out, GetParam().bytes); });

    EXPECT_EQ(written, GetParam().json);
}

INSTANTIATE_TEST_SUITE_P(Cases, JsonBytes, ::testing::ValuesIn(kBytesCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Text that is UTF-8 already gets only the escapes JSON itself needs.
TEST(JsonString, EscapesOnlyWhatJsonNeeds)
{
    const std::string written = Written([](COutputBuffer& out) {
        CJsonText::AppendString(out, "The files are identical,\n\"x\" \\ caf\xc3\xa9\t");
    });

    EXPECT_EQ(written, "\"The files are identical,\\n\\\"x\\\" \\\\ caf\xc3\xa9\\u0009\"");
}
