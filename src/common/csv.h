#pragma once

#include <QString>
#include <QStringList>

namespace payvo
{

// CSV as RFC 4180 writes it: fields separated by commas, each record ended by CR LF. A field
// is quoted when it holds a comma, a double quote, a CR or an LF, and a double quote inside
// it is doubled; any other field stands as it is. The caller writes the text as UTF-8.
QString csvField(const QString& text);
QString csvRecord(const QStringList& fields);

} // namespace payvo
