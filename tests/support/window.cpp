#include "support/window.h"

#include "support/testutil.h"

#include <QTest>

namespace payvo::test {

AppServices Window::services(const QString& appDir)
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

Window::Window(const QString& appDir)
    : m_window(std::make_unique<frmMain>(services(appDir)))
{
    m_window->show();
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

void Window::choose(const char* box, const QString& text)
{
    auto* b = child<QComboBox>(QLatin1String(box));
    const int i = b->findText(text);
    if (i < 0)
        QTest::qFail(qPrintable(QStringLiteral("no entry ") + text), __FILE__, __LINE__);
    b->setCurrentIndex(i);
    Q_EMIT b->activated(i);
}

QStringList Window::teams() const
{
    const auto* box = child<QComboBox>("cboTeams");
    QStringList texts;
    for (int i = 0; i < box->count(); ++i)
        texts << box->itemText(i);
    return texts;
}

QStringList Window::column(int c) const
{
    const QAbstractItemModel* m = child<QTreeView>("lvwRookies")->model();
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

} // namespace payvo::test
