#pragma once

#include <QStringList>

class QTextStream;

namespace payvo
{

// What the command line asks of the desktop program. It is read before the window system is
// started, so that --help and --version work without a display.
struct AppArgs {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString error; // Error: what is wrong, for stderr
};

// Reads payvo's own options (-h/--help, -v/--version). The options of the window system
// (-platform NAME, -display NAME, -style NAME, ...) are left to Qt; anything else is an error.
AppArgs readAppArgs(const QStringList& args);

// The help text: the options, Qt's options, the files the program uses and where.
void printAppHelp(QTextStream& out, const QString& programDir);

} // namespace payvo
