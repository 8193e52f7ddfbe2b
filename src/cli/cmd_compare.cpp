// payvo-cli compare OLD.pyv NEW.pyv: what changed between two salary files of a league.
#include "cli/command.h"
#include "cli/views.h"
#include "league/compare.h"
#include "salary/salaryconfig.h"
#include "store/fileguard.h"
#include "store/salaryfile.h"
#include "store/salarystore.h"

namespace payvo::cli
{

namespace
{

void declare(QCommandLineParser& p)
{
    p.addOption(QCommandLineOption(QStringLiteral("format"),
        QStringLiteral("Print the teams and players as text (the default), the players "
                       "as RFC 4180 CSV, or both as JSON."),
        QStringLiteral("text|csv|json")));
    p.addPositionalArgument(QStringLiteral("OLD.pyv"), QStringLiteral("The older salary file of the league."));
    p.addPositionalArgument(QStringLiteral("NEW.pyv"), QStringLiteral("The newer salary file of the league."));
}

int run(CommandContext& ctx)
{
    BoardFormat f = BoardFormat::Text;
    if (!formatOption(ctx, f))
        return kUsage;
    QStringList files;
    for (const QString& file : ctx.args.positionalArguments())
        files << plainPath(file);
    for (const QString& file : files) {
        const QString why = checkSalaryFile(file);
        if (!why.isEmpty())
            return ctx.fail(why);
    }
    SalaryComparison comparison;
    try {
        comparison = SalaryComparison::build(files[0], files[1], SalaryConfig::load(ctx.iniFile));
    } catch (const StoreError& e) {
        return ctx.fail(e.message());
    }
    if (f == BoardFormat::Text)
        writeText(ctx, [&](QTextStream& out) { writeComparison(comparison, f, out); });
    else
        writeComparison(comparison, f, ctx.out());
    return kDone;
}

} // namespace

extern const Command kCompareCommand = {
    "compare",
    "compare OLD.pyv NEW.pyv [--ini FILE] [--format text|csv|json]",
    declare,
    run,
    2,
    "what changed between two salary files of a league",
    "Compares an older salary file of a league with a newer one: each team's payroll then and "
    "now, the change and whether it was and is over the cap (teams matched by TeamID), then the "
    "players added, removed, moved to another team and re-paid (matched by PID). A player who "
    "moved and was re-paid is listed once, as moved. Both files are only read.",
};

} // namespace payvo::cli
