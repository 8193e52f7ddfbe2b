#include "store/browse.h"

#include "common/positions.h"
#include "store/salaryfile.h"

#include <SQLiteCpp/Statement.h>

namespace payvo {

namespace {

QString text(const SQLite::Column& c)
{
    return c.isNull() ? QString() : QString::fromStdString(c.getString());
}

} // namespace

std::vector<TeamEntry> teamSelectorEntries(const QString& salaryFile)
{
    std::vector<TeamEntry> entries;
    {
        SQLite::Database db = openSalaryFile(salaryFile);
        SQLite::Statement q(db, "SELECT TeamID, City, Mascot FROM Teams");
        while (q.executeStep())
            entries.push_back({text(q.getColumn(1)) + QLatin1Char(' ') + text(q.getColumn(2)), q.getColumn(0).getInt()});
    }
    entries.push_back({QStringLiteral("Free Agents"), kFreeAgents});
    entries.push_back({QStringLiteral("Draft Pool"), kDraftPool});
    entries.push_back({QStringLiteral("All Teams"), kAllTeams});
    return entries;
}

} // namespace payvo
