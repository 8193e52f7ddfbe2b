#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

namespace payvo::cli
{

// Exit statuses of payvo-cli.
enum ExitCode { kDone = 0, kFailed = 1, kUsage = 2 };

// Where a run of the batch program writes, and what it knows of its surroundings.
struct CliEnv {
    QTextStream* out = nullptr;
    QTextStream* err = nullptr;
    bool errIsTerminal = false; // draw a progress bar on err
    QString programDir; // default place of Payvo.ini
};

// Runs payvo-cli with its arguments (without the program name) and returns the exit status.
int runCli(const QStringList& args, const CliEnv& env);

} // namespace payvo::cli
