#pragma once

#include <QString>

namespace payvo
{

// The per-user settings store: the platform's native settings under the organisation and
// application name "Payvo" (on Linux $XDG_CONFIG_HOME/Payvo/Payvo.conf).
//
// readSetting gives the default only while the key is absent; a key holding an empty text
// gives the empty text.
QString readSetting(const QString& section, const QString& key, const QString& defaultValue = QString());
void writeSetting(const QString& section, const QString& key, const QString& value);
bool hasSetting(const QString& section, const QString& key);

} // namespace payvo
