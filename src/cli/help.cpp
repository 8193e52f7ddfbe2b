#include "cli/help.h"

#include "cli/command.h"
#include "common/product.h"
#include "common/settingslocation.h"

#include <QCommandLineParser>
#include <QDir>
#include <QTextStream>

namespace payvo::cli
{

namespace
{

// Words of text wrapped at 79 columns, every line after the first indented by indent.
QString wrapped(const QString& text, int indent)
{
    QString result;
    int column = indent;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString& word : words) {
        if (column > indent && column + 1 + word.size() > 79) {
            result += QLatin1Char('\n') + QString(indent, QLatin1Char(' '));
            column = indent;
        } else if (column > indent) {
            result += QLatin1Char(' ');
            ++column;
        }
        result += word;
        column += int(word.size());
    }
    return result;
}

} // namespace

void declareCommonOptions(QCommandLineParser& parser)
{
    parser.addOption(QCommandLineOption(QStringLiteral("ini"),
        QStringLiteral("Use FILE as the settings file (the cap, the salary limits "
                       "and the weights) instead of the one payvo-cli --version "
                       "names."),
        QStringLiteral("FILE")));
    parser.addOption(QCommandLineOption(
        QStringList { QStringLiteral("h"), QStringLiteral("help") }, QStringLiteral("Show this help and exit.")));
}

void printHelp(QTextStream& out, const QString& programDir)
{
    out << "Usage: payvo-cli COMMAND [ARGUMENT]... [OPTION]...\n"
        << "  or:  payvo-cli --help | --version\n"
        << wrapped(QStringLiteral("Gives the players of a simulated football league their salaries and keeps each "
                                  "team's payroll under the salary cap, without a window: the desktop program "
                                  "payvo's work for scripts and league sites."),
               0)
        << "\n\nCommands:\n";
    int width = 0;
    for (const Command& c : commands())
        width = std::max(width, int(qstrlen(c.name)));
    for (const Command& c : commands())
        out << "  " << QString::fromLatin1(c.name).leftJustified(width + 2)
            << wrapped(QString::fromLatin1(c.summary), width + 4) << "\n";
    out << "\nOptions of every command:\n"
        << "      --ini FILE   " << wrapped(QStringLiteral("the settings file to use instead of the one below"), 19)
        << "\n  -h, --help       show the command's options and arguments and exit\n"
        << "\nOptions without a command:\n"
        << "  -h, --help       show this help and exit\n"
        << "      --version    show the version and the settings file in use, and exit\n"
        << "\n"
        << wrapped(QStringLiteral("Settings file: Payvo.ini beside the program when one stands there and the "
                                  "folder is writable (a build or an unpacked folder); otherwise the per-user "
                                  "file %1, made as a copy of %2 the first time it is needed.")
                       .arg(QDir::toNativeSeparators(userSettingsFile()),
                           QDir::toNativeSeparators(defaultSettingsFile(programDir))),
               0)
        << "\n\nExit status: 0 done, 1 refused or failed (one line on stderr saying why), 2 bad usage.\n"
        << "\nRun 'payvo-cli COMMAND --help' for the arguments and options of a command.\n"
        << "The user guide: "
        << QDir::toNativeSeparators(QDir(sharedDataDir(programDir)).filePath(QStringLiteral("guide/index.html")))
        << "\n";
}

void printCommandHelp(QTextStream& out, const Command& command, QCommandLineParser& parser)
{
    // Qt lists every option and argument declared on the parser; only its first line, which
    // names the program by the path it was started with, is replaced.
    QString text = parser.helpText();
    text = text.mid(text.indexOf(QLatin1Char('\n')) + 1);
    out << "Usage: payvo-cli " << command.synopsis << "\n"
        << wrapped(QString::fromLatin1(command.description), 0) << "\n"
        << text;
}

void printVersion(QTextStream& out, const SettingsLocation& settings)
{
    out << kAppTitle << " " << kVersion << "\n" << settingsFileLine(settings) << "\n";
}

} // namespace payvo::cli
