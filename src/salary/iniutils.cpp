#include "salary/iniutils.h"

#include "common/text.h"

#include <QFile>
#include <QSaveFile>

#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <string>

namespace payvo {

namespace {

// "\" is no separator here; callers that build the path with it mean the same file.
QString profilePath(const QString& file)
{
#ifdef Q_OS_WIN
    return file;
#else
    QString p = file;
    p.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return p;
#endif
}

enum class Load { Ok, Missing, Failed };

Load loadIni(CSimpleIniA& ini, const QString& path)
{
    QFile f(path);
    if (!f.exists())
        return Load::Missing;
    if (!f.open(QIODevice::ReadOnly))
        return Load::Failed;
    const QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return Load::Failed;
    return ini.LoadData(data.constData(), std::size_t(data.size())) < 0 ? Load::Failed : Load::Ok;
}


} // namespace

QString iniFilePath(const QString& appDir, const QString& suffix)
{
    return profilePath(appDir + suffix);
}

namespace INIUTILS {

QString ReadINI(const QString& section, const QString& key, const QString& file)
{
    CSimpleIniA ini(/*isUtf8=*/true, /*multiKey=*/true, /*multiLine=*/false);
    if (loadIni(ini, profilePath(file)) != Load::Ok)
        return QString();
    const QByteArray s = section.toUtf8();
    const QByteArray k = key.toUtf8();
    const char* value = ini.GetValue(s.constData(), k.constData(), nullptr);
    if (!value)
        return QString();
    QString v = QString::fromUtf8(value);
    if (v.size() > kMaxValueLength) {
        int cut = kMaxValueLength;
        if (v[cut - 1].isHighSurrogate())
            --cut;
        v.truncate(cut);
    }
    return v;
}

long WriteINI(const QString& section, const QString& key, const QString& value, const QString& file)
{
    const QString path = profilePath(file);
    CSimpleIniA ini(/*isUtf8=*/true, /*multiKey=*/true, /*multiLine=*/false);
    ini.SetSpaces(false);
    if (loadIni(ini, path) == Load::Failed)
        return 0; // never replace a file we could not read

    const QByteArray s = section.toUtf8();
    QByteArray k = key.toUtf8();
    const QByteArray v = trimSpaces(value).toUtf8();

    // Replacing re-inserts the key under the name it is given; keep the file's spelling.
    CSimpleIniA::TNamesDepend keys;
    if (ini.GetAllKeys(s.constData(), keys)) {
        for (const auto& entry : keys) {
            if (qstricmp(entry.pItem, k.constData()) == 0) {
                k = QByteArray(entry.pItem);
                break;
            }
        }
    }
    if (ini.SetValue(s.constData(), k.constData(), v.constData(), nullptr, /*forceReplace=*/true) < 0)
        return 0;

    std::string out;
    if (ini.Save(out) < 0)
        return 0;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return 0;
    if (f.write(out.data(), qint64(out.size())) != qint64(out.size())) {
        f.cancelWriting();
        return 0;
    }
    return f.commit() ? 1 : 0;
}

} // namespace INIUTILS
} // namespace payvo
