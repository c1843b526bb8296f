#include "document/settings_store.h"

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QVariant>

#include <cstdio>
#include <limits>
#include <sys/stat.h>

// Read as a 64-bit number first: QVariant's own toInt of the text
// "4294967297" gives 1, a stored value wrapped round into a different one.
int CSettingsStore::ReadInt(QSettings& store, const char* key, int current)
{
    const QVariant stored = store.value(QLatin1String(key));
    if (!stored.isValid())
        return current;
    bool ok = false;
    const qlonglong value = stored.typeId() == QMetaType::QString
                                ? stored.toString().trimmed().toLongLong(&ok, 10)
                                : stored.toLongLong(&ok);
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        return current;
    return static_cast<int>(value);
}

bool CSettingsStore::ReadBool(QSettings& store, const char* key, bool current)
{
    return ReadInt(store, key, current ? 1 : 0) != 0;
}

bool CSettingsStore::ReadExactlyOne(QSettings& store, const char* key, bool current)
{
    const QVariant stored = store.value(QLatin1String(key));
    if (!stored.isValid())
        return current;
    // A value that is no number, or no int, can never be the 1 that means
    // true; ReadInt gives it back as the fallback, here one that is not 1.
    return ReadInt(store, key, 0) == 1;
}

// QSettings reads the user's file and the company-wide one, and the same two
// in each system configuration folder, as soon as it is made.
bool CSettingsStore::FilesAreReadable()
{
    const QString application = QLatin1String(kCompany) + QLatin1Char('/') +
                                QLatin1String(kApplication) + QStringLiteral(".conf");
    const QString company = QLatin1String(kCompany) + QStringLiteral(".conf");
    bool readable = true;
    for (const QString& folder :
         QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation)) {
        for (const QString& name : {application, company}) {
            const QByteArray path = QFile::encodeName(folder + QLatin1Char('/') + name);
            struct stat st = {};
            if (::stat(path.constData(), &st) != 0 || S_ISREG(st.st_mode))
                continue;
            std::fprintf(stderr,
                         "varnel: ignoring the settings file %s: it is not a regular file\n",
                         path.constData());
            readable = false;
        }
    }
    return readable;
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
