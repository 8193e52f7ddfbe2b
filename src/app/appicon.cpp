#include "app/appicon.h"

#include "common/settingslocation.h"
#include "version.h"

#include <QDir>
#include <QFileInfo>

namespace payvo
{

QIcon applicationIcon(const QString& programDir)
{
    QIcon icon;
    const QDir theme(QDir(sharedDataDir(programDir)).filePath(QStringLiteral("../icons/hicolor")));
    const QString file = QStringLiteral("/apps/" PAYVO_APP_ID ".png");
    for (const QString& size : theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (QFileInfo::exists(theme.filePath(size + file)))
            icon.addFile(theme.filePath(size + file));
    }
    return icon;
}

} // namespace payvo
