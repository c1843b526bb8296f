#include "shell/frame_settings.h"

#include "document/settings_store.h"

#include <QSettings>

#include <algorithm>
#include <array>

namespace {

// The form "%04d %04d %04d %04d" is at least this long.
constexpr int kShortestRect = 16;

// The keys of section "Window size".
const char* const kRectKey = "Rect";
const char* const kMinimizedKey = "icon";
const char* const kMaximizedKey = "max";

// The view modes, each a choice between 0 and 1.
using MODE_KEY = CSettingsStore::Key<CFrameSettings, int>;

constexpr std::array<MODE_KEY, 4> kModeKeys = {{
    {"TxtViewMode", &CFrameSettings::txtViewMode},
    {"DirViewMode", &CFrameSettings::dirViewMode},
    {"DirViewType", &CFrameSettings::dirViewType},
    {"DirSort", &CFrameSettings::dirSort},
}};

using FLAG_KEY = CSettingsStore::Key<CFrameSettings, bool>;

const char* const kFoldContextKey = "OnlyDifferencesContext";

constexpr std::array<FLAG_KEY, 7> kFlagKeys = {{
    {"TxtOverview", &CFrameSettings::txtOverview},
    {"ShowToolBar", &CFrameSettings::showToolBar},
    {"LineChanges", &CFrameSettings::lineChanges},
    {"ScrollTogether", &CFrameSettings::scrollTogether},
    {"LineNumbers", &CFrameSettings::lineNumbers},
    {"OnlyDifferences", &CFrameSettings::onlyDifferences},
    {"DirOnlyDifferences", &CFrameSettings::dirOnlyDifferences},
}};

// A decimal integer with an optional sign starting at position at, read up to
// the first character that cannot continue it.
int IntegerAt(const QString& text, int at)
{
    int i = at;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    while (i < text.size() && text[i].isDigit() && value < 1000000000) {
        value = value * 10 + text[i].digitValue();
        ++i;
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace

void CFrameSettings::Load(QSettings& store)
{
    using Store = CSettingsStore;
    store.beginGroup(QLatin1String(Store::kSettingsSection));
    for (const MODE_KEY& mode : kModeKeys)
        this->*mode.member =
            Store::ReadExactlyOne(store, mode.name, this->*mode.member == 1) ? 1 : 0;
    for (const FLAG_KEY& flag : kFlagKeys)
        this->*flag.member = Store::ReadExactlyOne(store, flag.name, this->*flag.member);
    onlyDifferencesContext = std::clamp(
        Store::ReadInt(store, kFoldContextKey, onlyDifferencesContext), 0, kMaxFoldContext);
    store.endGroup();
}

void CFrameSettings::Save(QSettings& store) const
{
    using Store = CSettingsStore;
    store.beginGroup(QLatin1String(Store::kSettingsSection));
    for (const MODE_KEY& mode : kModeKeys)
        Store::WriteInt(store, mode.name, this->*mode.member);
    for (const FLAG_KEY& flag : kFlagKeys)
        Store::WriteBool(store, flag.name, this->*flag.member);
    Store::WriteInt(store, kFoldContextKey, onlyDifferencesContext);
    store.endGroup();
}

QRect CFrameSettings::ParseRect(const QString& text)
{
    if (text.size() < kShortestRect)
        return DefaultRect();
    return QRect(QPoint(IntegerAt(text, 0), IntegerAt(text, 5)),
                 QPoint(IntegerAt(text, 10), IntegerAt(text, 15)));
}

QString CFrameSettings::FormatRect(const QRect& rect)
{
    return QString::asprintf("%04d %04d %04d %04d", rect.left(), rect.top(), rect.right(),
                             rect.bottom());
}

CFrameSettings::Placement CFrameSettings::LoadPlacement(QSettings& store)
{
    store.beginGroup(QLatin1String(CSettingsStore::kWindowSizeSection));
    Placement placement;
    placement.rect = ParseRect(CSettingsStore::ReadString(store, kRectKey, QString()));
    placement.minimized = CSettingsStore::ReadBool(store, kMinimizedKey, false);
    placement.maximized = CSettingsStore::ReadBool(store, kMaximizedKey, false);
    store.endGroup();
    return placement;
}

void CFrameSettings::SavePlacement(QSettings& store, const Placement& placement)
{
    store.beginGroup(QLatin1String(CSettingsStore::kWindowSizeSection));
    CSettingsStore::WriteString(store, kRectKey, FormatRect(placement.rect));
    CSettingsStore::WriteBool(store, kMinimizedKey, placement.minimized);
    CSettingsStore::WriteBool(store, kMaximizedKey, placement.maximized);
    store.endGroup();
}
