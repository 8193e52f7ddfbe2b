#include "salary/explain.h"

#include "common/positions.h"

#include <algorithm>

namespace payvo
{

namespace
{

QString bonusText(double bonus)
{
    return bonus > 0 ? QLatin1Char('+') + QString::number(bonus) : QStringLiteral("0");
}

QString amountOrNone(const std::optional<double>& amount, const QString& none)
{
    return amount ? exactMoney(*amount) : none;
}

QString limitText(const SalaryExplanation& e)
{
    if (!e.breakdown)
        return QStringLiteral("none");
    switch (e.breakdown->limit) {
    case SalaryBreakdown::Limit::Max:
        return QStringLiteral("Max, %1").arg(exactMoney(*e.limits.max));
    case SalaryBreakdown::Limit::Min:
        return QStringLiteral("Min, %1").arg(exactMoney(*e.limits.min));
    case SalaryBreakdown::Limit::None:
        break;
    }
    return QStringLiteral("none");
}

} // namespace

QString teamLabel(std::optional<int> teamId, const std::vector<Team>& teams)
{
    if (!teamId)
        return QStringLiteral("no team");
    if (*teamId == kFreeAgents)
        return QStringLiteral("Free Agents");
    if (*teamId == kDraftPool)
        return QStringLiteral("Draft Pool");
    for (const Team& t : teams) {
        if (t.teamId == teamId)
            return t.name();
    }
    return QStringLiteral("team %1").arg(*teamId);
}

SalaryExplanation explainSalary(const StoredPlayer& player, const std::vector<Team>& teams, const SalaryConfig& config)
{
    SalaryExplanation e;
    e.player = player;
    e.team = teamLabel(player.teamId, teams);
    e.limits = config.limits;
    if (player.position)
        e.breakdown = computeSalary(*player.position, player.ratings, config);
    return e;
}

ExplanationSheet explanationSheet(const SalaryExplanation& e)
{
    const StoredPlayer& p = e.player;
    const std::optional<SalaryBreakdown>& b = e.breakdown;
    ExplanationSheet sheet;
    const QString position = p.position ? positionAbbr(*p.position) : QString();
    sheet.heading = QStringLiteral("%1, PID %2, %3, %4")
                        .arg(p.name(), p.pid ? QString::number(*p.pid) : QStringLiteral("none"),
                            position.isEmpty() ? QStringLiteral("no position") : position, e.team);
    sheet.ratings.header = QStringList { QStringLiteral("Rating"), QStringLiteral("Value"), QStringLiteral("Weight"),
        QStringLiteral("Term"), QStringLiteral("Tier bonus") };
    for (std::size_t r = 0; r < kRatingCodes.size(); ++r) {
        QStringList row(5);
        row[0] = QLatin1String(kRatingCodes[r]);
        if (p.ratings[r])
            row[1] = QString::number(*p.ratings[r]);
        if (b) {
            row[2] = QString::number(b->weights[r]);
            if (b->terms[r])
                row[3] = exactMoney(*b->terms[r]);
            row[4] = bonusText(b->tierBonus[r]);
        }
        sheet.ratings.rows.push_back(row);
    }

    const QString none = QStringLiteral("none");
    if (b) {
        sheet.totals = {
            { QStringLiteral("Base salary (sum of the terms)"),
                amountOrNone(b->base, QStringLiteral("none: a rating is missing")) },
            { QStringLiteral("Factor (1 + the tier bonuses)"), QString::number(b->factor) },
            { QStringLiteral("Product (base x factor)"), amountOrNone(b->product, none) },
            { QStringLiteral("Limit applied"), limitText(e) },
            { QStringLiteral("Salary"), amountOrNone(b->salary, none) },
        };
    } else {
        sheet.totals = { { QStringLiteral("Salary"),
            QStringLiteral("no salary rule for this position: Re-Calculate keeps the stored salary") } };
    }
    sheet.totals.emplace_back(QStringLiteral("Stored salary"), amountOrNone(p.salary, none));
    if (!e.upToDate())
        sheet.note = QStringLiteral("The stored salary is out of date: the settings changed since the last "
                                    "calculation. Edit, Re-Calculate Salaries brings it up to date.");
    return sheet;
}

QString ExplanationSheet::text() const
{
    QString out = heading + QStringLiteral("\n\n") + ratings.text() + QLatin1Char('\n');
    qsizetype captionWidth = 0;
    for (const auto& total : totals)
        captionWidth = std::max(captionWidth, total.first.size());
    for (const auto& total : totals)
        out += (total.first + QLatin1Char(':')).leftJustified(captionWidth + 2) + total.second + QLatin1Char('\n');
    if (!note.isEmpty())
        out += QLatin1Char('\n') + note + QLatin1Char('\n');
    return out;
}

} // namespace payvo
