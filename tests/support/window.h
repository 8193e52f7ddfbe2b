#pragma once

#include "app/frmmain.h"
#include "support/scripted.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QString>
#include <QStringList>
#include <QTreeView>

#include <memory>

namespace payvo::test
{

// The main window over scripted seams, shown, with its settings file and help file in
// appDir and the user guide of the build. The accessors find the controls by their object
// names, as a user finds them by their captions.
class Window
{
public:
    explicit Window(const QString& appDir)
        : m_window(std::make_unique<frmMain>(services(appDir)))
    {
        m_window->show();
    }

    frmMain& main() { return *m_window; }
    ScriptedPrompt& prompt() { return m_prompt; }
    template <typename T> T* child(const QString& name) const { return m_window->findChild<T*>(name); }

    void trigger(const char* name) { child<QAction>(QLatin1String(name))->trigger(); }
    bool enabled(const char* name) const { return child<QAction>(QLatin1String(name))->isEnabled(); }
    // File, Open / File, New on a chosen file.
    ScriptedFileChooser& files() { return m_files; }
    void open(const QString& salaryFile)
    {
        m_files.choose(salaryFile);
        trigger("mnuOpen");
    }
    void newFrom(const QString& leagueFile)
    {
        m_files.choose(leagueFile);
        trigger("mnuNew");
    }
    // Picks an entry of the team or position selector as the user does.
    void chooseTeam(const QString& text) { choose("cboTeams", text); }
    void choosePosition(const QString& text) { choose("cboPositions", text); }

    QString status() const { return child<QLabel>("StatusBar1_Panel1")->text(); }
    QStringList teams() const { return cells(child<QComboBox>("cboTeams")->model(), 0); }
    QString position() const { return child<QComboBox>("cboPositions")->currentText(); }
    int listRows() const { return child<QTreeView>("lvwRookies")->model()->rowCount(); }
    QStringList column(int c) const { return cells(child<QTreeView>("lvwRookies")->model(), c); }
    // The 19 value labels of the payroll panel.
    QStringList panel() const
    {
        QStringList values;
        for (int i = 0; i < 19; ++i)
            values << child<QLabel>(QStringLiteral("lblPositionSal_%1").arg(i))->text();
        return values;
    }
    bool progressVisible() const { return child<QProgressBar>("prgStatus")->isVisible(); }
    // The texts (or other data) of a column of a list, a table or a selector.
    static QStringList cells(const QAbstractItemModel* m, int c, int role = Qt::DisplayRole)
    {
        QStringList texts;
        for (int r = 0; r < m->rowCount(); ++r)
            texts << m->index(r, c).data(role).toString();
        return texts;
    }

private:
    void choose(const char* box, const QString& text)
    {
        auto* b = child<QComboBox>(QLatin1String(box));
        const int i = b->findText(text);
        if (i < 0)
            QTest::qFail(qPrintable(QStringLiteral("no entry ") + text), __FILE__, __LINE__);
        b->setCurrentIndex(i);
        Q_EMIT b->activated(i);
    }
    AppServices services(const QString& appDir)
    {
        AppServices s;
        s.prompt = &m_prompt;
        s.files = &m_files;
        s.appDir = appDir;
        s.settings.file = QDir(appDir).filePath("Payvo.ini");
        s.settings.portable = true;
        s.guideDir = QDir(PAYVO_BUILD_DATA_DIR).filePath("guide");
        return s;
    }

    ScriptedPrompt m_prompt;
    ScriptedFileChooser m_files;
    std::unique_ptr<frmMain> m_window;
};

} // namespace payvo::test
