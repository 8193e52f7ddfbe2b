#include "common/jsontext.h"

namespace payvo
{

QString jsonValue(const QString& field)
{
    return field.isEmpty() ? QStringLiteral("null") : field;
}

QString jsonString(const QString& text)
{
    QString s = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            s += QLatin1String("\\\"");
            break;
        case '\\':
            s += QLatin1String("\\\\");
            break;
        case '\n':
            s += QLatin1String("\\n");
            break;
        case '\r':
            s += QLatin1String("\\r");
            break;
        case '\t':
            s += QLatin1String("\\t");
            break;
        default:
            if (c.unicode() < 0x20)
                s += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                s += c;
        }
    }
    return s + QLatin1Char('"');
}

// "key": value pairs in the given order.
QString jsonObject(const std::vector<std::pair<const char*, QString>>& members)
{
    QStringList parts;
    for (const auto& [key, value] : members)
        parts << QStringLiteral("\"%1\": %2").arg(QLatin1String(key), value);
    return QLatin1Char('{') + parts.join(QStringLiteral(", ")) + QLatin1Char('}');
}

QString jsonArray(const QStringList& items, int indent)
{
    if (items.isEmpty())
        return QStringLiteral("[]");
    const QString pad(indent, QLatin1Char(' '));
    return QStringLiteral("[\n") + pad + items.join(QStringLiteral(",\n") + pad) + QLatin1Char('\n')
        + QString(indent - 1, QLatin1Char(' ')) + QLatin1Char(']');
}

} // namespace payvo
