#include "report_fixture.h"

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
