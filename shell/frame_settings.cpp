#include "shell/frame_settings.h"

#include <QSettings>

namespace {

const char* const kSettings = "Settings";
const char* const kWindowSize = "Window size";
// The form "%04d %04d %04d %04d" is at least this long.
constexpr int kShortestRect = 16;

int ReadExactlyOne(QSettings& store, const char* key, int current)
{
    bool ok = false;
    const int value = store.value(QLatin1String(key), current).toInt(&ok);
    return ok && value == 1 ? 1 : 0;
}

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
    store.beginGroup(QLatin1String(kSettings));
    txtViewMode = ReadExactlyOne(store, "TxtViewMode", txtViewMode);
    dirViewMode = ReadExactlyOne(store, "DirViewMode", dirViewMode);
    dirViewType = ReadExactlyOne(store, "DirViewType", dirViewType);
    dirSort = ReadExactlyOne(store, "DirSort", dirSort);
    txtOverview = ReadExactlyOne(store, "TxtOverview", txtOverview ? 1 : 0) == 1;
    showToolBar = ReadExactlyOne(store, "ShowToolBar", showToolBar ? 1 : 0) == 1;
    store.endGroup();
}

void CFrameSettings::Save(QSettings& store) const
{
    store.beginGroup(QLatin1String(kSettings));
    store.setValue("TxtViewMode", txtViewMode);
    store.setValue("DirViewMode", dirViewMode);
    store.setValue("DirViewType", dirViewType);
    store.setValue("DirSort", dirSort);
    store.setValue("TxtOverview", txtOverview ? 1 : 0);
    store.setValue("ShowToolBar", showToolBar ? 1 : 0);
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
    store.beginGroup(QLatin1String(kWindowSize));
    Placement placement;
    placement.rect = ParseRect(store.value("Rect").toString());
    placement.minimized = store.value("icon", 0).toInt() != 0;
    placement.maximized = store.value("max", 0).toInt() != 0;
    store.endGroup();
    return placement;
}

void CFrameSettings::SavePlacement(QSettings& store, const Placement& placement)
{
    store.beginGroup(QLatin1String(kWindowSize));
    store.setValue("Rect", FormatRect(placement.rect));
    store.setValue("icon", placement.minimized ? 1 : 0);
    store.setValue("max", placement.maximized ? 1 : 0);
    store.endGroup();
}
