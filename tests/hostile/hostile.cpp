#include "hostile.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QRandomGenerator>
#include <QTreeView>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <unistd.h>

namespace payvo::test {

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

void Window::trigger(const char* action)
{
    m_window->findChild<QAction*>(QLatin1String(action))->trigger();
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

QString Window::status() const
{
    return m_window->findChild<QLabel*>(QStringLiteral("StatusBar1_Panel1"))->text();
}

int Window::teamEntries() const
{
    return m_window->findChild<QComboBox*>(QStringLiteral("cboTeams"))->count();
}

QString Window::teamEntry(int index) const
{
    return m_window->findChild<QComboBox*>(QStringLiteral("cboTeams"))->itemText(index);
}

int Window::listRows() const
{
    return m_window->findChild<QTreeView*>(QStringLiteral("lvwRookies"))->model()->rowCount();
}

QStringList Window::panel() const
{
    QStringList values;
    for (int i = 0; i < 19; ++i)
        values << m_window->findChild<QLabel*>(QStringLiteral("lblPositionSal_%1").arg(i))->text();
    return values;
}

bool Window::progressVisible() const
{
    return m_window->findChild<QProgressBar*>(QStringLiteral("prgStatus"))->isVisible();
}

bool Window::enabled(const char* action) const
{
    return m_window->findChild<QAction*>(QLatin1String(action))->isEnabled();
}

QMap<QString, QByteArray> snapshot(const QString& dir)
{
    QMap<QString, QByteArray> files;
    const QDir root(dir);
    QDirIterator it(dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info(path);
        const QString name = root.relativeFilePath(path);
        if (info.isSymLink())
            files.insert(name, "<link> " + QFile::encodeName(info.symLinkTarget()));
        else if (info.isDir())
            files.insert(name, "<folder>");
        else if (!info.isFile())
            files.insert(name, "<other>");
        else {
            QFile f(path);
            files.insert(name, f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>"));
        }
    }
    return files;
}

QStringList leftovers(const QString& dir)
{
    QStringList names;
    for (const QString& name : QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if ((name.startsWith(QLatin1Char('.')) && name.contains(QStringLiteral(".pyv.import-")))
            || name.endsWith(QStringLiteral("-journal")) || name.endsWith(QStringLiteral("-wal"))
            || name.endsWith(QStringLiteral("-shm")))
            names << name;
    }
    return names;
}

bool isOneLineFailure(const CliRun& r, const QString& says, QString* why)
{
    const QStringList lines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QString wrong;
    if (r.status != 1)
        wrong = QStringLiteral("exit status %1").arg(r.status);
    else if (lines.size() != 1)
        wrong = QStringLiteral("%1 lines on stderr").arg(lines.size());
    else if (!lines[0].startsWith(QStringLiteral("payvo-cli: ")))
        wrong = QStringLiteral("the line does not start with 'payvo-cli: '");
    else if (!lines[0].contains(says))
        wrong = QStringLiteral("the line does not say '%1'").arg(says);
    if (wrong.isEmpty())
        return true;
    *why = wrong + QStringLiteral("\nstderr: ") + r.err + QStringLiteral("\nstdout: ") + r.out;
    return false;
}

QStringList queryRows(const QString& file, const char* sql)
{
    QStringList rows;
    SQLite::Database db(file.toStdString());
    SQLite::Statement q(db, sql);
    while (q.executeStep()) {
        QStringList cells;
        for (int i = 0; i < q.getColumnCount(); ++i)
            cells << (q.getColumn(i).isNull() ? QStringLiteral("NULL") : QString::fromUtf8(q.getColumn(i).getText()));
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

QStringList salaryFileRows(const QString& file)
{
    return queryRows(file, "SELECT * FROM Teams ORDER BY rowid") + queryRows(file, "SELECT * FROM Players ORDER BY rowid");
}

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator gen(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(gen.bounded(256));
    return bytes;
}

bool runningAsRoot()
{
    return ::geteuid() == 0;
}

} // namespace payvo::test
