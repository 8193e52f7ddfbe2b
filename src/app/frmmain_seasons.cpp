// League, Compare With: the loaded salary file against an older one. League, Publish Site:
// the loaded league's web site in a folder.
#include "app/frmmain.h"

#include "app/frmcompare.h"
#include "common/prompt.h"
#include "league/site.h"
#include "reports/reportsettings.h"

namespace payvo
{

void frmMain::mnuCompare_Click()
{
    const QString older
        = m_services.files->chooseOpenFile(this, QStringLiteral("Compare With"), QStringLiteral("pyv (*.pyv)|*.pyv"));
    if (older.isEmpty())
        return;
    if (!m_compare)
        m_compare = new frmCompare(m_services, this);
    m_compare->load(older, gsSalaryFile, iniFile());
    m_compare->show();
    m_compare->raise();
    m_compare->activateWindow();
}

// As the report commands: the bar shown, each step named, "Finished" at the end. A file that
// could not be written is said in a box.
void frmMain::mnuPublishSite_Click()
{
    const QString dir = m_services.files->chooseFolder(this, QStringLiteral("Publish Site"));
    if (dir.isEmpty())
        return;
    SiteOptions options;
    options.iniFile = iniFile();
    options.rosterReport = rosterReportFile();
    options.summaryReport = summaryReportFile();
    options.generated = QDateTime::currentDateTimeUtc();
    setProgressVisible(true);
    processPendingEvents();
    const SiteResult r = writeLeagueSite(gsSalaryFile, gsLeagueName, dir, options, *this);
    setProgressVisible(false);
    setProgressValue(0);
    setStatusText(QStringLiteral("Finished"));
    if (!r.ok())
        m_services.prompt->message(r.error, UserPrompt::Icon::Exclamation);
}

} // namespace payvo
