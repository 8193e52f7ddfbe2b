#include "cli/cli.h"

#include "cli/command.h"
#include "cli/help.h"
#include "common/settingslocation.h"

#include <QDir>
#include <QFileInfo>

namespace payvo::cli {

namespace {

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
    *env.err << "payvo-cli: " << why << "\n";
    printUsage(*env.err);
    env.err->flush();
    return kUsage;
}

} // namespace

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
    err() << "payvo-cli: " << text << "\n";
    err().flush();
    return status;
}

int runCli(const QStringList& args, const CliEnv& env)
{
    if (args.isEmpty())
        return usageError(env, QStringLiteral("no command given"));
    if (args.size() == 1 && args[0] == QLatin1String("--version")) {
        printVersion(*env.out, locateSettingsFile(env.programDir));
        env.out->flush();
        return kDone;
    }
    if (args.size() == 1 && (args[0] == QLatin1String("--help") || args[0] == QLatin1String("-h"))) {
        printHelp(*env.out, env.programDir);
        env.out->flush();
        return kDone;
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
    if (!parser.parse(QStringList{QStringLiteral("payvo-cli")} + args.mid(1)))
        return usageError(env, parser.errorText());
    if (parser.isSet(QStringLiteral("help"))) {
        printCommandHelp(*env.out, *command, parser);
        env.out->flush();
        return kDone;
    }
    if (parser.positionalArguments().size() != command->positionals)
        return usageError(env, QStringLiteral("'%1' takes %2 argument%3, got %4")
                                   .arg(QLatin1String(command->name))
                                   .arg(command->positionals)
                                   .arg(command->positionals == 1 ? QString() : QStringLiteral("s"))
                                   .arg(parser.positionalArguments().size()));

    const QString ini = parser.isSet(QStringLiteral("ini"))
                            ? parser.value(QStringLiteral("ini"))
                            : locateSettingsFile(env.programDir).file;
    CommandContext ctx{env, parser, ini};
    const int rc = command->run(ctx);
    env.out->flush();
    env.err->flush();
    return rc;
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
    m_err << "payvo-cli: warning: " << text << "\n";
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
    if (percent == m_drawnPercent && statusText() == m_drawnText)
        return;
    m_drawnPercent = percent;
    m_drawnText = statusText();
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
