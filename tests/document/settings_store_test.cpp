#include "document/settings_store.h"
#include "document_fixture.h"

#include <QSettings>

#include <optional>
#include <vector>

namespace {

struct READ_CASE
{
    const char* name;
    // What the store holds under the key; none when it lacks the key.
    std::optional<QVariant> stored;
    int readInt;
    bool readBool;
    bool readExactlyOne;
};

} // namespace

// Every settings class reads through these, so an edited store means the same
// to all of them. The current value passed in is 5 for the number and true for
// both flags, so a row shows whether it was kept.
TEST_F(CDocumentFixture, StoredValuesAreReadByOneRuleEach)
{
    const std::vector<READ_CASE> cases = {
        {"absent keeps the current value", std::nullopt, 5, true, true},
        {"one", 1, 1, true, true},
        {"zero", 0, 0, false, false},
        {"two", 2, 2, true, false},
        {"negative", -1, -1, true, false},
        {"number as text", QStringLiteral("7"), 7, true, false},
        {"no number", QStringLiteral("yes"), 5, true, false},
        {"largest int", QStringLiteral("2147483647"), 2147483647, true, false},
        {"smallest int", QStringLiteral("-2147483648"), -2147483647 - 1, true, false},
        {"beyond an int does not wrap round", QStringLiteral("4294967297"), 5, true, false},
        {"just beyond the largest int", QStringLiteral("2147483648"), 5, true, false},
        {"just beyond the smallest int", QStringLiteral("-2147483649"), 5, true, false},
        {"beyond an int as a number", QVariant(4294967297LL), 5, true, false},
    };
    QSettings store(QString::fromStdString(PathOf("Varnel.conf")), QSettings::IniFormat);
    for (const READ_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        store.clear();
        if (c.stored)
            store.setValue(QStringLiteral("Key"), *c.stored);
        EXPECT_EQ(CSettingsStore::ReadInt(store, "Key", 5), c.readInt);
        EXPECT_EQ(CSettingsStore::ReadBool(store, "Key", true), c.readBool);
        EXPECT_EQ(CSettingsStore::ReadExactlyOne(store, "Key", true), c.readExactlyOne);
    }
}

TEST_F(CDocumentFixture, WrittenValuesReadBack)
{
    QSettings store(QString::fromStdString(PathOf("Varnel.conf")), QSettings::IniFormat);
    CSettingsStore::WriteInt(store, "Number", -12);
    CSettingsStore::WriteBool(store, "On", true);
    CSettingsStore::WriteBool(store, "Off", false);
    CSettingsStore::WriteString(store, "Name", QStringLiteral("Strike Out"));

    EXPECT_EQ(store.value(QStringLiteral("On")).toInt(), 1);
    EXPECT_EQ(store.value(QStringLiteral("Off")).toInt(), 0);
    EXPECT_EQ(CSettingsStore::ReadInt(store, "Number", 0), -12);
    EXPECT_EQ(CSettingsStore::ReadString(store, "Name", QString()), QStringLiteral("Strike Out"));
    EXPECT_EQ(CSettingsStore::ReadString(store, "Absent", QStringLiteral("kept")),
              QStringLiteral("kept"));
}
