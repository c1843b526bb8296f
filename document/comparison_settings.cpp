#include "document/comparison_settings.h"

#include "document/settings_store.h"

#include <QSettings>

#include <algorithm>
#include <array>

namespace {

using INT_KEY = CSettingsStore::Key<ComparisonSettings, int>;
using BOOL_KEY = CSettingsStore::Key<ComparisonSettings, bool>;

constexpr std::array<INT_KEY, 4> kIntKeys = {{
    {"TxtBlockSize", &ComparisonSettings::txtBlockSize},
    {"BinBlockSize", &ComparisonSettings::binBlockSize},
    {"TxtLimit", &ComparisonSettings::txtLimit},
    {"BinLimit", &ComparisonSettings::binLimit},
}};

constexpr std::array<BOOL_KEY, 4> kBoolKeys = {{
    {"IgnoreCase", &ComparisonSettings::ignoreCase},
    {"IgnoreBlanks", &ComparisonSettings::ignoreBlanks},
    {"SkipVersionControl", &ComparisonSettings::skipVersionControl},
    {"IgnoreNameCase", &ComparisonSettings::ignoreNameCase},
}};

constexpr const char* kExcludeKey = "Exclude";

} // namespace

void ComparisonSettings::Load(QSettings& store)
{
    store.beginGroup(QLatin1String(CSettingsStore::kSettingsSection));
    for (const INT_KEY& number : kIntKeys)
        this->*number.member = CSettingsStore::ReadInt(store, number.name, this->*number.member);
    for (const BOOL_KEY& flag : kBoolKeys)
        this->*flag.member = CSettingsStore::ReadBool(store, flag.name, this->*flag.member);
    exclude = CSettingsStore::ReadString(store, kExcludeKey, QString::fromStdString(exclude))
                  .toStdString();
    store.endGroup();
    Correct();
}

void ComparisonSettings::Save(QSettings& store) const
{
    store.beginGroup(QLatin1String(CSettingsStore::kSettingsSection));
    for (const INT_KEY& number : kIntKeys)
        CSettingsStore::WriteInt(store, number.name, this->*number.member);
    for (const BOOL_KEY& flag : kBoolKeys)
        CSettingsStore::WriteBool(store, flag.name, this->*flag.member);
    CSettingsStore::WriteString(store, kExcludeKey, QString::fromStdString(exclude));
    store.endGroup();
}

void ComparisonSettings::Load()
{
    if (!CSettingsStore::FilesAreReadable()) {
        Correct();
        return;
    }
    QSettings store{QLatin1String(CSettingsStore::kCompany),
                    QLatin1String(CSettingsStore::kApplication)};
    Load(store);
}

// A block size of 0 would accept empty runs without end, and a negative limit
// means no search.
void ComparisonSettings::Correct()
{
    txtBlockSize = std::max(txtBlockSize, 1);
    binBlockSize = std::max(binBlockSize, 1);
    txtLimit = std::max(txtLimit, 0);
    binLimit = std::max(binLimit, 0);
}
