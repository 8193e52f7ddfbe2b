#include "common/settingsstore.h"

#include <QSettings>

namespace payvo
{

namespace
{

QSettings store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Payvo"), QStringLiteral("Payvo"));
}

QString fullKey(const QString& section, const QString& key)
{
    return section + QLatin1Char('/') + key;
}

} // namespace

QString readSetting(const QString& section, const QString& key, const QString& defaultValue)
{
    const QSettings s = store();
    const QString k = fullKey(section, key);
    if (!s.contains(k))
        return defaultValue;
    return s.value(k).toString();
}

void writeSetting(const QString& section, const QString& key, const QString& value)
{
    QSettings s = store();
    s.setValue(fullKey(section, key), value);
    s.sync();
}

bool hasSetting(const QString& section, const QString& key)
{
    return store().contains(fullKey(section, key));
}

} // namespace payvo
