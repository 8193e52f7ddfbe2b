#include "common/settingslocation.h"

#include "common/filebytes.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#ifndef PAYVO_DATA_FROM_BIN
#define PAYVO_DATA_FROM_BIN "../share/payvo"
#endif

namespace payvo
{

namespace
{

const QString kFileName = QStringLiteral("Payvo.ini");

// Copies the default to target; the copy appears whole or not at all.
QString copyDefault(const QString& defaultFile, const QString& target)
{
    QByteArray bytes;
    QString why;
    switch (readRegularFile(defaultFile, bytes, why)) {
    case FileRead::Ok:
        break;
    case FileRead::Missing:
        return QStringLiteral("the default settings file %1 is missing").arg(defaultFile);
    case FileRead::Failed:
        return QStringLiteral("the default settings file %1 cannot be read: %2").arg(defaultFile, why);
    }
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder))
        return QStringLiteral("the folder %1 cannot be made").arg(folder);
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit())
        return QStringLiteral("%1 cannot be written: %2").arg(target, out.errorString());
    return QString();
}

} // namespace

SettingsLocation locateSettingsFile(const QString& programDir, const QString& userDir, const QString& defaultFile)
{
    SettingsLocation where;
    const QString beside = QDir(programDir).filePath(kFileName);
    if (!programDir.isEmpty() && QFileInfo::exists(beside) && QFileInfo(programDir).isWritable()) {
        where.file = beside;
        where.portable = true;
        return where;
    }
    where.file = QDir(userDir).filePath(kFileName);
    // Anything of that name counts as the user's own, even a folder: it is never replaced.
    if (QFileInfo(where.file).exists() || QFileInfo(where.file).isSymLink())
        return where;
    where.problem = copyDefault(defaultFile, where.file);
    where.created = where.problem.isEmpty();
    return where;
}

SettingsLocation locateSettingsFile(const QString& programDir)
{
    return locateSettingsFile(programDir, QFileInfo(userSettingsFile()).path(), defaultSettingsFile(programDir));
}

QString userSettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Payvo/")
        + kFileName;
}

QString defaultSettingsFile(const QString& programDir)
{
    return QDir(sharedDataDir(programDir)).filePath(kFileName);
}

QString sharedDataDir(const QString& programDir)
{
    return QDir::cleanPath(QDir(programDir).filePath(QStringLiteral(PAYVO_DATA_FROM_BIN)));
}

QString settingsFileLine(const SettingsLocation& location)
{
    QString line = QStringLiteral("Settings file: ") + QDir::toNativeSeparators(location.file);
    if (!location.problem.isEmpty())
        line += QStringLiteral(" (not made: ") + location.problem + QLatin1Char(')');
    return line;
}

} // namespace payvo
