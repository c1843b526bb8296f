#include "report_fixture.h"

#include <sys/stat.h>

namespace {

// Two files that differ only in letter case: whether they count as equal
// shows which Ignore Case setting the run used.
struct SETTING_CASE
{
    const char* name;
    // The stored settings file; empty when there is none.
    std::string stored;
    std::vector<std::string> options;
    int exitStatus;

    friend void PrintTo(const SETTING_CASE& c, std::ostream* out) { *out << c.name; }
};

// clang-format off
const SETTING_CASE kSettingCases[] = {
    {"NoStoreUsesTheDefaults", "", {}, 1},
    {"StoredIgnoreCaseApplies", "[Settings]\nIgnoreCase=1\n", {}, 0},
    {"StoredOffApplies", "[Settings]\nIgnoreCase=0\n", {}, 1},
    {"OptionOverridesStoredOff", "[Settings]\nIgnoreCase=0\nTxtBlockSize=2\n",
     {"--ignore-case"}, 0},
    {"OptionOverridesStoredOn", "[Settings]\nIgnoreCase=1\n", {"--no-ignore-case"}, 1},
    {"OptionsWithoutStore", "",
     {"--ignore-case", "--ignore-blanks", "--block-size", "3", "--limit=50"}, 0},
    {"StoredBlockSizeApplies", "[Settings]\nIgnoreCase=1\nTxtBlockSize=4\n", {}, 1},
    {"BlockSizeOverridesStore", "[Settings]\nIgnoreCase=1\nTxtBlockSize=4\n",
     {"--block-size=3"}, 0},
};
// clang-format on

class StoredSettings : public CReportFixture, public ::testing::WithParamInterface<SETTING_CASE>
{
};

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_P(StoredSettings, ApplyAndAreNeverWrittenBack)
{
    const SETTING_CASE& c = GetParam();
    if (!c.stored.empty())
        WriteSettings(c.stored);
    Write("old", "Alpha\nBeta\nGamma");
    Write("new", "alpha\nbeta\ngamma");
    std::vector<std::string> args = c.options;
    args.insert(args.end(), {"old", "new"});

    const RUN_RESULT result = Run(args);

    EXPECT_EQ(result.exitStatus, c.exitStatus) << result.out << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(QFile::exists(SettingsFile()), !c.stored.empty());
    EXPECT_EQ(ReadAll(SettingsFile()).toStdString(), c.stored);
}

INSTANTIATE_TEST_SUITE_P(Cases, StoredSettings, ::testing::ValuesIn(kSettingCases),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

struct UNREADABLE_SETTINGS_CASE
{
    const char* name;
    // The file of the store that is made something other than a file.
    const char* file;
    bool fifo; // a FIFO, else a folder

    friend void PrintTo(const UNREADABLE_SETTINGS_CASE& c, std::ostream* out) { *out << c.name; }
};

const UNREADABLE_SETTINGS_CASE kUnreadableSettingsCases[] = {
    {"FifoAsTheSettingsFile", "config/Orvane/Varnel.conf", true},
    {"FolderAsTheSettingsFile", "config/Orvane/Varnel.conf", false},
    {"FifoAsTheCompanyFile", "config/Orvane.conf", true},
};

class UnreadableSettings : public CReportFixture,
                           public ::testing::WithParamInterface<UNREADABLE_SETTINGS_CASE>
{
};

} // namespace

// Opening a FIFO waits for a writer that never comes: such a store is not
// read at all, the run goes on with the defaults (which tell the case of
// these lines apart), and one line says why.
TEST_P(UnreadableSettings, AreIgnoredWithOneLine)
{
    const UNREADABLE_SETTINGS_CASE& c = GetParam();
    MakeFolder("config/Orvane");
    const std::string path = PathOf(c.file);
    if (c.fifo)
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    else
        MakeFolder(c.file);
    Write("old", "Alpha");
    Write("new", "alpha");

    const RUN_RESULT result = Run({"old", "new"});

    EXPECT_EQ(result.err,
              "varnel: ignoring the settings file " + path + ": it is not a regular file\n");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "- Alpha\n+ alpha\n0 identical, 1 removed, 1 added, 0 moved lines\n");
}

INSTANTIATE_TEST_SUITE_P(Cases, UnreadableSettings, ::testing::ValuesIn(kUnreadableSettingsCases),
                         [](const auto& info) { return std::string(info.param.name); });
