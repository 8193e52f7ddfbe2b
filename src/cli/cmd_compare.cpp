// payvo-cli compare OLD.pyv NEW.pyv: what changed between two salary files of a league.
#include "cli/command.h"
#include "cli/views.h"
#include "league/compare.h"
#include "salary/salaryconfig.h"
#include "store/fileguard.h"
#include "store/salaryfile.h"
#include "store/salarystore.h"

namespace payvo::cli {

namespace {

void declare(QCommandLineParser& p)
{
    p.addOption(QCommandLineOption(QStringLiteral("format"), QString(), QStringLiteral("text|csv|json")));
    p.addPositionalArgument(QStringLiteral("old-file"), QString());
    p.addPositionalArgument(QStringLiteral("new-file"), QString());
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

extern const Command kCompareCommand
    = {"compare", "compare OLD.pyv NEW.pyv [--ini FILE] [--format text|csv|json]", declare, run, 2};

} // namespace payvo::cli
