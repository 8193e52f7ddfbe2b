#include "cli/cli.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>
#include <unistd.h>

int main(int argc, char* argv[])
{
    // The site draws the cap board's chart, a graphics widget: that command gets a graphics
    // application, offscreen (this program never shows a window); the others need none.
    const bool site = argc > 1 && qstrcmp(argv[1], "site") == 0;
    if (site && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::unique_ptr<QCoreApplication> app(site ? new QApplication(argc, argv) : new QCoreApplication(argc, argv));
    QTextStream out(stdout);
    QTextStream err(stderr);
    payvo::cli::CliEnv env;
    env.out = &out;
    env.err = &err;
    env.errIsTerminal = isatty(fileno(stderr)) != 0;
    env.programDir = QCoreApplication::applicationDirPath();
    return payvo::cli::runCli(QCoreApplication::arguments().mid(1), env);
}
