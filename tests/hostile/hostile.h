#pragma once

// Shared fixtures of the hostile-input tests: the main window with scripted seams, folder
// snapshots to show that nothing changed, and the checks of what payvo-cli prints.

#include "app/frmmain.h"
#include "cli/clirun.h"
#include "common/prompt.h"
#include "support/scripted.h"

#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace payvo::test {

// A prompt that answers every question with Yes and runs an action first, so that a test can
// change the world while the question is up. Messages are recorded.
class ActingPrompt final : public UserPrompt {
public:
    std::function<void()> onQuestion;
    QStringList questions;
    QStringList messages;

    void message(const QString& text, Icon) override { messages << text; }
    bool question(const QString& text, Icon) override
    {
        questions << text;
        if (onQuestion)
            onQuestion();
        return true;
    }
};

// The main window over scripted seams, its settings file in appDir.
class Window {
public:
    explicit Window(const QString& appDir, UserPrompt* prompt = nullptr);
    ~Window();

    frmMain& main() { return *m_window; }
    ScriptedPrompt& prompt() { return m_prompt; }
    ScriptedFileChooser& files() { return m_files; }

    void trigger(const char* action);
    // File, Open / File, New on a chosen file.
    void open(const QString& salaryFile);
    void newFrom(const QString& leagueFile);

    QString status() const;
    int teamEntries() const;
    QString teamEntry(int index) const;
    int listRows() const;
    // The 19 value labels of the payroll panel.
    QStringList panel() const;
    bool progressVisible() const;
    bool enabled(const char* action) const;

private:
    ScriptedPrompt m_prompt;
    ScriptedFileChooser m_files;
    std::unique_ptr<frmMain> m_window;
};

// Every regular file below dir (hidden ones too) by its relative path, with its bytes;
// folders and other entries by their path with an empty value and their kind in front of it
// ("<folder>", "<other>"). Never waits on a pipe.
QMap<QString, QByteArray> snapshot(const QString& dir);

// The names in dir that an unfinished import leaves behind: its temporary files and any
// journal of a salary file.
QStringList leftovers(const QString& dir);

// payvo-cli failed as a refusal does: status 1 and exactly one line on stderr,
// "payvo-cli: ..." containing says. Otherwise false, with what was wrong and both streams in
// why. (A command may have printed its summary on stdout before it failed.)
bool isOneLineFailure(const CliRun& r, const QString& says, QString* why);

// Every row a query gives on a database file, its columns as text ("NULL" for Null) joined
// by "|".
QStringList queryRows(const QString& file, const char* sql);

// Every row of Teams and Players in table order: what an import wrote.
QStringList salaryFileRows(const QString& file);

// Random bytes of a fixed seed.
QByteArray randomBytes(int size, quint32 seed);

// True when the test runs with the powers of root, which read and write past file modes.
bool runningAsRoot();

} // namespace payvo::test

// QVERIFY2 with the reason the check gives.
#define VERIFY_ONE_LINE_FAILURE(run, says)                                                                             \
    do {                                                                                                              \
        QString why_;                                                                                                  \
        QVERIFY2(payvo::test::isOneLineFailure((run), (says), &why_), qPrintable(why_));                              \
    } while (false)
