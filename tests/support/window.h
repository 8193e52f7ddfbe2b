#pragma once

#include "app/frmmain.h"
#include "support/scripted.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QString>
#include <QStringList>
#include <QTreeView>

#include <memory>

namespace payvo::test {

// The main window over scripted seams, shown, with its settings file and help file in
// appDir and the user guide of the build. The accessors find the controls by their object names, as a user finds them by
// their captions.
class Window {
public:
    explicit Window(const QString& appDir);

    frmMain& main() { return *m_window; }
    ScriptedPrompt& prompt() { return m_prompt; }
    ScriptedFileChooser& files() { return m_files; }
    template <typename T> T* child(const QString& name) const { return m_window->findChild<T*>(name); }

    QAction* action(const char* name) const { return child<QAction>(QLatin1String(name)); }
    void trigger(const char* name) { action(name)->trigger(); }
    bool enabled(const char* name) const { return action(name)->isEnabled(); }
    // File, Open / File, New on a chosen file.
    void open(const QString& salaryFile);
    void newFrom(const QString& leagueFile);
    // Picks an entry of the team or position selector as the user does.
    void chooseTeam(const QString& text) { choose("cboTeams", text); }
    void choosePosition(const QString& text) { choose("cboPositions", text); }

    QString status() const { return child<QLabel>("StatusBar1_Panel1")->text(); }
    QStringList teams() const;
    QString position() const { return child<QComboBox>("cboPositions")->currentText(); }
    int listRows() const { return child<QTreeView>("lvwRookies")->model()->rowCount(); }
    QStringList column(int c) const;
    // The 19 value labels of the payroll panel.
    QStringList panel() const;
    bool progressVisible() const { return child<QProgressBar>("prgStatus")->isVisible(); }

private:
    void choose(const char* box, const QString& text);
    AppServices services(const QString& appDir);

    ScriptedPrompt m_prompt;
    ScriptedFileChooser m_files;
    std::unique_ptr<frmMain> m_window;
};

} // namespace payvo::test
