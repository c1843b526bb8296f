#include "report_fixture.h"

namespace {

struct LISTING_CASE
{
    const char* name;
    std::string oldBytes;
    std::string newBytes;
    std::vector<std::string> options;
    int exitStatus;
    std::string listing;

    friend void PrintTo(const LISTING_CASE& c, std::ostream* out) { *out << c.name; }
};

std::string Bytes(const char* bytes, std::size_t size)
{
    return std::string(bytes, size);
}

// clang-format off
const LISTING_CASE kListingCases[] = {
    {.name = "ChangedLine", .oldBytes = "a\nb\nc\nd\ne", .newBytes = "a\nb\nx\nd\ne",
     .options = {"--report"}, .exitStatus = 1,
     .listing = "  a\n  b\n- c\n+ x\n  d\n  e\n"
                "4 identical, 1 removed, 1 added, 0 moved lines\n"},
    {.name = "WithoutReportOptionTheSame", .oldBytes = "a\nb\nc\nd\ne", .newBytes = "a\nb\nx\nd\ne",
     .options = {}, .exitStatus = 1,
     .listing = "  a\n  b\n- c\n+ x\n  d\n  e\n"
                "4 identical, 1 removed, 1 added, 0 moved lines\n"},
    {.name = "MovedHalves", .oldBytes = "a\nb\nc\nd\ne\nf", .newBytes = "d\ne\nf\na\nb\nc",
     .options = {"--report=text"}, .exitStatus = 1,
     .listing = "< a\n< b\n< c\n  d\n  e\n  f\n> a\n> b\n> c\n"
                "3 identical, 0 removed, 0 added, 3 moved lines\n"},
    {.name = "IdenticalFiles", .oldBytes = "one\ntwo", .newBytes = "one\ntwo",
     .options = {}, .exitStatus = 0,
     .listing = "  one\n  two\n"
                "2 identical, 0 removed, 0 added, 0 moved lines\n"
                "The files are identical!\n"},
    {.name = "OnlyIgnoredDifferences", .oldBytes = "One\r\nTwo\r\n", .newBytes = "one\ntwo\n",
     .options = {"--ignore-case"}, .exitStatus = 0,
     .listing = "  One\n  Two\n  \n"
                "3 identical, 0 removed, 0 added, 0 moved lines\n"
                "The files are not identical, but contains no relevant differences!\n"},
    {.name = "IdenticalButShorterThanBlockSize", .oldBytes = "one", .newBytes = "one",
     .options = {}, .exitStatus = 0,
     .listing = "- one\n+ one\n"
                "0 identical, 1 removed, 1 added, 0 moved lines\n"},
    {.name = "EmptyFirstFile", .oldBytes = "", .newBytes = "new",
     .options = {}, .exitStatus = 1,
     .listing = "+ new\n"
                "0 identical, 0 removed, 1 added, 0 moved lines\n"
                "old is empty!\n"},
    {.name = "BriefLeavesOutIdenticalRows", .oldBytes = "a\nb\nc\nd\ne", .newBytes = "a\nb\nx\nd\ne",
     .options = {"--report", "--brief"}, .exitStatus = 1,
     .listing = "- c\n+ x\n"
                "4 identical, 1 removed, 1 added, 0 moved lines\n"},
    {.name = "ColorAlways", .oldBytes = "a\nb\nc\nd\ne", .newBytes = "a\nb\nx\nd\ne",
     .options = {"--color=always"}, .exitStatus = 1,
     .listing = "  a\n  b\n\033[31m- c\033[m\n\033[32m+ x\033[m\n  d\n  e\n"
                "4 identical, 1 removed, 1 added, 0 moved lines\n"},
    {.name = "ColorOfMovedRows", .oldBytes = "a\nb\nc\nd\ne\nf", .newBytes = "d\ne\nf\na\nb\nc",
     .options = {"--color"}, .exitStatus = 1,
     .listing = "\033[35m< a\033[m\n\033[35m< b\033[m\n\033[35m< c\033[m\n  d\n  e\n  f\n"
                "\033[36m> a\033[m\n\033[36m> b\033[m\n\033[36m> c\033[m\n"
                "3 identical, 0 removed, 0 added, 3 moved lines\n"},
    {.name = "AutoColorIsOffWhenNotATerminal",
     .oldBytes = "a\nb\nc\nd\ne", .newBytes = "a\nb\nx\nd\ne",
     .options = {"--color=auto"}, .exitStatus = 1,
     .listing = "  a\n  b\n- c\n+ x\n  d\n  e\n"
                "4 identical, 1 removed, 1 added, 0 moved lines\n"},
    {.name = "BinaryIdenticalInRowsOfSixteen",
     .oldBytes = Bytes("\0\1\2\3\4\5\6\7\10\11\12\13\14\15\16\17ABCD", 20),
     .newBytes = Bytes("\0\1\2\3\4\5\6\7\10\11\12\13\14\15\16\17ABCD", 20),
     .options = {}, .exitStatus = 0,
     .listing = "  00000000  00 01 02 03 04 05 06 07  08 09 0a 0b 0c 0d 0e 0f  |................|\n"
                "  00000010  41 42 43 44                                       |ABCD|\n"
                "20 identical, 0 removed, 0 added, 0 moved bytes\n"
                "The files are identical!\n"},
    {.name = "BinaryRowsNeverMixBlocks",
     .oldBytes = "0123456789AB", .newBytes = Bytes("0123456789\0B", 12),
     .options = {}, .exitStatus = 1,
     .listing = "  00000000  30 31 32 33 34 35 36 37  38 39                    |0123456789|\n"
                "- 0000000a  41 42                                             |AB|\n"
                "+ 0000000a  00 42                                             |.B|\n"
                "10 identical, 2 removed, 2 added, 0 moved bytes\n"},
};
// clang-format on

class TextReport : public CReportFixture, public ::testing::WithParamInterface<LISTING_CASE>
{
};

} // namespace

TEST_P(TextReport, ListsEveryRowThenTheSummary)
{
    const LISTING_CASE& c = GetParam();
    Write("old", c.oldBytes);
    Write("new", c.newBytes);
    std::vector<std::string> args = c.options;
    args.insert(args.end(), {"old", "new"});

    const RUN_RESULT result = Run(args);

    EXPECT_EQ(result.out, c.listing);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitStatus, c.exitStatus);
}

INSTANTIATE_TEST_SUITE_P(Cases, TextReport, ::testing::ValuesIn(kListingCases),
                         [](const auto& info) { return std::string(info.param.name); });
