#pragma once

#include "app/frmmain.h"
#include "support/scripted.h"

#include <QString>
#include <QStringList>

#include <memory>

class QAction;

namespace payvo::test {

// The main window over scripted seams, shown, with its settings file and help file in
// appDir. The accessors find the controls by their object names, as a user finds them by
// their captions.
class Window {
public:
    explicit Window(const QString& appDir, UserPrompt* prompt = nullptr);
    ~Window();

    frmMain& main() { return *m_window; }
    ScriptedPrompt& prompt() { return m_prompt; }
    ScriptedFileChooser& files() { return m_files; }
    template <typename T> T* child(const QString& name) const { return m_window->findChild<T*>(name); }

    QAction* action(const char* name) const;
    void trigger(const char* name);
    bool enabled(const char* name) const;
    // File, Open / File, New on a chosen file.
    void open(const QString& salaryFile);
    void newFrom(const QString& leagueFile);
    // Picks an entry of the team or position selector as the user does.
    void chooseTeam(const QString& text);
    void choosePosition(const QString& text);

    QString status() const;
    QStringList teams() const;
    QString position() const;
    int listRows() const;
    QStringList column(int c) const;
    // The 19 value labels of the payroll panel.
    QStringList panel() const;
    bool progressVisible() const;

private:
    ScriptedPrompt m_prompt;
    ScriptedFileChooser m_files;
    std::unique_ptr<frmMain> m_window;
};

} // namespace payvo::test
