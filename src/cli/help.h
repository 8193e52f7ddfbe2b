#pragma once

#include <QString>

class QCommandLineParser;
class QTextStream;

namespace payvo
{
struct SettingsLocation;
}

namespace payvo::cli
{

struct Command;

// "payvo-cli --help": the commands, the options every command takes, where the settings
// file is and the exit statuses.
void printHelp(QTextStream& out, const QString& programDir);

// "payvo-cli COMMAND --help": the command's usage line and description, then every option
// and argument declared on parser with its description.
void printCommandHelp(QTextStream& out, const Command& command, QCommandLineParser& parser);

// "payvo-cli --version": the version, and on a second line the settings file in use.
void printVersion(QTextStream& out, const SettingsLocation& settings);

// The options runCli declares for every command.
void declareCommonOptions(QCommandLineParser& parser);

} // namespace payvo::cli
