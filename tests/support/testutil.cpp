#include "support/testutil.h"

#include "testconfig.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRandomGenerator>
#include <QSettings>
#include <QTest>

#include <SQLiteCpp/Database.h>
#include <SQLiteCpp/Statement.h>

#include <unistd.h>

namespace payvo::test {

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(data) != data.size())
        QTest::qFail(qPrintable(QStringLiteral("cannot write ") + path), __FILE__, __LINE__);
}

QString dataFile(const QString& name)
{
    return QDir(QStringLiteral(PAYVO_TEST_DATA_DIR)).filePath(name);
}

void clearSettingsStore()
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Payvo"), QStringLiteral("Payvo"));
    s.clear();
    s.sync();
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
        else
            files.insert(name, readAll(path));
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

QStringList queryRows(const QString& file, const QString& sql)
{
    QStringList rows;
    SQLite::Database db(file.toStdString());
    SQLite::Statement q(db, sql.toStdString());
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
    return queryRows(file, QStringLiteral("SELECT * FROM Teams ORDER BY rowid"))
           + queryRows(file, QStringLiteral("SELECT * FROM Players ORDER BY rowid"));
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

CurrentDir::CurrentDir(const QString& dir)
    : m_saved(QDir::currentPath())
{
    QDir().mkpath(dir);
    QDir::setCurrent(dir);
}

CurrentDir::~CurrentDir()
{
    QDir::setCurrent(m_saved);
}

} // namespace payvo::test
