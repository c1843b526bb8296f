#include "report_fixture.h"

namespace {

// A folder set up with the files "old" and "new" and the folders "dir1" and
// "dir2"; the cases name what they pass.
struct TROUBLE_CASE
{
    const char* name;
    std::vector<std::string> args;
    std::string err;

    friend void PrintTo(const TROUBLE_CASE& c, std::ostream* out) { *out << c.name; }
};

const TROUBLE_CASE kTroubleCases[] = {
    {"MissingFirst",
     {"missing", "new"},
     "varnel: Failed to read missing! (No such file or directory)\n"},
    {"MissingSecond",
     {"old", "missing"},
     "varnel: Failed to read missing! (No such file or directory)\n"},
    {"FileAndDirectoryWithoutIt",
     {"old", "dir1"},
     "varnel: Failed to read dir1/old! (No such file or directory)\n"},
    {"DirectoryWithoutItAndFile",
     {"dir1", "new"},
     "varnel: Failed to read dir1/new! (No such file or directory)\n"},

    {"UnknownOption",
     {"--frobnicate", "old", "new"},
     "varnel: unknown option '--frobnicate' (see varnel --help)\n"},
    {"BlockSizeNotANumber",
     {"--block-size", "two", "old", "new"},
     "varnel: invalid value 'two' for --block-size (a whole number of at least 1)\n"},
    {"BlockSizeZero",
     {"--block-size=0", "old", "new"},
     "varnel: invalid value '0' for --block-size (a whole number of at least 1)\n"},
    {"LimitNegative",
     {"--limit=-1", "old", "new"},
     "varnel: invalid value '-1' for --limit (a whole number of at least 0)\n"},
    {"LimitWithoutValue", {"old", "new", "--limit"}, "varnel: option '--limit' needs a value\n"},
    {"UnknownFormat",
     {"--report=xml", "old", "new"},
     "varnel: unknown report format 'xml' (text, json or html)\n"},
    {"UnknownColor",
     {"--color=sometimes", "old", "new"},
     "varnel: unknown --color value 'sometimes' (auto, always or never)\n"},
    {"FlagWithValue",
     {"--ignore-case=yes", "old", "new"},
     "varnel: option '--ignore-case' takes no value\n"},
    {"NoPaths", {"--report"}, "varnel: two files are needed, OLD and NEW (see varnel --help)\n"},
    {"OnePath", {"old"}, "varnel: two files are needed, OLD and NEW (see varnel --help)\n"},
    {"ThreePaths",
     {"old", "new", "old"},
     "varnel: too many arguments: only two files, OLD and NEW, are compared\n"},
};

class Trouble : public CReportFixture, public ::testing::WithParamInterface<TROUBLE_CASE>
{
protected:
    void SetUp() override
    {
        Write("old", "a\nb\n");
        Write("new", "a\nc\n");
        MakeFolder("dir1");
        MakeFolder("dir2");
    }
};

} // namespace

TEST_P(Trouble, IsOneLineOnStandardErrorAndStatusTwo)
{
    const RUN_RESULT result = Run(GetParam().args);

    EXPECT_EQ(result.err, GetParam().err);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.exitStatus, 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, Trouble, ::testing::ValuesIn(kTroubleCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CReportFixture, VersionIsPrinted)
{
    const RUN_RESULT result = Run({"--version"});

    EXPECT_EQ(result.out, VARNEL_VERSION_TEXT "\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitStatus, 0);
}

TEST_F(CReportFixture, HelpShowsTheUsageAndTheExitStatuses)
{
    const RUN_RESULT result = Run({"--help"});

    EXPECT_EQ(result.out.rfind("Usage: varnel ", 0), 0U) << result.out;
    EXPECT_NE(result.out.find("Exit status: 0"), std::string::npos);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitStatus, 0);
}

TEST_F(CReportFixture, DoubleDashEndsTheOptions)
{
    Write("--odd", "same");
    Write("new", "same");

    const RUN_RESULT result = Run({"--", "--odd", "new"});

    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitStatus, 0);
}

// A report that cannot be written (a full disk) is trouble, never success:
// a script reading the status must not take a lost report for "no
// differences".
TEST_F(CReportFixture, AReportThatCannotBeWrittenIsTrouble)
{
    Write("old", "a\nb\n");
    Write("new", "a\nc\n");
    MakeFolder("dir1");
    MakeFolder("dir2");
    Write("dir1/only.txt", "x");
    standardOutputFile_ = QStringLiteral("/dev/full");
    const std::vector<std::vector<std::string>> cases = {
        {"old", "new"},
        {"--report=json", "old", "old"},
        {"dir1", "dir2"},
        {"--report=json", "dir1", "dir2"},
    };
    for (const std::vector<std::string>& args : cases) {
        SCOPED_TRACE(args.back());
        const RUN_RESULT result = Run(args);
        EXPECT_EQ(result.err, "varnel: cannot write the report: No space left on device\n");
        EXPECT_EQ(result.exitStatus, 2);
    }
}
