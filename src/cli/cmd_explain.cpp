// payvo-cli explain: why one player earns what he earns.
#include "cli/command.h"
#include "cli/views.h"
#include "common/positions.h"
#include "salary/explain.h"
#include "store/fileguard.h"
#include "store/salaryfile.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <limits>

namespace payvo::cli
{

namespace
{

void declare(QCommandLineParser& p)
{
    p.addOption(QCommandLineOption(
        QStringLiteral("pid"), QStringLiteral("The player to explain, by his PID (required)."), QStringLiteral("N")));
    p.addOption(QCommandLineOption(QStringLiteral("format"),
        QStringLiteral("Print the sheet as text (the default) or as JSON with the exact "
                       "figures."),
        QStringLiteral("text|json")));
    p.addPositionalArgument(QStringLiteral("SALARY.pyv"), QStringLiteral("The salary file; it is only read."));
}

template <typename T> QJsonValue orNull(const std::optional<T>& value)
{
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

// One value per rating code; every value null when there is no salary rule.
template <typename Fn> QJsonValue perRating(const std::optional<SalaryBreakdown>& b, Fn valueOf)
{
    if (!b)
        return QJsonValue::Null;
    QJsonObject object;
    for (std::size_t r = 0; r < kRatingCodes.size(); ++r)
        object.insert(QLatin1String(kRatingCodes[r]), valueOf(*b, r));
    return object;
}

QJsonValue weight(const SalaryBreakdown& b, std::size_t r)
{
    return b.weights[r];
}

QJsonValue term(const SalaryBreakdown& b, std::size_t r)
{
    return orNull(b.terms[r]);
}

QJsonValue bonus(const SalaryBreakdown& b, std::size_t r)
{
    return b.tierBonus[r];
}

// The exact figures of the rule: base, product, salary and stored salary are not rounded.
QJsonObject toJson(const SalaryExplanation& e)
{
    const StoredPlayer& p = e.player;
    const std::optional<SalaryBreakdown>& b = e.breakdown;
    QJsonObject ratings;
    for (std::size_t r = 0; r < kRatingCodes.size(); ++r)
        ratings.insert(QLatin1String(kRatingCodes[r]), p.ratings[r] ? QJsonValue(qint64(*p.ratings[r])) : QJsonValue());
    QJsonValue limit;
    if (b && b->limit == SalaryBreakdown::Limit::Max)
        limit = QStringLiteral("max");
    else if (b && b->limit == SalaryBreakdown::Limit::Min)
        limit = QStringLiteral("min");
    const QString position = p.position ? positionAbbr(*p.position) : QString();
    return QJsonObject {
        { QStringLiteral("pid"), orNull(p.pid) },
        { QStringLiteral("name"), p.name() },
        { QStringLiteral("position"), position.isEmpty() ? QJsonValue() : QJsonValue(position) },
        { QStringLiteral("team_id"), orNull(p.teamId) },
        { QStringLiteral("ratings"), ratings },
        { QStringLiteral("weights"), perRating(b, weight) },
        { QStringLiteral("terms"), perRating(b, term) },
        { QStringLiteral("bonus"), perRating(b, bonus) },
        { QStringLiteral("base"), b ? orNull(b->base) : QJsonValue() },
        { QStringLiteral("factor"), b ? QJsonValue(b->factor) : QJsonValue() },
        { QStringLiteral("product"), b ? orNull(b->product) : QJsonValue() },
        { QStringLiteral("limit"), limit },
        { QStringLiteral("salary"), orNull(e.salary()) },
        { QStringLiteral("stored_salary"), orNull(p.salary) },
        { QStringLiteral("up_to_date"), e.upToDate() },
    };
}

int run(CommandContext& ctx)
{
    if (!ctx.args.isSet(QStringLiteral("pid")))
        return ctx.fail(QStringLiteral("'explain' needs --pid N"), kUsage);
    // Any whole number: one outside the column's range names no player.
    bool isNumber = false;
    const QString pidText = ctx.args.value(QStringLiteral("pid"));
    const qlonglong pid = pidText.trimmed().toLongLong(&isNumber);
    if (!isNumber)
        return ctx.fail(QStringLiteral("--pid takes a whole number, not '%1'").arg(pidText), kUsage);
    bool json = false;
    if (!formatOption(ctx, json))
        return kUsage;
    const QString path = plainPath(ctx.args.positionalArguments().at(0));
    const QString why = checkSalaryFile(path);
    if (!why.isEmpty())
        return ctx.fail(why);

    CliPrompt prompt(ctx.err(), false);
    warnIfNoSettingsFile(ctx, prompt);
    const SalaryConfig config = SalaryConfig::load(ctx.iniFile);
    for (const QString& remark : config.remarks)
        prompt.remark(remark);
    SalaryExplanation explanation;
    try {
        SalaryFile file(path);
        const bool fits = pid >= std::numeric_limits<int>::min() && pid <= std::numeric_limits<int>::max();
        const std::optional<StoredPlayer> player = fits ? file.playerByPid(int(pid)) : std::nullopt;
        if (!player)
            return ctx.fail(QStringLiteral("No player with PID %1").arg(pid));
        explanation = explainSalary(*player, file.teams(), config);
    } catch (const StoreError& e) {
        return ctx.fail(e.message());
    }
    if (json)
        ctx.out() << QJsonDocument(toJson(explanation)).toJson(QJsonDocument::Indented);
    else
        writeText(ctx, explanationSheet(explanation).text());
    return kDone;
}

} // namespace

extern const Command kExplainCommand;
const Command kExplainCommand = {
    "explain",
    "explain SALARY.pyv --pid N [--ini FILE] [--format text|json]",
    declare,
    run,
    1,
    "how one player's salary is made",
    "Prints how the settings file makes one player's salary: each rating, its weight, its term "
    "and its tier bonus; the base salary, the factor, the product, the limit that applied and "
    "the salary; and whether the salary stored in the file is still that one.",
};

} // namespace payvo::cli
