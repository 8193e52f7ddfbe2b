#include "support/testutil.h"

#include "testconfig.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTest>

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

} // namespace payvo::test
