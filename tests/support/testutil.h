#pragma once

#include "testconfig.h"

#include <QByteArray>
#include <QDir>
#include <QMap>
#include <QString>
#include <QStringList>

#include <unistd.h>

namespace payvo::test
{

// The whole content of a file; an empty array when it cannot be read.
QByteArray readAll(const QString& path);

// Writes bytes to a file, replacing it; fails the test when that is impossible.
void writeFile(const QString& path, const QByteArray& data);

// A file of tests/data.
inline QString dataFile(const QString& name)
{
    return QDir(PAYVO_TEST_DATA_DIR).filePath(name);
}

// Removes every key of the per-user settings store (each test has a store of its own).
void clearSettingsStore();

// Every entry below dir (hidden ones too) by its relative path: a regular file with its
// bytes, anything else as its kind ("<folder>", "<other>", "<link> target"). Never waits
// on a pipe. Two equal snapshots show that nothing in the folder changed.
QMap<QString, QByteArray> snapshot(const QString& dir);

// The names in dir that an unfinished import leaves behind: its temporary files and any
// journal of a salary file.
QStringList leftovers(const QString& dir);

// Every row a query gives on a database file, its columns as text ("NULL" for Null)
// joined by "|".
QStringList queryRows(const QString& file, const QString& sql);

// Every row of Teams and Players in table order: what an import wrote.
inline QStringList salaryFileRows(const QString& file)
{
    return queryRows(file, "SELECT * FROM Teams ORDER BY rowid")
        + queryRows(file, "SELECT * FROM Players ORDER BY rowid");
}

// Random bytes of a fixed seed.
QByteArray randomBytes(int size, quint32 seed);

// True when the test runs with the powers of root, which read and write past file modes.
inline bool runningAsRoot()
{
    return ::geteuid() == 0;
}

// Makes a folder (made if missing) the current one for as long as it lives.
class CurrentDir
{
public:
    explicit CurrentDir(const QString& dir)
    {
        QDir().mkpath(dir);
        QDir::setCurrent(dir);
    }
    ~CurrentDir() { QDir::setCurrent(m_saved); }

private:
    QString m_saved = QDir::currentPath();
};

} // namespace payvo::test
