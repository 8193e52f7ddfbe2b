#pragma once

#include "cli/cli.h"

#include <QTextStream>

namespace payvo::test {

// One in-process run of payvo-cli with its output captured.
struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

inline CliRun runCli(const QStringList& args, const QString& programDir = QString())
{
    CliRun r;
    QTextStream out(&r.out);
    QTextStream err(&r.err);
    cli::CliEnv env;
    env.out = &out;
    env.err = &err;
    env.programDir = programDir;
    r.status = cli::runCli(args, env);
    out.flush();
    err.flush();
    return r;
}

} // namespace payvo::test
