#include "support/testutil.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <QSettings>
#include <QTest>

#include <SQLiteCpp/Database.h>

namespace payvo::test
{

QByteArray readAll(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(data) != data.size())
        QTest::qFail(qPrintable("cannot write " + path), __FILE__, __LINE__);
}

void clearSettingsStore()
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, "Payvo", "Payvo");
    s.clear();
}

QMap<QString, QByteArray> snapshot(const QString& dir)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(
        dir, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QByteArray& entry = files[QDir(dir).relativeFilePath(info.filePath())];
        if (info.isSymLink())
            entry = "<link> " + QFile::encodeName(info.symLinkTarget());
        else
            entry = info.isDir() ? "<folder>" : info.isFile() ? readAll(info.filePath()) : "<other>";
    }
    return files;
}

QStringList leftovers(const QString& dir)
{
    QStringList names;
    for (const QString& name :
        QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if ((name.startsWith('.') && name.contains(".pyv.import-")) || name.endsWith("-journal")
            || name.endsWith("-wal") || name.endsWith("-shm"))
            names << name;
    }
    return names;
}

QStringList queryRows(const QString& file, const QString& sql)
{
    QStringList rows;
    // Writable, so that the connection's end removes what a file in WAL mode needs while it is read.
    SQLite::Database db(file.toStdString(), SQLite::OPEN_READWRITE);
    SQLite::Statement q(db, sql.toStdString());
    while (q.executeStep()) {
        QStringList cells;
        for (int i = 0; i < q.getColumnCount(); ++i)
            cells << (q.getColumn(i).isNull() ? QStringLiteral("NULL") : QString::fromUtf8(q.getColumn(i).getText()));
        rows << cells.join('|');
    }
    return rows;
}

QByteArray randomBytes(int size, quint32 seed)
{
    QRandomGenerator gen(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(gen.bounded(256));
    return bytes;
}

} // namespace payvo::test
