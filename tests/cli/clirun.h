#pragma once

#include "cli/cli.h"

#include <QTest>
#include <QTextStream>

namespace payvo::test
{

// One in-process run of payvo-cli with its stderr captured, and its stdout unless it is sent to
// a device of the test's own (a file on /dev/full or /dev/null). terminal: stderr counts as a
// terminal, so the progress bar is drawn.
struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

inline CliRun runCli(const QStringList& args, const QString& programDir = QString(), bool terminal = false,
    QIODevice* outDevice = nullptr)
{
    CliRun r;
    QTextStream out(&r.out);
    if (outDevice)
        out.setDevice(outDevice);
    QTextStream err(&r.err);
    cli::CliEnv env;
    env.out = &out;
    env.err = &err;
    env.programDir = programDir;
    env.errIsTerminal = terminal;
    r.status = cli::runCli(args, env);
    out.flush();
    err.flush();
    return r;
}

// payvo-cli failed as a refusal does: status 1 and exactly one line on stderr,
// "payvo-cli: ..." containing says. Otherwise false, with both streams in why. (A command
// may have printed its summary on stdout before it failed.)
inline bool isOneLineFailure(const CliRun& r, const QString& says, QString* why)
{
    *why = QStringLiteral("exit status %1\nstderr: %2\nstdout: %3").arg(r.status).arg(r.err, r.out);
    return r.status == 1 && r.err.count('\n') == 1 && r.err.startsWith("payvo-cli: ") && r.err.contains(says);
}

} // namespace payvo::test

// QVERIFY2 with the reason the check gives.
#define VERIFY_ONE_LINE_FAILURE(run, says)                                                                             \
    do {                                                                                                               \
        QString why_;                                                                                                  \
        QVERIFY2(payvo::test::isOneLineFailure((run), (says), &why_), qPrintable(why_));                               \
    } while (false)
