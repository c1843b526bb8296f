#include "report/command_line.h"

#include "document/comparison_settings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace {

using Format = CCommandLine::Format;
using Color = CCommandLine::Color;
using Layout = CCommandLine::Layout;

// What a parse gave, as one comparable value.
struct PARSED
{
    bool reportRequested = false;
    Format format = Format::Text;
    Color color = Color::Auto;
    Layout layout = Layout::Composite;
    bool brief = false;
    std::optional<bool> ignoreCase = std::nullopt;
    std::optional<bool> ignoreBlanks = std::nullopt;
    std::optional<int> blockSize = std::nullopt;
    std::optional<int> limit = std::nullopt;
    std::vector<std::string> paths = {};

    friend bool operator==(const PARSED&, const PARSED&) = default;
    friend std::ostream& operator<<(std::ostream& out, const PARSED& p)
    {
        out << "{report " << p.reportRequested << ", format " << static_cast<int>(p.format)
            << ", color " << static_cast<int>(p.color) << ", layout "
            << static_cast<int>(p.layout) << ", brief " << p.brief << ", case "
            << p.ignoreCase.value_or(-1) << ", blanks " << p.ignoreBlanks.value_or(-1) << ", block "
            << p.blockSize.value_or(-1) << ", limit " << p.limit.value_or(-1) << ", paths";
        for (const std::string& path : p.paths)
            out << " " << path;
        return out << "}";
    }
};

struct PARSE_CASE
{
    const char* name;
    std::vector<std::string> args;
    PARSED parsed;

    friend void PrintTo(const PARSE_CASE& c, std::ostream* out) { *out << c.name; }
};

// clang-format off
const PARSE_CASE kParseCases[] = {
    {"PathsOnly", {"a", "b"},
     {.paths = {"a", "b"}}},
    {"ReportJsonBetweenPaths", {"a", "--report=json", "b"},
     {.reportRequested = true, .format = Format::Json, .paths = {"a", "b"}}},
    {"ReportHtmlSideBySide", {"--report=html", "--layout", "side-by-side", "a", "b"},
     {.reportRequested = true, .format = Format::Html, .layout = Layout::SideBySide,
      .paths = {"a", "b"}}},
    {"LayoutCompositeWithEquals", {"--layout=side-by-side", "--layout=composite", "a", "b"},
     {.layout = Layout::Composite, .paths = {"a", "b"}}},
    {"BareReportIsText", {"--report", "a", "b"},
     {.reportRequested = true, .format = Format::Text, .paths = {"a", "b"}}},
    {"ValuesInBothForms", {"--block-size", "7", "--limit=0", "a", "b"},
     {.blockSize = 7, .limit = 0, .paths = {"a", "b"}}},
    {"LastWordWins", {"--ignore-case", "--no-ignore-case", "--ignore-blanks", "a", "b"},
     {.ignoreCase = false, .ignoreBlanks = true, .paths = {"a", "b"}}},
    {"BareColorIsAlways", {"--color", "--colour=never", "--color", "a", "b"},
     {.color = Color::Always, .paths = {"a", "b"}}},
    {"Brief", {"a", "--brief", "b"},
     {.brief = true, .paths = {"a", "b"}}},
    {"DashAloneAndAfterDoubleDashArePaths", {"-", "--", "--limit", "-x"},
     {.paths = {"-", "--limit", "-x"}}},
};
// clang-format on

class CommandLine : public ::testing::TestWithParam<PARSE_CASE>
{
};

} // namespace

