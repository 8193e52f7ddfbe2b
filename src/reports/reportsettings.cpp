#include "reports/reportsettings.h"

#include "common/settingsstore.h"

namespace payvo
{

namespace
{
const QString kSection = QStringLiteral("Settings");
}

QString rosterReportFile()
{
    return readSetting(kSection, QLatin1String(kRosterKey), QLatin1String(kDefaultRosterFile));
}

QString summaryReportFile()
{
    return readSetting(kSection, QLatin1String(kSummaryKey), QLatin1String(kDefaultSummaryFile));
}

void setRosterReportFile(const QString& name)
{
    writeSetting(kSection, QLatin1String(kRosterKey), name);
}

void setSummaryReportFile(const QString& name)
{
    writeSetting(kSection, QLatin1String(kSummaryKey), name);
}

} // namespace payvo
