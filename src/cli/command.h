#pragma once

#include "cli/cli.h"
#include "common/prompt.h"
#include "common/status.h"

#include <QCommandLineParser>
#include <QTextStream>

#include <vector>

namespace payvo::cli
{

// What a command gets: its parsed arguments, the streams and the settings-file path.
struct CommandContext {
    const CliEnv& env;
    QCommandLineParser& args;
    QString iniFile;

    QTextStream& out() const { return *env.out; }
    QTextStream& err() const { return *env.err; }

    // Prints "payvo-cli: <text>" on stderr and returns status: every failure of a command
    // is reported this one way, bad usage (kUsage) included.
    int fail(const QString& text, int status = kFailed) const;
};

struct Command {
    const char* name;
    const char* synopsis; // the usage line after "payvo-cli "
    // Declares the command's options and positional arguments on the parser, each with the
    // description that "payvo-cli COMMAND --help" prints.
    void (*declare)(QCommandLineParser&);
    // Runs once the arguments are parsed; the positional count is already checked.
    int (*run)(CommandContext&);
    int positionals; // required positional arguments; -1: one or more
    const char* summary; // one line for the list of commands in "payvo-cli --help"
    const char* description; // what the command does, for "payvo-cli COMMAND --help"
};

// The commands payvo-cli knows, in the order the usage text lists them.
const std::vector<Command>& commands();

// Text as payvo-cli writes it: a backslash as "\\", a TAB, a line feed and a CR as "\t", "\n"
// and "\r", any other control character as "\xHH", and a format character or a line or
// paragraph separator as "\uHHHH" ("\UHHHHHHHH" past U+FFFF). A line of cells stays one line
// of its cells, and nothing from a league reaches a terminal that it would take as an order.
QString terminalText(const QString& text);

// Remarks that the settings file is missing, so every weight counts as 1.
void warnIfNoSettingsFile(const CommandContext& ctx, UserPrompt& prompt);

// Answers the core's questions from the command line: Yes to the overwrite question
// only with --overwrite; messages and remarks go to stderr.
class CliPrompt final : public UserPrompt
{
public:
    CliPrompt(QTextStream& err, bool overwrite)
        : m_err(err)
        , m_overwrite(overwrite)
    {
    }
    void message(const QString& text, Icon icon) override;
    bool question(const QString& text, Icon icon) override;
    void remark(const QString& text) override;

    // The last message shown, so a command can turn it into its one-line failure.
    QString lastMessage() const { return m_last; }
    bool declined() const { return m_declined; }

private:
    QTextStream& m_err;
    bool m_overwrite;
    bool m_declined = false;
    QString m_last;
};

// Progress on stderr: a one-line bar redrawn in place when stderr is a terminal,
// nothing otherwise.
class CliStatus final : public PlainStatus
{
public:
    CliStatus(QTextStream& err, bool terminal)
        : m_err(err)
        , m_terminal(terminal)
    {
    }
    ~CliStatus() override;
    void setStatusText(const QString& text) override;
    void setProgressVisible(bool visible) override;
    void setProgressValue(double value) override;

private:
    void draw();
    void clearLine();

    QTextStream& m_err;
    bool m_terminal;
    int m_drawnPercent = -1;
    QString m_drawnText;
    bool m_lineShown = false;
};

} // namespace payvo::cli