TEST_P(CommandLine, ReadsOptionsAnywhere)
{
    CCommandLine line;
    ASSERT_TRUE(line.Parse(GetParam().args)) << line.Error();

    const PARSED parsed{line.reportRequested, line.format,     line.color,
                        line.layout,          line.brief,      line.ignoreCase,
                        line.ignoreBlanks,    line.blockSize,  line.limit,
                        line.paths};
    EXPECT_EQ(parsed, GetParam().parsed);
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandLine, ::testing::ValuesIn(kParseCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandLineNumbers, RefuseWhatIsNoWholeNumberInRange)
{
    for (const char* bad : {"", "x", "3x", "1.5", "99999999999", "-1"}) {
        CCommandLine line;
        EXPECT_FALSE(line.Parse({"--limit", bad, "a", "b"})) << bad;
        EXPECT_NE(line.Error().find("--limit"), std::string::npos) << line.Error();
    }
}

TEST(CommandLineValues, RefuseUnknownFormatsAndLayouts)
{
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"--report=pdf"}, "unknown report format 'pdf' (text, json or html)"},
        {{"--layout=columns"}, "unknown --layout value 'columns' (composite or side-by-side)"},
        {{"--layout"}, "option '--layout' needs a value"},
    };
    for (const auto& [args, error] : cases) {
        CCommandLine line;
        EXPECT_FALSE(line.Parse(args)) << args[0];
        EXPECT_EQ(line.Error(), error);
    }
}

namespace {

struct OVERRIDE_CASE
{
    const char* name;
    std::vector<std::string> args;
    ComparisonSettings expected;
};

} // namespace

// Stored settings of 3/30 block sizes, 300/3000 limits and both flags on, so a
// row shows which fields the options replaced and which kept the store's.
TEST(CommandLineOverrides, ReplaceOnlyTheFieldsTheOptionsSet)
{
    const ComparisonSettings stored{3, 30, 300, 3000, true, true, "*.o", false, false};
    const std::vector<OVERRIDE_CASE> cases = {
        {"no option keeps the store", {}, stored},
        {"block size sets both",
         {"--block-size=5"},
         {5, 5, 300, 3000, true, true, "*.o", false, false}},
        {"limit sets both", {"--limit", "0"}, {3, 30, 0, 0, true, true, "*.o", false, false}},
        {"flags turned off",
         {"--no-ignore-case", "--no-ignore-blanks"},
         {3, 30, 300, 3000, false, false, "*.o", false, false}},
        {"several options at once",
         {"--ignore-case", "--block-size", "2", "--limit=7"},
         {2, 2, 7, 7, true, true, "*.o", false, false}},
        {"exclusions come after the stored ones",
         {"--exclude", "build/", "--exclude=!keep.o"},
         {3, 30, 300, 3000, true, true, "*.o; build/; !keep.o", false, false}},
        {"names paired ignoring case",
         {"--ignore-name-case"},
         {3, 30, 300, 3000, true, true, "*.o", false, true}},
    };
    for (const OVERRIDE_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        CCommandLine options;
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"old", "new"});
        ASSERT_TRUE(options.Parse(args)) << options.Error();
        ComparisonSettings settings = stored;
        options.ApplyOverrides(settings);
        EXPECT_TRUE(settings == c.expected);
    }
}

TEST(CommandLineOverrides, TurnOnWhatTheStoreHasOff)
{
    CCommandLine options;
    ASSERT_TRUE(options.Parse({"--ignore-case", "--ignore-blanks", "old", "new"}));
    ComparisonSettings settings;
    options.ApplyOverrides(settings);
    EXPECT_TRUE(settings.ignoreCase);
    EXPECT_TRUE(settings.ignoreBlanks);
    EXPECT_EQ(settings.txtBlockSize, 2);
    EXPECT_EQ(settings.binLimit, 1000);
}

TEST(CommandLineExcludeFrom, ReadsOnePatternALine)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string path = folder.filePath(QStringLiteral("patterns")).toStdString();
    {
        std::ofstream file(path, std::ios::binary);
        file << "# build output\n*.o\r\n\n__pycache__/\n!keep.o";
    }
    CCommandLine options;
    ASSERT_TRUE(options.Parse({"--exclude=*.tmp", "--exclude-from", path, "old", "new"}))
        << options.Error();
    EXPECT_EQ(options.exclude,
              (std::vector<std::string>{"*.tmp", "*.o", "__pycache__/", "!keep.o"}));

    CCommandLine missing;
    const std::string gone = folder.filePath(QStringLiteral("gone")).toStdString();
    std::string option = "--exclude-from=";
    option += gone;
    EXPECT_FALSE(missing.Parse({option, "old", "new"}));
    EXPECT_NE(missing.Error().find(gone), std::string::npos) << missing.Error();
}
