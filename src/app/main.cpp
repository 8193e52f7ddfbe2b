#include "app/appargs.h"
#include "app/appicon.h"
#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/guiprompt.h"
#include "common/product.h"
#include "common/settingslocation.h"

#include <QApplication>
#include <QDir>
#include <QTextStream>

#include <cstdio>

namespace
{

QStringList arguments(int argc, char* argv[])
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

} // namespace

int main(int argc, char* argv[])
{
    // --help and --version answer without a window system.
    const payvo::AppArgs args = payvo::readAppArgs(arguments(argc, argv));
    if (args.action != payvo::AppArgs::Action::Run) {
        QCoreApplication core(argc, argv);
        QTextStream out(stdout);
        QTextStream err(stderr);
        const QString appDir = QCoreApplication::applicationDirPath();
        switch (args.action) {
        case payvo::AppArgs::Action::Help:
            payvo::printAppHelp(out, appDir);
            return 0;
        case payvo::AppArgs::Action::Version:
            out << payvo::kAppTitle << " " << payvo::kVersion << "\n"
                << payvo::settingsFileLine(payvo::locateSettingsFile(appDir)) << "\n";
            return 0;
        default:
            err << "payvo: " << args.error << "\nTry 'payvo --help' for more information.\n";
            return 2;
        }
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(payvo::kAppTitle));
    QApplication::setOrganizationName(QString::fromLatin1(payvo::kAppTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(payvo::kVersion));
    QGuiApplication::setDesktopFileName(QStringLiteral(PAYVO_APP_ID));

    payvo::MessageBoxPrompt prompt;
    payvo::QtFileChooser files;
    payvo::AppServices services;
    services.prompt = &prompt;
    services.files = &files;
    services.appDir = QCoreApplication::applicationDirPath();
    services.settings = payvo::locateSettingsFile(services.appDir);
    services.guideDir = QDir(payvo::sharedDataDir(services.appDir)).filePath(QStringLiteral("guide"));
    QApplication::setWindowIcon(payvo::applicationIcon(services.appDir));

    payvo::frmMain* mainWindow = nullptr;
    auto* splash = new payvo::frmSplash([&]() -> QWidget* {
        mainWindow = new payvo::frmMain(services);
        mainWindow->setAttribute(Qt::WA_DeleteOnClose);
        return mainWindow;
    });
    splash->show();
    return app.exec();
}
