#pragma once

#include <QByteArray>
#include <QString>

namespace payvo
{

// How a whole-file read ended.
enum class FileRead {
    Ok, // bytes hold the whole file
    Missing, // there is nothing of that name
    Failed, // there is something, but it is no file that can be read; error says why
};

// Reads a whole file at once. Only a regular file (or a link to one) is read: a folder, a
// named pipe or a device is refused at once, without waiting for anybody to write into it.
// error is a short reason in words ("is a folder", "Input/output error").
FileRead readRegularFile(const QString& path, QByteArray& bytes, QString& error);

} // namespace payvo
