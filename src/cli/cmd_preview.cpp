// payvo-cli preview: the whole league's salaries under other settings, with nothing written.
#include "cli/command.h"
#include "cli/views.h"
#include "common/filebytes.h"
#include "common/money.h"
#include "salary/iniutils.h"
#include "salary/whatif.h"
#include "store/fileguard.h"
#include "store/salaryfile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace payvo::cli
{

namespace
{

void declare(QCommandLineParser& p)
{
    p.addOption(QCommandLineOption(QStringLiteral("format"),
        QStringLiteral("Print the preview as text (the default) or as JSON."), QStringLiteral("text|json")));
    p.addPositionalArgument(QStringLiteral("SALARY.pyv"), QStringLiteral("The salary file; it is only read."));
    p.addPositionalArgument(
        QStringLiteral("PROPOSED.ini"), QStringLiteral("A settings file with the proposed cap, limits and weights."));
}

QJsonValue orNull(const std::optional<int>& value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

QJsonValue orNull(const std::optional<bool>& value)
{
    return value ? QJsonValue(*value) : QJsonValue();
}

// The whole dollars of an exact amount; null for a sum over no salary.
QJsonValue dollars(double amount, bool any = true)
{
    return any ? QJsonValue(wholeDollars(amount)) : QJsonValue();
}

QJsonObject toJson(const SalaryPreview& preview)
{
    QJsonArray teams;
    for (const TeamPreview& t : preview.teams) {
        const bool any = t.players > 0;
        teams.append(QJsonObject {
            { QStringLiteral("team_id"), orNull(t.teamId) },
            { QStringLiteral("team"), t.name },
            { QStringLiteral("payroll_now"), dollars(t.payrollNow, any) },
            { QStringLiteral("payroll_then"), dollars(t.payrollThen, any) },
            { QStringLiteral("change"), dollars(t.change(), any) },
            { QStringLiteral("over_cap_now"), orNull(t.overCapNow) },
            { QStringLiteral("over_cap_then"), orNull(t.overCapThen) },
        });
    }
    QJsonArray movers;
    for (const SalaryMove& m : preview.topMovers) {
        movers.append(QJsonObject {
            { QStringLiteral("pid"), orNull(m.pid) },
            { QStringLiteral("name"), m.name },
            { QStringLiteral("team_id"), orNull(m.teamId) },
            { QStringLiteral("salary_now"), dollars(m.salaryNow) },
            { QStringLiteral("salary_then"), dollars(m.salaryThen) },
            { QStringLiteral("change"), dollars(m.change()) },
        });
    }
    const bool anyPlayer = preview.players > 0;
    const QJsonObject league { { QStringLiteral("payroll_now"), dollars(preview.leagueNow, anyPlayer) },
        { QStringLiteral("payroll_then"), dollars(preview.leagueThen, anyPlayer) } };
    return QJsonObject {
        { QStringLiteral("teams"), teams },
        { QStringLiteral("players_changed"), preview.playersChanged },
        { QStringLiteral("top_movers"), movers },
        { QStringLiteral("league"), league },
    };
}

QString toText(const SalaryPreview& preview, const std::vector<Team>& teams)
{
    QString out = preview.summary() + QStringLiteral("\n\n") + preview.teamTable().text();
    if (preview.topMovers.empty())
        return out + QStringLiteral("\nNo salary changes.\n");
    return out + QStringLiteral("\nThe ten largest changes:\n") + preview.moverTable(teams).text();
}

int run(CommandContext& ctx)
{
    bool json = false;
    if (!formatOption(ctx, json))
        return kUsage;
    const QString path = plainPath(ctx.args.positionalArguments().at(0));
    const QString proposedFile = plainPath(ctx.args.positionalArguments().at(1));
    const QString why = checkSalaryFile(path);
    if (!why.isEmpty())
        return ctx.fail(why);
    QByteArray proposedBytes;
    QString unread;
    switch (readRegularFile(proposedFile, proposedBytes, unread)) {
    case FileRead::Ok:
        break;
    case FileRead::Missing:
        return ctx.fail(QStringLiteral("%1: no such settings file").arg(proposedFile));
    case FileRead::Failed:
        return ctx.fail(QStringLiteral("%1: %2").arg(proposedFile, unread));
    }

    CliPrompt prompt(ctx.err(), false);
    warnIfNoSettingsFile(ctx, prompt);
    const SalaryConfig current = SalaryConfig::load(ctx.iniFile);
    const SalaryConfig proposed = SalaryConfig::fromDocument(IniDocument::fromBytes(proposedBytes), proposedFile);
    for (const QString& remark : current.remarks + proposed.remarks)
        prompt.remark(remark);
    WhatIfLeague league;
    try {
        SalaryFile file(path);
        league = WhatIfLeague::read(file);
    } catch (const StoreError& e) {
        return ctx.fail(e.message());
    }
    const SalaryPreview preview = previewSalaries(league, current, proposed);
    if (json)
        ctx.out() << QJsonDocument(toJson(preview)).toJson(QJsonDocument::Indented);
    else
        writeText(ctx, toText(preview, league.teams()));
    return kDone;
}

} // namespace

extern const Command kPreviewCommand;
const Command kPreviewCommand = {
    "preview",
    "preview SALARY.pyv PROPOSED.ini [--ini FILE] [--format text|json]",
    declare,
    run,
    2,
    "what the salaries would be with other settings, writing nothing",
    "Computes every salary with the settings of PROPOSED.ini and prints each team's payroll now "
    "and then, the change, over the cap now and then, how many salaries change, the league's "
    "payroll and the ten largest changes. \"Now\" is what the salary file holds and the cap of "
    "--ini. Nothing is written.",
};

} // namespace payvo::cli
