#include "store/browse.h"

#include "common/money.h"
#include "common/positions.h"
#include "store/salaryfile.h"

#include <SQLiteCpp/Statement.h>

#include <string>

namespace payvo
{

namespace
{

// A fill may hold tens of thousands of rows. The texts that repeat (abbreviations and
// ratings) are made once, in static storage: copies of such a string share its
// characters without any reference counting.
class SharedTexts
{
public:
    SharedTexts()
    {
        char16_t* at = m_chars.data();
        for (int v = 0; v < 256; ++v)
            m_ratings[std::size_t(v)] = store(at, QString::number(v));
        for (int code = 0; code < kPositionCount; ++code)
            m_abbreviations[std::size_t(code)] = store(at, positionAbbr(code));
    }

    QString rating(long long v) const { return v >= 0 && v < 256 ? m_ratings[std::size_t(v)] : QString::number(v); }
    QString abbreviation(long long code) const
    {
        return code >= 0 && code < kPositionCount ? m_abbreviations[std::size_t(code)] : QString();
    }

private:
    static QString store(char16_t*& at, const QString& text)
    {
        std::copy(text.utf16(), text.utf16() + text.size(), at);
        const QString shared = QString::fromRawData(reinterpret_cast<const QChar*>(at), text.size());
        at += text.size();
        return shared;
    }

    std::array<char16_t, 256 * 3 + kPositionCount * 2> m_chars {};
    std::array<QString, 256> m_ratings;
    std::array<QString, kPositionCount> m_abbreviations;
};

const SharedTexts& sharedTexts()
{
    static const SharedTexts texts;
    return texts;
}

void appendUtf8(std::string& to, const SQLite::Column& c)
{
    if (!c.isNull()) {
        const char* text = c.getText(); // before getBytes, as SQLite asks
        to.append(text, std::size_t(c.getBytes()));
    }
}

// The list's query: SELECT * as the list has always read, sorted by the engine, with the
// rowid in front, which tells a row's player.
QString playerListQuery(int team, int position)
{
    const QString order = QStringLiteral(" Order by Position, Salary desc");
    const QString select = QStringLiteral("SELECT rowid, * FROM Players");
    if (team == kAllTeams && position == kAllPositions)
        return select + order;
    if (position == kAllPositions)
        return select + QStringLiteral(" WHERE TeamID = ") + QString::number(team) + order;
    if (team == kAllTeams)
        return select + QStringLiteral(" Where Position = ") + QString::number(position) + order;
    return select + QStringLiteral(" WHERE TeamID = ") + QString::number(team) + QStringLiteral(" and Position = ")
        + QString::number(position) + order;
}

} // namespace

std::vector<TeamEntry> teamSelectorEntries(SalaryFile& file)
{
    std::vector<TeamEntry> entries;
    for (const Team& team : file.teams())
        entries.push_back({ team.name(), team.teamId });
    entries.push_back({ QStringLiteral("Free Agents"), kFreeAgents });
    entries.push_back({ QStringLiteral("Draft Pool"), kDraftPool });
    entries.push_back({ QStringLiteral("All Teams"), kAllTeams });
    return entries;
}

void visitPlayerRows(SalaryFile& file, int team, int position, const std::function<void(PlayerCells&&)>& visit)
{
    file.guarded([&] {
        SQLite::Statement q(file.database(), playerListQuery(team, position).toStdString());
        // SELECT * gives the table's own column order; look the columns up by name.
        const int positionCol = q.getColumnIndex("Position");
        const int firstCol = q.getColumnIndex("FirstName");
        const int lastCol = q.getColumnIndex("LastName");
        const int salaryCol = q.getColumnIndex("Salary");
        std::array<int, 8> ratingCols {};
        for (std::size_t i = 0; i < ratingCols.size(); ++i)
            ratingCols[i] = q.getColumnIndex((std::string("Act_") + kRatingCodes[i]).c_str());

        const SharedTexts& shared = sharedTexts();
        std::string name;
        while (q.executeStep()) {
            PlayerCells cells;
            cells.rowid = q.getColumn(0).getInt64();
            const SQLite::Column pos = q.getColumn(positionCol);
            if (!pos.isNull())
                cells[0] = shared.abbreviation(pos.getInt64());
            name.clear();
            appendUtf8(name, q.getColumn(firstCol));
            name += ' ';
            appendUtf8(name, q.getColumn(lastCol));
            cells[1] = QString::fromUtf8(name.data(), qsizetype(name.size()));
            for (std::size_t i = 0; i < ratingCols.size(); ++i) {
                const SQLite::Column rating = q.getColumn(ratingCols[i]);
                if (!rating.isNull())
                    cells[2 + i] = shared.rating(rating.getInt64());
            }
            const SQLite::Column salary = q.getColumn(salaryCol);
            if (!salary.isNull() && salary.getDouble() > 0)
                cells[kSalaryColumn] = formatMoney(salary.getDouble());
            visit(std::move(cells));
        }
    });
}

void readPlayerRows(SalaryFile& file, int team, int position, PlayerRows& rows)
{
    visitPlayerRows(file, team, position, [&rows](PlayerCells&& cells) { rows.append(std::move(cells)); });
}

} // namespace payvo
