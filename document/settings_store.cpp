#include "document/settings_store.h"

#include <QSettings>

int CSettingsStore::ReadInt(QSettings& store, const char* key, int current)
{
    bool ok = false;
    const int value = store.value(QLatin1String(key), current).toInt(&ok);
    return ok ? value : current;
}

bool CSettingsStore::ReadBool(QSettings& store, const char* key, bool current)
{
    return ReadInt(store, key, current ? 1 : 0) != 0;
}

bool CSettingsStore::ReadExactlyOne(QSettings& store, const char* key, bool current)
{
    bool ok = false;
    const int value = store.value(QLatin1String(key), current ? 1 : 0).toInt(&ok);
    return ok && value == 1;
}

QString CSettingsStore::ReadString(QSettings& store, const char* key, const QString& current)
{
    return store.value(QLatin1String(key), current).toString();
}

void CSettingsStore::WriteInt(QSettings& store, const char* key, int value)
{
    store.setValue(QLatin1String(key), value);
}

void CSettingsStore::WriteBool(QSettings& store, const char* key, bool value)
{
    store.setValue(QLatin1String(key), value ? 1 : 0);
}

void CSettingsStore::WriteString(QSettings& store, const char* key, const QString& value)
{
    store.setValue(QLatin1String(key), value);
}
