#include "app/appargs.h"

#include "common/product.h"
#include "common/settingslocation.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace payvo
{

namespace
{

// The options of every Qt program that take a value, and those that take none.
const QStringList kQtValueOptions = { QStringLiteral("platform"), QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"), QStringLiteral("plugin"), QStringLiteral("display"), QStringLiteral("style"),
    QStringLiteral("stylesheet"), QStringLiteral("session"), QStringLiteral("qwindowgeometry"),
    QStringLiteral("geometry"), QStringLiteral("qwindowtitle"), QStringLiteral("title"), QStringLiteral("qwindowicon"),
    QStringLiteral("icon"), QStringLiteral("name"), QStringLiteral("dialogs"), QStringLiteral("widgetcount") };
const QStringList kQtFlagOptions = { QStringLiteral("reverse"), QStringLiteral("nograb"), QStringLiteral("dograb"),
    QStringLiteral("sync"), QStringLiteral("testability") };

} // namespace

AppArgs readAppArgs(const QStringList& args)
{
    AppArgs result;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("-h") || a == QLatin1String("--help"))
            return { AppArgs::Action::Help, {} };
        if (a == QLatin1String("-v") || a == QLatin1String("--version"))
            result.action = AppArgs::Action::Version;
        else if (a.startsWith(QLatin1Char('-'))) {
            QString name = a.mid(a.startsWith(QLatin1String("--")) ? 2 : 1);
            const bool valueGiven = name.contains(QLatin1Char('='));
            name = name.section(QLatin1Char('='), 0, 0);
            if (kQtValueOptions.contains(name)) {
                if (!valueGiven)
                    ++i;
            } else if (!kQtFlagOptions.contains(name)) {
                return { AppArgs::Action::Error, QStringLiteral("unknown option '%1'").arg(a) };
            }
        } else {
            return { AppArgs::Action::Error, QStringLiteral("unexpected argument '%1'").arg(a) };
        }
    }
    return result;
}

void printAppHelp(QTextStream& out, const QString& programDir)
{
    const QString data = QDir::toNativeSeparators(sharedDataDir(programDir));
    out << "Usage: payvo [OPTION]...\n"
        << "Gives the players of a simulated football league their salaries and keeps each\n"
        << "team's payroll under the salary cap: the desktop program. payvo-cli does the\n"
        << "same work without a window.\n"
        << "\n"
        << "  -h, --help       show this help and exit\n"
        << "  -v, --version    show the version and the settings file in use, and exit\n"
        << "\n"
        << "The options of every Qt program are taken too, among them:\n"
        << "  -platform NAME   the window system: xcb (X11), wayland or offscreen\n"
        << "  -display NAME    the X display to show the window on\n"
        << "  -style NAME      the look of the controls, such as Fusion\n"
        << "  -reverse         lay the window out from right to left\n"
        << "\n"
        << "Files:\n"
        << "  Payvo.ini beside the program\n"
        << "        the salary settings (cap, limits, weights) of a program that runs where\n"
        << "        it was built or unpacked: used when it exists and the folder is writable\n"
        << "  " << QDir::toNativeSeparators(userSettingsFile()) << "\n"
        << "        otherwise the settings file, made the first time it is needed as a copy\n"
        << "        of " << QDir::toNativeSeparators(defaultSettingsFile(programDir)) << "\n"
        << "  " << QDir::toNativeSeparators(QFileInfo(userSettingsFile()).path() + QStringLiteral("/Payvo.conf"))
        << "\n"
        << "        the report file names, the last folder opened, the window's size\n"
        << "  " << data << QDir::separator() << "Demo.lge\n"
        << "        a demo league of 32 teams to try the program on\n"
        << "  " << data << QDir::separator() << "guide" << QDir::separator() << "index.html\n"
        << "        the user guide, also shown by Help, Contents and by F1 in any window\n"
        << "\n"
        << "News and updates: " << kMakerUrl << "\n";
}

} // namespace payvo
