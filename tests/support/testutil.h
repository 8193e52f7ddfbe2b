#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace payvo::test {

// The whole content of a file; an empty array when it cannot be read.
QByteArray readAll(const QString& path);

// Writes bytes to a file, replacing it; fails the test when that is impossible.
void writeFile(const QString& path, const QByteArray& data);

// A file of tests/data.
QString dataFile(const QString& name);

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
QStringList salaryFileRows(const QString& file);

// Random bytes of a fixed seed.
QByteArray randomBytes(int size, quint32 seed);

// True when the test runs with the powers of root, which read and write past file modes.
bool runningAsRoot();

// Makes a folder the current one for as long as it lives (the reports go there).
class CurrentDir {
public:
    explicit CurrentDir(const QString& dir);
    ~CurrentDir();

private:
    QString m_saved;
};

} // namespace payvo::test
