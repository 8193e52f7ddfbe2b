#include "app/frmmain.h"
#include "app/frmsplash.h"
#include "app/guiprompt.h"
#include "common/product.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(payvo::kAppTitle));
    QApplication::setOrganizationName(QString::fromLatin1(payvo::kAppTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(payvo::kVersion));

    payvo::MessageBoxPrompt prompt;
    payvo::QtFileChooser files;
    payvo::AppServices services;
    services.prompt = &prompt;
    services.files = &files;
    services.appDir = QCoreApplication::applicationDirPath();

    payvo::frmMain* mainWindow = nullptr;
    auto* splash = new payvo::frmSplash([&]() -> QWidget* {
        mainWindow = new payvo::frmMain(services);
        mainWindow->setAttribute(Qt::WA_DeleteOnClose);
        return mainWindow;
    });
    splash->show();
    return app.exec();
}
