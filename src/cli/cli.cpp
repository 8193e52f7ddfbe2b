#include "cli/cli.h"

#include "cli/command.h"
#include "cli/help.h"
#include "common/settingslocation.h"
#include "store/fileguard.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>

namespace payvo::cli
{

namespace
{

void printUsage(QTextStream& s)
{
    s << "Usage: payvo-cli --version\n";
    for (const Command& c : commands())
        s << "       payvo-cli " << c.synopsis << "\n";
    s << "Common option: --ini FILE  the settings file (default: the one payvo-cli --version names)\n";
    s << "Exit status: 0 done, 1 refused or failed, 2 bad usage.\n";
    s << "Try 'payvo-cli --help' or 'payvo-cli COMMAND --help' for more information.\n";
}

int usageError(const CliEnv& env, const QString& why)
{
    *env.err << "payvo-cli: " << terminalText(why) << "\n";
    printUsage(*env.err);
    env.err->flush();
    return kUsage;
}

bool isShownAsItIs(char32_t c)
{
    if (c == U'\\')
        return false;
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return false;
    default:
        return true;
    }
}

QString escaped(char32_t c)
{
    switch (c) {
    case U'\\':
        return QStringLiteral("\\\\");
    case U'\t':
        return QStringLiteral("\\t");
    case U'\n':
        return QStringLiteral("\\n");
    case U'\r':
        return QStringLiteral("\\r");
    default:
        break;
    }
    const int digits = c < 0x100 ? 2 : c <= 0xFFFF ? 4 : 8;
    return QLatin1String(c < 0x100 ? "\\x"
                   : c <= 0xFFFF   ? "\\u"
                                   : "\\U")
        + QString::number(uint(c), 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

// Everything a command wrote must have reached its standard output: when not, it fails.
int finish(const CliEnv& env, int status)
{
    env.out->flush();
    QIODevice* const device = env.out->device();
    auto* const file = qobject_cast<QFileDevice*>(device);
    const bool written = env.out->status() == QTextStream::Ok && (!file || file->flush());
    if (!written && status == kDone) {
        *env.err << "payvo-cli: cannot write the output: "
                 << (device ? device->errorString() : QStringLiteral("the stream failed")) << "\n";
        status = kFailed;
    }
    env.err->flush();
    return status;
}

} // namespace

QString terminalText(const QString& text)
{
    QString shown;
    shown.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text[i].unicode();
        qsizetype width = 1;
        if (QChar::isHighSurrogate(c) && i + 1 < n && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            width = 2;
        }
        if (isShownAsItIs(c))
            shown.append(text.constData() + i, width);
        else
            shown += escaped(c);
        i += width - 1;
    }
    return shown;
}

void warnIfNoSettingsFile(const CommandContext& ctx, UserPrompt& prompt)
{
    const QFileInfo ini(ctx.iniFile);
    if (!ini.exists())
        prompt.remark(QStringLiteral("settings file %1 not found: every weight counts as 1").arg(ctx.iniFile));
    else if (!ini.isFile())
        prompt.remark(QStringLiteral("settings file %1 is not a file that can be read: every weight counts as 1")
                          .arg(ctx.iniFile));
}

int CommandContext::fail(const QString& text, int status) const
{
    err() << "payvo-cli: " << terminalText(text) << "\n";
    err().flush();
    return status;
}

int runCli(const QStringList& args, const CliEnv& env)
{
    if (args.isEmpty())
        return usageError(env, QStringLiteral("no command given"));
    if (args.size() == 1 && args[0] == QLatin1String("--version")) {
        printVersion(*env.out, locateSettingsFile(env.programDir));
        return finish(env, kDone);
    }
    if (args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
        printHelp(*env.out, env.programDir);
        return finish(env, kDone);
    }

    const Command* command = nullptr;
    for (const Command& c : commands()) {
        if (args[0] == QLatin1String(c.name))
            command = &c;
    }
    if (!command)
        return usageError(env, QStringLiteral("unknown command '%1'").arg(args[0]));

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    command->declare(parser);
    declareCommonOptions(parser);
    // The parser expects the program name first.
    if (!parser.parse(QStringList { QStringLiteral("payvo-cli") } + args.mid(1)))
        return usageError(env, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        printCommandHelp(*env.out, *command, parser);
        return finish(env, kDone);
    }
    const qsizetype given = parser.positionalArguments().size();
    if (command->positionals < 0 && given == 0)
        return usageError(env, QStringLiteral("'%1' takes one argument or more").arg(QLatin1String(command->name)));
    if (command->positionals >= 0 && given != command->positionals)
        return usageError(env,
            QStringLiteral("'%1' takes %2 argument%3, got %4")
                .arg(QLatin1String(command->name))
                .arg(command->positionals)
                .arg(command->positionals == 1 ? QString() : QStringLiteral("s"))
                .arg(given));

    const QString ini = parser.isSet(QStringLiteral("ini")) ? plainPath(parser.value(QStringLiteral("ini")))
                                                            : locateSettingsFile(env.programDir).file;
    CommandContext ctx { env, parser, ini };
    return finish(env, command->run(ctx));
}

void CliPrompt::message(const QString& text, Icon)
{
    m_last = text;
}

bool CliPrompt::question(const QString& text, Icon)
{
    if (!m_overwrite) {
        m_declined = true;
        m_last = text;
    }
    return m_overwrite;
}

void CliPrompt::remark(const QString& text)
{
    m_err << "payvo-cli: warning: " << terminalText(text) << "\n";
    m_err.flush();
}

CliStatus::~CliStatus()
{
    clearLine();
}

void CliStatus::setStatusText(const QString& text)
{
    PlainStatus::setStatusText(text);
    draw();
}

void CliStatus::setProgressVisible(bool visible)
{
    PlainStatus::setProgressVisible(visible);
    if (visible)
        draw();
    else
        clearLine();
}

void CliStatus::setProgressValue(double value)
{
    PlainStatus::setProgressValue(value);
    draw();
}

void CliStatus::draw()
{
    if (!m_terminal || !progressVisible())
        return;
    const int percent = int(progressValue());
    const QString text = terminalText(statusText());
    if (percent == m_drawnPercent && text == m_drawnText)
        return;
    m_drawnPercent = percent;
    m_drawnText = text;
    constexpr int width = 30;
    const int filled = qBound(0, percent * width / 100, width);
    m_err << "\r[" << QString(filled, QLatin1Char('#')) << QString(width - filled, QLatin1Char(' ')) << "] "
          << QString::number(percent).rightJustified(3) << "%  " << m_drawnText.left(40).leftJustified(40);
    m_err.flush();
    m_lineShown = true;
}

void CliStatus::clearLine()
{
    if (!m_lineShown)
        return;
    m_err << "\r" << QString(30 + 2 + 5 + 2 + 40, QLatin1Char(' ')) << "\r";
    m_err.flush();
    m_lineShown = false;
    m_drawnPercent = -1;
}

} // namespace payvo::cli
