#include "shell/recent_list.h"

#include "document/path_text.h"
#include "document/settings_store.h"

#include <QSettings>

#include <algorithm>

namespace {

const char* const kSection = "Recent Comparisons";
const char* const kCountKey = "Count";

std::string NumberedKey(const char* name, std::size_t number)
{
    std::string key(name);
    key += std::to_string(number);
    return key;
}

std::string PathBytes(const QString& text)
{
    return QFile::encodeName(text).toStdString();
}

} // namespace

void CRecentList::Add(const PAIR& pair)
{
    pairs_.erase(std::remove(pairs_.begin(), pairs_.end(), pair), pairs_.end());
    pairs_.insert(pairs_.begin(), pair);
    if (pairs_.size() > kMaxPairs)
        pairs_.resize(kMaxPairs);
}

void CRecentList::Load(QSettings& store)
{
    pairs_.clear();
    store.beginGroup(QLatin1String(kSection));
    const int count =
        std::clamp(CSettingsStore::ReadInt(store, kCountKey, 0), 0, static_cast<int>(kMaxPairs));
    for (std::size_t i = 1; i <= static_cast<std::size_t>(count); ++i) {
        PAIR pair;
        pair.first = PathBytes(
            CSettingsStore::ReadString(store, NumberedKey("First", i).c_str(), QString()));
        pair.second = PathBytes(
            CSettingsStore::ReadString(store, NumberedKey("Second", i).c_str(), QString()));
        pair.folders =
            CSettingsStore::ReadExactlyOne(store, NumberedKey("Folders", i).c_str(), false);
        if (!pair.first.empty() && !pair.second.empty() &&
            std::find(pairs_.begin(), pairs_.end(), pair) == pairs_.end())
            pairs_.push_back(pair);
    }
    store.endGroup();
}

void CRecentList::Save(QSettings& store) const
{
    store.beginGroup(QLatin1String(kSection));
    // Entries beyond the new count from an earlier, longer list go.
    store.remove(QString());
    CSettingsStore::WriteInt(store, kCountKey, static_cast<int>(pairs_.size()));
    for (std::size_t i = 1; i <= pairs_.size(); ++i) {
        const PAIR& pair = pairs_[i - 1];
        CSettingsStore::WriteString(store, NumberedKey("First", i).c_str(), PathText(pair.first));
        CSettingsStore::WriteString(store, NumberedKey("Second", i).c_str(), PathText(pair.second));
        CSettingsStore::WriteBool(store, NumberedKey("Folders", i).c_str(), pair.folders);
    }
    store.endGroup();
}
