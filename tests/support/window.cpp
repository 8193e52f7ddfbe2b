#include "support/window.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QTest>
#include <QTreeView>

namespace payvo::test {

namespace {

void choose(QComboBox* box, const QString& text)
{
    const int i = box->findText(text);
    if (i < 0)
        QTest::qFail(qPrintable(QStringLiteral("no entry ") + text), __FILE__, __LINE__);
    box->setCurrentIndex(i);
    Q_EMIT box->activated(i);
}

} // namespace

Window::Window(const QString& appDir, UserPrompt* prompt)
{
    AppServices s;
    s.prompt = prompt ? prompt : &m_prompt;
    s.files = &m_files;
    s.appDir = appDir;
    m_window = std::make_unique<frmMain>(s);
    m_window->show();
}

Window::~Window() = default;

QAction* Window::action(const char* name) const
{
    return child<QAction>(QLatin1String(name));
}

void Window::trigger(const char* name)
{
    action(name)->trigger();
}

bool Window::enabled(const char* name) const
{
    return action(name)->isEnabled();
}

void Window::open(const QString& salaryFile)
{
    m_files.choose(salaryFile);
    trigger("mnuOpen");
}

void Window::newFrom(const QString& leagueFile)
{
    m_files.choose(leagueFile);
    trigger("mnuNew");
}

void Window::chooseTeam(const QString& text)
{
    choose(child<QComboBox>(QStringLiteral("cboTeams")), text);
}

void Window::choosePosition(const QString& text)
{
    choose(child<QComboBox>(QStringLiteral("cboPositions")), text);
}

QString Window::status() const
{
    return child<QLabel>(QStringLiteral("StatusBar1_Panel1"))->text();
}

QStringList Window::teams() const
{
    const auto* box = child<QComboBox>(QStringLiteral("cboTeams"));
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

QString Window::position() const
{
    return child<QComboBox>(QStringLiteral("cboPositions"))->currentText();
}

int Window::listRows() const
{
    return child<QTreeView>(QStringLiteral("lvwRookies"))->model()->rowCount();
}

QStringList Window::column(int c) const
{
    const QAbstractItemModel* m = child<QTreeView>(QStringLiteral("lvwRookies"))->model();
    QStringList cells;
    for (int r = 0; r < m->rowCount(); ++r)
        cells << m->index(r, c).data().toString();
    return cells;
}

QStringList Window::panel() const
{
    QStringList values;
    for (int i = 0; i < 19; ++i)
        values << child<QLabel>(QStringLiteral("lblPositionSal_%1").arg(i))->text();
    return values;
}

bool Window::progressVisible() const
{
    return child<QProgressBar>(QStringLiteral("prgStatus"))->isVisible();
}

} // namespace payvo::test
