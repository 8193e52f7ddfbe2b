#pragma once

#include "cli/cli.h"

#include <QTest>
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

// payvo-cli failed as a refusal does: the given status and exactly one line on stderr,
// "payvo-cli: ..." containing says. Otherwise false, with what was wrong and both streams
// in why. (A command may have printed its summary on stdout before it failed.)
inline bool isOneLineFailure(const CliRun& r, const QString& says, QString* why, int status = 1)
{
    const QStringList lines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QString wrong;
    if (r.status != status)
        wrong = QStringLiteral("exit status %1").arg(r.status);
    else if (lines.size() != 1)
        wrong = QStringLiteral("%1 lines on stderr").arg(lines.size());
    else if (!lines[0].startsWith(QStringLiteral("payvo-cli: ")))
        wrong = QStringLiteral("the line does not start with 'payvo-cli: '");
    else if (!lines[0].contains(says))
        wrong = QStringLiteral("the line does not say '%1'").arg(says);
    if (wrong.isEmpty())
        return true;
    *why = wrong + QStringLiteral("\nstderr: ") + r.err + QStringLiteral("\nstdout: ") + r.out;
    return false;
}

} // namespace payvo::test

// QVERIFY2 with the reason the check gives.
#define VERIFY_ONE_LINE_FAILURE(run, says)                                                                             \
    do {                                                                                                              \
        QString why_;                                                                                                  \
        QVERIFY2(payvo::test::isOneLineFailure((run), (says), &why_), qPrintable(why_));                              \
    } while (false)
