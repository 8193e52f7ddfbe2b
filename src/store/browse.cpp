#include "store/browse.h"

#include "common/money.h"
#include "common/positions.h"
#include "store/salaryfile.h"

#include <SQLiteCpp/Statement.h>

#include <string>

namespace payvo {

namespace {

QString text(const SQLite::Column& c)
{
    return c.isNull() ? QString() : QString::fromStdString(c.getString());
}

// A fill may hold tens of thousands of rows: the texts that repeat (abbreviations and
// ratings) are made once and shared between cells.
const QString& abbreviationCell(long long code)
{
    static const std::array<QString, kPositionCount> cells = [] {
        std::array<QString, kPositionCount> a;
        for (int i = 0; i < kPositionCount; ++i)
            a[std::size_t(i)] = positionAbbr(i);
        return a;
    }();
    static const QString none;
    return code >= 0 && code < kPositionCount ? cells[std::size_t(code)] : none;
}

QString ratingCell(const SQLite::Column& c)
{
    static const std::array<QString, 256> cells = [] {
        std::array<QString, 256> a;
        for (int i = 0; i < 256; ++i)
            a[std::size_t(i)] = QString::number(i);
        return a;
    }();
    if (c.isNull())
        return QString();
    const long long v = c.getInt64();
    return v >= 0 && v < 256 ? cells[std::size_t(v)] : QString::number(v);
}

void appendUtf8(std::string& to, const SQLite::Column& c)
{
    if (!c.isNull()) {
        const char* text = c.getText(); // before getBytes, as SQLite asks
        to.append(text, std::size_t(c.getBytes()));
    }
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

QString playerListQuery(int team, int position)
{
    const QString order = QStringLiteral(" Order by Position, Salary desc");
    const QString select = QStringLiteral("SELECT * FROM Players");
    if (team == kAllTeams && position == kAllPositions)
        return select + order;
    if (position == kAllPositions)
        return select + QStringLiteral(" WHERE TeamID = ") + QString::number(team) + order;
    if (team == kAllTeams)
        return select + QStringLiteral(" Where Position = ") + QString::number(position) + order;
    return select + QStringLiteral(" WHERE TeamID = ") + QString::number(team) + QStringLiteral(" and Position = ")
           + QString::number(position) + order;
}

void readPlayerRows(SQLite::Database& db, int team, int position, std::vector<PlayerCells>& rows)
{
    SQLite::Statement q(db, playerListQuery(team, position).toStdString());
    // SELECT * gives the table's own column order; look the columns up by name.
    const int positionCol = q.getColumnIndex("Position");
    const int firstCol = q.getColumnIndex("FirstName");
    const int lastCol = q.getColumnIndex("LastName");
    const int salaryCol = q.getColumnIndex("Salary");
    std::array<int, 8> ratingCols{};
    for (std::size_t i = 0; i < ratingCols.size(); ++i)
        ratingCols[i] = q.getColumnIndex((std::string("Act_") + kRatingCodes[i]).c_str());

    std::string name;
    while (q.executeStep()) {
        PlayerCells cells;
        const SQLite::Column pos = q.getColumn(positionCol);
        if (!pos.isNull())
            cells[0] = abbreviationCell(pos.getInt64());
        name.clear();
        appendUtf8(name, q.getColumn(firstCol));
        name += ' ';
        appendUtf8(name, q.getColumn(lastCol));
        cells[1] = QString::fromUtf8(name.data(), qsizetype(name.size()));
        for (std::size_t i = 0; i < ratingCols.size(); ++i)
            cells[2 + i] = ratingCell(q.getColumn(ratingCols[i]));
        const SQLite::Column salary = q.getColumn(salaryCol);
        if (!salary.isNull() && salary.getDouble() > 0)
            cells[kSalaryColumn] = formatMoney(salary.getDouble());
        rows.push_back(std::move(cells));
    }
}

std::vector<PlayerCells> playerRows(const QString& salaryFile, int team, int position)
{
    SQLite::Database db = openSalaryFile(salaryFile);
    std::vector<PlayerCells> rows;
    readPlayerRows(db, team, position, rows);
    return rows;
}

} // namespace payvo
