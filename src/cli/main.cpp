#include "cli/cli.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    payvo::cli::CliEnv env;
    env.out = &out;
    env.err = &err;
    env.errIsTerminal = isatty(fileno(stderr)) != 0;
    env.programDir = QCoreApplication::applicationDirPath();
    return payvo::cli::runCli(QCoreApplication::arguments().mid(1), env);
}
