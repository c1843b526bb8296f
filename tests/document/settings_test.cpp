#include "document/diff_doc.h"
#include "document/sync_user_seam.h"
#include "document_fixture.h"

#include <QSettings>

#include <map>

namespace {

// The six comparison settings as one comparable value.
struct SETTINGS
{
    int txtBlockSize;
    int binBlockSize;
    int txtLimit;
    int binLimit;
    bool ignoreCase;
    bool ignoreBlanks;

    friend bool operator==(const SETTINGS&, const SETTINGS&) = default;
    friend std::ostream& operator<<(std::ostream& out, const SETTINGS& s)
    {
        return out << "{" << s.txtBlockSize << ", " << s.binBlockSize << ", " << s.txtLimit << ", "
                   << s.binLimit << ", " << s.ignoreCase << ", " << s.ignoreBlanks << "}";
    }
};

SETTINGS SettingsOf(const CDiffDoc& doc)
{
    return {doc.txtBlockSize, doc.binBlockSize,      doc.txtLimit,
            doc.binLimit,     doc.ignoreCaseSetting, doc.ignoreBlanksSetting};
}

class Settings : public CDocumentFixture
{
protected:
    // A store of its own in the temporary folder: the user's file is never read.
    QSettings Store() const
    {
        return QSettings(QString::fromStdString(PathOf("Varnel.conf")), QSettings::IniFormat);
    }

    void Put(const std::map<QString, QVariant>& values) const
    {
        QSettings store = Store();
        for (const auto& [key, value] : values)
            store.setValue(QStringLiteral("Settings/") + key, value);
    }

    SETTINGS Loaded()
    {
        QSettings store = Store();
        doc_.LoadSettings(store);
        return SettingsOf(doc_);
    }

    CSyncUserSeam seam_;
    CDiffDoc doc_{seam_};
};

} // namespace

TEST_F(Settings, AbsentKeysGiveTheDefaults)
{
    EXPECT_EQ(Loaded(), (SETTINGS{2, 10, 1000, 1000, false, false}));
}

TEST_F(Settings, AbsentKeysKeepTheCurrentValues)
{
    doc_.txtLimit = 77;
    doc_.ignoreBlanksSetting = true;

    EXPECT_EQ(Loaded(), (SETTINGS{2, 10, 77, 1000, false, true}));
}

TEST_F(Settings, SavedValuesLoadIntoAnotherDocument)
{
    doc_.txtBlockSize = 5;
    doc_.binBlockSize = 20;
    doc_.txtLimit = 300;
    doc_.binLimit = 0;
    doc_.ignoreCaseSetting = true;
    doc_.ignoreBlanksSetting = true;
    {
        QSettings store = Store();
        doc_.SaveSettings(store);
    }

    CDiffDoc other(seam_);
    QSettings store = Store();
    other.LoadSettings(store);

    EXPECT_EQ(SettingsOf(other), (SETTINGS{5, 20, 300, 0, true, true}));
    EXPECT_EQ(store.value(QStringLiteral("Settings/IgnoreCase")).toString(), QStringLiteral("1"));
    EXPECT_EQ(store.value(QStringLiteral("Settings/TxtBlockSize")).toString(), QStringLiteral("5"));
}

TEST_F(Settings, AnyNonZeroNumberIsTrue)
{
    Put({{QStringLiteral("IgnoreCase"), 7}, {QStringLiteral("IgnoreBlanks"), -1}});

    EXPECT_EQ(Loaded(), (SETTINGS{2, 10, 1000, 1000, true, true}));
}

TEST_F(Settings, UnusableStoredValuesAreCorrected)
{
    Put({{QStringLiteral("TxtBlockSize"), 0},
         {QStringLiteral("BinBlockSize"), -4},
         {QStringLiteral("TxtLimit"), -1},
         {QStringLiteral("BinLimit"), -1000}});

    EXPECT_EQ(Loaded(), (SETTINGS{1, 1, 0, 0, false, false}));
}

TEST_F(Settings, StoredTextThatIsNoNumberKeepsTheCurrentValue)
{
    Put({{QStringLiteral("TxtBlockSize"), QStringLiteral("many")},
         {QStringLiteral("IgnoreCase"), QStringLiteral("yes")}});

    EXPECT_EQ(Loaded(), (SETTINGS{2, 10, 1000, 1000, false, false}));
}
