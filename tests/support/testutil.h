#pragma once

#include <QByteArray>
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

} // namespace payvo::test
