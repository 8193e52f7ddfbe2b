#include "cli/views.h"

#include <limits>

namespace payvo::cli
{

bool filterOption(CommandContext& ctx, const QString& option, int& value)
{
    if (!ctx.args.isSet(option))
        return true;
    const QString text = ctx.args.value(option);
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < std::numeric_limits<qint16>::min() || v > std::numeric_limits<qint16>::max()) {
        ctx.fail(QStringLiteral("--%1 takes a whole number from -32768 to 32767, not '%2'").arg(option, text), kUsage);
        return false;
    }
    value = v;
    return true;
}

bool formatOption(CommandContext& ctx, bool& json)
{
    const QString format
        = ctx.args.isSet(QStringLiteral("format")) ? ctx.args.value(QStringLiteral("format")) : QStringLiteral("text");
    if (format != QLatin1String("text") && format != QLatin1String("json")) {
        ctx.fail(QStringLiteral("--format takes text or json, not '%1'").arg(format), kUsage);
        return false;
    }
    json = format == QLatin1String("json");
    return true;
}

bool formatOption(CommandContext& ctx, BoardFormat& format)
{
    const QString text = ctx.args.value(QStringLiteral("format"));
    format = BoardFormat::Text;
    if (text == QLatin1String("csv"))
        format = BoardFormat::Csv;
    else if (text == QLatin1String("json"))
        format = BoardFormat::Json;
    else if (!text.isEmpty() && text != QLatin1String("text")) {
        ctx.fail(QStringLiteral("--format takes text, csv or json, not '%1'").arg(text), kUsage);
        return false;
    }
    return true;
}

void writeText(CommandContext& ctx, const QString& text)
{
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i)
        ctx.out() << (i > 0 ? "\n" : "") << terminalText(lines[i]);
}

void writeText(CommandContext& ctx, const std::function<void(QTextStream&)>& write)
{
    QString text;
    {
        QTextStream buffer(&text);
        write(buffer);
    }
    writeText(ctx, text);
}

} // namespace payvo::cli
